#pragma once
// frmTray: the hidden form that owns the notification-area icon and its tip text.

#include "forms/form.h"

#include <string>

namespace uplift::win {

class frmTray final : public Form {
public:
    // Loads the form off screen, at -50000 twips.
    bool Load();

    const std::wstring& ToolTipText() const { return toolTipText_; }
    // Only stores the text; RefreshTray hands it to the notification area.
    void SetToolTipText(std::wstring text) { toolTipText_ = std::move(text); }
    // Adds the icon the first time and updates it afterwards.
    void RefreshTray();

private:
    std::wstring toolTipText_;
};

} // namespace uplift::win
