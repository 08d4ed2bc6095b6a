#pragma once
// frmAbout: the about box. The program's name and version, the maker's notices, a link to the
// maker's web site that turns red under the mouse, and a button to write to the maker's support.
// Loaded, shown modally and unloaded on each use.

#include "forms/dialog_form.h"
#include "forms/unique_handle.h"

namespace uplift::win {

inline constexpr wchar_t kAboutCaption[] = L"About Uplift Beacon";

class frmAbout final : public DialogForm {
public:
    frmAbout() = default;
    ~frmAbout() override;

    // Creates the hidden window; Form_Load runs from it.
    bool Load();

private:
    void Form_Load() override;
    void Form_Layout() override;
    void Form_Timer(UINT_PTR id) override;
    void Control_Event(std::wstring_view name, UINT code) override;
    void Form_KeyDown(UINT key, bool& handled) override;
    bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void DrawPicture(std::wstring_view name, HDC dc, const RECT& pixels) const override;
    void DrawLabel(const DRAWITEMSTRUCT& item) const;
    // The link's window is as large as its text: that is where it reacts to the mouse.
    void FitLink();

    void Label1_MouseMove();
    void Label1_Click();
    void Timer1_Timer();
    void cmdOK_Click();
    void cmdSupport_Click();

    COLORREF linkColour_ = 0;
    Timer Timer1_{*this, 1, 100};
    unique_hfont titleFont_;
    unique_hfont linkFont_;
};

} // namespace uplift::win
