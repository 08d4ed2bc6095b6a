#pragma once
// frmMenu: the program's main form. Its window is the options dialog, hidden unless the user
// opens it; the form lives for the whole run and owns the timer, the settings record and the
// run-time state through which the scheduler and the handlers learn about each other.

#include "app/frm_tray.h"
#include "common/regional_formats.h"
#include "display/affirmation_display.h"
#include "forms/form.h"
#include "forms/unique_handle.h"
#include "schedule/clock.h"
#include "schedule/scheduler.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

#include <memory>
#include <string>
#include <vector>

namespace uplift::win {

inline constexpr wchar_t kOptionsCaption[] = L"Uplift Beacon Options";

class frmMenu final : public Form, private SchedulerHost, private TrayEvents {
public:
    frmMenu(SettingsStore& store, const RegionalFormats& formats, const Clock& clock,
            std::wstring programFolder);
    ~frmMenu() override;

    // Initial state and the single-instance test: false when another copy runs.
    bool Form_Initialize();
    // Creates the hidden window; Form_Load runs from it.
    bool Load();

    // The menu's Exit: unload, then leave the message loop.
    void mnuExit_Click();
    // Gives the icon its look and starts or stops the schedule accordingly.
    void ApplyEnabled();
    // Reads Data.Lst from the program folder into Messages.
    void LoadMessages();
    // What the options dialog's OK does: close the affirmation, CheckPassed, save, StartSchedule.
    void cmdOK_Action();

    const SettingsRecord& Settings() const { return Settings_; }
    const std::wstring& HelpFile() const { return HelpFile_; }

    // Run-time state.
    std::wstring DefaultMessage;
    bool AboutOpen = false;
    bool TestRunning = false;
    bool Closing_ = false;
    std::int32_t LastMessageKey = 0;
    DateTime LastMessageDate = 0;
    std::vector<std::wstring> Messages;
    bool Enabled_ = true;
    bool StopDisplay = false;
    std::unique_ptr<frmTray> LocalfrmTray;

private:
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel) override;
    void Form_Unload() override;
    void Form_Timer(UINT_PTR id) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void tmrMessage_Timer() { scheduler_.tmrMessage_Timer(); }

    // The icon and its menu.
    void LocalfrmTray_DblClick() override;
    void LocalfrmTray_MouseDown(int button) override;
    void CreatePopupMenuItems();
    void mnuShow_Click();
    void mnuDisable_Click();

    // SchedulerHost
    bool OptionsVisible() const override { return Visible(); }
    bool Closing() const override { return Closing_; }
    bool Enabled() const override { return Enabled_; }
    bool PopupMenuVisible() const override { return popupOpen_; }
    void HideOptions() override { SetVisible(false); }
    void StartTimer() override { tmrMessage_.SetEnabled(true); }
    void StopTimer() override { tmrMessage_.SetEnabled(false); }
    void SetToolTipText(std::wstring text) override;
    void RefreshTray() override;
    void ShowAffirmation() override;

    CarriedValues Carried() const { return {LastMessageKey, LastMessageDate, Enabled_}; }

    // The display's view of the form.
    class DisplayBridge final : public DisplayHost {
    public:
        explicit DisplayBridge(frmMenu& form) : form_(form) {}
        const SettingsRecord& Settings() const override { return form_.Settings_; }
        const std::vector<std::wstring>& Messages() const override { return form_.Messages; }
        bool& StopDisplay() override { return form_.StopDisplay; }
        bool OptionsVisible() const override { return form_.Visible(); }
        void HideOptions() override { form_.SetVisible(false); }
        void StopTimer() override { form_.tmrMessage_.SetEnabled(false); }
        void StartTimer() override { form_.tmrMessage_.SetEnabled(true); }
        HWND OwnerWindow() const override { return form_.hWnd(); }

    private:
        frmMenu& form_;
    };

    SettingsStore& store_;
    const RegionalFormats& formats_;
    const Clock& clock_;
    std::wstring programFolder_;
    std::wstring HelpFile_;
    SettingsRecord Settings_;
    Scheduler scheduler_;
    Timer tmrMessage_;
    unique_kernel_handle instanceMutex_;
    std::unique_ptr<frmTray> unloadedTray_;
    unique_hmenu mnuPopUp_;
    bool popupOpen_ = false;
    unique_hicon enabledIcon_;
    unique_hicon disabledIcon_;
    AffirmationDisplay display_;
    DisplayBridge displayHost_{*this};
};

} // namespace uplift::win
