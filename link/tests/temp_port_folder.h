// A private virtual-port folder for one test, so that tests running side by
// side never see each other's ports.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "base/tests/environment.h"

class TempPortFolder {
 public:
  TempPortFolder() {
    // A fresh name until one is free: Windows has no mkdtemp().
    std::random_device random;
    do {
      path_ = std::filesystem::temp_directory_path() / ("rv7300s-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
    SetEnvironment("RV7300S_PORT_DIR", path_.string().c_str());
  }
  ~TempPortFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};
