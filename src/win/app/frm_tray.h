#pragma once
// frmTray: the hidden form that owns the notification-area icon, its tip and its look, and turns
// the icon's mouse callbacks into the events DblClick and MouseDown.

#include "forms/form.h"

#include <shellapi.h>
#include <windows.h>

#include <string>

namespace uplift::win {

class TrayEvents {
public:
    virtual ~TrayEvents() = default;
    virtual void LocalfrmTray_DblClick() = 0;
    // Raised when a button is released over the icon: 1 left, 2 right.
    virtual void LocalfrmTray_MouseDown(int button) = 0;
};

class frmTray final : public Form {
public:
    explicit frmTray(TrayEvents& events) : events_(events) {}

    // Loads the form off screen, at -50000 twips.
    bool Load();

    const std::wstring& ToolTipText() const { return toolTipText_; }
    // Only stores the text; RefreshTray hands it to the notification area.
    void SetToolTipText(std::wstring text) { toolTipText_ = std::move(text); }
    // The look RefreshTray gives the icon. The caller keeps the icon alive.
    void SetIcon(HICON icon);
    // Adds the icon the first time and updates it afterwards.
    void RefreshTray();
    // Whether the notification area has the icon.
    bool IconAdded() const { return added_; }

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void Form_Unload() override;
    NOTIFYICONDATAW IconRecord() const;

    TrayEvents& events_;
    std::wstring toolTipText_;
    HICON icon_ = nullptr;
    bool added_ = false;
    bool placed_ = false;
    // What the notification area was last given: a refresh hands over only what differs.
    std::wstring shownTip_;
    HICON shownIcon_ = nullptr;
};

} // namespace uplift::win
