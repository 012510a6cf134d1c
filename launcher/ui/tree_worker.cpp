#include "launcher/ui/tree_worker.h"

#include <algorithm>
#include <iterator>

#include "launcher/ui/messages.h"

namespace tessaly {

bool TreeWorker::Start(HWND window, FolderSource& source, const std::wstring& folder, unsigned ticket) {
    Cancel();
    source_ = &source;
    folder_ = folder;
    cancel_ = false;
    {
        win32::CriticalSection::Lock hold(lock_);
        window_ = window;
        ticket_ = ticket;
        found_.clear();
        done_ = false;
        posted_ = false;
    }
    thread_.reset(::CreateThread(nullptr, 0, Run, this, 0, nullptr));
    if (thread_) return true;
    win32::CriticalSection::Lock hold(lock_);
    window_ = nullptr;
    return false;
}

TreeWorker::Batch TreeWorker::Take() {
    Batch batch;
    win32::CriticalSection::Lock hold(lock_);
    posted_ = false;
    const std::size_t n = std::min(found_.size(), kMaxBatch);
    batch.files.assign(std::make_move_iterator(found_.begin()),
                       std::make_move_iterator(found_.begin() + static_cast<std::ptrdiff_t>(n)));
    found_.erase(found_.begin(), found_.begin() + static_cast<std::ptrdiff_t>(n));
    batch.finished = done_ && found_.empty();
    if (batch.finished) {
        done_ = false;  // told once
    } else if (!found_.empty()) {
        PostLocked();
    }
    return batch;
}

void TreeWorker::Stop() {
    cancel_ = true;
    win32::CriticalSection::Lock hold(lock_);
    window_ = nullptr;
    found_.clear();
    done_ = false;
    posted_ = false;
}

void TreeWorker::Cancel() {
    Stop();
    if (thread_) {
        ::WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }
}

void TreeWorker::PostLocked() {
    if (posted_ || !window_) return;
    posted_ = ::PostMessageW(window_, kMsgTreeFiles, ticket_, 0) != FALSE;
}

DWORD WINAPI TreeWorker::Run(void* self) {
    static_cast<TreeWorker*>(self)->Walk();
    return 0;
}

void TreeWorker::Walk() {
    const bool whole = source_->WalkTree(folder_, cancel_, [this](std::wstring path) {
        win32::CriticalSection::Lock hold(lock_);
        if (!window_) return;
        found_.push_back(std::move(path));
        PostLocked();
    });
    win32::CriticalSection::Lock hold(lock_);
    // A cancelled walk says nothing more; the one who cancelled it knows.
    if (!whole || !window_) return;
    done_ = true;
    PostLocked();
}

}  // namespace tessaly
