#include <algorithm>

#include "win32/handles.h"

// gdiplus.h wants min/max as functions in scope.
using std::max;
using std::min;
#include <gdiplus.h>

namespace win32 {

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, background thread on
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace win32
