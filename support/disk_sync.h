#pragma once
// The system calls that make a written file and a rename survive a power
// loss, and create a file with its permissions, for the engine's file
// replacement: the host hands this in, since the engine library makes no OS calls.

#include "driver/file_replace.h"

class SystemDiskSync : public DiskSync {
 public:
  bool syncFile(std::FILE* file) const override;
  bool syncFolder(const std::string& folder) const override;
  std::FILE* createFile(const std::string& path, FileMode mode, std::filesystem::perms permissions) const override;
};
