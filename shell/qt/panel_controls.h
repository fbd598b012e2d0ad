// Control ids of the main window's panel that only the window itself uses;
// those the core sets are in window/controls.h.
#pragma once

namespace panel_control {
inline constexpr int kMonitorGroup = 1124, kModeLabel = 1125, kRangeLabel = 1126, kDiagramGroup = 1097,
                     kStatusGroup = 1127, kModelLabel = 1128, kVersionLabel = 1129, kPortLabel = 1130,
                     kTimeLabel = 1131, kClock = 1123, kTabs = 1025;
}  // namespace panel_control
