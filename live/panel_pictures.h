// What the monitor panel draws on each clock tick: the status icons, the
// connection diagram and its title, chosen from the connection state, the
// snapshot and two blink flags.  Paths are relative to the program folder.
#pragma once

#include <string>
#include <vector>

#include "base/models.h"
#include "monitor/monitor_data.h"

struct PanelState {
  bool connected = false;
  int modelIndex = kDefaultModel;
  bool comListEmpty = false;
  bool blinkA = false;  // toggles only while no connection is open
  bool blinkB = false;  // toggles always
};

struct StatusIcon {
  int x;             // pixels right of the strip's origin
  std::string path;  // bitmap file
};

// The seven icons, left to right.
std::vector<StatusIcon> StatusIcons(const PanelState& state, const _MONITOR_DATA& data);
// The connection diagram's bitmap file.
std::string DiagramPicture(const PanelState& state, const _MONITOR_DATA& data);
// The title of the diagram's frame.
std::u16string DiagramTitle(const PanelState& state, const _MONITOR_DATA& data);
