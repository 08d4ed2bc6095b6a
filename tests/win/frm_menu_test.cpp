// The main form in this process, against a store in memory and a clock that stands still.

#include "app/frm_menu.h"
#include "settings/settings.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace uplift::win {
namespace {

class MainForm : public ::testing::Test {
protected:
    void TearDown() override {
        if (form_) form_->Unload();
        form_.reset();
        // Leave no WM_QUIT behind for the next test.
        MSG msg;
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

    MemorySettingsStore store_;
    EnUsRegionalFormats formats_;
    ManualClock clock_{CivilDateTime{2026, 12, 6, 9, 30, 15, 0}};
    std::unique_ptr<frmMenu> form_;
};

TEST_F(MainForm, FirstStartStoresTheWholeRecordWithItsDefaults) {
    frmMenu& form = Start();
    EXPECT_FALSE(form.Visible()) << "the options window stays hidden";
    EXPECT_EQ(form.HelpFile(), L"C:\\Program Files\\Uplift Beacon\\UpliftBeacon.chm::/TextPopups.Txt");
    ASSERT_TRUE(form.LocalfrmTray);
    EXPECT_EQ(form.LocalfrmTray->ToolTipText(), L"Uplift Beacon Plus");

    EXPECT_EQ(store_.values.size(), 21u);
    EXPECT_EQ(store_.values[L"Date"], L"12/6/2026 9:30:15 AM");
    EXPECT_EQ(store_.values[L"Everyday"], L"9:30:15 AM");
    EXPECT_EQ(store_.values[L"LastMessageDate"], L"12/5/2026");
    EXPECT_EQ(store_.values[L"Enabled"], L"True");
    EXPECT_EQ(store_.values[L"txtCaption"], L"I am super productive and successful");
    EXPECT_EQ(store_.writes.back(), L"Enabled");
}

TEST_F(MainForm, StartingDisabledWritesOnlyEnabled) {
    store_.values[L"Enabled"] = L"False";
    EXPECT_FALSE(Start().Enabled_);
    EXPECT_EQ(store_.writes, std::vector<std::wstring>{L"Enabled"});
    EXPECT_EQ(store_.values[L"Enabled"], L"False");
}

TEST_F(MainForm, SecondInstanceIsRefusedWhileTheFirstRuns) {
    Start();
    MemorySettingsStore otherStore;
    frmMenu second(otherStore, formats_, clock_, L"C:\\");
    EXPECT_FALSE(second.Form_Initialize());
    EXPECT_TRUE(otherStore.writes.empty());
}

TEST_F(MainForm, CloseSavesTheRecordAndCarriesTheLastMessageValuesBack) {
    store_.values[L"LastMessageKey"] = L"42";
    store_.values[L"LastMessageDate"] = L"1/2/2020";
    store_.values[L"WhenToDisplay"] = L"1";
    frmMenu& form = Start();
    store_.writes.clear();
    store_.values.erase(L"LastMessageKey");

    ::SendMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(form.LocalfrmTray) << "the icon form goes with the main form";
    EXPECT_TRUE(QuitPosted());
    EXPECT_EQ(store_.writes.size(), 20u);
    EXPECT_EQ(store_.values[L"LastMessageKey"], L"42");
    EXPECT_EQ(store_.values[L"LastMessageDate"], L"1/2/2020");
    EXPECT_EQ(store_.values[L"WhenToDisplay"], L"1");
}

TEST_F(MainForm, CloseWhileTheOptionsWindowIsVisibleActsAsOk) {
    frmMenu& form = Start();
    form.SetVisible(true);
    store_.writes.clear();
    ::SendMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.Loaded()) << "the program goes on";
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.Closing_);
    EXPECT_FALSE(QuitPosted());
    EXPECT_EQ(store_.writes.size(), 40u) << "saved by the unload request, then by OK";
}

TEST_F(MainForm, EndOfSessionSavesAtOnceAndEndsOnlyIfTheSessionDoes) {
    for (const bool ends : {false, true}) {
        frmMenu& form = Start();
        store_.writes.clear();
        EXPECT_EQ(::SendMessageW(form.hWnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
        EXPECT_EQ(store_.writes.size(), 20u);
        EXPECT_TRUE(form.Closing_);
        ::SendMessageW(form.hWnd(), WM_ENDSESSION, ends, 0);
        EXPECT_EQ(form.Loaded(), !ends);
        if (!ends) EXPECT_FALSE(form.Closing_) << "a cancelled end of session keeps the schedule running";
        TearDown();
    }
}

TEST_F(MainForm, TheTimerTicksTheCountDownIntoTheTip) {
    frmMenu& form = Start();
    // One real tick of the 1000 ms timer; the clock itself stands still.
    const DWORD deadline = ::GetTickCount() + 3000;
    while (form.LocalfrmTray->ToolTipText() == L"Uplift Beacon Plus" && ::GetTickCount() < deadline) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        DoEvents();
    }
    EXPECT_EQ(form.LocalfrmTray->ToolTipText(), L"Uplift Beacon, Count down: 00:01:00");
}

} // namespace
} // namespace uplift::win
