#include "app/frm_tray.h"

#include "display/screen.h"

namespace uplift::win {

bool frmTray::Load() {
    const int left = ToPixels(-50000);
    return LoadForm({L"UpliftBeacon.frmTray", WS_POPUP, WS_EX_TOOLWINDOW}, L"Uplift Beacon Plus",
                    {left, 0, left + 1, 1});
}

void frmTray::RefreshTray() {
    // The tip is kept in ToolTipText; the icon itself is added by the notification-area code.
}

} // namespace uplift::win
