#pragma once
// frmList: the list editor. It reads Data.Lst when it loads, keeps the list in a ListModel that its
// list box shows, and writes the file only on OK. Shown modally by the options dialog, which reads
// the list again once it has closed.

#include "about/help_topics.h"
#include "about/html_help.h"
#include "affirmations/list_model.h"
#include "forms/dialog_form.h"

#include <string>

namespace uplift::win {

inline constexpr wchar_t kListCaption[] = L"Affirmations list";

class frmList final : public DialogForm {
public:
    explicit frmList(std::wstring programFolder);

    // Creates the hidden window owned by `owner`, with the list read from the file.
    bool Load(HWND owner);

    const ListModel& List() const { return model_; }

private:
    void Form_Load() override;
    void Form_Unload() override;
    void Control_Event(std::wstring_view name, UINT code) override;
    void Form_KeyDown(UINT key, bool& handled) override;
    void Form_Layout() override { FitListWidth(); }
    void DrawPicture(std::wstring_view name, HDC dc, const RECT& pixels) const override;
    bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void lsMessage_Click();
    void txtMessage_Change();
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdBrowse_Click();
    void cmdOk_Click();
    void cmdCancel_Click() { EndModal(); }
    void cmdHelp_Click() { ShowHelpTopic(kHelpNone); } // the overview
    void Form_Help(int helpId) override { ShowHelpTopic(helpId); }
    void Form_WhatsThis(int helpId, POINT at) override { ShowHelpPopup(hWnd(), helpId, at); }
    void AfterAdd();

    // The list box follows the model, or the model the user's choice in the list box.
    void ShowSelection();
    void ShowEntry(std::size_t index);
    void AddEntries(std::size_t from);
    void TakeListChoice();
    // The list scrolls sideways as far as its longest entry reaches; `only` measures just one.
    void FitListWidth(std::optional<std::size_t> only = std::nullopt);
    HWND ListBox() const { return Control(L"lsMessage"); }

    std::wstring programFolder_;
    ListModel model_;
    bool whole_ = true; // the file was read to its end and fits the list
    int listWidth_ = 0;
};

} // namespace uplift::win
