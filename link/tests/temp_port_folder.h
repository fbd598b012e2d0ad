// A private virtual-port folder for one test, so that tests running side by
// side never see each other's ports.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

class TempPortFolder {
 public:
  TempPortFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rv7300s-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    setenv("RV7300S_PORT_DIR", path_.c_str(), 1);
  }
  ~TempPortFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};
