#include "controls/caption_button_face.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

// At 96, 144 and 192 dpi each glyph lies inside the edge (two rings `edge` pixels wide), pressed too,
// when it moves one edge width down and to the right.
TEST(CaptionButtonFace, GlyphsStayInsideTheEdgeAtEveryResolution) {
    constexpr int kSizes[][3]{{16, 14, 1}, {24, 21, 1}, {32, 28, 2}}; // width, height, edge
    for (const auto& [width, height, edge] : kSizes) {
        for (int face = 0; face <= int(CaptionFace::WhatsThisHelp); ++face) {
            const auto up = CaptionButtonFace(CaptionFace(face), false, true, width, height);
            const auto down = CaptionButtonFace(CaptionFace(face), true, true, width, height);
            ASSERT_EQ(up.size(), down.size());
            for (std::size_t i = 9; i < up.size(); ++i) { // after the face and the two rings of four sides
                const PixelRect &r = up[i].Rect, &d = down[i].Rect;
                EXPECT_TRUE(d.Left == r.Left + edge && d.Top == r.Top + edge && d.Right == r.Right + edge &&
                            d.Bottom == r.Bottom + edge && r.Left >= 2 * edge && r.Top >= 2 * edge &&
                            d.Right <= width - 2 * edge && d.Bottom <= height - 2 * edge)
                    << height << " px, face " << face << ", piece " << i;
            }
        }
    }
}

} // namespace
} // namespace uplift
