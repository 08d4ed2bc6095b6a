#pragma once

#include <string>

namespace uplift::win {

// The full path of the running program; empty when it cannot be had.
std::wstring ExecutablePath();

} // namespace uplift::win
