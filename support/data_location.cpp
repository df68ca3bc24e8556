#include "data_location.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace dataLocation {
namespace {

fs::path& startedIn() {
  static fs::path path;
  return path;
}

// The running program's own file; Linux names it in /proc. Elsewhere the
// fallback is to stay in the working directory.
fs::path runningProgram() {
  std::error_code error;
  fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : program;
}

bool holdsAll(const fs::path& folder, std::initializer_list<const char*> needed) {
  std::error_code error;
  for (const char* name : needed)
    if (!fs::is_regular_file(folder / name, error)) return false;
  return true;
}

}  // namespace

fs::path sharedDataFolder(const fs::path& program) {
  if (program.empty()) return {};
  // Relative to the program, so that an install under any prefix finds its own data.
  const fs::path folder = program.parent_path() / KELVO_DATA_FROM_PROGRAM;
  std::error_code error;
  if (!fs::is_directory(folder, error)) return {};
  return fs::weakly_canonical(folder, error);
}

fs::path userDataFolder(const char* xdgDataHome, const char* home) {
  // The XDG base directory rules: a relative XDG_DATA_HOME is ignored.
  if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute()) return fs::path(xdgDataHome) / "kelvo";
  if (home && *home && fs::path(home).is_absolute()) return fs::path(home) / ".local" / "share" / "kelvo";
  return {};
}

void seedUserFolder(const fs::path& shared, const fs::path& user) {
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(shared, error)) {
    if (!entry.is_regular_file(error)) continue;
    const fs::path target = user / entry.path().filename();
    if (fs::exists(target, error)) continue;  // the user's own copy, or a live link
    fs::remove(target, error);                // a dangling link from an earlier install
    fs::create_symlink(entry.path(), target, error);
    if (error) fs::copy_file(entry.path(), target, error);
  }
}

bool enterDataFolder(std::initializer_list<const char*> needed) {
  std::error_code error;
  const fs::path current = fs::current_path(error);
  if (!error && holdsAll(current, needed)) return false;
  const fs::path shared = sharedDataFolder(runningProgram());
  if (shared.empty()) return false;

  fs::path folder = userDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  if (!folder.empty()) fs::create_directories(folder, error);
  if (folder.empty() || error) {
    // No writable home: read the shared files in place; what the program
    // would write there fails as any unwritable file does.
    folder = shared;
  } else {
    seedUserFolder(shared, folder);
  }
  fs::current_path(folder, error);
  if (error) return false;
  startedIn() = current;
  return true;
}

const fs::path& startDirectory() { return startedIn(); }

}  // namespace dataLocation
