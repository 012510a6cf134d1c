#include "launcher/ui/preview_worker.h"

#include <objidl.h>
#include <gdiplus.h>

#include "launcher/ui/messages.h"
#include "launcher/ui/picture_file.h"

namespace tessaly {
namespace {

// The picture at its place in the box, with its transparency kept for the background behind it.
std::unique_ptr<PreviewPicture> RenderPreview(const std::wstring& path, const RECT& box) {
    const std::unique_ptr<Gdiplus::Bitmap> picture = DecodePictureFile(path);
    if (!picture) return nullptr;
    const PreviewPlacement place = PlacePreview(box, static_cast<int>(picture->GetWidth()),
                                                static_cast<int>(picture->GetHeight()));
    if (place.width <= 0 || place.height <= 0) return nullptr;
    auto shrunk = std::make_unique<Gdiplus::Bitmap>(place.width, place.height, PixelFormat32bppPARGB);
    if (shrunk->GetLastStatus() != Gdiplus::Ok) return nullptr;
    {
        Gdiplus::Graphics g(shrunk.get());
        if (g.DrawImage(picture.get(), 0, 0, place.width, place.height) != Gdiplus::Ok) return nullptr;
    }
    auto out = std::make_unique<PreviewPicture>();
    out->bitmap = std::move(shrunk);
    out->place = place;
    return out;
}

}  // namespace

PreviewPicture::~PreviewPicture() = default;

PreviewWorker::PreviewWorker()
    : NewestWorker(kMsgPreviewReady, [this](const std::wstring& path) { return RenderPreview(path, box_); }) {}

}  // namespace tessaly
