#include "app/frm_tray.h"

#include "app/tray.h"
#include "display/screen.h"

namespace uplift::win {

namespace {
// Explorer announces a new task bar with this message; the icon must then be added again.
const UINT WM_TASKBARCREATED = ::RegisterWindowMessageW(L"TaskbarCreated");
} // namespace

bool frmTray::Load() {
    const int left = ToPixels(-50000);
    return LoadForm({L"UpliftBeacon.frmTray", WS_POPUP, WS_EX_TOOLWINDOW}, L"Uplift Beacon Plus",
                    {left, 0, left + 1, 1});
}

void frmTray::SetIcon(HICON icon) {
    icon_ = icon;
    if (Loaded()) {
        ::SendMessageW(hWnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        ::SendMessageW(hWnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
}

NOTIFYICONDATAW frmTray::IconRecord() const {
    NOTIFYICONDATAW record{};
    record.cbSize = sizeof(record);
    record.hWnd = hWnd();
    record.uID = kTrayIconId;
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = kTrayCallbackMessage;
    record.hIcon = icon_;
    const std::wstring tip = TrayTipText(toolTipText_);
    tip.copy(record.szTip, tip.size());
    return record;
}

void frmTray::RefreshTray() {
    if (!Loaded()) return;
    if (!placed_) {
        ::SetWindowPos(hWnd(), nullptr, ToPixels(-50000), 0, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = true;
    }
    DoEvents(); // other handlers may run here, even another tick
    if (!Loaded()) return;
    NOTIFYICONDATAW record = IconRecord();
    if (!added_) {
        // Unlike a modify, a failed add is tried again at the next refresh.
        added_ = ::Shell_NotifyIconW(NIM_ADD, &record) != FALSE;
    } else {
        // The count-down refreshes every second: the shell gets only what changed, and nothing when
        // nothing did (an icon handed over is copied bit by bit to the notification area).
        record.uFlags = (record.szTip != shownTip_ ? NIF_TIP : 0u) | (icon_ != shownIcon_ ? NIF_ICON : 0u);
        if (record.uFlags == 0) return;
        ::Shell_NotifyIconW(NIM_MODIFY, &record);
    }
    shownTip_ = record.szTip;
    shownIcon_ = icon_;
}

bool frmTray::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, LRESULT& result) {
    if (message == kTrayCallbackMessage) {
        const TrayEvent event = DecodeTrayCallback(static_cast<std::uint32_t>(LOWORD(lParam)));
        if (event == TrayEvent::DoubleClick) {
            events_.LocalfrmTray_DblClick();
        } else if (const int button = TrayMouseButton(event); button != 0) {
            events_.LocalfrmTray_MouseDown(button);
        }
        result = 0;
        return true;
    }
    if (message == WM_TASKBARCREATED && WM_TASKBARCREATED != 0) {
        added_ = false;
        shownTip_.clear();
        shownIcon_ = nullptr;
        RefreshTray();
        result = 0;
        return true;
    }
    return false;
}

void frmTray::Form_Unload() {
    if (added_) {
        NOTIFYICONDATAW record = IconRecord();
        ::Shell_NotifyIconW(NIM_DELETE, &record);
        added_ = false;
    }
}

} // namespace uplift::win
