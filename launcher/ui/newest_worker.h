#pragma once
// Decodes pictures on a thread of its own so the main thread (which holds the keyboard hook) never
// waits on a disk or a decoder. Only the newest request counts: one superseded while it decodes is
// dropped, and requests that come and go while a decode runs are never started. The browser's
// preview and the picture viewer each own one.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "win32/handles.h"

namespace tessaly {

template <typename Picture>
class NewestWorker {
public:
    // Runs on the worker: the picture for a path, or null when it cannot be had.
    using Render = std::function<std::unique_ptr<Picture>(const std::wstring& path)>;

    struct Result {
        std::wstring path;
        std::unique_ptr<Picture> picture;  // null: the file could not be decoded
    };

    NewestWorker(UINT message, Render render)
        : message_(message), render_(std::move(render)), wake_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}
    ~NewestWorker() { Stop(); }
    NewestWorker(const NewestWorker&) = delete;
    NewestWorker& operator=(const NewestWorker&) = delete;

    // Asks for path, replacing whatever was asked before; the message goes to window when it is
    // answered. An empty path only withdraws the last request.
    void Request(HWND window, const std::wstring& path) {
        {
            win32::CriticalSection::Lock hold(lock_);
            window_ = window;
            wanted_ = path;
            ++generation_;
            pending_ = !path.empty();
            answered_ = path.empty();
            ready_.reset();
            if (!pending_) return;
        }
        if (!thread_ && wake_) thread_.reset(::CreateThread(nullptr, 0, Run, this, 0, nullptr));
        if (!thread_) {
            win32::CriticalSection::Lock hold(lock_);
            pending_ = false;  // no thread: no picture, and nobody waits for one
            answered_ = true;
            return;
        }
        ::SetEvent(wake_.get());
    }

    // On the message: the newest request's answer, or nothing when it was withdrawn or a newer
    // one came since.
    std::optional<Result> Take() {
        win32::CriticalSection::Lock hold(lock_);
        if (!ready_ || readyGeneration_ != generation_) return std::nullopt;
        std::optional<Result> out = std::move(ready_);
        ready_.reset();
        return out;
    }

    // Withdraws the request without waiting: a decode under way finishes on its own and is
    // dropped; nothing is posted for it. The thread stays for the next request.
    void Withdraw() {
        win32::CriticalSection::Lock hold(lock_);
        window_ = nullptr;
        pending_ = false;
        answered_ = true;
        ++generation_;
        ready_.reset();
    }

    // Withdraws the request and waits for the thread; nothing is posted after it.
    void Stop() {
        {
            win32::CriticalSection::Lock hold(lock_);
            stopping_ = true;
        }
        Withdraw();
        if (thread_) {
            ::SetEvent(wake_.get());
            ::WaitForSingleObject(thread_.get(), INFINITE);
            thread_.reset();
        }
        win32::CriticalSection::Lock hold(lock_);
        stopping_ = false;  // a window made again may ask again
        ready_.reset();
    }

    // A request neither answered nor withdrawn.
    bool busy() {
        win32::CriticalSection::Lock hold(lock_);
        return !answered_;
    }
    // Pictures the worker has started to decode since it was made.
    int decodes() {
        win32::CriticalSection::Lock hold(lock_);
        return decodes_;
    }

private:
    static DWORD WINAPI Run(void* self) {
        static_cast<NewestWorker*>(self)->Loop();
        return 0;
    }

    void Loop() {
        for (;;) {
            ::WaitForSingleObject(wake_.get(), INFINITE);
            std::wstring path;
            unsigned generation = 0;
            {
                win32::CriticalSection::Lock hold(lock_);
                if (stopping_) return;
                if (!pending_) continue;
                pending_ = false;
                path = wanted_;
                generation = generation_;
                ++decodes_;
            }
            Result result{path, render_(path)};
            win32::CriticalSection::Lock hold(lock_);
            if (stopping_) return;
            if (generation != generation_) continue;  // superseded: a newer request is pending
            ready_ = std::move(result);
            readyGeneration_ = generation;
            answered_ = true;
            // Posted under the lock: Stop cannot clear the window between the check and the post.
            if (window_) ::PostMessageW(window_, message_, 0, 0);
        }
    }

    const UINT message_;
    const Render render_;
    win32::CriticalSection lock_;
    win32::Handle wake_;
    win32::Handle thread_;
    // Under lock_.
    HWND window_ = nullptr;
    std::wstring wanted_;
    unsigned generation_ = 0;
    bool pending_ = false;   // wanted_ not yet taken by the thread
    bool answered_ = true;   // the newest request got its message (or needs none)
    bool stopping_ = false;
    int decodes_ = 0;
    std::optional<Result> ready_;
    unsigned readyGeneration_ = 0;
};

}  // namespace tessaly
