// The monitor panel's reset, at start-up and when a connection ends.
#pragma once

#include "window/controls.h"
#include "monitor/monitor_snapshot.h"

void ClearMonitorPanel(Controls& controls, MonitorSnapshot& snapshot);
