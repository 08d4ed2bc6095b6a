#include "controls/caption_button_face.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace uplift {
namespace {

// At 96, 144 and 192 dpi every face's glyph lies inside the edge, pressed too, when it moves one edge
// width down and to the right.
TEST(CaptionButtonFace, GlyphsStayInsideTheEdgeAtEveryResolution) {
    struct Size {
        int Width, Height, Edge;
    };
    constexpr Size sizes[]{{16, 14, 1}, {24, 21, 1}, {32, 28, 2}};
    constexpr std::size_t kEdgePieces = 9; // the face, then two rings of four sides
    for (const auto& s : sizes) {
        for (int face = 0; face <= int(CaptionFace::WhatsThisHelp); ++face) {
            const auto up = CaptionButtonFace(CaptionFace(face), false, true, s.Width, s.Height);
            const auto down = CaptionButtonFace(CaptionFace(face), true, true, s.Width, s.Height);
            ASSERT_EQ(up.size(), down.size());
            EXPECT_EQ(up[kEdgePieces - 1].Rect,
                      (PixelRect{s.Width - 2 * s.Edge, s.Edge, s.Width - s.Edge, s.Height - s.Edge}));
            for (std::size_t i = kEdgePieces; i < up.size(); ++i) {
                const PixelRect& r = up[i].Rect;
                const PixelRect& d = down[i].Rect;
                EXPECT_TRUE(d.Left == r.Left + s.Edge && d.Top == r.Top + s.Edge &&
                            d.Right == r.Right + s.Edge && d.Bottom == r.Bottom + s.Edge &&
                            r.Left >= 2 * s.Edge && r.Top >= 2 * s.Edge && d.Right <= s.Width - 2 * s.Edge &&
                            d.Bottom <= s.Height - 2 * s.Edge)
                    << s.Height << " px, face " << face << ", piece " << i;
            }
        }
    }
}

} // namespace
} // namespace uplift
