#include "launcher/ui/preview_worker.h"

#include <objidl.h>
#include <gdiplus.h>

#include "launcher/ui/messages.h"
#include "launcher/ui/picture_file.h"

namespace tessaly {
namespace {

// The picture at its place in the box, with its transparency kept for the background behind it.
std::optional<PreviewWorker::Result> Render(const std::wstring& path, const RECT& box) {
    const std::unique_ptr<Gdiplus::Bitmap> picture = DecodePictureFile(path);
    if (!picture) return std::nullopt;
    const PreviewPlacement place = PlacePreview(box, static_cast<int>(picture->GetWidth()),
                                                static_cast<int>(picture->GetHeight()));
    if (place.width <= 0 || place.height <= 0) return std::nullopt;
    auto shrunk = std::make_unique<Gdiplus::Bitmap>(place.width, place.height, PixelFormat32bppPARGB);
    if (shrunk->GetLastStatus() != Gdiplus::Ok) return std::nullopt;
    {
        Gdiplus::Graphics g(shrunk.get());
        if (g.DrawImage(picture.get(), 0, 0, place.width, place.height) != Gdiplus::Ok) return std::nullopt;
    }
    return PreviewWorker::Result{path, std::move(shrunk), place};
}

}  // namespace

PreviewWorker::PreviewWorker() : wake_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

PreviewWorker::~PreviewWorker() { Stop(); }

void PreviewWorker::Request(HWND window, const std::wstring& path, const RECT& box) {
    {
        win32::CriticalSection::Lock hold(lock_);
        window_ = window;
        wanted_ = path;
        box_ = box;
        ++generation_;
        pending_ = !path.empty();
        answered_ = path.empty();
        ready_.reset();
        if (!pending_) return;
    }
    if (!thread_ && wake_) thread_.reset(::CreateThread(nullptr, 0, Run, this, 0, nullptr));
    if (!thread_) {
        win32::CriticalSection::Lock hold(lock_);
        pending_ = false;  // no thread: no preview, and nobody waits for one
        answered_ = true;
        return;
    }
    ::SetEvent(wake_.get());
}

std::optional<PreviewWorker::Result> PreviewWorker::Take() {
    win32::CriticalSection::Lock hold(lock_);
    if (!ready_ || readyGeneration_ != generation_) return std::nullopt;
    std::optional<Result> out = std::move(ready_);
    ready_.reset();
    return out;
}

void PreviewWorker::Stop() {
    {
        win32::CriticalSection::Lock hold(lock_);
        stopping_ = true;
        window_ = nullptr;
        pending_ = false;
        answered_ = true;
        ++generation_;
    }
    if (thread_) {
        ::SetEvent(wake_.get());
        ::WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
    win32::CriticalSection::Lock hold(lock_);
    stopping_ = false;  // a window made again may ask again
    ready_.reset();
}

bool PreviewWorker::busy() {
    win32::CriticalSection::Lock hold(lock_);
    return !answered_;
}

int PreviewWorker::decodes() {
    win32::CriticalSection::Lock hold(lock_);
    return decodes_;
}

DWORD WINAPI PreviewWorker::Run(void* self) {
    static_cast<PreviewWorker*>(self)->Loop();
    return 0;
}

void PreviewWorker::Loop() {
    for (;;) {
        ::WaitForSingleObject(wake_.get(), INFINITE);
        std::wstring path;
        RECT box{};
        unsigned generation = 0;
        {
            win32::CriticalSection::Lock hold(lock_);
            if (stopping_) return;
            if (!pending_) continue;
            pending_ = false;
            path = wanted_;
            box = box_;
            generation = generation_;
            ++decodes_;
        }
        std::optional<Result> result = Render(path, box);
        win32::CriticalSection::Lock hold(lock_);
        if (stopping_) return;
        if (generation != generation_) continue;  // superseded: the newer request is pending
        ready_ = std::move(result);
        readyGeneration_ = generation;
        answered_ = true;
        // Posted under the lock: Stop cannot clear the window between the check and the post.
        if (window_) ::PostMessageW(window_, kMsgPreviewReady, 0, 0);
    }
}

}  // namespace tessaly
