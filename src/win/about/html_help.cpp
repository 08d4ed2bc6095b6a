#include "about/html_help.h"

#include "about/help_topics.h"
#include "forms/com_apartment.h"

#include <htmlhelp.h>

#include <string_view>
#include <utility>

namespace uplift::win {

namespace {

using HtmlHelpProc = decltype(&::HtmlHelpW);

std::wstring& AppHelpFile() {
    static std::wstring file;
    return file;
}

// Loaded on first use and never freed: the viewer's windows run its code for as long as they are open.
HtmlHelpProc HtmlHelpFunction() {
    static const HtmlHelpProc proc = []() -> HtmlHelpProc {
        wchar_t folder[MAX_PATH] = {};
        const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return nullptr;
        const std::wstring path = std::wstring(folder, length) + L"\\hhctrl.ocx";
        HMODULE library = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return library ? reinterpret_cast<HtmlHelpProc>(
                             reinterpret_cast<void*>(::GetProcAddress(library, "HtmlHelpW")))
                       : nullptr;
    }();
    return proc;
}

HWND CallHtmlHelp(HWND caller, const std::wstring& file, UINT command, DWORD_PTR data) {
    EnsureComApartment();
    const HtmlHelpProc proc = HtmlHelpFunction();
    return proc ? proc(caller, file.c_str(), command, data) : nullptr;
}

// The frame of the help viewer, when it is a window of this process; nothing else qualifies.
HWND OurViewerFrame(HWND viewer) {
    HWND frame = viewer ? ::GetAncestor(viewer, GA_ROOT) : nullptr;
    if (!frame) return nullptr;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(frame, &pid);
    wchar_t name[16] = {};
    ::GetClassNameW(frame, name, 16);
    return pid == ::GetCurrentProcessId() && std::wstring_view(name) == L"HH Parent" ? frame : nullptr;
}

void PressSpace(HWND window) {
    const auto scan = static_cast<LPARAM>(::MapVirtualKeyW(VK_SPACE, MAPVK_VK_TO_VSC)) << 16;
    ::PostMessageW(window, WM_KEYDOWN, VK_SPACE, 1 | scan);
    ::PostMessageW(window, WM_KEYUP, VK_SPACE, 1 | scan | (LPARAM{3} << 30));
}

} // namespace

void SetAppHelpFile(std::wstring popupFile) {
    AppHelpFile() = std::move(popupFile);
}

void ShowHelpTopic(int topic) {
    const std::wstring& popups = AppHelpFile();
    const std::wstring file = popups.substr(0, popups.find(L"::"));
    const HWND viewer = CallHtmlHelp(nullptr, file, HH_HELP_CONTEXT,
                                     static_cast<DWORD_PTR>(topic == kHelpNone ? kHelpOverview : topic));
    // Addressed to the viewer alone. Without a viewer (no help file) the active window is one of ours,
    // where a space would press the focused button: the Help button, asking for help again and again.
    if (const HWND frame = OurViewerFrame(viewer)) PressSpace(frame);
}

void ShowHelpPopup(HWND caller, int helpId, POINT at) {
    if (helpId == kHelpNone) return;
    HH_POPUP popup{};
    popup.cbStruct = sizeof(popup);
    popup.idString = static_cast<UINT>(helpId);
    popup.pt = at;
    popup.clrForeground = popup.clrBackground = static_cast<COLORREF>(-1); // the viewer's own colours
    popup.rcMargins = {-1, -1, -1, -1};
    (void)CallHtmlHelp(caller, AppHelpFile(), HH_DISPLAY_TEXT_POPUP, reinterpret_cast<DWORD_PTR>(&popup));
}

} // namespace uplift::win
