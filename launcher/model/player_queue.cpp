#include "launcher/model/player_queue.h"

#include <utility>

namespace tessaly {

namespace {
const std::wstring kNone;
}

void PlayQueue::Assign(std::vector<std::wstring> paths) {
    paths_ = std::move(paths);
    index_ = 0;
}

void PlayQueue::Append(const std::vector<std::wstring>& paths) {
    paths_.insert(paths_.end(), paths.begin(), paths.end());
}

const std::wstring& PlayQueue::Current() const {
    return HasCurrent() ? paths_[index_] : kNone;
}

bool PlayQueue::Advance() {
    if (index_ + 1 >= paths_.size()) return false;
    ++index_;
    return true;
}

bool PlayQueue::Back() {
    if (index_ == 0 || paths_.empty()) return false;
    --index_;
    return true;
}

unsigned TreeListing::Begin() {
    if (running_) return 0;
    if (++ticket_ == 0) ++ticket_;
    running_ = true;
    started_ = false;
    return ticket_;
}

TreeListing::Use TreeListing::Found(unsigned ticket, bool any) {
    if (!running_ || ticket != ticket_ || !any) return Use::kDrop;
    if (started_) return Use::kAppend;
    started_ = true;
    return Use::kStart;
}

bool TreeListing::Finished(unsigned ticket) {
    if (!running_ || ticket != ticket_) return false;
    running_ = false;
    return true;
}

}  // namespace tessaly
