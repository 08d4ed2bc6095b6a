#include "controls/caption_button_face.h"

#include "display/pixel_rect_print.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace uplift {
namespace {

// At 96, 144 and 192 dpi each glyph lies inside the edge and, pressed, moves one edge width down and
// right, centred between its two places (the minimize bar stands low on purpose).
TEST(CaptionButtonFace, GlyphsStayInsideTheEdgeAtEveryResolution) {
    struct Size {
        int Width, Height, Edge;
    };
    constexpr Size sizes[]{{16, 14, 1}, {24, 21, 1}, {32, 28, 2}};
    constexpr std::size_t kEdgePieces = 9; // the face, then two rings of four sides
    for (const auto& s : sizes) {
        const PixelRect inner{2 * s.Edge, 2 * s.Edge, s.Width - 2 * s.Edge, s.Height - 2 * s.Edge};
        for (int face = 0; face <= int(CaptionFace::WhatsThisHelp); ++face) {
            const auto up = CaptionButtonFace(CaptionFace(face), false, true, s.Width, s.Height);
            const auto down = CaptionButtonFace(CaptionFace(face), true, true, s.Width, s.Height);
            ASSERT_EQ(up.size(), down.size());
            EXPECT_EQ(up[1].Rect, (PixelRect{0, 0, s.Width, s.Edge})) << s.Height;
            PixelRect glyph{s.Width, s.Height, 0, 0};
            for (std::size_t i = kEdgePieces; i < up.size(); ++i) {
                const PixelRect& r = up[i].Rect;
                EXPECT_EQ(down[i].Rect,
                          (PixelRect{r.Left + s.Edge, r.Top + s.Edge, r.Right + s.Edge, r.Bottom + s.Edge}))
                    << s.Height << " face " << face << " piece " << i;
                glyph = {std::min(glyph.Left, r.Left), std::min(glyph.Top, r.Top),
                         std::max(glyph.Right, r.Right), std::max(glyph.Bottom, r.Bottom)};
            }
            EXPECT_GE(glyph.Left, inner.Left) << s.Height << " face " << face;
            EXPECT_GE(glyph.Top, inner.Top) << s.Height << " face " << face;
            EXPECT_LE(glyph.Right + s.Edge, inner.Right) << s.Height << " face " << face;
            EXPECT_LE(glyph.Bottom + s.Edge, inner.Bottom) << s.Height << " face " << face;
            EXPECT_LE(std::abs((glyph.Left - inner.Left) - (inner.Right - glyph.Right - s.Edge)), 1) << face;
            if (CaptionFace(face) != CaptionFace::Minimize)
                EXPECT_LE(std::abs((glyph.Top - inner.Top) - (inner.Bottom - glyph.Bottom - s.Edge)), 1)
                    << face;
        }
    }
}

} // namespace
} // namespace uplift
