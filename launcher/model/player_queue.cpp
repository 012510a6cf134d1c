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

}  // namespace tessaly
