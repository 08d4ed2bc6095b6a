// ModMessage: the start-up routine.

#include "app/executable_path.h"
#include "app/frm_menu.h"
#include "app/program_folder.h"
#include "app/startup_trace.h"
#include "forms/com_apartment.h"
#include "schedule/system_clock.h"
#include "settings/registry.h"
#include "settings/registry_path.h"
#include "settings/windows_regional_formats.h"

#include <windows.h>

#include <delayimp.h>

#include <exception>
#include <string>

namespace {

// DLLs linked for loading on first use are taken from the system folder only, whatever the default DLL
// directories are at that moment.
FARPROC WINAPI LoadFromSystemFolder(unsigned notice, PDelayLoadInfo info) {
    if (notice != dliNotePreLoadLibrary || !info) return nullptr;
    return reinterpret_cast<FARPROC>(::LoadLibraryExA(info->szDll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
}

} // namespace

// Read by the delay-load helper before each DLL it loads; set before any code runs.
extern "C" {
PfnDliHook __pfnDliNotifyHook2 = LoadFromSystemFolder;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace uplift;
    using namespace uplift::win;

    // Libraries loaded from here on come from the system folder only: a library planted beside the
    // program or in the current folder is never loaded, by us or by anything we load.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    TraceStart("main entered");

    RegistryNames names;
    names.SetCompanyName(kCompanyName);
    names.SetAppName(kAppName);
    const std::wstring programFolder = ProgramFolderOf(ExecutablePath());
    (void)WriteRegSetting(names, kProgramSettingsSection, L"Path", programFolder); // nothing reads it back

    TraceStart("program folder written");
    RegistrySettingsStore store{std::wstring(kParamSectionPath)};
    WindowsRegionalFormats formats;
    SystemClock clock;
    int exitCode = 0;
    try {
        frmMenu menu(store, formats, clock, programFolder);
        if (menu.Form_Initialize()) {
            const bool loaded = menu.Load();
            TraceStart("message loop entered");
            exitCode = loaded ? RunMessageLoop() : 1;
        }
    } catch (const std::exception& e) {
        // Start-up runs outside any window procedure.
        ReportFailure(e.what());
        exitCode = kFailureExitCode;
    }
    EndComApartment();
    return exitCode;
}
