#include "display/affirmation_choice.h"
#include "display/full_screen.h"
#include "display/monitor_choice.h"
#include "display/text_region.h"
#include "display/twips.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace uplift {
namespace {

TEST(Twips, FollowTheRealResolutionAndRoundHalvesToEven) {
    constexpr std::tuple<double, int, int> kCases[]{
        {22.5, 96, 2}, {37.5, 96, 2},    {7.4, 96, 0}, {7.6, 96, 1},  {-22.5, 96, -2}, {-37.5, 96, -2},
        {18, 120, 2},  {1440, 110, 110}, {5, 192, 1},  {1440, 0, 96}, {315, -1, 21}}; // no resolution: 96 dpi
    for (const auto& [twips, dpi, pixels] : kCases)
        EXPECT_EQ(TwipsToPixels(twips, dpi), pixels) << twips << " twips at " << dpi << " dpi";
    EXPECT_DOUBLE_EQ(PixelsToTwips(2, -96), 30.0);
}

struct FakeScreen final : FullScreenSource {
    FakeScreen(ForegroundWindow window, int state) : window(std::move(window)), state(state) {}
    std::optional<ForegroundWindow> Foreground() const override { return window; }
    std::optional<int> NotificationState() const override { return state; }
    ForegroundWindow window;
    int state;
};

// Wine always answers 5, "accepts notifications": there the window alone tells.
TEST(FullScreen, ACaptionlessForegroundWindowOverItsMonitorOrAQuietNotificationState) {
    constexpr ScreenRect m{0, 0, 1280, 1024}, larger{-8, -8, 1288, 1032}, right{1280, 0, 2304, 768};
    constexpr std::uint32_t popup = 0x8000'0000, border = 0x0080'0000, caption = 0x00C0'0000;
    // clang-format off
    const std::pair<ForegroundWindow, bool> windows[]{{{m, m, popup}, true}, {{larger, m, popup | border}, true},
        {{right, right, popup}, true}, {{larger, m, caption}, false}, {{{0, 0, 1280, 1023}, m, popup}, false},
        {{m, m, popup, {}, true}, false}, {{m, m, popup, L"Progman"}, false}, {{m, m, popup, L"Shell_TrayWnd"}, false}};
    // clang-format on
    for (const auto& [window, full] : windows)
        EXPECT_EQ(FullScreenProgramRuns(FakeScreen(window, 5)), full) << &window - &windows[0].first;
    for (int state = 1; state <= 7; ++state) // busy, full-screen Direct3D, presentation mode
        EXPECT_EQ(FullScreenProgramRuns(FakeScreen({m, m, caption}, state)), state >= 2 && state <= 4);
}

// Rows of `width` pixels, '.' white, '#' black, 'a' black with alpha; the top left colour is transparent.
TEST(SelectTextRuns, RunsOfEachRowInOrderOnlyWithinTheBuffer) {
    const auto draw = [](std::string_view rows) {
        std::vector<std::uint32_t> pixels;
        for (const char c : rows)
            pixels.push_back(c == '.' ? 0xFFFFFF : c == '#' ? 0 : 0xFF00'0000);
        return pixels;
    };
    using Rects = std::vector<PixelRect>;
    // clang-format off
    const std::tuple<std::string_view, int, int, Rects> cases[]{
        {"....#.", 3, 5, {{1, 1, 2, 2}}}, {"", 1, 1, {}}, {"a#", 2, 1, {{1, 0, 2, 1}}}, // only rows held; all 32 bits
        {".#", 1, 2, {{0, 1, 1, 2}}}, {"#.", 0, 2, {}}, {"#.", -1, 2, {}}, {"#.", 2, 0, {}}, {"", 0, 0, {}}};
    // clang-format on
    for (const auto& [rows, width, height, expected] : cases)
        EXPECT_EQ(SelectTextRuns(draw(rows), width, height), expected)
            << rows << ' ' << width << 'x' << height;
}

TEST(ChooseAffirmation, TheCaptionOrAListEntryDrawnAtRandomWithAFreshWindowFromTwoEntriesOn) {
    using List = std::vector<std::wstring>;
    // List mode, entries, caption; the showings' texts (none: "No Message To Display!"), a fresh window.
    // clang-format off
    const std::tuple<bool, List, std::wstring, std::vector<std::optional<std::wstring>>, bool> cases[]{
        {false, {L"a", L"b"}, L"Be calm", {L"Be calm", L"Be calm"}, false}, {false, {L"a", L"b"}, L"", {{}, {}}, false},
        {true, {}, L"Be calm", {{}, {}}, false}, {true, {L"Only"}, L"", {L"Only", L"Only"}, false},
        {true, {L"a", L"b"}, L"", {L"a", L"b", L"a"}, true},
        {true, {L"1", L"2", L"3", L"4"}, L"", {L"4", L"4", L"4", L"1"}, true}};
    // clang-format on
    UniformRandom random; // one sequence, drawn from in list mode only
    for (const auto& [listMode, list, caption, texts, fresh] : cases) {
        const SettingsRecord settings{.txtCaption = caption, .optList = listMode};
        for (const auto& text : texts) {
            const auto [shown, discard] = ChooseAffirmation(settings, list, random);
            EXPECT_EQ(std::tie(shown, discard), std::tie(text, fresh)) << list.size();
        }
    }
}

// A desk: a 4K monitor at 150 % left of and above the primary (negative origin), one at 96 dpi right of it.
const MonitorArea kLeft{{-2560, -440, 0, 1000}, 144, false}, kPrimary{{0, 0, 1280, 1024}, 96, true},
    kRight{{1280, 0, 2304, 768}, 96, false};

// The window is centred with halves to the even neighbour, also where it is larger than the monitor.
TEST(MonitorChoice, TheForegroundWindowsMonitorOrThePrimaryAndTheWindowAndItsTextThere) {
    using Monitors = std::vector<MonitorArea>;
    const Monitors desk{kLeft, kPrimary, kRight};
    const std::tuple<Monitors, std::optional<PixelRect>, std::optional<MonitorArea>> choices[]{
        {{}, PixelRect{0, 0, 10, 10}, std::nullopt},
        {desk, std::nullopt, kPrimary},                           // no foreground window
        {{kRight, kLeft}, PixelRect{2304, 0, 3328, 768}, kRight}, // its monitor unplugged, no primary marked
        {desk, PixelRect{-300, 100, 100, 400}, kLeft},            // mostly on the left
        {{kRight, kPrimary}, PixelRect{1180, 0, 1380, 10}, kPrimary}}; // half and half
    for (const auto& [monitors, foreground, chosen] : choices)
        EXPECT_EQ(ChooseMonitor(monitors, foreground), chosen) << monitors.size();

    EXPECT_EQ(MessageWindowRect(kLeft.Rect, false, 981, 199), (PixelRect{-1770, 180, -789, 379}));
    EXPECT_EQ(MessageWindowRect(kPrimary.Rect, false, 1481, 1227), (PixelRect{-100, -102, 1381, 1125}));
    EXPECT_EQ(MessageWindowRect(kLeft.Rect, true, 981, 199), kLeft.Rect);
    const std::pair<double, int> fonts[]{{48, 96}, {0, 16}, {NAN, 16}, {1e9, 4096}}; // at 144 dpi
    for (const auto& [points, pixels] : fonts)
        EXPECT_EQ(FontPixels(points, kLeft.Dpi, 4096), pixels) << points;
}

} // namespace
} // namespace uplift
