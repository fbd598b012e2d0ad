// Who holds a refused port, as /proc shows it: the lock of another program
// that opened it as we do, else a program that opened it for its own use
// (TIOCEXCL).  Processes of other users stay hidden to an ordinary user;
// then the holder is not named.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "link/port_names.h"
#include "link/port_refusal.h"

namespace fs = std::filesystem;

namespace {

std::string ProcessName(const std::string& pid) {
  std::ifstream comm("/proc/" + pid + "/comm");
  std::string name;
  std::getline(comm, name);
  return name.empty() ? "pid " + pid : name + " (pid " + pid + ")";
}

// A line of /proc/locks: "1: FLOCK  ADVISORY  WRITE 4711 00:19:5 0 EOF";
// a waiter's line has "->" after the number and holds nothing.
std::string LockHolder(const struct stat& node) {
  char file[40];
  std::snprintf(file, sizeof file, "%02x:%02x:%llu", major(node.st_dev), minor(node.st_dev),
                static_cast<unsigned long long>(node.st_ino));
  std::ifstream locks("/proc/locks");
  for (std::string line; std::getline(locks, line);) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, pid, id;
    fields >> number >> kind >> mode >> access >> pid >> id;
    if (kind != "->" && id == file) return ProcessName(pid);
  }
  return {};
}

// Calls `visit` with each entry of `folder` until it returns true; a folder
// that goes while it is read (a process ends) simply ends the walk.
template <typename Visit>
bool AnyEntry(const fs::path& folder, Visit visit) {
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    if (visit(entry->path())) return true;
  }
  return false;
}

std::string OpenedBy(const fs::path& device) {
  std::string holder;
  AnyEntry("/proc", [&](const fs::path& process) {
    const std::string pid = process.filename().string();
    if (pid.find_first_not_of("0123456789") != std::string::npos) return false;
    return AnyEntry(process / "fd", [&](const fs::path& fd) {
      std::error_code error;
      if (fs::read_symlink(fd, error) != device) return false;
      holder = ProcessName(pid);
      return true;
    });
  });
  return holder;
}

}  // namespace

RefusedPort DescribeRefusedPort(int port, PortRefusal refusal) {
  std::error_code error;
  const fs::path device = fs::canonical(LinuxDevicePath(port), error);
  RefusedPort refused{port, refusal, (error ? LinuxDevicePath(port) : device).string(), {}};
  struct stat node;
  if (refusal == PortRefusal::busy && !error && stat(device.c_str(), &node) == 0) {
    refused.holder = LockHolder(node);
    if (refused.holder.empty()) refused.holder = OpenedBy(device);
  }
  return refused;
}
