// The monitor panel's reset, at start-up and when a connection ends.
#pragma once

#include "monitor/monitor_snapshot.h"
#include "window/controls.h"

void ClearMonitorPanel(Controls& controls, MonitorSnapshot& snapshot);
