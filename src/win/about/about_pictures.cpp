// frmAbout: the banner across the top, the program's icon and the etched separator, drawn as shapes at
// the size they take on the screen, so that they stay sharp at every resolution.

#include "about/frm_about.h"

#include "forms/gdiplus_session.h"

#include <cmath>
#include <numbers>

namespace uplift::win {

namespace {

using namespace Gdiplus;

const Color kDeep(255, 31, 95, 191);
const Color kSky(255, 86, 152, 230);
const Color kLight(255, 255, 210, 63);
const Color kRays(255, 255, 230, 128);
const Color kWarm(255, 240, 138, 36);

// The beacon of the program's icon in a square of side s at (x, y): a lit lamp and eight rays.
void DrawBeacon(Graphics& g, REAL x, REAL y, REAL s) {
    const REAL cx = x + s / 2, cy = y + s / 2;
    Pen rays(kRays, s * 0.055f);
    rays.SetStartCap(LineCapRound);
    rays.SetEndCap(LineCapRound);
    for (int i = 0; i < 8; ++i) {
        const double angle = i * std::numbers::pi / 4;
        const auto dx = static_cast<REAL>(std::cos(angle)), dy = static_cast<REAL>(std::sin(angle));
        const REAL inner = s * (i % 2 ? 0.27f : 0.23f), outer = s * (i % 2 ? 0.36f : 0.35f);
        g.DrawLine(&rays, cx + dx * inner, cy + dy * inner, cx + dx * outer, cy + dy * outer);
    }
    SolidBrush lamp(kLight);
    const REAL r = s * 0.195f;
    g.FillEllipse(&lamp, cx - r, cy - r, 2 * r, 2 * r);
}

// The program's icon: the beacon on a blue tile with round corners.
void DrawIcon(Graphics& g, REAL s) {
    GraphicsPath tile;
    const REAL inset = s * 0.03f, d = s * 0.375f, right = s - inset - d;
    tile.AddArc(inset, inset, d, d, 180, 90);
    tile.AddArc(right, inset, d, d, 270, 90);
    tile.AddArc(right, right, d, d, 0, 90);
    tile.AddArc(inset, right, d, d, 90, 90);
    tile.CloseFigure();
    SolidBrush fill(kDeep);
    g.FillPath(&fill, &tile);
    DrawBeacon(g, 0, 0, s);
}

// A band from deep blue to sky blue, a beacon with its glow near the right end, a warm line below.
void DrawBanner(Graphics& g, REAL width, REAL height) {
    LinearGradientBrush band(PointF(0, 0), PointF(width, 0), kDeep, kSky);
    g.FillRectangle(&band, 0.0f, 0.0f, width, height);
    const REAL side = height * 1.1f, x = width - side * 1.6f, y = (height - side) / 2;
    GraphicsPath glow;
    glow.AddEllipse(x - side * 0.3f, y - side * 0.3f, side * 1.6f, side * 1.6f);
    PathGradientBrush halo(&glow);
    halo.SetCenterColor(Color(150, 255, 236, 160));
    Color edge(0, 255, 236, 160);
    INT count = 1;
    halo.SetSurroundColors(&edge, &count);
    g.FillPath(&halo, &glow);
    DrawBeacon(g, x, y, side);
    SolidBrush line(kWarm);
    const REAL thickness = std::max<REAL>(1.0f, height / 21);
    g.FillRectangle(&line, 0.0f, height - thickness, width, thickness);
}

} // namespace

void frmAbout::DrawPicture(std::wstring_view name, HDC dc, const RECT& pixels) const {
    if (name == L"Line1") {
        // Etched: a shadow line with a light line just below it.
        const int thickness = std::max(1, ::MulDiv(1, static_cast<int>(Dpi()), 96));
        RECT shadow{pixels.left, pixels.top, pixels.right, pixels.top + thickness};
        RECT light{shadow.left, shadow.bottom, shadow.right, shadow.bottom + thickness};
        ::FillRect(dc, &shadow, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::FillRect(dc, &light, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    } else if (name == L"picBanner") {
        DrawSmooth(dc, pixels, DrawBanner);
    } else if (name == L"Image1") {
        DrawSmooth(dc, pixels,
                   [](Graphics& g, REAL width, REAL height) { DrawIcon(g, std::min(width, height)); });
    }
}

} // namespace uplift::win
