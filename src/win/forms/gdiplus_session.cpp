#include "forms/gdiplus_session.h"

#include <cstddef>

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

void DrawSmooth(HDC dc, const RECT& pixels,
                const std::function<void(Gdiplus::Graphics&, Gdiplus::REAL, Gdiplus::REAL)>& paint) {
    using namespace Gdiplus;
    constexpr int kScale = 4; // samples per pixel across and down
    const int width = pixels.right - pixels.left, height = pixels.bottom - pixels.top;
    if (width <= 0 || height <= 0 || !GdiplusReady()) return;
    Bitmap large(width * kScale, height * kScale, PixelFormat32bppPARGB);
    {
        Graphics g(&large);
        g.SetSmoothingMode(SmoothingModeAntiAlias);
        g.ScaleTransform(static_cast<REAL>(kScale), static_cast<REAL>(kScale));
        paint(g, static_cast<REAL>(width), static_cast<REAL>(height));
    }
    // Each pixel is the mean of its samples: the edges come out smooth even where GDI+ does not
    // smooth them itself.
    Bitmap picture(width, height, PixelFormat32bppPARGB);
    const Rect all(0, 0, width * kScale, height * kScale), target(0, 0, width, height);
    BitmapData from{}, to{};
    if (large.LockBits(&all, ImageLockModeRead, PixelFormat32bppPARGB, &from) != Ok) return;
    if (picture.LockBits(&target, ImageLockModeWrite, PixelFormat32bppPARGB, &to) != Ok) {
        large.UnlockBits(&from);
        return;
    }
    for (int y = 0; y < height; ++y) {
        auto* out = static_cast<BYTE*>(to.Scan0) + static_cast<std::ptrdiff_t>(y) * to.Stride;
        for (int x = 0; x < width; ++x) {
            unsigned sum[4] = {};
            for (int sy = 0; sy < kScale; ++sy) {
                const auto* in = static_cast<const BYTE*>(from.Scan0) +
                                 static_cast<std::ptrdiff_t>(y * kScale + sy) * from.Stride + x * kScale * 4;
                for (int i = 0; i < kScale * 4; ++i)
                    sum[i % 4] += in[i];
            }
            for (int c = 0; c < 4; ++c)
                out[x * 4 + c] = static_cast<BYTE>((sum[c] + kScale * kScale / 2) / (kScale * kScale));
        }
    }
    picture.UnlockBits(&to);
    large.UnlockBits(&from);
    Graphics screen(dc);
    screen.SetInterpolationMode(InterpolationModeNearestNeighbor); // pixel for pixel
    screen.SetPixelOffsetMode(PixelOffsetModeHalf);
    screen.DrawImage(&picture, static_cast<INT>(pixels.left), static_cast<INT>(pixels.top), width, height);
}

} // namespace uplift::win
