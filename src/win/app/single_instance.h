#pragma once
// The rule that one copy of the program runs per user session.

#include "forms/unique_handle.h"

#include <string_view>

namespace uplift::win {

class SingleInstance {
public:
    // Takes the session's marker; false when another copy holds it or shows a window titled
    // `windowTitle`.
    bool Claim(std::wstring_view windowTitle);

private:
    unique_kernel_handle mutex_;
};

} // namespace uplift::win
