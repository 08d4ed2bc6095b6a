#pragma once
// A form whose controls come from a constant table: created in table order (which is the tab
// order), laid out from twips at the window's DPI, in the platform's dialog font, with tool tips,
// and with the dialog manners of the message loop (Tab, arrows, access keys, Enter, Escape).

#include "forms/control_table.h"
#include "forms/form.h"
#include "forms/unique_handle.h"

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace uplift::win {

class DialogForm : public Form {
public:
    HWND Control(std::wstring_view name) const;
    std::wstring_view ControlName(HWND control) const;
    // The help number of a window of the form: its own, or that of the nearest control it lies in.
    int HelpIdOf(HWND window) const;
    // A window that is not in the table (a picker) takes a help number.
    void SetHelpId(HWND window, int helpId);
    UINT Dpi() const;
    // Twips of the form's scale at its DPI.
    int ToPixels(int twips) const;
    // Where the control stands in the client area after the last layout.
    RECT ControlRect(std::wstring_view name) const;

    // Shows the form as a modal window over `owner` and returns when it hides or unloads.
    void ShowModal(HWND owner);
    // Ends a modal showing (the form is hidden).
    void EndModal();
    // The innermost form shown modally now, or null.
    static HWND ModalWindow();

protected:
    DialogForm() = default;
    ~DialogForm() override;

    // Creates the controls (once), then lays them out.
    void CreateControls(std::span<const ControlSpec> table);
    // Positions, sizes and font at the window's DPI now.
    void LayoutControls();
    // The client size of the window in twips; the window is sized around it.
    void SetClientTwips(int width, int height);
    void CentreOnScreen();
    // The platform's dialog font at the window's DPI.
    HFONT DialogFont() const { return font_.get(); }

    void SetOption(std::wstring_view name, bool chosen);
    bool OptionChosen(std::wstring_view name) const;
    void SetEnabled(std::wstring_view name, bool enabled);
    void SetText(std::wstring_view name, std::wstring_view text);
    std::wstring Text(std::wstring_view name) const;

    // A command or notification from the control `name` (BN_CLICKED, EN_CHANGE, CBN_SELCHANGE ...).
    // A click on a label with a buddy option arrives as a click on the option.
    virtual void Control_Event(std::wstring_view /*name*/, UINT /*code*/) {}
    // Keys reach the form before its controls; set `handled` to keep one from the control.
    virtual void Form_KeyDown(UINT /*key*/, bool& /*handled*/) {}
    // F1 or F2 in the form (the key goes no further), with the focused control's help number, 0 for
    // none.
    virtual void Form_Help(int /*helpId*/) {}
    // What's This on a control: its help number (0 for none) and the point on the screen.
    virtual void Form_WhatsThis(int /*helpId*/, POINT /*at*/) {}
    // The face colour of a colour button; the picture of a picture control or picture button.
    virtual COLORREF ButtonColour(std::wstring_view /*name*/) const { return ::GetSysColor(COLOR_BTNFACE); }
    virtual void DrawPicture(std::wstring_view /*name*/, HDC /*dc*/, const RECT& /*pixels*/) const {}
    // Runs after every layout, for windows the form places itself.
    virtual void Form_Layout() {}
    // Messages beyond the dialog's own; return false to let the default run.
    virtual bool OnDialogMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                 LRESULT& /*result*/) {
        return false;
    }

private:
    friend bool TranslateDialogMessage(MSG& msg);

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) final;
    void Paint();
    bool DrawItem(const DRAWITEMSTRUCT& item);
    void DrawLabel(const DRAWITEMSTRUCT& item, std::size_t index);
    void DrawPictureButton(const DRAWITEMSTRUCT& item, std::size_t index);
    void DrawFrame(HDC dc, const RECT& r, std::wstring_view caption) const;
    void InvalidateLabelOf(std::size_t option);
    std::optional<std::size_t> LabelOf(std::size_t option) const;
    RECT UnlabelledCue(std::size_t option) const;
    void ChooseOption(std::size_t index);
    std::size_t IndexOf(HWND control) const;
    int IdOf(std::size_t index) const;
    void AddToolTip(std::size_t index);

    std::span<const ControlSpec> table_;
    std::vector<HWND> controls_; // children: destroyed with the window
    std::vector<PixelBox> rects_;
    std::vector<std::pair<HWND, int>> helpIds_; // windows outside the table
    unique_hfont font_;
    HWND toolTip_ = nullptr;
    HWND lastFocus_ = nullptr;
    int clientWidthTwips_ = 0, clientHeightTwips_ = 0;
    bool modal_ = false;
};

// Whether the user has chosen a high-contrast scheme: what the forms draw then takes the system colours.
bool HighContrast();

// The key preview and the dialog manners for a message of the loop; true when it was handled.
// Every message loop of the program calls it before dispatching.
bool TranslateDialogMessage(MSG& msg);

} // namespace uplift::win
