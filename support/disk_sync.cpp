#include "disk_sync.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

bool SystemDiskSync::syncFile(std::FILE* file) const {
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

// Windows makes a rename durable with the file; there is no folder to sync.
bool SystemDiskSync::syncFolder(const std::string& folder) const {
#ifdef _WIN32
  (void)folder;
  return true;
#else
  const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool synced = fsync(descriptor) == 0;
  close(descriptor);
  return synced;
#endif
}

std::FILE* SystemDiskSync::createFile(const std::string& path, FileMode mode, std::filesystem::perms permissions) const {
#ifdef _WIN32
  return DiskSync::createFile(path, mode, permissions);
#else
  // The mode is the file's from its creation: no one can open it before.
  const mode_t bits = permissions == std::filesystem::perms::unknown
                          ? 0666
                          : static_cast<mode_t>(permissions & std::filesystem::perms::all);
  const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, bits);
  if (descriptor < 0) return nullptr;
  std::FILE* file = fdopen(descriptor, mode == FileMode::BINARY ? "wb" : "w");
  if (!file) close(descriptor);
  return file;
#endif
}
