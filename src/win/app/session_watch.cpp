#include "app/session_watch.h"

#include <wtsapi32.h>

#include <cstring>

namespace uplift::win {

void detail::UnregisterSessionNotification(HWND window) {
    ::WTSUnRegisterSessionNotification(window);
}

void SessionWatch::Start(HWND window) {
    Stop();
    display_.reset(
        ::RegisterPowerSettingNotification(window, &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE));
    if (::WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION)) session_.reset(window);
}

void SessionWatch::Stop() {
    session_.reset();
    display_.reset();
}

std::optional<SessionEvent> SessionWatch::EventOf(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_WTSSESSION_CHANGE:
        switch (wParam) {
        case WTS_SESSION_LOCK: return SessionEvent::Lock;
        case WTS_SESSION_UNLOCK: return SessionEvent::Unlock;
        case WTS_CONSOLE_DISCONNECT:
        case WTS_REMOTE_DISCONNECT: return SessionEvent::Disconnect;
        case WTS_CONSOLE_CONNECT:
        case WTS_REMOTE_CONNECT: return SessionEvent::Connect;
        default: return std::nullopt;
        }
    case WM_POWERBROADCAST:
        switch (wParam) {
        case PBT_APMSUSPEND: return SessionEvent::Suspend;
        // After a wake by the user both come; an unattended wake sends only the first.
        case PBT_APMRESUMEAUTOMATIC:
        case PBT_APMRESUMESUSPEND: return SessionEvent::Resume;
        case PBT_POWERSETTINGCHANGE: {
            const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
            if (!setting || setting->PowerSetting != GUID_CONSOLE_DISPLAY_STATE ||
                setting->DataLength < sizeof(DWORD))
                return std::nullopt;
            DWORD state = 0;
            std::memcpy(&state, setting->Data, sizeof(state));
            // 0 off, 1 on, 2 dimmed: a dimmed display can still be read.
            return state == 0 ? SessionEvent::DisplayOff : SessionEvent::DisplayOn;
        }
        default: return std::nullopt;
        }
    case WM_TIMECHANGE: return SessionEvent::ClockChange;
    default: return std::nullopt;
    }
}

void SessionWatch::AddHolds(Holds& holds) const {
    BOOL saver = FALSE;
    if (!::SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &saver, 0)) saver = FALSE;
    state_.AddHolds(holds, saver != FALSE, now_());
}

} // namespace uplift::win
