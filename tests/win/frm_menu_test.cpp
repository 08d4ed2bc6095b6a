// The main form in this process, against a store in memory and a clock that stands still.

#include "app/frm_menu.h"
#include "settings/settings.h"

#include "en_us_regional_formats.h"
#include "manual_clock.h"
#include "memory_settings_store.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace uplift::win {
namespace {

class MainForm : public ::testing::Test {
protected:
    void TearDown() override {
        if (form_) form_->Unload();
        form_.reset();
        MSG msg; // leave no WM_QUIT behind for the next test
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    frmMenu& Start() {
        form_ = std::make_unique<frmMenu>(store_, formats_, clock_, L"C:\\Program Files\\Uplift Beacon");
        EXPECT_TRUE(form_->Form_Initialize());
        EXPECT_TRUE(form_->Load());
        return *form_;
    }
    static bool QuitPosted() {
        MSG msg;
        return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
    }
    // The values the form must write again, taken away from the store.
    void Forget() { store_.values.erase(L"Time"), store_.values.erase(L"LastMessageKey"); }
    bool Saved() { return store_.values.contains(L"Time") && store_.values.contains(L"LastMessageKey"); }

    MemorySettingsStore store_;
    EnUsRegionalFormats formats_;
    ManualClock clock_{{2026, 12, 6, 9, 30, 15, 0}};
    std::unique_ptr<frmMenu> form_;
};

TEST_F(MainForm, FirstStartStaysHiddenAndSavesWhatItLoaded) {
    frmMenu& form = Start();
    EXPECT_FALSE(form.Visible()) << "the options window stays hidden";
    ASSERT_TRUE(form.LocalfrmTray);
    EXPECT_EQ(form.LocalfrmTray->ToolTipText(), L"Uplift Beacon Plus");
    SettingsRecord stored;
    LoadSettings(stored, store_, {formats_, clock_});
    EXPECT_EQ(stored, form.Settings());
    EXPECT_EQ(store_.values[L"Enabled"], L"True");
}

TEST_F(MainForm, StartingDisabledSavesNothingElse) {
    store_.values[L"Enabled"] = L"False";
    Start();
    EXPECT_EQ(store_.values, (decltype(store_.values){{L"Enabled", L"False"}}));
}

TEST_F(MainForm, SecondInstanceIsRefusedWhileTheFirstRuns) {
    Start();
    MemorySettingsStore otherStore;
    frmMenu second(otherStore, formats_, clock_, L"C:\\");
    EXPECT_FALSE(second.Form_Initialize());
    EXPECT_TRUE(otherStore.values.empty());
}

TEST_F(MainForm, CloseSavesTheRecordAndCarriesTheLastMessageValuesBack) {
    store_.values = {{L"LastMessageKey", L"42"}, {L"LastMessageDate", L"1/2/2020"}, {L"WhenToDisplay", L"1"}};
    frmMenu& form = Start();
    Forget();
    ::SendMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(form.LocalfrmTray) << "the icon form goes with the main form";
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(store_.values[L"LastMessageKey"], L"42");
    EXPECT_EQ(store_.values[L"LastMessageDate"], L"1/2/2020");
    EXPECT_EQ(store_.values[L"WhenToDisplay"], L"1");
}

TEST_F(MainForm, CloseWhileTheOptionsWindowIsVisibleActsAsOk) {
    frmMenu& form = Start();
    form.SetVisible(true);
    Forget();
    ::SendMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Loaded()) << "the program goes on";
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Closing_);
    EXPECT_FALSE(QuitPosted());
    EXPECT_TRUE(Saved());
}

TEST_F(MainForm, EndOfSessionSavesAtOnceAndEndsOnlyIfTheSessionDoes) {
    for (const bool ends : {false, true}) {
        frmMenu& form = Start();
        Forget();
        EXPECT_EQ(::SendMessageW(form.hWnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
        EXPECT_TRUE(Saved());
        EXPECT_TRUE(form.Closing_);
        ::SendMessageW(form.hWnd(), WM_ENDSESSION, ends, 0);
        EXPECT_EQ(form.Loaded(), !ends);
        if (!ends) EXPECT_FALSE(form.Closing_) << "a cancelled end of session keeps the schedule running";
        TearDown();
    }
}

TEST_F(MainForm, TheTimerTicksTheCountDownIntoTheTip) {
    frmMenu& form = Start();
    ::SendMessageW(form.hWnd(), WM_TIMER, 1, 0); // the clock stands still: a whole minute to go
    EXPECT_EQ(form.LocalfrmTray->ToolTipText(), L"Uplift Beacon, Count down: 00:01:00");
}

} // namespace
} // namespace uplift::win
