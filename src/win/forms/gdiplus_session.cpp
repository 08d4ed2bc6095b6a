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
    bool Running() const { return ok_; }

private:
    ULONG_PTR token_ = 0;
    bool ok_ = false;
};

} // namespace

bool GdiplusReady() {
    static GdiplusSession session;
    return session.Running();
}

} // namespace uplift::win
