// The commands that change the meter's configuration: ":CONF " from the
// mode and range lists, and the meter settings of the settings dialog.
#pragma once

#include <string>
#include <vector>

#include "catalogue/list_state.h"
#include "monitor/monitor_data.h"

// The meter settings chosen in the settings dialog.
struct MeterSettingChoices {
  int continuity = 0;  // 0-3
  int diode = 0;       // 0-6
  int dbm = 0;         // 0-19
  int passband = 0;    // 0: 100 Hz, 1: 500 Hz
};

// ":CONF <function>,<range>" for the request in `data` (modeRequest or
// rangeRequest set).
std::string ConfigurationCommand(int modelIndex, const _MONITOR_DATA& data, const ListState& lists);

// The setting commands to send, in order.  `endsCycle` tells the caller
// that the cycle ends after them (RV736X settings were sent).
struct SettingCommands {
  std::vector<std::string> commands;
  bool endsCycle = false;
};
SettingCommands MeterSettingCommands(int modelIndex, const _MONITOR_DATA& data, const MeterSettingChoices& choices);

// Name of a recorded setting value for the RV736X rows "CONT" (7),
// "DIODE" (8) and "dBm" (1), in the current language; other rows, or a
// value outside its list, give the number.
std::u16string SettingText(int row, int choice);
