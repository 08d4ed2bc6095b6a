#include "options/common_dialog_flags.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

TEST(CommonDialogFlags, RequestsSizesAndTheChosenFont) {
    EXPECT_EQ(ColorDialogFlags(true, false, false), 0x101u);
    EXPECT_EQ(ColorDialogFlags(false, true, true), 0x87u);
    EXPECT_EQ(FontDialogFlags(kOptionsFontFlags, false, 0, 0, 0), 0x10141u);
    EXPECT_EQ(FontDialogFlags(0x218, true, 0xFF, 8, 0), 0x2142u); // hook, template and apply removed
    // Points, tenths, LOGFONT heights at 96 and 144 dpi; halves go to the even neighbour.
    for (const auto& [points, tenths, at96, at144] : {std::tuple{8.25f, 82, -11, -16}, {8.75f, 88, -12, -18}})
        EXPECT_EQ(std::tuple(PointSizeTenths(points), LogFontHeight(points, 96), LogFontHeight(points, 144)),
                  std::tuple(tenths, at96, at144))
            << points;
    // The weight decides bold: the font type's bold bit counts only when the weight is unknown.
    for (const auto& [weight, boldType, bold] :
         {std::tuple{400, true, false}, {0, true, true}, {600, false, true}, {500, true, false}}) {
        FontDescription font;
        ApplyDialogFont(font, {L"Tahoma", weight, true, false, true}, 105, boldType);
        EXPECT_EQ(font, (FontDescription{L"Tahoma", 10.5f, bold, true, true, false})) << weight;
    }
}

} // namespace
} // namespace uplift
