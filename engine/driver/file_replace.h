#pragma once
// Writes a file whole or not at all: the text goes to a new file beside it,
// which then takes the old one's place in one rename. A reader, a crash or a
// full disk never sees half a file; on any failure the old file is untouched.
// A symbolic link stays a link: the file it points to is replaced. The new
// file keeps the old one's permissions. Written in text mode, like the rest
// of the engine's files.

#include <string>

// Empty on success, else the system's reason.
std::string replaceFile(const std::string& path, const std::string& text);
