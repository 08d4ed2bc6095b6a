#include "app/startup_trace.h"

#include <windows.h>

#include <string>

namespace uplift::win {

void TraceStart(const char* step) {
    static const bool on = ::GetEnvironmentVariableW(L"UPLIFT_TRACE_START", nullptr, 0) > 0;
    if (on) ::OutputDebugStringA((std::string("start-up: ") + step + "\n").c_str());
}

} // namespace uplift::win
