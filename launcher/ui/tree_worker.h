#pragma once
// Walks a folder tree for the browser's Play/Pause on a thread of its own, so a whole drive never
// holds up the main thread (which holds the keyboard hook). The files come back in the order found,
// in batches: the first as soon as it is found, the rest behind it.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "launcher/model/browser_model.h"
#include "win32/handles.h"

namespace tessaly {

class TreeWorker {
public:
    // The most files handed over at a time, so the main thread never spends long on one batch.
    static constexpr std::size_t kMaxBatch = 256;

    struct Batch {
        std::vector<std::wstring> files;
        bool finished = false;  // the walk is over and these are its last files
    };

    TreeWorker() = default;
    ~TreeWorker() { Cancel(); }
    TreeWorker(const TreeWorker&) = delete;
    TreeWorker& operator=(const TreeWorker&) = delete;

    // Walks `folder` with `source` (which must outlive the walk), cancelling any walk under way.
    // kMsgTreeFiles (wParam = ticket) goes to window while files wait and once when the walk ends.
    // False when no thread could be started.
    bool Start(HWND window, FolderSource& source, const std::wstring& folder, unsigned ticket);
    // On kMsgTreeFiles: up to kMaxBatch of the files found since the last call. Where more wait,
    // another message is on its way.
    Batch Take();
    // Stops the walk without waiting for it: nothing more is posted, the thread ends on its own
    // and is joined by the next Start or Cancel.
    void Stop();
    // Stops the walk and waits for its thread; nothing is posted after it returns.
    void Cancel();

    bool running() const { return static_cast<bool>(thread_); }

private:
    static DWORD WINAPI Run(void* self);
    void Walk();
    void PostLocked();

    FolderSource* source_ = nullptr;
    std::wstring folder_;
    std::atomic<bool> cancel_{false};
    win32::Handle thread_;
    win32::CriticalSection lock_;
    // Under lock_.
    HWND window_ = nullptr;
    unsigned ticket_ = 0;
    std::vector<std::wstring> found_;
    bool done_ = false;
    bool posted_ = false;  // a message is on its way and not yet taken
};

}  // namespace tessaly
