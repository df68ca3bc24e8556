#include "driver/file_replace.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string systemReason(const char* fallback) { return errno ? std::strerror(errno) : fallback; }

// A link's target, followed through a chain of links.
fs::path resolveLinks(fs::path path) {
  std::error_code error;
  for (int depth = 0; depth < 40 && fs::is_symlink(path, error); ++depth) {
    const fs::path next = fs::read_symlink(path, error);
    if (error) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

std::string randomPart() {
  static std::mt19937_64 generator{std::random_device{}() ^
                                   static_cast<std::uint64_t>(fs::file_time_type::clock::now().time_since_epoch().count())};
  static const char digits[] = "0123456789abcdef";
  std::string part;
  for (std::uint64_t bits = generator(); part.size() < 8; bits >>= 4) part.push_back(digits[bits & 15]);
  return part;
}

// A new file beside the target, under a name nobody has; a few tries, since
// an existing name (a collision, a planted link) is skipped, never opened.
std::FILE* createTemporary(const fs::path& target, fs::path& name, FileMode mode, const DiskSync& host,
                           fs::perms permissions) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    name = target;
    name += TEMPORARY_MARK + randomPart();
    if (std::FILE* file = host.createFile(name.string(), mode, permissions)) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

// Leftovers of this target's earlier saves that a kill stopped before their rename.
void removeStaleTemporaries(const fs::path& target) {
  std::error_code error;
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string prefix = target.filename().string() + TEMPORARY_MARK;
  const auto now = fs::file_time_type::clock::now();
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + 8 || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::error_code ignored;
    if (!it->is_regular_file(ignored) || it->is_symlink(ignored)) continue;
    const auto written = fs::last_write_time(it->path(), ignored);
    if (!ignored && now - written > STALE_TEMPORARY_AGE) fs::remove(it->path(), ignored);
  }
}

}  // namespace

namespace {

// What the standard library can do: the permissions follow the creation at
// once, while the file is still empty.
class StandardHost : public DiskSync {
 public:
  bool syncFile(std::FILE*) const override { return true; }
  bool syncFolder(const std::string&) const override { return true; }
};

}  // namespace

std::FILE* DiskSync::createFile(const std::string& path, FileMode mode, fs::perms permissions) const {
  std::FILE* file = createNewFile(path, mode);
  if (file && permissions != fs::perms::unknown) {
    std::error_code error;
    fs::permissions(path, permissions, error);
    if (error) {
      std::fclose(file);
      fs::remove(path, error);
      errno = EACCES;
      return nullptr;
    }
  }
  return file;
}

std::FILE* createNewFile(const std::string& path, FileMode mode) {
  // "x" (exclusive) fails on any existing name, a dangling link included.
  return std::fopen(path.c_str(), mode == FileMode::BINARY ? "wbx" : "wx");
}

std::string replaceFile(const std::string& path, const std::string& text, const DiskSync* sync, FileMode mode) {
  const fs::path target = resolveLinks(path);
  std::error_code error;
  const bool existed = fs::exists(target, error);
  errno = 0;
  // A file the user may not write is left as it is, although its folder
  // would let a rename replace it.
  if (existed) {
    std::FILE* probe = std::fopen(target.string().c_str(), "r+");
    if (!probe) return systemReason("cannot be written");
    std::fclose(probe);
  }
  removeStaleTemporaries(target);

  const fs::perms permissions = existed ? fs::status(target, error).permissions() : fs::perms::unknown;
  fs::path temporary;
  errno = 0;
  static const StandardHost standard;
  std::FILE* file = createTemporary(target, temporary, mode, sync ? *sync : standard, permissions);
  if (!file) return systemReason("cannot be created");
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fflush(file) == 0 && written;
  std::string reason = written ? "" : systemReason("write error");
  if (written && sync && !sync->syncFile(file)) {
    written = false;
    reason = systemReason("cannot be synced to disk");
  }
  if (std::fclose(file) != 0 && written) {
    written = false;
    reason = systemReason("write error");
  }
  // Exactly the old ones, whatever the creation's mask took away.
  if (written && existed) fs::permissions(temporary, permissions, error);
  // The library's rename replaces an existing file on every platform (the C
  // library's does not on Windows).
  if (written) fs::rename(temporary, target, error);
  if (written && error) {
    written = false;
    reason = error.message();
  }
  if (!written) {
    fs::remove(temporary, error);
    return reason;
  }
  // The rename itself is durable only once the folder is.
  if (sync) sync->syncFolder(target.has_parent_path() ? target.parent_path().string() : ".");
  return reason;
}
