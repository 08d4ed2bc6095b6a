// frmList: the list editor's controls, its procedures, and the list box that shows its ListModel.

#include "affirmations/frm_list.h"

#include "about/html_help.h"

#include "affirmations/list_file_win.h"
#include "affirmations/open_file_dialog.h"
#include "forms/control_table.h"

#include <algorithm>
#include <array>

namespace uplift::win {

namespace {

using K = ControlKind;

constexpr int kClientWidthTwips = 8880;
constexpr int kClientHeightTwips = 7230;
constexpr DWORD kListStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kListExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;

// After a key in the list: its focus rectangle may have moved without a change of selection.
constexpr UINT kFollowCaret = WM_APP + 1;
// Once the editor shows: the file was not read whole.
constexpr UINT kTellNotWhole = WM_APP + 2;

// Creation order is the tab order; the heading's access key leads to the list, the label's to the text box.
// clang-format off
constexpr std::array<ControlSpec, 12> kListControls{{
    {K::Panel, L"picBackground", L"", L"", {120, 60, 8640, 6480}},
    {K::Label, L"Text1", L"&Affirmations to be used:", L"", {360, 360, 1935, 240}}, // ends where the list starts
    {K::ListBox, L"lsMessage", L"", L"", {360, 600, 8175, 3600}, kHelpListEntries},
    {K::Label, L"lblMessage", L"Affirmation &text:", L"", {360, 4380, 1935, 240}},
    {K::TextBox, L"txtMessage", L"", L"", {360, 4680, 8175, 375}, kHelpListText},
    {K::Separator, L"Frame1", L"", L"", {240, 5160, 8415, 40}},
    {K::PictureButton, L"cmdBrowse", L"&Browse...", L"Add an existing affirmations to the list",
     {2640, 5400, 975, 855}, kHelpListBrowse},
    {K::PictureButton, L"cmdAdd", L"Add &New", L"Add a new affirmation to the list", {3960, 5400, 975, 855},
     kHelpListAdd},
    {K::PictureButton, L"cmdDelete", L"&Delete", L"Delete an affirmation from the list", {5280, 5400, 975, 855},
     kHelpListDelete},
    {K::Button, L"cmdHelp", L"&Help", L"", {5325, 6720, 1260, 400}},
    {K::Button, L"cmdCancel", L"&Cancel", L"", {3795, 6720, 1260, 400}, kHelpCancel, L"", L"", kCancel},
    {K::Button, L"cmdOk", L"&Ok", L"", {2280, 6720, 1260, 400}, kHelpOk},
}};
// clang-format on

constexpr wchar_t kSaveFailedCaption[] = L"Unable to save list";
constexpr wchar_t kNotWholeText[] =
    L"Data.Lst could not be read whole: it holds more than the list editor can (32,767 affirmations, "
    L"64\u00A0MB), or another program keeps it from being read. Saving from here would lose what was not "
    L"read, so this list cannot be saved; Data.Lst stays as it is.";
constexpr wchar_t kFullText[] =
    L"The list holds 32,767 affirmations, as many as it can. Delete some to make room for new ones.";

} // namespace

frmList::frmList(std::wstring programFolder) : programFolder_(std::move(programFolder)) {}

bool frmList::Load(HWND owner) {
    return LoadForm({L"UpliftBeacon.frmList", kListStyle, kListExStyle, nullptr, owner}, kListCaption,
                    {0, 0, 0, 0});
}

void frmList::Form_Load() {
    CreateControls(kListControls);
    SetClientTwips(kClientWidthTwips, kClientHeightTwips);
    CentreOnScreen();
    ::SendMessageW(Control(L"txtMessage"), EM_SETLIMITTEXT, 0, 0);
    ListFileContent content = ReadListFileContent(ListFilePath(programFolder_));
    whole_ = content.Whole && content.Entries.size() <= ListModel::kMaxEntries;
    model_ = ListModel(std::move(content.Entries));
    AddEntries(0);
    FitListWidth();
    if (!whole_) ::PostMessageW(hWnd(), kTellNotWhole, 0, 0);
}

void frmList::Form_Unload() {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
}

bool frmList::OnDialogMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_CLOSE: cmdCancel_Click(); return true;
    case kFollowCaret: {
        const auto caret = ::SendMessageW(ListBox(), LB_GETCARETINDEX, 0, 0);
        if (model_.Current() && caret >= 0 && static_cast<std::size_t>(caret) != *model_.Current())
            TakeListChoice();
        return true;
    }
    case kTellNotWhole: MsgBox(hWnd(), kNotWholeText, kListCaption, MB_ICONEXCLAMATION | MB_OK); return true;
    default: return false;
    }
}

void frmList::Control_Event(std::wstring_view name, UINT code) {
    if (name == L"lsMessage" && code == LBN_SELCHANGE) return TakeListChoice();
    if (name == L"txtMessage" && code == EN_CHANGE) return txtMessage_Change();
    if (code != BN_CLICKED) return;
    struct Handler {
        std::wstring_view Control;
        void (frmList::*Run)();
    };
    static constexpr std::array<Handler, 6> kClicks{{
        {L"cmdBrowse", &frmList::cmdBrowse_Click},
        {L"cmdAdd", &frmList::cmdAdd_Click},
        {L"cmdDelete", &frmList::cmdDelete_Click},
        {L"cmdHelp", &frmList::cmdHelp_Click},
        {L"cmdCancel", &frmList::cmdCancel_Click},
        {L"cmdOk", &frmList::cmdOk_Click},
    }};
    for (const Handler& handler : kClicks) {
        if (handler.Control == name) (this->*handler.Run)();
    }
}

void frmList::Form_KeyDown(UINT key, bool& /*handled*/) {
    // F1 and F2 go on to Form_Help with the focused control's help number.
    if (key != VK_F1 && key != VK_F2 && ::GetFocus() == ListBox()) {
        ::PostMessageW(hWnd(), kFollowCaret, 0, 0);
    }
}

void frmList::lsMessage_Click() {
    model_.ListClick([this](std::wstring_view text) { SetText(L"txtMessage", text); });
}

void frmList::txtMessage_Change() {
    if (!model_.TextChanged(Text(L"txtMessage"))) return;
    ShowEntry(*model_.Current());
    FitListWidth(model_.Current());
}

void frmList::cmdAdd_Click() {
    if (!model_.Add()) {
        MsgBox(hWnd(), kFullText, kListCaption, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    AddEntries(model_.Entries().size() - 1);
    ShowSelection();
    lsMessage_Click();
    ::SetFocus(Control(L"txtMessage"));
}

void frmList::cmdDelete_Click() {
    const std::vector<std::size_t> removed = model_.Delete();
    HWND list = ListBox();
    if (removed.size() > 64) {
        // Filled afresh: removing many entries one at a time moves the rest each time.
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        AddEntries(0);
    } else {
        for (auto index = removed.rbegin(); index != removed.rend(); ++index)
            ::SendMessageW(list, LB_DELETESTRING, *index, 0);
    }
    ShowSelection();
    lsMessage_Click();
    ::SetFocus(list);
    if (!removed.empty()) FitListWidth();
}

void frmList::cmdBrowse_Click() {
    const std::vector<std::wstring> names = ChooseReadyMade(hWnd(), programFolder_, true);
    const std::size_t before = model_.Entries().size();
    const std::size_t added = model_.Append(names);
    AddEntries(before);
    FitListWidth();
    if (added < names.size()) {
        MsgBox(hWnd(),
               L"The list holds at most 32,767 affirmations: " + std::to_wstring(names.size() - added) +
                   L" of the chosen ones could not be added.",
               kListCaption, MB_ICONEXCLAMATION | MB_OK);
    }
    AfterAdd();
}

void frmList::AfterAdd() {
    model_.AfterAdd();
    ShowSelection();
    ::SetFocus(ListBox());
    lsMessage_Click();
}

void frmList::cmdOk_Click() {
    if (!whole_) {
        MsgBox(hWnd(), kNotWholeText, kSaveFailedCaption, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    const HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    const auto failure = WriteListFileAt(ListFilePath(programFolder_), model_.Entries());
    ::SetCursor(previous);
    if (failure) {
        // The editor stays open with its entries: the user may try again or cancel.
        MsgBox(hWnd(), *failure, kSaveFailedCaption, MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    EndModal();
}

void frmList::ShowSelection() {
    HWND list = ListBox();
    ::SendMessageW(list, LB_SETSEL, FALSE, -1);
    for (std::size_t i = 0; i < model_.Entries().size(); ++i) {
        if (model_.Selected(i)) ::SendMessageW(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    }
    if (model_.Current()) ::SendMessageW(list, LB_SETCARETINDEX, *model_.Current(), FALSE);
}

void frmList::ShowEntry(std::size_t index) {
    HWND list = ListBox();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_DELETESTRING, index, 0);
    ::SendMessageW(list, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(model_.Entries()[index].c_str()));
    ::SendMessageW(list, LB_SETSEL, model_.Selected(index), static_cast<LPARAM>(index));
    ::SendMessageW(list, LB_SETCARETINDEX, index, FALSE);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void frmList::AddEntries(std::size_t from) {
    HWND list = ListBox();
    const auto& entries = model_.Entries();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_INITSTORAGE, entries.size() - std::min(from, entries.size()), 0);
    for (std::size_t i = from; i < entries.size(); ++i)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i].c_str()));
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void frmList::TakeListChoice() {
    HWND list = ListBox();
    const auto count = ::SendMessageW(list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> items(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
    if (count > 0) ::SendMessageW(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(items.data()));
    const std::vector<std::size_t> selected(items.begin(), items.end());
    const auto caret = ::SendMessageW(list, LB_GETCARETINDEX, 0, 0);
    model_.Choose(caret >= 0 ? std::optional<std::size_t>(caret) : std::nullopt, selected);
    lsMessage_Click();
}

void frmList::FitListWidth(std::optional<std::size_t> only) {
    HWND list = ListBox();
    const auto& entries = model_.Entries();
    if (!list || (only && *only >= entries.size())) return;
    const window_dc dc(list);
    const select_object font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = only ? listWidth_ : 0;
    for (std::size_t i = only.value_or(0); i < (only ? *only + 1 : entries.size()); ++i) {
        SIZE extent{};
        if (::GetTextExtentPoint32W(dc.get(), entries[i].c_str(), static_cast<int>(entries[i].size()),
                                    &extent))
            widest = std::max<int>(widest, extent.cx);
    }
    listWidth_ = widest;
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, widest + ToPixels(120), 0);
}

} // namespace uplift::win
