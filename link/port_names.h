// How a COM port number becomes a device to open.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Windows device name: "COM9" for 1-9, "\\.\COM12" (device namespace) above.
std::string WindowsDeviceName(int port);

// Folder of the virtual meters' ports: $RV7300S_PORT_DIR, else
// $XDG_RUNTIME_DIR/rv7300s/ports, else a per-user folder under /tmp.
std::filesystem::path VirtualPortFolder();

// The link "COM<n>" in the virtual port folder.
std::filesystem::path VirtualPortLink(int port);

// Linux device of port n: its virtual port link when there is one, else the
// USB-serial adapter /dev/ttyUSB<n-1>.
std::filesystem::path LinuxDevicePath(int port);

// Port number of a name "COM<n>" with n in 1-256.
std::optional<int> PortNumberOfLinkName(const std::string& name);
