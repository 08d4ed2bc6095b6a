#pragma once
// Steps of the start-up in the debug output, for the start-up benchmark, which reads them with the
// debugger's time stamps beside the DLLs loaded. Only when UPLIFT_TRACE_START is set: otherwise the
// start pays for nothing but one look at the environment.

namespace uplift::win {

void TraceStart(const char* step);

} // namespace uplift::win
