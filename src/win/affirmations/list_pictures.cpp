// frmList: the pictures of its three list buttons, drawn as shapes at the size they take on the
// screen, so that they stay sharp at every resolution.

#include "affirmations/frm_list.h"

#include "forms/gdiplus_session.h"

#include <cmath>

namespace uplift::win {

namespace {

using namespace Gdiplus;
using namespace pictures;

const Color kRed(255, 204, 64, 64);

// Whole-pixel strokes on the pixel grid stay crisp at the small sizes of the lower resolutions: a
// stroke of odd width is centred on a pixel's middle, one of even width between two pixels.
REAL LineWidth(REAL s, REAL share = 24) {
    return std::max<REAL>(1.0f, std::round(s / share));
}
REAL Snap(REAL at, REAL width) {
    return static_cast<int>(width) % 2 ? std::floor(at) + 0.5f : std::round(at);
}

// A closed shape through the points, filled and outlined in ink.
void DrawShape(Graphics& g, std::initializer_list<PointF> points, const Color& fill, REAL line) {
    GraphicsPath path;
    path.AddPolygon(points.begin(), static_cast<INT>(points.size()));
    SolidBrush brush(fill);
    g.FillPath(&brush, &path);
    Pen outline(kInk, line);
    outline.SetLineJoin(LineJoinRound);
    g.DrawPath(&outline, &path);
}

// A sheet with a folded corner and three lines of text: an affirmation of the list.
void DrawSheet(Graphics& g, REAL s, REAL x, REAL y, REAL w, REAL h) {
    const REAL line = LineWidth(s), right = Snap(x + w, line);
    x = Snap(x, line), y = Snap(y, line), h = Snap(y + h, line) - y, w = right - x;
    const REAL fold = std::round(w * 0.3f);
    DrawShape(g, {{x, y}, {x + w - fold, y}, {x + w, y + fold}, {x + w, y + h}, {x, y + h}}, kPaper, line);
    Pen outline(kInk, line);
    g.DrawLine(&outline, PointF(x + w - fold, y), PointF(x + w - fold, y + fold));
    g.DrawLine(&outline, PointF(x + w - fold, y + fold), PointF(x + w, y + fold));
    const REAL textWidth = LineWidth(s, 16);
    Pen text(kSky, textWidth);
    for (int row = 0; row < 3; ++row) {
        const REAL at = Snap(y + h * (0.42f + 0.18f * static_cast<REAL>(row)), textWidth);
        g.DrawLine(&text, PointF(x + w * 0.2f, at), PointF(x + w * (row == 2 ? 0.55f : 0.8f), at));
    }
}

// A round badge at the lower right with a plus or a cross, on a rim of paper that parts it from the sheet.
void DrawBadge(Graphics& g, REAL s, const Color& colour, bool cross) {
    const REAL line = LineWidth(s);
    const REAL d = s * 0.5f, x = s - d - line, y = s - d - line;
    SolidBrush rim(kPaper);
    g.FillEllipse(&rim, x - line, y - line, d + 2 * line, d + 2 * line);
    SolidBrush fill(colour);
    g.FillEllipse(&fill, x, y, d, d);
    const REAL width = std::max<REAL>(2.0f, LineWidth(s, 11));
    Pen mark(kPaper, width);
    mark.SetStartCap(cross ? LineCapRound : LineCapFlat);
    mark.SetEndCap(cross ? LineCapRound : LineCapFlat);
    const REAL cx = Snap(x + d / 2, width), cy = Snap(y + d / 2, width),
               r = std::round(d * (cross ? 0.24f : 0.3f));
    if (cross) {
        g.DrawLine(&mark, PointF(cx - r, cy - r), PointF(cx + r, cy + r));
        g.DrawLine(&mark, PointF(cx - r, cy + r), PointF(cx + r, cy - r));
    } else {
        g.DrawLine(&mark, PointF(cx - r, cy), PointF(cx + r, cy));
        g.DrawLine(&mark, PointF(cx, cy - r), PointF(cx, cy + r));
    }
}

// An open folder with a sheet in it: ready-made affirmations.
void DrawFolder(Graphics& g, REAL s) {
    const REAL line = LineWidth(s);
    DrawShape(g,
              {{s * 0.06f, s * 0.2f},
               {s * 0.36f, s * 0.2f},
               {s * 0.44f, s * 0.28f},
               {s * 0.9f, s * 0.28f},
               {s * 0.9f, s * 0.86f},
               {s * 0.06f, s * 0.86f}},
              Color(255, 214, 112, 20), line);
    DrawSheet(g, s, s * 0.24f, s * 0.1f, s * 0.5f, s * 0.56f);
    DrawShape(
        g, {{s * 0.16f, s * 0.46f}, {s * 0.98f, s * 0.46f}, {s * 0.88f, s * 0.86f}, {s * 0.04f, s * 0.86f}},
        kWarm, line);
}

} // namespace

void frmList::DrawPicture(std::wstring_view name, HDC dc, const RECT& pixels) const {
    if (!GdiplusReady()) return;
    Graphics g(dc);
    const REAL s = PrepareGraphics(g, pixels);
    if (name == L"cmdBrowse") {
        DrawFolder(g, s);
        return;
    }
    DrawSheet(g, s, s * 0.12f, s * 0.04f, s * 0.6f, s * 0.78f);
    DrawBadge(g, s, name == L"cmdAdd" ? kSky : kRed, name == L"cmdDelete");
}

} // namespace uplift::win
