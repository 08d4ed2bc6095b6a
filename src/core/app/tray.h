#pragma once
// The notification-area icon: its tip and its mouse callbacks. The icon reports mouse activity as the
// mouse-move message of its window, carrying the mouse message that happened on the icon where the pointer's
// X would be.

#include <cstdint>
#include <string>
#include <string_view>

namespace uplift {

inline constexpr unsigned kTrayCallbackMessage = 0x200; // the window's mouse-move message
inline constexpr unsigned kTrayIconId = 1;

enum class TrayEvent { None, LeftButtonUp, DoubleClick, RightButtonUp };

// `mouseMessage` is the number the callback carries in place of the pointer's X.
TrayEvent DecodeTrayCallback(std::uint32_t mouseMessage);

// The mouse button a MouseDown event reports: 1 left, 2 right, 0 for events that raise none.
int TrayMouseButton(TrayEvent event);

// The icon's tip has room for 64 characters including its closing NUL.
inline constexpr std::size_t kTrayTipCapacity = 64;
std::wstring TrayTipText(std::wstring_view tip);

} // namespace uplift
