#include "display/affirmation_choice.h"
#include "display/pixel_rect_print.h"

#include <gtest/gtest.h>

namespace uplift {

TEST(ChooseAffirmation, TheCaptionOrAListEntryDrawnAtRandomWithAFreshWindowFromTwoEntriesOn) {
    using List = std::vector<std::wstring>;
    for (const bool listMode : {false, true})
        for (const List& list :
             {List{}, List{L"Only"}, List{L"First", L"Second"}, List{L"1", L"2", L"3", L"4", L"5"}})
            for (const std::wstring caption : {L"", L"You can do it"}) {
                SettingsRecord settings;
                settings.optList = listMode, settings.txtCaption = caption;
                UniformRandom random, reference;
                const auto count = static_cast<std::int64_t>(list.size());
                for (int showing = 0; showing < 20; ++showing) {
                    const AffirmationChoice shown = ChooseAffirmation(settings, list, random);
                    std::optional<std::wstring> text; // nothing: "No Message To Display!"
                    if (!listMode && !caption.empty()) text = caption;
                    if (listMode && count > 0)
                        text = list[static_cast<std::size_t>(reference.NextIndex(count) - 1)];
                    EXPECT_EQ(shown.Text, text) << listMode << " " << count;
                    EXPECT_EQ(shown.DiscardWindow, listMode && count >= 2) << count << " entries";
                }
                EXPECT_EQ(random.Next(), reference.Next()) << "draws in list mode only";
            }
}

TEST(CentredRect, CentresWithHalvesToEven) {
    // clang-format off
    constexpr std::tuple<int, int, int, int, PixelRect> kCases[]{
        {1920, 1080, 1920, 1080, {0, 0, 1920, 1080}},     // full screen
        {1920, 1080, 981, 201, {470, 440, 1451, 641}},    // 469.5 -> 470, 439.5 -> 440
        {1920, 1080, 983, 203, {468, 438, 1451, 641}},    // 468.5 -> 468, 438.5 -> 438
        {800, 600, 1001, 600, {-100, 0, 901, 600}},       // -100.5 -> -100
        {800, 600, 800, 803, {0, -102, 800, 701}},        // -101.5 -> -102
        {800, 600, 2000, 1400, {-600, -400, 1400, 1000}}}; // larger than the screen
    // clang-format on
    for (const auto& [screenWidth, screenHeight, width, height, expected] : kCases)
        EXPECT_EQ(CentredRect(screenWidth, screenHeight, width, height), expected) << width << "x" << height;
}

} // namespace uplift
