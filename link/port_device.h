// The system's device behind a COM port number, for telling the user which
// port is meant and whether it is there at all.
#pragma once

#include <string>

// What is opened for port `port`: "/dev/ttyUSB0", a virtual meter's link,
// "COM3".
std::string PortDevice(int port);

// Whether the system has a device for port `port` now: a device file (or a
// link that leads to one) on Linux, a COM name Windows knows.  A port that
// is there may still refuse to open; one that is not there never opens.
bool PortExists(int port);
