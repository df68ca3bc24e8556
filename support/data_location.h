#pragma once
// Where an installed program finds its files. Both programs read and write
// their files (book, fonts, kelvo.ini, logs) in the working directory. Started
// where those files are, nothing changes. An installed program started
// elsewhere (from the desktop menu, by a file manager, by xboard in the
// user's home) moves into a per-user folder, $XDG_DATA_HOME/kelvo, whose
// read-only files are links into the shared data folder installed beside the
// program; what the program writes stays per user.

#include <filesystem>
#include <initializer_list>
#include <string>

namespace dataLocation {

// Enters the per-user folder when the working directory lacks one of `needed`
// and the shared data folder exists relative to the running program. Returns
// true when the working directory was changed.
bool enterDataFolder(std::initializer_list<const char*> needed);

// The working directory the program was started in, when enterDataFolder left
// it; empty otherwise. File dialogs start there, as they would have.
const std::filesystem::path& startDirectory();

// The pieces, exposed for tests: the shared data folder of a program at
// `program` (empty when it is not installed there), and the per-user folder
// for the given XDG_DATA_HOME and HOME values (empty when neither is usable).
std::filesystem::path sharedDataFolder(const std::filesystem::path& program);
std::filesystem::path userDataFolder(const char* xdgDataHome, const char* home);

// Links (or, where links are impossible, copies) every file of `shared` that
// `user` does not have; a link left dangling by an earlier install is replaced.
void seedUserFolder(const std::filesystem::path& shared, const std::filesystem::path& user);

}  // namespace dataLocation
