// A folder of the test's own under the system's temporary folder, removed
// at the end; and, where the system lets the test mount one, a folder on a
// file system a few blocks large, for what a full disk does.
#pragma once

#ifndef _WIN32
#include <sys/mount.h>
#endif
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

class ScratchFolder {
 public:
  ScratchFolder() {
    const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    path_ = std::filesystem::temp_directory_path() / ("rv7300s-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

#ifndef _WIN32  // a file system mounted for the test is Linux's
class SmallDisk {
 public:
  // `size` in bytes; mounted only with the privilege to mount.
  explicit SmallDisk(const std::filesystem::path& folder, std::size_t size) : folder_(folder) {
    std::filesystem::create_directories(folder_);
    const std::string options = "size=" + std::to_string(size);
    mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) umount(folder_.c_str());
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  // Takes up every block left.
  void Fill() const {
    std::ofstream filler(folder_ / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
    }
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};
#endif
