#pragma once
// The monitors as the system reports them, and the one the user works on.

#include "display/monitor_choice.h"

#include <windows.h>

namespace uplift::win {

// The primary screen as one monitor, at the screen's resolution.
MonitorArea PrimaryMonitor();
// The monitor that holds the foreground window; the primary when there is none or its monitor is gone.
MonitorArea ForegroundMonitor();
// The monitor's own resolution (GetDpiForMonitor where the system has it), else the screen's.
int MonitorDpi(HMONITOR monitor);

} // namespace uplift::win
