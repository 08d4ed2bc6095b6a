#pragma once
// Topic numbers of the help file UpliftBeacon.chm: the help number each control of the options
// dialog and the list editor carries, for F1, F2 and What's This. The help file maps every one of
// them to a page and to a popup text; tests/help checks the built file against this list.

namespace uplift {

inline constexpr int kHelpNone = 0; // no topic of its own: the overview opens
inline constexpr int kHelpOverview = 1;
inline constexpr int kHelpListAdd = 2;            // cmdAdd
inline constexpr int kHelpListText = 3;           // txtMessage
inline constexpr int kHelpListEntries = 4;        // lsMessage
inline constexpr int kHelpBackgroundColor = 5;    // cmdBackgroundColor
inline constexpr int kHelpListBrowse = 6;         // cmdBrowse
inline constexpr int kHelpCancel = 7;             // cmdCancel of both dialogs
inline constexpr int kHelpDefault = 9;            // cmdDefault
inline constexpr int kHelpListDelete = 10;        // cmdDelete
inline constexpr int kHelpSingleAffirmation = 11; // optSingle, lblSingle, txtCaption
inline constexpr int kHelpTimeLength = 12;        // optTimeLength, lblTimeLength, cboTime
inline constexpr int kHelpFont = 13;              // cmdFont
inline constexpr int kHelpOk = 15;                // cmdOk of both dialogs
inline constexpr int kHelpPause = 16;             // optPause, lblPause, cboPause
inline constexpr int kHelpAffirmationList = 18;   // optList, cmdList
inline constexpr int kHelpTest = 19;              // cmdTest
inline constexpr int kHelpTextColor = 20;         // cmdTextColor, Label4
inline constexpr int kHelpTransparent = 21;       // optTransparent, lblTransparent
inline constexpr int kHelpEveryDay = 23;          // optEveryday, lblEveryday
inline constexpr int kHelpOnlyOn = 24;            // optDate, lblDate
inline constexpr int kHelpUntilEscape = 25;       // optESC, lblESC
inline constexpr int kHelpBackgroundBox = 26;     // optBackground, lblBackground
inline constexpr int kHelpFullScreen = 27;        // optBackgroundFull, lblBackgroundFull
inline constexpr int kHelpReadyMade = 28;         // cmdMore

} // namespace uplift
