#include "driver/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

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

// A name beside the target that no file has yet.
fs::path freeNameBeside(const fs::path& target) {
  std::error_code error;
  for (int i = 0;; ++i) {
    fs::path candidate = target;
    candidate += ".new" + std::to_string(i);
    if (!fs::exists(candidate, error) || i == 1000) return candidate;
  }
}

}  // namespace

std::string replaceFile(const std::string& path, const std::string& text) {
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

  const fs::path temporary = freeNameBeside(target);
  std::FILE* file = std::fopen(temporary.string().c_str(), "w");
  if (!file) return systemReason("cannot be created");
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  written = std::fflush(file) == 0 && written;
  std::string reason = written ? "" : systemReason("write error");
  if (std::fclose(file) != 0 && written) {
    written = false;
    reason = systemReason("write error");
  }
  if (written && existed) fs::permissions(temporary, fs::status(target, error).permissions(), error);
  // The library's rename replaces an existing file on every platform (the C
  // library's does not on Windows).
  if (written) fs::rename(temporary, target, error);
  if (written && error) {
    written = false;
    reason = error.message();
  }
  if (!written) std::remove(temporary.string().c_str());
  return reason;
}
