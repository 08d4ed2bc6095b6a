#include "options/common_dialog_flags.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

TEST(CommonDialogFlags, Requests) {
    EXPECT_EQ(ColorDialogFlags(true, false, false), 0x101u); // the options dialog's colour request
    EXPECT_EQ(ColorDialogFlags(false, true, true), 0x87u);
    EXPECT_EQ(FontDialogFlags(kOptionsFontFlags, false, 0, 0, 0), 0x10141u);
    EXPECT_EQ(FontDialogFlags(0x218, true, 0xFF, 8, 0), 0x2142u); // hook, template and apply removed
    EXPECT_EQ(FontDialogFlags(0x2, false, 0, 0, 72), 0x2042u);    // printer fonts alone
}

TEST(CommonDialogFlags, SizesRoundHalvesToEven) {
    const std::tuple<float, int, int, int> cases[] = {// points, tenths, height at 96 and 144 dpi
                                                      {10.5f, 105, -14, -21}, {8.25f, 82, -11, -16},
                                                      {8.75f, 88, -12, -18},  {48, 480, -64, -96},
                                                      {1.125f, 11, -2, -2},   {0.375f, 4, 0, -1}};
    for (const auto& [points, tenths, at96, at144] : cases) {
        EXPECT_EQ(PointSizeTenths(points), tenths) << points;
        EXPECT_EQ(LogFontHeight(points, 96), at96) << points;
        EXPECT_EQ(LogFontHeight(points, 144), at144) << points;
    }
}

TEST(CommonDialogFlags, ChosenFontWeightDecidesBold) {
    const std::tuple<int, bool, bool> cases[] = {
        {700, false, true}, {400, true, false}, {0, true, true}, {600, false, true}, {500, true, false}};
    for (const auto& [weight, boldType, bold] : cases) {
        FontDescription font;
        ApplyDialogFont(font, {L"Tahoma", weight, true, false, true}, 105, boldType);
        EXPECT_EQ(font, (FontDescription{L"Tahoma", 10.5f, bold, true, true, false})) << weight;
    }
    const DialogFont start = ToDialogFont({std::wstring(40, L'x'), 9, true});
    EXPECT_EQ(start.FaceName.size(), 31u);
    EXPECT_EQ(start.Weight, 700);
}

} // namespace
} // namespace uplift
