// frmMenu as the options dialog: its controls, the enabling rules, and the handlers of its buttons.
// The controls edit the live settings record; there is no second copy.

#include "app/frm_menu.h"

#include "about/help_topics.h"
#include "affirmations/frm_list.h"
#include "affirmations/open_file_dialog.h"
#include "forms/control_table.h"
#include "options/common_dialog.h"
#include "schedule/durations.h"
#include "settings/settings.h"

#include <commctrl.h>

#include <array>

namespace uplift::win {

namespace {

using K = ControlKind;

constexpr int kClientWidthTwips = 6210;
constexpr int kClientHeightTwips = 7935;

// Positions in twips relative to the frame named last; creation order is the tab order.
// clang-format off
constexpr std::array<ControlSpec, 45> kOptionControls{{
    {K::Panel, L"picBackground", L"", L"", {120, 60, 5970, 7275}},

    {K::Frame, L"Frame3", L"Affirmation to display", L"", {240, 180, 5655, 1575}},
    {K::Picture, L"imgAffirmation", L"", L"", {150, 330, 480, 480}, kHelpNone, L"Frame3"},
    {K::Option, L"optSingle", L"", L"", {960, 300}, kHelpSingleAffirmation, L"Frame3", L"", kGroup},
    {K::Option, L"optList", L"", L"", {960, 1005}, kHelpAffirmationList, L"Frame3"},
    {K::Label, L"lblSingle", L"Display a single affirmation", L"", {1320, 300, 1860, 195}, kHelpSingleAffirmation,
     L"Frame3", L"optSingle"},
    {K::TextBox, L"txtCaption", L"", L"", {1320, 585, 3715, 345}, kHelpSingleAffirmation, L"Frame3"},
    {K::Button, L"cmdMore", L"...", L"Use an existing affirmation", {5040, 585, 375, 345}, kHelpReadyMade, L"Frame3"},
    // cmdList names optList for screen readers; it does not choose it.
    {K::Button, L"cmdList", L"Randomly select affirmations from list...",
     L"Make an affirmations list from which affirmations will be randomly selected for display",
     {1320, 1050, 4095, 375}, kHelpAffirmationList, L"Frame3", L"optList"},

    {K::Frame, L"fmDisplayTimes", L"Display times", L"", {240, 1860, 5655, 2415}},
    {K::Picture, L"imgDisplayTimes", L"", L"", {150, 330, 480, 480}, kHelpNone, L"fmDisplayTimes"},
    {K::Option, L"optTimeLength", L"", L"", {960, 330}, kHelpTimeLength, L"fmDisplayTimes", L"", kGroup},
    {K::Option, L"optESC", L"", L"", {960, 690}, kHelpUntilEscape, L"fmDisplayTimes"},
    {K::Label, L"lblTimeLength", L"Display time length:", L"", {1320, 330, 1365, 195}, kHelpTimeLength,
     L"fmDisplayTimes", L"optTimeLength"},
    {K::DropDownList, L"cboTime", L"", L"How long the affirmation should appear for", {3120, 270, 2175, 315},
     kHelpTimeLength, L"fmDisplayTimes"},
    {K::Label, L"lblESC", L"Display till pressing ESC on the keyboard", L"", {1320, 720, 2880, 195}, kHelpUntilEscape,
     L"fmDisplayTimes", L"optESC"},

    {K::Frame, L"fmWhenToDisplay", L"When to display", L"", {240, 990, 5175, 1275}, kHelpNone, L"fmDisplayTimes"},
    {K::Option, L"optPause", L"", L"", {120, 280}, kHelpPause, L"fmWhenToDisplay", L"", kGroup},
    {K::Option, L"optEveryday", L"", L"", {120, 615}, kHelpEveryDay, L"fmWhenToDisplay"},
    {K::Option, L"optDate", L"", L"", {120, 945}, kHelpOnlyOn, L"fmWhenToDisplay"},
    {K::Label, L"lblPause", L"Display always and pause every:", L"", {480, 300, 2310, 195}, kHelpPause,
     L"fmWhenToDisplay", L"optPause"},
    {K::DropDownList, L"cboPause", L"", L"Every how often should the affirmation appear", {2880, 240, 2175, 315},
     kHelpPause, L"fmWhenToDisplay"},
    {K::Label, L"lblEveryday", L"Display everyday at:", L"", {480, 630, 2385, 195}, kHelpEveryDay, L"fmWhenToDisplay",
     L"optEveryday"},
    {K::Label, L"lblDate", L"Display only on:", L"", {480, 960, 2310, 195}, kHelpOnlyOn, L"fmWhenToDisplay",
     L"optDate"},

    {K::Frame, L"Frame1", L"Screen settings", L"", {240, 4380, 5655, 2295}},
    {K::Picture, L"imgScreen", L"", L"", {150, 330, 480, 480}, kHelpNone, L"Frame1"},
    {K::Label, L"lblBackgroundColor", L"Background", L"", {1200, 255, 1335, 255}, kHelpNone, L"Frame1"},
    {K::ColourButton, L"cmdBackgroundColor", L"Background color", L"", {2400, 255, 735, 315}, kHelpBackgroundColor,
     L"Frame1"},
    {K::Label, L"Label4", L"Text", L"", {1200, 640, 1335, 255}, kHelpTextColor, L"Frame1"},
    {K::ColourButton, L"cmdTextColor", L"Text color", L"", {2400, 640, 735, 315}, kHelpTextColor, L"Frame1"},
    {K::Button, L"cmdFont", L"&Font...", L"Select affirmation screen's font", {3600, 420, 1215, 375}, kHelpFont,
     L"Frame1"},

    {K::Frame, L"Frame2", L"Screen background", L"", {240, 960, 5175, 1215}, kHelpNone, L"Frame1"},
    {K::Option, L"optTransparent", L"", L"", {120, 240}, kHelpTransparent, L"Frame2", L"", kGroup},
    {K::Option, L"optBackground", L"", L"", {120, 570}, kHelpBackgroundBox, L"Frame2"},
    {K::Option, L"optBackgroundFull", L"", L"", {120, 900}, kHelpFullScreen, L"Frame2"},
    {K::Label, L"lblTransparent", L"Show text with transparent background", L"", {480, 255, 2775, 195},
     kHelpTransparent, L"Frame2", L"optTransparent"},
    {K::Label, L"lblBackground", L"Show text with a background color", L"", {480, 585, 2460, 195}, kHelpBackgroundBox,
     L"Frame2", L"optBackground"},
    {K::Label, L"lblBackgroundFull", L"Show text in a full screen and a background color", L"",
     {480, 915, 3510, 195}, kHelpFullScreen, L"Frame2", L"optBackgroundFull"},

    {K::Button, L"cmdAbout", L"&About...", L"About this application", {720, 6810, 1260, 400}},
    {K::Button, L"cmdDefault", L"&Default", L"Return to default options", {2480, 6810, 1260, 400}, kHelpDefault},
    {K::Button, L"cmdTest", L"&Test", L"Test affirmation screen to see what's it like", {4200, 6810, 1260, 400},
     kHelpTest},
    {K::Button, L"cmdOk", L"&Ok", L"", {1920, 7470, 1260, 400}, kHelpOk, L"", L"", kDefault},
    {K::Button, L"cmdCancel", L"&Cancel", L"", {3335, 7470, 1260, 400}, kHelpCancel, L"", L"", kCancel},
    {K::Button, L"cmdHelp", L"&Help", L"", {4750, 7470, 1260, 400}},
}};
// clang-format on

// The three options of each group in the order of their stored numbers.
constexpr std::array<std::wstring_view, 3> kWhenOptions{L"optPause", L"optEveryday", L"optDate"};
constexpr std::array<std::wstring_view, 3> kBackgroundOptions{L"optTransparent", L"optBackground",
                                                              L"optBackgroundFull"};

constexpr wchar_t kCaption[] = L"Uplift Beacon Plus";

template <std::size_t N> void FillList(HWND list, const std::array<DurationEntry, N>& entries) {
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const DurationEntry& entry : entries) {
        const std::wstring text(entry.Text);
        const auto index = ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(index), entry.Value);
    }
}

// Colour and font dialogs share the custom colours for the whole run.
mCommonDialog& CommonDialog() {
    static mCommonDialog dialog;
    return dialog;
}

} // namespace

void frmMenu::CreateOptionControls() {
    CreateControls(kOptionControls);
    SetClientTwips(kClientWidthTwips, kClientHeightTwips);
    CentreOnScreen(); // shown later
    // A long affirmation may be pasted: the text box takes as much as the store does.
    ::SendMessageW(Control(L"txtCaption"), EM_SETLIMITTEXT, 0, 0);
}

void frmMenu::CreatePickers() {
    const auto create = [this](std::unique_ptr<CDTPickerCtl>& picker, DWORD style, std::wstring_view format,
                               std::wstring_view after) {
        picker = std::make_unique<CDTPickerCtl>(formats_);
        picker->Create(0, 0, 0, 0, hWnd(), style | WS_TABSTOP | WS_GROUP);
        picker->SetFormat(format);
        // In the tab order right after the label of its row.
        ::SetWindowPos(picker->hWnd(), Control(after), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    create(TimePicker, WS_CHILD | WS_VISIBLE | WS_BORDER | DTS_TIMEFORMAT, L"hh:mm tt", L"lblEveryday");
    create(DatePicker, WS_CHILD | WS_VISIBLE | WS_BORDER, L"MM/dd/yyy hh:mm tt", L"lblDate");
    // The pickers stand outside the table: they take the help numbers of their rows.
    SetHelpId(TimePicker->hWnd(), kHelpEveryDay);
    SetHelpId(DatePicker->hWnd(), kHelpOnlyOn);
    Form_Layout();
}

// Both pickers stand on the rows of their options, with the left edge and size of cboPause, placed
// directly in client pixels.
void frmMenu::Form_Layout() {
    const RECT combo = ControlRect(L"cboPause");
    const auto place = [&](CDTPickerCtl* picker, std::wstring_view row) {
        if (!picker) return;
        const RECT option = ControlRect(row);
        picker->Move(combo.left + 1, option.top + 1, combo.right - combo.left + 2,
                     combo.bottom - combo.top + 2, true);
        picker->ApplyFont();
    };
    place(TimePicker.get(), L"optEveryday");
    place(DatePicker.get(), L"optDate");
}

void frmMenu::FillDurationLists() {
    FillList(Control(L"cboTime"), kTimeLengths);
    FillList(Control(L"cboPause"), kPauses);
}

void frmMenu::ShowRecord() {
    showingRecord_ = true;
    const SettingsRecord& s = Settings_;
    SetText(L"txtCaption", s.txtCaption);
    ::SendMessageW(Control(L"cboTime"), CB_SETCURSEL, static_cast<WPARAM>(s.Time), 0);
    ::SendMessageW(Control(L"cboPause"), CB_SETCURSEL, static_cast<WPARAM>(s.Pause), 0);
    SetOption(s.optList ? L"optList" : L"optSingle", true);
    SetOption(s.optTimeLength ? L"optTimeLength" : L"optESC", true);
    SetOption(kWhenOptions[static_cast<std::size_t>(s.When)], true);
    SetOption(kBackgroundOptions[static_cast<std::size_t>(s.Background)], true);
    if (DatePicker) DatePicker->SetMoment(s.Date);
    if (TimePicker) TimePicker->SetMoment(s.Everyday);
    ::InvalidateRect(Control(L"cmdBackgroundColor"), nullptr, FALSE);
    ::InvalidateRect(Control(L"cmdTextColor"), nullptr, FALSE);
    showingRecord_ = false;
    ApplyEnablingRules();
}

void frmMenu::ApplyEnablingRules() {
    SetEnabled(L"cboPause", Settings_.optPause());
    if (TimePicker) TimePicker->SetEnabled(Settings_.optEveryday());
    if (DatePicker) DatePicker->SetEnabled(Settings_.optDate());
    SetEnabled(L"cboTime", Settings_.optTimeLength);
}

void frmMenu::Control_Event(std::wstring_view name, UINT code) {
    if (showingRecord_) return;
    struct Handler {
        std::wstring_view Control;
        void (frmMenu::*Run)();
    };
    static constexpr std::array<Handler, 11> kClicks{{
        {L"cmdOk", &frmMenu::cmdOk_Click},
        {L"cmdCancel", &frmMenu::cmdCancel_Click},
        {L"cmdDefault", &frmMenu::cmdDefault_Click},
        {L"cmdTest", &frmMenu::cmdTest_Click},
        {L"cmdFont", &frmMenu::cmdFont_Click},
        {L"cmdBackgroundColor", &frmMenu::cmdBackgroundColor_Click},
        {L"cmdTextColor", &frmMenu::cmdTextColor_Click},
        {L"cmdAbout", &frmMenu::cmdAbout_Click},
        {L"cmdHelp", &frmMenu::cmdHelp_Click},
        {L"cmdList", &frmMenu::cmdList_Click},
        {L"cmdMore", &frmMenu::cmdMore_Click},
    }};
    if (name.starts_with(L"opt") && code == BN_CLICKED) return ChooseOption();
    if (name == L"txtCaption" && code == EN_CHANGE) {
        Settings_.txtCaption = Text(L"txtCaption");
        return;
    }
    if (name.starts_with(L"cbo") && code == CBN_SELCHANGE) return ComboChanged(name);
    if (code != BN_CLICKED) return;
    for (const Handler& handler : kClicks) {
        if (handler.Control == name && handler.Run) (this->*handler.Run)();
    }
}

// Whichever option was chosen, the record takes the state of every group, then the rules run.
void frmMenu::ChooseOption() {
    Settings_.optList = OptionChosen(L"optList");
    Settings_.optTimeLength = OptionChosen(L"optTimeLength");
    for (std::size_t i = 0; i < 3; ++i) {
        if (OptionChosen(kWhenOptions[i])) Settings_.When = static_cast<WhenToDisplay>(i);
        if (OptionChosen(kBackgroundOptions[i])) Settings_.Background = static_cast<ScreenBackground>(i);
    }
    ApplyEnablingRules();
}

void frmMenu::ComboChanged(std::wstring_view name) {
    const auto index = static_cast<int>(::SendMessageW(Control(name), CB_GETCURSEL, 0, 0));
    if (index < 0) return;
    (name == L"cboTime" ? Settings_.Time : Settings_.Pause) = index;
}

void frmMenu::PickerChanged(HWND picker) {
    if (showingRecord_) return;
    if (DatePicker && picker == DatePicker->hWnd()) Settings_.Date = DatePicker->Moment();
    if (TimePicker && picker == TimePicker->hWnd()) Settings_.Everyday = TimePicker->Moment();
}

COLORREF frmMenu::ButtonColour(std::wstring_view name) const {
    return name == L"cmdTextColor" ? Settings_.TextColor : Settings_.BackgroundColor;
}

void frmMenu::cmdOk_Click() {
    if (cmdOK_Action()) return;
    // The schedule runs on with what is in the window; the user may try again or cancel.
    SetVisible(true);
    MsgBox(hWnd(),
           L"The options could not be saved. They stay as you set them here: press OK to try again, "
           L"or Cancel to go back to the saved options.",
           kCaption, MB_ICONEXCLAMATION | MB_OK);
}

void frmMenu::cmdCancel_Click() {
    LoadSettings(Settings_, store_, {formats_, clock_, DefaultMessage});
    ShowRecord();
    scheduler_.StartSchedule();
}

void frmMenu::cmdDefault_Click() {
    ResetToDefaults(Settings_, DefaultMessage);
    ShowRecord();
}

void frmMenu::cmdTest_Click() {
    display_.UnloadMessageWindow();
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    TestRunning = true;
    DoEvents();
    ShowAffirmation();
    DoEvents();
    SetVisible(true);
    TestRunning = false;
    ::SetCursor(previous);
}

void frmMenu::cmdList_Click() {
    {
        frmList editor(programFolder_);
        if (editor.Load(hWnd())) editor.ShowModal(hWnd());
        editor.Unload();
    }
    LoadMessages();
}

void frmMenu::cmdMore_Click() {
    const std::vector<std::wstring> names = ChooseReadyMade(hWnd(), programFolder_, false);
    if (!names.empty()) SetText(L"txtCaption", names.front()); // the record follows the text box
}

void frmMenu::cmdFont_Click() {
    FontDescription font = Settings_.Font;
    if (CommonDialog().ShowFont(hWnd(), font)) Settings_.Font = font;
}

void frmMenu::cmdBackgroundColor_Click() {
    if (const auto colour = CommonDialog().ShowColor(hWnd())) {
        Settings_.BackgroundColor = *colour;
        ::InvalidateRect(Control(L"cmdBackgroundColor"), nullptr, FALSE);
    }
}

void frmMenu::cmdTextColor_Click() {
    if (const auto colour = CommonDialog().ShowColor(hWnd())) {
        Settings_.TextColor = *colour;
        ::InvalidateRect(Control(L"cmdTextColor"), nullptr, FALSE);
    }
}

} // namespace uplift::win
