#include "app/tray.h"

namespace uplift {

TrayEvent DecodeTrayCallback(std::uint32_t mouseMessage) {
    switch (mouseMessage) {
    case 0x202: return TrayEvent::LeftButtonUp;  // WM_LBUTTONUP
    case 0x203: return TrayEvent::DoubleClick;   // WM_LBUTTONDBLCLK
    case 0x205: return TrayEvent::RightButtonUp; // WM_RBUTTONUP
    default: return TrayEvent::None;
    }
}

int TrayMouseButton(TrayEvent event) {
    switch (event) {
    case TrayEvent::LeftButtonUp: return 1;
    case TrayEvent::RightButtonUp: return 2;
    default: return 0;
    }
}

std::wstring TrayTipText(std::wstring_view tip) {
    std::wstring text(tip.substr(0, kTrayTipCapacity - 1));
    // A cut must not leave half of a surrogate pair behind.
    if (text.size() == kTrayTipCapacity - 1 && !text.empty() && text.back() >= 0xD800 &&
        text.back() <= 0xDBFF)
        text.pop_back();
    return text;
}

} // namespace uplift
