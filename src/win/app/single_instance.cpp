#include "app/single_instance.h"

#include <string>

namespace uplift::win {

namespace {
// Taken before the window test: two copies started together both pass a window test, because
// neither has created its window yet; the mutex has exactly one owner.
constexpr wchar_t kInstanceMutexName[] = L"Local\\Fernbrook.UpliftBeacon.SingleInstance";
} // namespace

bool SingleInstance::Claim(std::wstring_view windowTitle) {
    // Owned by this thread for the whole run.
    mutex_.reset(::CreateMutexW(nullptr, TRUE, kInstanceMutexName));
    if (mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        // The mutex of a copy that was killed lives on until the system has closed that copy's handles,
        // a little after its windows have gone; it is abandoned meanwhile, and the claim passes here.
        const DWORD owner = ::WaitForSingleObject(mutex_.get(), 0);
        if (owner != WAIT_ABANDONED && owner != WAIT_OBJECT_0) return false;
    }
    // Kept as well: a copy whose mutex could not be created still meets the other's window.
    return ::FindWindowW(nullptr, std::wstring(windowTitle).c_str()) == nullptr;
}

} // namespace uplift::win
