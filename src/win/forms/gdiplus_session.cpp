#include "forms/gdiplus_session.h"

namespace uplift::win {

namespace {

class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    ~GdiplusSession() {
        if (ok_) Gdiplus::GdiplusShutdown(token_);
    }
    bool Ready() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};

} // namespace

bool GdiplusReady() {
    static GdiplusSession session;
    return session.Ready();
}

Gdiplus::REAL PrepareGraphics(Gdiplus::Graphics& g, const RECT& pixels) {
    g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.TranslateTransform(static_cast<Gdiplus::REAL>(pixels.left), static_cast<Gdiplus::REAL>(pixels.top));
    return static_cast<Gdiplus::REAL>(std::min(pixels.right - pixels.left, pixels.bottom - pixels.top));
}

} // namespace uplift::win
