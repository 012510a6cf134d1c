#pragma once
// The list of files the player works through when the control keeps no list of its own: which
// file is current, what "next" and "previous" mean, and when the list has run out.
#include <cstddef>
#include <string>
#include <vector>

namespace tessaly {

class PlayQueue {
public:
    // Replaces the list; the first file becomes current (none when the list is empty).
    void Assign(std::vector<std::wstring> paths);
    void Clear() { Assign({}); }

    bool Empty() const { return paths_.empty(); }
    std::size_t Size() const { return paths_.size(); }
    bool HasCurrent() const { return index_ < paths_.size(); }
    // The current file, or an empty string when there is none.
    const std::wstring& Current() const;
    std::size_t Index() const { return index_; }

    // Moves on; false (and the position unchanged) at the ends of the list.
    bool Advance();
    bool Back();

private:
    std::vector<std::wstring> paths_;
    std::size_t index_ = 0;
};

}  // namespace tessaly
