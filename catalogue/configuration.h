// The meter's configuration replies applied to the snapshot and the two
// lists of the monitor panel, and the user's choices in those lists.
#pragma once

#include <string_view>

#include "catalogue/list_state.h"
#include "monitor/monitor_data.h"
#include "monitor/monitor_snapshot.h"
#include "window/controls.h"

// Whether status position `position` of a ":STAT?" reply is on ('0' is off).
bool StatusOn(std::string_view status, int position);

// The ":CONF?" reply, split at its first comma.  An unknown function or
// range changes nothing.
void ApplyConfiguration(int modelIndex, std::string_view function, std::string_view range, std::string_view status,
                        _MONITOR_DATA& data, ListState& lists, Controls& controls);

// The ":CONF2?" reply, split at its first comma.
void ApplySubConfiguration(int modelIndex, std::string_view function, std::string_view range, std::string_view status,
                           _MONITOR_DATA& data);

// The user chose an entry of the mode list (control::kModeList).
void OnModeListSelection(int modelIndex, MonitorSnapshot& snapshot, ListState& lists, const Controls& controls);

// The user chose an entry of the range list (control::kRangeList).  True when the
// choice differs from the last one: the caller then stops a running
// recording (after this returns, outside the monitor lock).
bool OnRangeListSelection(MonitorSnapshot& snapshot, ListState& lists, const Controls& controls);
