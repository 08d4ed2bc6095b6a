#pragma once
// The faces of the gradient title bar's caption buttons, drawn at the button's real size in pixels
// rather than scaled from a small picture: a raised or pressed edge and a glyph, as rectangles that
// are filled in order with the platform's colours for three-dimensional elements.

#include "display/text_region.h"

#include <vector>

namespace uplift {

// Normalize is the restore face of the maximize button.
enum class CaptionFace { CloseForm, Maximize, Normalize, Minimize, WhatsThisHelp };

enum class FaceInk { Face, Highlight, Light, Shadow, DarkShadow, Glyph, DisabledGlyph };

struct FacePiece {
    PixelRect Rect;
    FaceInk Ink = FaceInk::Face;
    friend bool operator==(const FacePiece&, const FacePiece&) = default;
};

// The pieces of a `width` x `height` face in the button's own pixels, to be filled in this order.
// `down` is the pressed face; a disabled face has an engraved grey glyph.
std::vector<FacePiece> CaptionButtonFace(CaptionFace face, bool down, bool enabled, int width, int height);

} // namespace uplift
