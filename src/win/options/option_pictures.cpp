// frmMenu: the small pictures at the left of the options dialog's three frames, drawn as shapes at
// the size they take on the screen, so that they stay sharp at every resolution.

#include "app/frm_menu.h"

#include "forms/gdiplus_session.h"

namespace uplift::win {

namespace {

using namespace Gdiplus;
using namespace pictures;

// A speech bubble with a small heart: the affirmation.
void DrawBubble(Graphics& g, REAL s) {
    GraphicsPath bubble;
    const REAL r = s * 0.18f;
    const RectF body(s * 0.06f, s * 0.08f, s * 0.88f, s * 0.64f);
    bubble.AddArc(body.X, body.Y, 2 * r, 2 * r, 180, 90);
    bubble.AddArc(body.GetRight() - 2 * r, body.Y, 2 * r, 2 * r, 270, 90);
    bubble.AddArc(body.GetRight() - 2 * r, body.GetBottom() - 2 * r, 2 * r, 2 * r, 0, 90);
    bubble.AddLine(body.X + s * 0.42f, body.GetBottom(), body.X + s * 0.18f, s * 0.94f);
    bubble.AddLine(body.X + s * 0.22f, body.GetBottom(), body.X + r, body.GetBottom());
    bubble.AddArc(body.X, body.GetBottom() - 2 * r, 2 * r, 2 * r, 90, 90);
    bubble.CloseFigure();
    SolidBrush fill(kWarm);
    g.FillPath(&fill, &bubble);
    Pen outline(kInk, std::max<REAL>(1.0f, s / 24));
    outline.SetLineJoin(LineJoinRound);
    g.DrawPath(&outline, &bubble);

    GraphicsPath heart;
    const REAL cx = s * 0.5f, cy = s * 0.42f, h = s * 0.15f;
    heart.AddBezier(cx, cy + h, cx - h * 2.2f, cy - h * 0.2f, cx - h * 0.9f, cy - h * 1.9f, cx,
                    cy - h * 0.6f);
    heart.AddBezier(cx, cy - h * 0.6f, cx + h * 0.9f, cy - h * 1.9f, cx + h * 2.2f, cy - h * 0.2f, cx,
                    cy + h);
    SolidBrush white(kPaper);
    g.FillPath(&white, &heart);
}

// A clock at ten past ten: when and for how long.
void DrawClock(Graphics& g, REAL s) {
    const REAL line = std::max<REAL>(1.0f, s / 24);
    SolidBrush face(kPaper);
    Pen rim(kSky, line * 2.2f);
    const RectF dial(s * 0.08f, s * 0.08f, s * 0.84f, s * 0.84f);
    g.FillEllipse(&face, dial);
    g.DrawEllipse(&rim, dial);
    Pen hand(kInk, line * 1.6f);
    hand.SetStartCap(LineCapRound);
    hand.SetEndCap(LineCapRound);
    const PointF centre(s * 0.5f, s * 0.5f);
    g.DrawLine(&hand, centre, PointF(s * 0.5f, s * 0.22f));
    g.DrawLine(&hand, centre, PointF(s * 0.71f, s * 0.6f));
    SolidBrush pin(kWarm);
    g.FillEllipse(&pin, s * 0.45f, s * 0.45f, s * 0.1f, s * 0.1f);
}

// A screen on its stand, with a line of text: how it looks.
void DrawScreen(Graphics& g, REAL s) {
    const REAL line = std::max<REAL>(1.0f, s / 24);
    SolidBrush frame(kInk);
    SolidBrush glass(kSky);
    g.FillRectangle(&frame, s * 0.04f, s * 0.12f, s * 0.92f, s * 0.6f);
    g.FillRectangle(&glass, s * 0.04f + line * 1.5f, s * 0.12f + line * 1.5f, s * 0.92f - line * 3,
                    s * 0.6f - line * 3);
    g.FillRectangle(&frame, s * 0.44f, s * 0.72f, s * 0.12f, s * 0.12f);
    g.FillRectangle(&frame, s * 0.26f, s * 0.84f, s * 0.48f, line * 1.6f);
    Pen text(kPaper, line * 1.4f);
    text.SetStartCap(LineCapRound);
    text.SetEndCap(LineCapRound);
    g.DrawLine(&text, PointF(s * 0.24f, s * 0.42f), PointF(s * 0.76f, s * 0.42f));
    SolidBrush spark(kWarm);
    g.FillEllipse(&spark, s * 0.72f, s * 0.2f, s * 0.12f, s * 0.12f);
}

} // namespace

void frmMenu::DrawPicture(std::wstring_view name, HDC dc, const RECT& pixels) const {
    DrawSmooth(dc, pixels, [name](Graphics& g, REAL width, REAL height) {
        const REAL size = std::min(width, height);
        if (name == L"imgAffirmation")
            DrawBubble(g, size);
        else if (name == L"imgDisplayTimes")
            DrawClock(g, size);
        else if (name == L"imgScreen")
            DrawScreen(g, size);
    });
}

} // namespace uplift::win
