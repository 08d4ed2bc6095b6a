#include "forms/com_apartment.h"

#include <objbase.h>

#include <utility>

namespace uplift::win {

namespace {
bool tried = false;
bool started = false;
} // namespace

void EnsureComApartment() {
    if (std::exchange(tried, true)) return;
    started = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void EndComApartment() {
    if (std::exchange(started, false)) ::CoUninitialize();
    tried = false;
}

} // namespace uplift::win
