// Replacing a file whole: the new file's name cannot be hijacked, a kill
// leaves the old file whole, and the leftover goes at a later save.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "disk_sync.h"
#include "driver/file_replace.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<fs::path> temporariesOf(const fs::path& target) {
  std::vector<fs::path> found;
  const std::string prefix = target.filename().string() + TEMPORARY_MARK;
  for (const auto& entry : fs::directory_iterator(target.parent_path()))
    if (entry.path().filename().string().rfind(prefix, 0) == 0) found.push_back(entry.path());
  return found;
}

class FileReplace : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = fs::path(::testing::TempDir()) / ("replace_" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder / "inside");
    target = folder / "inside" / "pos.log";
  }
  void TearDown() override { fs::remove_all(folder); }
  fs::path folder, target;
};

// Links planted where the new file is made are never written through, and
// never become the target.
TEST_F(FileReplace, PlantedLinksAreNeitherFollowedNorTaken) {
  const fs::path outside = folder / "outside.txt";
  fs::create_symlink(outside, folder / "inside" / "pos.log.new0");
  fs::create_symlink(outside, folder / "inside" / "dangling");
  EXPECT_EQ(createNewFile((folder / "inside" / "dangling").string()), nullptr);
  EXPECT_EQ(replaceFile(target.string(), "picture\n"), "");
  EXPECT_FALSE(fs::exists(outside));
  EXPECT_FALSE(fs::is_symlink(target));
  EXPECT_EQ(readAll(target), "picture\n");
  EXPECT_TRUE(temporariesOf(target).empty());
}

// A sync that never returns holds the writer between its write and its rename.
class BlockingSync : public DiskSync {
 public:
  bool syncFile(std::FILE*) const override {
    for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
  }
  bool syncFolder(const std::string&) const override { return true; }
};

TEST_F(FileReplace, AKillBeforeTheRenameKeepsTheOldFileAndTheLeftoverGoesLater) {
  ASSERT_EQ(replaceFile(target.string(), "old\n"), "");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    BlockingSync blocking;
    replaceFile(target.string(), "new\n", &blocking);
    _exit(0);
  }
  // Killed once the temporary holds the whole text, as it does when the sync starts.
  const auto written = [this] {
    const std::vector<fs::path> found = temporariesOf(target);
    return !found.empty() && readAll(found[0]) == "new\n";
  };
  for (int i = 0; i < 500 && !written(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(readAll(target), "old\n");
  const std::vector<fs::path> left = temporariesOf(target);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(readAll(left[0]), "new\n");

  // Young, it may be another writer's; old enough, it is a leftover.
  ASSERT_EQ(replaceFile(target.string(), "newer\n"), "");
  EXPECT_EQ(temporariesOf(target), left);
  fs::last_write_time(left[0], fs::last_write_time(left[0]) - STALE_TEMPORARY_AGE - std::chrono::seconds(1));
  ASSERT_EQ(replaceFile(target.string(), "newest\n"), "");
  EXPECT_TRUE(temporariesOf(target).empty());
  EXPECT_EQ(readAll(target), "newest\n");
}

// Notes the permissions of the new file once it holds the bytes, before its rename.
template <class Host>
class WatchingSync : public Host {
 public:
  explicit WatchingSync(fs::path target) : target(std::move(target)) {}
  bool syncFile(std::FILE* file) const override {
    std::fflush(file);
    for (const fs::path& made : temporariesOf(target)) seen = fs::status(made).permissions() & fs::perms::all;
    return true;
  }
  bool syncFolder(const std::string&) const override { return true; }
  fs::path target;
  mutable fs::perms seen = fs::perms::unknown;
};

// A private file is never readable by others on its way: the new file is
// created with its mode, with the system's call and without it.
TEST_F(FileReplace, APrivateFileStaysPrivateWhileItIsWritten) {
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write;
  ASSERT_EQ(replaceFile(target.string(), "old\n"), "");
  fs::permissions(target, mode);
  WatchingSync<SystemDiskSync> system(target);
  WatchingSync<DiskSync> standard(target);  // the standard library alone
  for (const DiskSync* host : {static_cast<const DiskSync*>(&system), static_cast<const DiskSync*>(&standard)}) {
    ASSERT_EQ(replaceFile(target.string(), "secret\n", host), "");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, mode);
  }
  EXPECT_EQ(system.seen, mode);
  EXPECT_EQ(standard.seen, mode);
}

}  // namespace
