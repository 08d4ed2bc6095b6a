#include "controls/caption_button_face.h"

#include "display/pixel_rect_print.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace uplift {
namespace {

bool Inside(const PixelRect& r, const PixelRect& area) {
    return r.Left >= area.Left && r.Top >= area.Top && r.Right <= area.Right && r.Bottom <= area.Bottom &&
           r.Left < r.Right && r.Top < r.Bottom;
}

// At 96, 144 and 192 dots per inch every glyph stays inside the edge, and moves one edge width down
// and right when pressed, centred between its two places; the edge is one pixel wide up to 144 dots
// per inch. Disabled buttons are never pressed.
TEST(CaptionButtonFace, GlyphsStayInsideTheEdgeAtEveryResolution) {
    struct Size {
        int Width, Height, Edge;
    };
    constexpr Size sizes[]{{16, 14, 1}, {24, 21, 1}, {32, 28, 2}};
    constexpr CaptionFace faces[]{CaptionFace::CloseForm, CaptionFace::Maximize, CaptionFace::Normalize,
                                  CaptionFace::Minimize, CaptionFace::WhatsThisHelp};
    constexpr std::size_t kEdgePieces = 9; // the face, then two rings of four sides
    for (const auto& s : sizes) {
        const PixelRect inner{2 * s.Edge, 2 * s.Edge, s.Width - 2 * s.Edge, s.Height - 2 * s.Edge};
        for (const CaptionFace face : faces) {
            for (const bool enabled : {true, false}) {
                const auto up = CaptionButtonFace(face, false, enabled, s.Width, s.Height);
                const auto down = CaptionButtonFace(face, true, enabled, s.Width, s.Height);
                ASSERT_GT(up.size(), kEdgePieces);
                ASSERT_EQ(up.size(), down.size());
                EXPECT_EQ(up[0], (FacePiece{{0, 0, s.Width, s.Height}, FaceInk::Face}));
                EXPECT_EQ(up[1].Rect, (PixelRect{0, 0, s.Width, s.Edge})) << s.Height;
                PixelRect glyph{s.Width, s.Height, 0, 0};
                for (std::size_t i = kEdgePieces; i < up.size(); ++i) {
                    const auto& p = down[i].Rect;
                    EXPECT_TRUE(Inside(up[i].Rect, inner))
                        << s.Height << " face " << int(face) << " piece " << i;
                    if (!enabled) continue;
                    EXPECT_TRUE(Inside(p, inner)) << s.Height << " face " << int(face) << " piece " << i;
                    EXPECT_EQ(up[i].Rect, (PixelRect{p.Left - s.Edge, p.Top - s.Edge, p.Right - s.Edge,
                                                     p.Bottom - s.Edge}))
                        << s.Height << " face " << int(face) << " piece " << i;
                    glyph = {std::min(glyph.Left, up[i].Rect.Left), std::min(glyph.Top, up[i].Rect.Top),
                             std::max(glyph.Right, up[i].Rect.Right),
                             std::max(glyph.Bottom, up[i].Rect.Bottom)};
                }
                if (!enabled) continue;
                EXPECT_LE(std::abs((glyph.Left - inner.Left) - (inner.Right - glyph.Right - s.Edge)), 1)
                    << s.Height << " face " << int(face);
                // The minimize bar stands at the foot of the box of the maximize glyph.
                if (face != CaptionFace::Minimize)
                    EXPECT_LE(std::abs((glyph.Top - inner.Top) - (inner.Bottom - glyph.Bottom - s.Edge)), 1)
                        << s.Height << " face " << int(face);
            }
        }
    }
}

TEST(CaptionButtonFace, CloseCrossStepsOnePixelARow) {
    const auto pieces = CaptionButtonFace(CaptionFace::CloseForm, false, true, 24, 21);
    std::vector<PixelRect> strokes;
    for (const auto& p : pieces)
        if (p.Ink == FaceInk::Glyph) strokes.push_back(p.Rect);
    ASSERT_EQ(strokes.size(), 2u * 11);
    for (std::size_t row = 0; row < 11; ++row) {
        const PixelRect& left = strokes[2 * row];
        const PixelRect& right = strokes[2 * row + 1];
        EXPECT_EQ(left.Right - left.Left, 3) << row;
        EXPECT_EQ(left.Left, strokes[0].Left + int(row)) << row;
        EXPECT_EQ(right.Right, strokes[1].Right - int(row)) << row;
        EXPECT_EQ(left.Top, strokes[0].Top + int(row)) << row;
    }
}

} // namespace
} // namespace uplift
