#pragma once
// The browser's preview pictures, decoded and shrunk to the preview box on a worker; the newest
// highlight wins.
#include <memory>

#include "launcher/model/browser_model.h"
#include "launcher/ui/newest_worker.h"

namespace Gdiplus {
class Bitmap;
}

namespace tessaly {

struct PreviewPicture {
    std::unique_ptr<Gdiplus::Bitmap> bitmap;  // already at place's size
    PreviewPlacement place;
    ~PreviewPicture();
};

class PreviewWorker : public NewestWorker<PreviewPicture> {
public:
    PreviewWorker();
    // The box in the browser's client area; set before the first request of a showing (nothing
    // renders then), read by the worker for the requests after it.
    void SetBox(const RECT& box) { box_ = box; }

private:
    RECT box_{kPreviewLeft, kPreviewTop, kPreviewLeft + kPreviewWidth, kPreviewTop + kPreviewHeight};
};

}  // namespace tessaly
