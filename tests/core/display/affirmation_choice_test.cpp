#include "display/affirmation_choice.h"
#include "display/pixel_rect_print.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace uplift {
namespace {

using List = std::vector<std::wstring>;

SettingsRecord Single(std::wstring text) {
    SettingsRecord settings;
    settings.optList = false;
    settings.txtCaption = std::move(text);
    return settings;
}

SettingsRecord FromList() {
    SettingsRecord settings;
    settings.optList = true;
    settings.txtCaption = L"not this one";
    return settings;
}

TEST(ChooseAffirmation, SingleModeShowsTheCaption) {
    UniformRandom random;
    const List list{L"a", L"b"};
    const auto shown = ChooseAffirmation(Single(L"You can do it"), list, random);
    EXPECT_EQ(shown.Text, L"You can do it");
    EXPECT_FALSE(shown.DiscardWindow);

    const auto nothing = ChooseAffirmation(Single(L""), list, random);
    EXPECT_FALSE(nothing.Text.has_value());
    EXPECT_FALSE(nothing.DiscardWindow);

    UniformRandom untouched;
    EXPECT_EQ(random.Next(), untouched.Next()) << "single mode draws nothing";
}

TEST(ChooseAffirmation, ListModeDrawsAnEntry) {
    struct Case {
        const char* Name;
        List Messages;
        bool Discard;
    };
    const Case cases[]{
        {"empty list", {}, false},
        {"one entry", {L"Only"}, false},
        {"two entries", {L"First", L"Second"}, true},
        {"many entries", {L"1", L"2", L"3", L"4", L"5", L"6", L"7"}, true},
    };
    for (const auto& c : cases) {
        UniformRandom random, reference;
        for (int showing = 0; showing < 50; ++showing) {
            const auto shown = ChooseAffirmation(FromList(), c.Messages, random);
            if (c.Messages.empty()) {
                EXPECT_FALSE(shown.Text.has_value()) << c.Name;
                EXPECT_FALSE(shown.DiscardWindow) << c.Name;
                continue;
            }
            const auto expected = c.Messages[static_cast<std::size_t>(
                reference.NextIndex(static_cast<std::int64_t>(c.Messages.size())) - 1)];
            EXPECT_EQ(shown.Text, expected) << c.Name << ", showing " << showing;
            EXPECT_EQ(shown.DiscardWindow, c.Discard) << c.Name;
        }
    }
}

TEST(ChooseAffirmation, TwoRunsShowTheSameOrderAndRepeatsHappen) {
    const List list{L"Breathe", L"Smile"};
    UniformRandom first, second;
    std::wstring previous;
    bool repeated = false, changed = false;
    for (int showing = 0; showing < 40; ++showing) {
        const auto a = ChooseAffirmation(FromList(), list, first);
        const auto b = ChooseAffirmation(FromList(), list, second);
        ASSERT_EQ(a.Text, b.Text) << "showing " << showing;
        if (showing > 0) (*a.Text == previous ? repeated : changed) = true;
        previous = *a.Text;
    }
    EXPECT_TRUE(repeated) << "an entry may come twice in a row";
    EXPECT_TRUE(changed);
}

TEST(CentredRect, CentresWithHalvesToEven) {
    struct Case {
        int ScreenWidth, ScreenHeight, WindowWidth, WindowHeight;
        PixelRect Expected;
    };
    constexpr Case cases[]{
        {1920, 1080, 1920, 1080, {0, 0, 1920, 1080}},     // full screen
        {1920, 1080, 980, 200, {470, 440, 1450, 640}},    // exact halves
        {1920, 1080, 981, 201, {470, 440, 1451, 641}},    // 469.5 -> 470, 439.5 -> 440
        {1920, 1080, 983, 203, {468, 438, 1451, 641}},    // 468.5 -> 468, 438.5 -> 438
        {1024, 768, 1, 1, {512, 384, 513, 385}},          // 511.5 -> 512, 383.5 -> 384
        {800, 600, 1001, 600, {-100, 0, 901, 600}},       // -100.5 -> -100
        {800, 600, 800, 803, {0, -102, 800, 701}},        // -101.5 -> -102
        {800, 600, 2000, 1400, {-600, -400, 1400, 1000}}, // larger than the screen
        {0, 0, 0, 0, {0, 0, 0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentredRect(c.ScreenWidth, c.ScreenHeight, c.WindowWidth, c.WindowHeight), c.Expected)
            << c.WindowWidth << "x" << c.WindowHeight << " on " << c.ScreenWidth << "x" << c.ScreenHeight;
}

} // namespace
} // namespace uplift
