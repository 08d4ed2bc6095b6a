#pragma once
// The platform's HTML Help: topics of the help file by number and What's This popups. Its library is
// loaded from the system folder by its full path, never from the program's folder or the current one.

#include <windows.h>

#include <string>

namespace uplift::win {

// The application's help file, which the main form sets when it is created: the help file followed
// by "::/TextPopups.Txt", the popup texts inside it.
void SetAppHelpFile(std::wstring popupFile);

// Opens the help file at a topic (0 opens the overview) without waiting for the viewer, and hands the
// viewer's window one press of the space bar. Failures are ignored: a missing file opens nothing.
void ShowHelpTopic(int topic);

// What's This: the popup text of a help number at a point of the screen; nothing for 0.
void ShowHelpPopup(HWND caller, int helpId, POINT at);

} // namespace uplift::win
