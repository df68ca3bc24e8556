// The pure parts of finding the installed data folder: which per-user folder,
// which shared folder, and how the per-user folder is seeded. The whole path
// through an installed program is install_test.sh.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "data_location.h"

namespace {

namespace fs = std::filesystem;

struct Folder {
  Folder() {
    std::string pattern = (fs::temp_directory_path() / "data-location-XXXXXX").string();
    path = mkdtemp(pattern.data());
  }
  ~Folder() { fs::remove_all(path); }
  fs::path path;
};

void writeFile(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << text;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(DataLocation, UserFolderFollowsTheXdgRules) {
  struct Case {
    const char* xdgDataHome;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/data", "/home/ana", "/data/kelvo"},
      {nullptr, "/home/ana", "/home/ana/.local/share/kelvo"},
      {"", "/home/ana", "/home/ana/.local/share/kelvo"},
      {"relative/data", "/home/ana", "/home/ana/.local/share/kelvo"},  // relative values are ignored
      {nullptr, nullptr, ""},
      {nullptr, "home", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(dataLocation::userDataFolder(c.xdgDataHome, c.home), fs::path(c.expected))
        << (c.xdgDataHome ? c.xdgDataHome : "(unset)") << " " << (c.home ? c.home : "(unset)");
}

TEST(DataLocation, SharedFolderIsFoundBesideTheInstalledProgramOnly) {
  const Folder prefix;
  fs::create_directories(prefix.path / "games");
  EXPECT_EQ(dataLocation::sharedDataFolder(prefix.path / "games" / "kelvo"), fs::path());  // a build tree
  fs::create_directories(prefix.path / "share" / "games" / "kelvo");
  EXPECT_EQ(dataLocation::sharedDataFolder(prefix.path / "games" / "kelvo"),
            fs::canonical(prefix.path / "share" / "games" / "kelvo"));
  EXPECT_EQ(dataLocation::sharedDataFolder(fs::path()), fs::path());
}

TEST(DataLocation, SeedingLinksWhatIsMissingAndKeepsTheUsersOwnFiles) {
  const Folder root;
  const fs::path shared = root.path / "shared", user = root.path / "user";
  writeFile(shared / "aperturas.pgn", "shared book");
  writeFile(shared / "merida.ttf", "shared font");
  writeFile(shared / "CHEQ_TT0.TTF", "shared font");
  writeFile(user / "aperturas.pgn", "my own book");
  fs::create_symlink(root.path / "uninstalled" / "merida.ttf", user / "merida.ttf");  // left dangling

  dataLocation::seedUserFolder(shared, user);

  EXPECT_EQ(readFile(user / "aperturas.pgn"), "my own book");
  EXPECT_FALSE(fs::is_symlink(user / "aperturas.pgn"));
  for (const char* font : {"merida.ttf", "CHEQ_TT0.TTF"}) {
    ASSERT_TRUE(fs::is_symlink(user / font)) << font;
    EXPECT_EQ(fs::read_symlink(user / font), shared / font);
    EXPECT_EQ(readFile(user / font), "shared font");
  }
  // Seeding again changes nothing.
  dataLocation::seedUserFolder(shared, user);
  EXPECT_EQ(readFile(user / "aperturas.pgn"), "my own book");
}

}  // namespace
