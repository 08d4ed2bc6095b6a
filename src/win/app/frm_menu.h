#pragma once
// frmMenu: the program's main form. Its window is the options dialog, hidden unless the user
// opens it; the form lives for the whole run and owns the timer, the settings record and the
// run-time state through which the scheduler and the handlers learn about each other.
//
// Its members live in one file per concern: frm_menu.cpp (start-up and lifetime),
// frm_menu_tray.cpp (the icon and its menu), options/options_dialog.cpp (the dialog's controls
// and handlers), options/option_pictures.cpp (the dialog's pictures), app/frm_menu_about.cpp (the
// about box and help).

#include "app/frm_tray.h"
#include "app/pause_state.h"
#include "app/session_watch.h"
#include "app/single_instance.h"
#include "common/regional_formats.h"
#include "controls/dt_picker_ctl.h"
#include "display/affirmation_display.h"
#include "forms/dialog_form.h"
#include "forms/unique_handle.h"
#include "schedule/clock.h"
#include "schedule/scheduler.h"
#include "schedule/windows_time_zone.h"
#include "settings/settings_record.h"
#include "settings/settings_store.h"

#include <memory>
#include <string>
#include <vector>

namespace uplift::win {

inline constexpr wchar_t kOptionsCaption[] = L"Uplift Beacon Options";

class frmMenu final : public DialogForm, private SchedulerHost, private TrayEvents {
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
    // False when the settings could not be saved (the schedule starts all the same).
    bool cmdOK_Action();

    // The about box, shown modally with AboutOpen set.
    void ShowAbout();
    // The help file at a topic; 0 opens the overview.
    void ShowHelp(int topic);

    const SettingsRecord& Settings() const { return Settings_; }
    const std::wstring& HelpFile() const { return HelpFile_; }

    // Run-time state.
    std::wstring DefaultMessage;
    std::unique_ptr<CDTPickerCtl> DatePicker;
    std::unique_ptr<CDTPickerCtl> TimePicker;
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
    // Lifetime.
    void Form_Load() override;
    void Form_QueryUnload(bool& cancel) override;
    void Form_Unload() override;
    void Form_Timer(UINT_PTR id) override;
    bool OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void tmrMessage_Timer() { scheduler_.tmrMessage_Timer(); }
    bool SaveAll();

    // The icon and its menu.
    void LocalfrmTray_DblClick() override;
    void LocalfrmTray_MouseDown(int button) override;
    void CreatePopupMenuItems();
    bool OnMenuCommand(UINT id);
    void mnuShow_Click();
    void mnuDisable_Click();
    // "Start when I log in": writes or removes the Run value for this executable.
    void mnuLogin_Click();
    // While a modal window of ours is up, the icon only brings it to the front; true when one is up.
    bool BringModalToFront();

    // The options dialog.
    // Everything of the options dialog, once, as its window is first shown.
    void CreateOptionsOnce();
    void CreateOptionControls();
    void CreatePickers();
    void Form_Layout() override;
    void FillDurationLists();
    // Puts the record into every control and applies the enabling rules.
    void ShowRecord();
    void ApplyEnablingRules();
    void Control_Event(std::wstring_view name, UINT code) override;
    void Form_Help(int helpId) override;
    void Form_WhatsThis(int helpId, POINT at) override;
    COLORREF ButtonColour(std::wstring_view name) const override;
    void DrawPicture(std::wstring_view name, HDC dc, const RECT& pixels) const override;
    void PickerChanged(HWND picker);
    void cmdOk_Click();
    void cmdCancel_Click();
    void cmdDefault_Click();
    void cmdTest_Click();
    void cmdList_Click();
    void cmdMore_Click();
    void cmdFont_Click();
    void cmdBackgroundColor_Click();
    void cmdTextColor_Click();
    void cmdAbout_Click();
    void cmdHelp_Click();
    void ChooseOption();
    void ComboChanged(std::wstring_view name);

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
    bool Paused() const override;
    std::wstring PausedTip() const override;
    Holds HeldBack() override;

    // The timed pause and the quiet during full-screen programs (frm_menu_pause.cpp).
    void AddPauseHolds(Holds& holds);
    // The "Pause" submenu above mnuDisable and the quiet check item below it.
    void CreatePauseMenuItems(UINT disableId);
    // As the menu opens: "Resume" only while a pause runs, the check mark as stored.
    void UpdatePauseMenu();
    bool OnPauseCommand(UINT id);

    // The session, the power state and the clock (frm_menu_session.cpp).
    void AddSessionHolds(Holds& holds);
    bool OnSessionMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void StartSessionWatch();
    void StopSessionWatch();

    CarriedValues Carried() const { return {LastMessageKey, LastMessageDate, Enabled_}; }

    // The display's view of the form: the same timer and options members as the scheduler's.
    class DisplayBridge final : public DisplayHost {
    public:
        explicit DisplayBridge(frmMenu& form) : form_(form) {}
        const SettingsRecord& Settings() const override { return form_.Settings_; }
        const std::vector<std::wstring>& Messages() const override { return form_.Messages; }
        bool& StopDisplay() override { return form_.StopDisplay; }
        bool OptionsVisible() const override { return form_.OptionsVisible(); }
        void HideOptions() override { form_.HideOptions(); }
        void StopTimer() override { form_.StopTimer(); }
        void StartTimer() override { form_.StartTimer(); }
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
    SingleInstance instance_;
    std::unique_ptr<frmTray> unloadedTray_;
    unique_hmenu mnuPopUp_;
    bool popupOpen_ = false;
    bool showingRecord_ = false; // controls are being filled from the record, not edited
    bool optionsCreated_ = false;
    unique_hicon enabledIcon_;
    unique_hicon disabledIcon_;
    AffirmationDisplay display_;
    DisplayBridge displayHost_{*this};
    WindowsTimeZone timeZone_;
    PauseState pause_{clock_, timeZone_};
    HMENU mnuPause_ = nullptr; // belongs to mnuPopUp_
    SessionWatch session_;
};

} // namespace uplift::win
