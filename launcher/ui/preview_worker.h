#pragma once
// The browser's preview pictures, decoded and shrunk to the preview box on a thread of their own
// so the main thread (which holds the keyboard hook) never waits on a disk or a decoder. Only the
// newest request counts: one superseded while it decodes is dropped, and requests that come and
// go while a decode runs are never started.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "launcher/model/browser_model.h"
#include "win32/handles.h"

namespace Gdiplus {
class Bitmap;
}

namespace tessaly {

class PreviewWorker {
public:
    struct Result {
        std::wstring path;
        std::unique_ptr<Gdiplus::Bitmap> picture;  // already at place's size
        PreviewPlacement place;
    };

    PreviewWorker();
    ~PreviewWorker();
    PreviewWorker(const PreviewWorker&) = delete;
    PreviewWorker& operator=(const PreviewWorker&) = delete;

    // Asks for path, replacing whatever was asked before; kMsgPreviewReady goes to window when it
    // is ready. An empty path only withdraws the last request.
    void Request(HWND window, const std::wstring& path, const RECT& box);
    // On kMsgPreviewReady: the newest request's picture, or nothing when it was withdrawn, could
    // not be decoded or a newer one came since.
    std::optional<Result> Take();
    // Withdraws the request and waits for a decode under way; no message is posted after it.
    void Stop();

    // A request neither answered nor withdrawn.
    bool busy();
    // Pictures the worker has started to decode since it was made.
    int decodes();

private:
    static DWORD WINAPI Run(void* self);
    void Loop();

    win32::CriticalSection lock_;
    win32::Handle wake_;
    win32::Handle thread_;
    // Under lock_.
    HWND window_ = nullptr;
    std::wstring wanted_;
    RECT box_{};
    unsigned generation_ = 0;
    bool pending_ = false;   // wanted_ not yet taken by the thread
    bool answered_ = true;   // the newest request got its message (or needs none)
    bool stopping_ = false;
    int decodes_ = 0;
    std::optional<Result> ready_;
    unsigned readyGeneration_ = 0;
};

}  // namespace tessaly
