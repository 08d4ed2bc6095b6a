#include "app/single_instance.h"

#include <string>

namespace uplift::win {

namespace {
// Taken before the window test: two copies started together both pass a window test, because
// neither has created its window yet; the mutex has exactly one owner.
constexpr wchar_t kInstanceMutexName[] = L"Local\\Fernbrook.UpliftBeacon.SingleInstance";
} // namespace

bool SingleInstance::Claim(std::wstring_view windowTitle) {
    mutex_.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    if (mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS) return false;
    // Kept as well: a copy whose mutex could not be created still meets the other's window.
    return ::FindWindowW(nullptr, std::wstring(windowTitle).c_str()) == nullptr;
}

} // namespace uplift::win
