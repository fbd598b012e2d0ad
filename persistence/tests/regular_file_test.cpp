// Opening a file to read: only a regular file (or a link to one) opens; a
// folder, a pipe or a device is refused at once with a message saying what
// it is, and a pipe is never waited on.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <future>
#include <optional>

#include <gtest/gtest.h>

#include "persistence/archive_file.h"
#include "persistence/file_exception.h"
#include "persistence/settings.h"
#include "scratch_folder.h"

namespace fs = std::filesystem;

namespace {

using Cause = CFileException::Cause;

// The cause of the failure to open `path`, or nothing when it opened.  An
// open that hangs on a pipe is released by opening the pipe's other end, so
// that the test fails instead of hanging.
std::optional<Cause> OpeningFailure(const fs::path& path) {
  auto opening = std::async(std::launch::async, [&]() -> std::optional<Cause> {
    try {
      CFile file(path, CFile::Mode::read);
      return std::nullopt;
    } catch (const CFileException& error) {
      return error.cause();
    }
  });
  if (opening.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << path << ": open is still waiting";
    const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
  }
  return opening.get();
}

TEST(RegularFile, OnlyARegularFileOrALinkToOneOpens) {
  ScratchFolder folder;
  std::ofstream(folder / "run.vdmm") << "data";
  fs::create_symlink("run.vdmm", folder / "link.vdmm");
  fs::create_directory(folder / "folder.vdmm");
  ASSERT_EQ(mkfifo((folder / "pipe.vdmm").c_str(), 0600), 0);
  fs::create_symlink("pipe.vdmm", folder / "link-to-pipe.vdmm");
  struct Case {
    fs::path path;
    std::optional<Cause> failure;
  };
  const Case cases[] = {
      {folder / "run.vdmm", std::nullopt},
      {folder / "link.vdmm", std::nullopt},
      {folder / "folder.vdmm", Cause::isFolder},
      {folder / "pipe.vdmm", Cause::notRegularFile},
      {folder / "link-to-pipe.vdmm", Cause::notRegularFile},
      {"/dev/zero", Cause::notRegularFile},
      {folder / "missing.vdmm", Cause::fileNotFound},
  };
  for (const Case& c : cases) EXPECT_EQ(OpeningFailure(c.path), c.failure) << c.path;

  CFile file(folder / "link.vdmm", CFile::Mode::read);
  EXPECT_EQ(file.Length(), 4u);
}

TEST(RegularFile, TheMessageSaysWhatThePathIs) {
  const CFileException folder(Cause::isFolder, "/home/u/runs", 0);
  EXPECT_EQ(folder.Message(1), u"/home/u/runs is a folder, not a file.");
  EXPECT_EQ(folder.Message(0), u"/home/u/runs はフォルダーです。ファイルを指定してください。");
  const CFileException device(Cause::notRegularFile, "/dev/zero", 0);
  EXPECT_EQ(device.Message(1), u"/dev/zero is not a regular file (it is a device, a pipe or the like).");
  EXPECT_STREQ(device.what(), "/dev/zero is not a regular file (it is a device, a pipe or the like).");
}

TEST(RegularFile, APipeAsTheSettingsFileReadsAsNoFile) {
  ScratchFolder folder;
  const fs::path file = folder / "RV7300s.ini";
  ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
  auto reading = std::async(std::launch::async, [&] {
    Settings settings;
    return ReadSettingsFile(file, settings).settingsLoaded;
  });
  if (reading.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << "start-up waits on the pipe";
    const int writer = open(file.c_str(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0) close(writer);
  }
  EXPECT_FALSE(reading.get());
}

}  // namespace
