#pragma once
// Writes a file whole or not at all: the text goes to a new file beside it,
// which then takes the old one's place in one rename. A reader, a crash or a
// full disk never sees half a file; on any failure the old file is untouched
// and the new one removed. A symbolic link stays a link: the file it points
// to is replaced. The new file has the old one's permissions before a byte
// is written into it, so a private file is never readable on the way.
//
// The new file's name is the target's, a mark and a random part; it is
// created only if no file or link of that name exists, so a link planted
// beside the target can neither be followed nor become the target. One left
// by a program killed before its rename is removed by a later save of the
// same target once it is old enough not to be another writer's.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

// Text mode, as the engine's other files; binary keeps every byte as given.
enum class FileMode { TEXT, BINARY };

// What makes written bytes survive a power loss, and a new file private from
// its first moment: the host's system calls (the standard library has none).
// Without one, a save survives the program being killed but not the machine
// stopping, and the new file gets its permissions just after it is created,
// still empty.
class DiskSync {
 public:
  virtual ~DiskSync() = default;
  virtual bool syncFile(std::FILE* file) const = 0;
  virtual bool syncFolder(const std::string& folder) const = 0;
  // A file created for writing only when nothing has that name, with
  // `permissions` (perms::unknown: the usual ones); nullptr otherwise.
  virtual std::FILE* createFile(const std::string& path, FileMode mode, std::filesystem::perms permissions) const;
};

// The mark in the new file's name: "pos.log" is written as "pos.log.kelvo-tmp-1f0c9a3e".
inline constexpr const char* TEMPORARY_MARK = ".kelvo-tmp-";
// A temporary file older than this is a leftover, not a save in progress.
inline constexpr std::chrono::seconds STALE_TEMPORARY_AGE{30};

// Empty on success, else the system's reason.
std::string replaceFile(const std::string& path, const std::string& text, const DiskSync* sync = nullptr,
                        FileMode mode = FileMode::TEXT);

// A file created for writing only when nothing (not even a dangling link) has
// that name; nullptr otherwise.
std::FILE* createNewFile(const std::string& path, FileMode mode = FileMode::TEXT);
