// A port of the list that is there but would not open, and why: the user
// has no right to it, or another program holds it.  A scan that finds no
// meter tells of it, so that the user learns the fix rather than "no meter".
#pragma once

#include <string>

enum class PortRefusal { none, denied, busy };

struct RefusedPort {
  int port = 0;
  PortRefusal refusal = PortRefusal::none;
  std::string device;  // what was opened: "/dev/ttyUSB0", "COM3"
  std::string holder;  // the program holding it, "minicom (pid 4711)"; empty when it cannot be seen
  bool operator==(const RefusedPort&) const = default;
};

// What the system tells of port `port` that refused to open (platform code).
RefusedPort DescribeRefusedPort(int port, PortRefusal refusal);
