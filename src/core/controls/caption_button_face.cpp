#include "controls/caption_button_face.h"

#include <algorithm>
#include <cmath>

namespace uplift {
namespace {

// The faces are designed at 16 x 14 pixels; every length follows the real height.
constexpr double kDesignHeight = 14;

struct GlyphShape {
    int Width = 0, Height = 0; // the box that is centred on the face
    std::vector<FacePiece> Pieces;
};

class GlyphPen {
public:
    explicit GlyphPen(int height) : scale_(height / kDesignHeight) {}

    // A design length in pixels, never less than one.
    int operator()(double designPixels) const {
        return std::max(1, static_cast<int>(std::lround(designPixels * scale_)));
    }
    // The width of a line: one pixel up to a third larger than the design, then in whole steps.
    int Thin() const { return std::max(1, static_cast<int>(scale_ + 0.25)); }
    int Thick() const { return (*this)(2); }

private:
    double scale_;
};

void Outline(std::vector<FacePiece>& pieces, PixelRect box, int thin, int top) {
    pieces.push_back({{box.Left, box.Top, box.Right, box.Top + top}, FaceInk::Glyph});
    pieces.push_back({{box.Left, box.Top, box.Left + thin, box.Bottom}, FaceInk::Glyph});
    pieces.push_back({{box.Right - thin, box.Top, box.Right, box.Bottom}, FaceInk::Glyph});
    pieces.push_back({{box.Left, box.Bottom - thin, box.Right, box.Bottom}, FaceInk::Glyph});
}

// Two strokes that step one pixel a row, so that the cross is sharp at every size.
GlyphShape CloseGlyph(const GlyphPen& pen) {
    const int rows = pen(7), stroke = pen.Thick();
    GlyphShape glyph{rows + stroke - 1, rows, {}};
    for (int r = 0; r < rows; ++r) {
        glyph.Pieces.push_back({{r, r, r + stroke, r + 1}, FaceInk::Glyph});
        glyph.Pieces.push_back({{glyph.Width - stroke - r, r, glyph.Width - r, r + 1}, FaceInk::Glyph});
    }
    return glyph;
}

GlyphShape MaximizeGlyph(const GlyphPen& pen) {
    const int side = pen(9);
    GlyphShape glyph{side, side, {}};
    Outline(glyph.Pieces, {0, 0, side, side}, pen.Thin(), pen.Thick());
    return glyph;
}

// Two windows, the front one hiding the lower left corner of the one behind.
GlyphShape NormalizeGlyph(const GlyphPen& pen) {
    const int side = pen(6), offset = pen(3);
    GlyphShape glyph{side + offset, side + offset, {}};
    Outline(glyph.Pieces, {offset, 0, offset + side, side}, pen.Thin(), pen.Thick());
    glyph.Pieces.push_back({{0, offset, side, offset + side}, FaceInk::Face});
    Outline(glyph.Pieces, {0, offset, side, offset + side}, pen.Thin(), pen.Thick());
    return glyph;
}

// A bar as high as the foot of the maximize glyph.
GlyphShape MinimizeGlyph(const GlyphPen& pen) {
    const int side = pen(9), width = pen(6);
    GlyphShape glyph{width, side, {}};
    glyph.Pieces.push_back({{0, side - pen.Thick(), width, side}, FaceInk::Glyph});
    return glyph;
}

// A question mark on a grid of whole pixels, one grid step being one or more pixels.
GlyphShape WhatsThisGlyph(const GlyphPen& pen) {
    constexpr PixelRect kMark[]{{1, 0, 5, 1}, {0, 1, 2, 2}, {4, 1, 6, 3},
                                {3, 3, 5, 4}, {2, 4, 4, 6}, {2, 7, 4, 8}};
    const int step = pen(1);
    GlyphShape glyph{6 * step, 8 * step, {}};
    for (const PixelRect& r : kMark)
        glyph.Pieces.push_back(
            {{r.Left * step, r.Top * step, r.Right * step, r.Bottom * step}, FaceInk::Glyph});
    return glyph;
}

GlyphShape GlyphOf(CaptionFace face, const GlyphPen& pen) {
    switch (face) {
    case CaptionFace::CloseForm: return CloseGlyph(pen);
    case CaptionFace::Maximize: return MaximizeGlyph(pen);
    case CaptionFace::Normalize: return NormalizeGlyph(pen);
    case CaptionFace::Minimize: return MinimizeGlyph(pen);
    case CaptionFace::WhatsThisHelp: return WhatsThisGlyph(pen);
    }
    return {};
}

// One ring of the edge: the top and left sides in one ink, then the bottom and right sides, which
// own the corners they share with the others.
void Ring(std::vector<FacePiece>& pieces, PixelRect r, int width, FaceInk topLeft, FaceInk bottomRight) {
    pieces.push_back({{r.Left, r.Top, r.Right, r.Top + width}, topLeft});
    pieces.push_back({{r.Left, r.Top, r.Left + width, r.Bottom}, topLeft});
    pieces.push_back({{r.Left, r.Bottom - width, r.Right, r.Bottom}, bottomRight});
    pieces.push_back({{r.Right - width, r.Top, r.Right, r.Bottom}, bottomRight});
}

void Place(std::vector<FacePiece>& pieces, const GlyphShape& glyph, int left, int top, FaceInk ink) {
    for (FacePiece piece : glyph.Pieces) {
        piece.Rect = {piece.Rect.Left + left, piece.Rect.Top + top, piece.Rect.Right + left,
                      piece.Rect.Bottom + top};
        if (piece.Ink == FaceInk::Glyph) piece.Ink = ink;
        pieces.push_back(piece);
    }
}

} // namespace

std::vector<FacePiece> CaptionButtonFace(CaptionFace face, bool down, bool enabled, int width, int height) {
    std::vector<FacePiece> pieces;
    if (width <= 0 || height <= 0) return pieces;
    const GlyphPen pen(height);
    const int edge = pen.Thin();
    pieces.push_back({{0, 0, width, height}, FaceInk::Face});
    // Raised at rest; pressed, the lit and shaded sides change places.
    using enum FaceInk;
    Ring(pieces, {0, 0, width, height}, edge, down ? DarkShadow : Light, down ? Highlight : DarkShadow);
    Ring(pieces, {edge, edge, width - edge, height - edge}, edge, down ? Shadow : Highlight,
         down ? Light : Shadow);

    // Pressed, the glyph moves down and to the right with the face: it is centred inside the edge
    // between its two places.
    const GlyphShape glyph = GlyphOf(face, pen);
    const int shift = down ? edge : 0;
    const int left = 2 * edge + (width - 5 * edge - glyph.Width) / 2 + shift;
    const int top = 2 * edge + (height - 5 * edge - glyph.Height) / 2 + shift;
    if (enabled) {
        Place(pieces, glyph, left, top, Glyph);
    } else {
        // Engraved: a lit copy one pixel down and right under the grey glyph.
        Place(pieces, glyph, left + edge, top + edge, Highlight);
        Place(pieces, glyph, left, top, DisabledGlyph);
    }
    return pieces;
}

} // namespace uplift
