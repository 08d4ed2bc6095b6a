#include "display/affirmation_choice.h"
#include "display/pixel_rect_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace uplift {
namespace {

using List = std::vector<std::wstring>;

SettingsRecord Mode(bool list, std::wstring caption) {
    SettingsRecord settings;
    settings.optList = list;
    settings.txtCaption = std::move(caption);
    return settings;
}

TEST(ChooseAffirmation, SingleModeShowsTheCaptionAndDrawsNothing) {
    UniformRandom random, untouched;
    const auto shown = ChooseAffirmation(Mode(false, L"You can do it"), {L"a", L"b"}, random);
    EXPECT_EQ(shown.Text, L"You can do it");
    EXPECT_FALSE(shown.DiscardWindow);
    const auto nothing = ChooseAffirmation(Mode(false, L""), {L"a", L"b"}, random);
    EXPECT_FALSE(nothing.Text.has_value() || nothing.DiscardWindow);
    EXPECT_EQ(random.Next(), untouched.Next()) << "single mode draws nothing";
}

TEST(ChooseAffirmation, ListModeDrawsAnEntryAndDiscardsTheWindowFromTwoEntriesOn) {
    const List lists[]{{}, {L"Only"}, {L"First", L"Second"}, {L"1", L"2", L"3", L"4", L"5", L"6", L"7"}};
    for (const List& list : lists) {
        UniformRandom random, reference;
        for (int showing = 0; showing < 50; ++showing) {
            const auto shown = ChooseAffirmation(Mode(true, L"not this one"), list, random);
            const std::int64_t index = reference.NextIndex(static_cast<std::int64_t>(list.size()));
            EXPECT_EQ(shown.Text, list.empty() ? std::nullopt : std::optional(list[index - 1]))
                << list.size();
            EXPECT_EQ(shown.DiscardWindow, list.size() >= 2) << list.size() << " entries";
        }
    }
}

TEST(CentredRect, CentresWithHalvesToEven) {
    struct Case {
        int ScreenWidth, ScreenHeight, WindowWidth, WindowHeight;
        PixelRect Expected;
    };
    constexpr Case cases[]{
        {1920, 1080, 1920, 1080, {0, 0, 1920, 1080}},     // full screen
        {1920, 1080, 981, 201, {470, 440, 1451, 641}},    // 469.5 -> 470, 439.5 -> 440
        {1920, 1080, 983, 203, {468, 438, 1451, 641}},    // 468.5 -> 468, 438.5 -> 438
        {800, 600, 1001, 600, {-100, 0, 901, 600}},       // -100.5 -> -100
        {800, 600, 800, 803, {0, -102, 800, 701}},        // -101.5 -> -102
        {800, 600, 2000, 1400, {-600, -400, 1400, 1000}}, // larger than the screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentredRect(c.ScreenWidth, c.ScreenHeight, c.WindowWidth, c.WindowHeight), c.Expected)
            << c.WindowWidth << "x" << c.WindowHeight << " on " << c.ScreenWidth << "x" << c.ScreenHeight;
}

} // namespace
} // namespace uplift
