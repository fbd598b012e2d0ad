// Replacing a file: a temporary file of its own beside the target, renamed
// over it.  Nothing planted beside the target is followed or destroyed, two
// saves at once each leave a whole file, the replaced file keeps its
// permissions and owner, only a regular file (or the user's own link to
// one) is replaced, and a failure leaves the old file and no temporary.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <latch>
#include <set>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>

#include "persistence/file_exception.h"
#include "persistence/replace_file.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

using Cause = CFileException::Cause;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Save(const fs::path& file, const std::string& text) {
  ReplaceFile(file, [&](CFile& output) { output.Write(text.data(), text.size()); });
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

struct stat Status(const fs::path& path) {
  struct stat status {};
  lstat(path.c_str(), &status);
  return status;
}

// The old fixed temporary name was followed when it was a link, and
// truncated when it was a file of the user's.
TEST(ReplaceFile, NothingBesideTheTargetIsFollowedOrDestroyed) {
  ScratchFolder folder;
  const fs::path target = folder / "run.csv";
  std::ofstream(folder / "victim") << "victim's own";
  fs::create_symlink(folder / "victim", folder / "run.csv.new");
  std::ofstream(folder / "notes.csv.new") << "the user's own";

  Save(target, "new contents");
  Save(folder / "notes.csv", "notes");

  EXPECT_EQ(Contents(target), "new contents");
  EXPECT_EQ(Contents(folder / "victim"), "victim's own");
  EXPECT_TRUE(fs::is_symlink(folder / "run.csv.new"));
  EXPECT_EQ(Contents(folder / "notes.csv.new"), "the user's own");
  EXPECT_EQ(Names(folder.path()),
            (std::set<std::string>{"run.csv", "run.csv.new", "victim", "notes.csv", "notes.csv.new"}))
      << "a temporary file was left";
}

// Both writers are inside their writing at once; each must end with a file
// that is wholly one of the two.
TEST(ReplaceFile, TwoSavesAtOnceEachLeaveAWholeFile) {
  ScratchFolder folder;
  const fs::path target = folder / "run.csv";
  const std::string first(200000, 'a'), second(100000, 'b');
  std::latch bothWriting(2);
  auto save = [&](const std::string& text, bool& succeeded) {
    try {
      ReplaceFile(target, [&](CFile& output) {
        bothWriting.arrive_and_wait();
        for (std::size_t at = 0; at < text.size(); at += 1000) output.Write(text.data() + at, 1000);
      });
      succeeded = true;
    } catch (const CFileException&) {
      succeeded = false;
    }
  };
  bool firstSaved = false, secondSaved = false;
  std::thread one(save, std::cref(first), std::ref(firstSaved));
  std::thread two(save, std::cref(second), std::ref(secondSaved));
  one.join();
  two.join();
  EXPECT_TRUE(firstSaved);
  EXPECT_TRUE(secondSaved);
  const std::string result = Contents(target);
  EXPECT_TRUE(result == first || result == second) << "a mixed file of " << result.size() << " bytes";
  EXPECT_EQ(Names(folder.path()), std::set<std::string>{"run.csv"});
}

TEST(ReplaceFile, TheReplacedFileKeepsItsPermissionsAndOwner) {
  ScratchFolder folder;
  const mode_t oldMask = umask(022);
  for (const mode_t mode : {0600, 0640, 0664, 0444}) {
    const fs::path target = folder / ("mode-" + std::to_string(mode));
    std::ofstream(target) << "old";
    ASSERT_EQ(chmod(target.c_str(), mode), 0);
    Save(target, "new");
    EXPECT_EQ(Status(target).st_mode & 07777, mode) << std::oct << mode;
    EXPECT_EQ(Contents(target), "new");
  }
  // A new file gets what any new file gets.
  umask(027);
  Save(folder / "fresh", "new");
  EXPECT_EQ(Status(folder / "fresh").st_mode & 07777, 0640u);
  umask(oldMask);

  if (geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  const uid_t otherUser = 12345;
  const gid_t otherGroup = 23456;
  const fs::path owned = folder / "owned";
  std::ofstream(owned) << "old";
  ASSERT_EQ(chown(owned.c_str(), otherUser, otherGroup), 0);
  Save(owned, "new");
  EXPECT_EQ(Status(owned).st_uid, otherUser);
  EXPECT_EQ(Status(owned).st_gid, otherGroup);
}

TEST(ReplaceFile, WhatIsNotARegularFileIsRefusedAndStays) {
  ScratchFolder folder;
  fs::create_directory(folder / "folder");
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
  struct Case {
    std::string name;
    Cause cause;
  };
  std::vector<Case> cases = {{"folder", Cause::isFolder}, {"pipe", Cause::notRegularFile}};
  if (mknod((folder / "device").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
    cases.push_back({"device", Cause::notRegularFile});
  }
  // Another user's link in a shared folder could name any file.
  std::ofstream(folder / "target-of-link") << "kept";
  fs::create_symlink("target-of-link", folder / "others-link");
  if (lchown((folder / "others-link").c_str(), geteuid() + 1, static_cast<gid_t>(-1)) == 0) {
    cases.push_back({"others-link", Cause::othersLink});
  }
  const std::set<std::string> before = Names(folder.path());
  for (const Case& c : cases) {
    const mode_t type = Status(folder / c.name).st_mode & S_IFMT;
    try {
      Save(folder / c.name, "new");
      ADD_FAILURE() << c.name << " was replaced";
    } catch (const CFileException& error) {
      EXPECT_EQ(error.cause(), c.cause) << c.name;
      EXPECT_EQ(error.path(), folder / c.name);
    }
    EXPECT_EQ(Status(folder / c.name).st_mode & S_IFMT, type) << c.name << " is no longer what it was";
  }
  EXPECT_EQ(Contents(folder / "target-of-link"), "kept");
  EXPECT_EQ(Names(folder.path()), before) << "a temporary file was left";
}

// The user's own link stays and goes on naming the file, which is replaced.
TEST(ReplaceFile, TheUsersOwnLinkIsWrittenThrough) {
  ScratchFolder folder;
  fs::create_directory(folder / "kept");
  std::ofstream(folder / "kept" / "RV7300s.ini") << "old";
  fs::create_symlink("kept/RV7300s.ini", folder / "relative.ini");
  fs::create_symlink(folder / "relative.ini", folder / "chain.ini");
  fs::create_symlink(folder / "kept" / "created.ini", folder / "dangling.ini");

  Save(folder / "relative.ini", "first");
  EXPECT_EQ(Contents(folder / "kept" / "RV7300s.ini"), "first");
  Save(folder / "chain.ini", "second");
  EXPECT_EQ(Contents(folder / "kept" / "RV7300s.ini"), "second");
  Save(folder / "dangling.ini", "made");
  EXPECT_EQ(Contents(folder / "kept" / "created.ini"), "made");
  for (const char* link : {"relative.ini", "chain.ini", "dangling.ini"}) EXPECT_TRUE(fs::is_symlink(folder / link));
  EXPECT_EQ(Names(folder / "kept"), (std::set<std::string>{"RV7300s.ini", "created.ini"}));
}

TEST(ReplaceFile, AFailureLeavesTheOldFileAndNoTemporary) {
  ScratchFolder folder;
  const fs::path target = folder / "run.csv";
  Save(target, "old");
  auto failing = [&](auto thrown) {
    ReplaceFile(target, [&](CFile& output) {
      output.Write("partly", 6);
      throw thrown;
    });
  };
  try {
    failing(CFileException(Cause::diskFull, folder / "elsewhere", ENOSPC));
    ADD_FAILURE() << "no error";
  } catch (const CFileException& error) {
    EXPECT_EQ(error.cause(), Cause::diskFull);
    EXPECT_EQ(error.path(), target) << "the message names the file the user chose";
  }
  EXPECT_THROW(failing(std::runtime_error("not a file error")), std::runtime_error);
  EXPECT_EQ(Contents(target), "old");
  EXPECT_EQ(Names(folder.path()), std::set<std::string>{"run.csv"});
}

TEST(ReplaceFile, AFullDiskLeavesTheOldFileAndSaysSo) {
  ScratchFolder folder;
  const SmallDisk disk(folder / "disk", 64 * 1024);
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small file system needs the privilege";
  const fs::path target = folder / "disk" / "run.csv";
  Save(target, "old");
  disk.Fill();
  try {
    Save(target, std::string(100000, 'x'));
    ADD_FAILURE() << "no error from a full disk";
  } catch (const CFileException& error) {
    EXPECT_EQ(error.cause(), Cause::diskFull);
    EXPECT_EQ(error.Message(1), u"There is no space left on the disk to write " + target.u16string() + u".");
  }
  EXPECT_EQ(Contents(target), "old");
  EXPECT_EQ(Names(folder / "disk"), (std::set<std::string>{"run.csv", "filler"}));
}

}  // namespace
