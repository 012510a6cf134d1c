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
    // Adds files at the end; the current file stays current.
    void Append(const std::vector<std::wstring>& paths);

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

// A folder tree's files as they arrive from a listing that runs elsewhere: the first files start
// the list, later ones extend it, in the order found. One listing runs at a time; batches of a
// listing that has ended or been given up are dropped.
class TreeListing {
public:
    enum class Use { kDrop, kStart, kAppend };

    // Starts a listing and returns its ticket (never 0); 0, and nothing changes, while one runs.
    unsigned Begin();
    // What to do with files found by listing `ticket` (`any`: the batch is not empty).
    Use Found(unsigned ticket, bool any);
    // Listing `ticket` has walked its whole tree; false when it was not the one running.
    bool Finished(unsigned ticket);
    // Gives up the listing that runs; its later batches are dropped.
    void Cancel() { running_ = false; }

    bool Busy() const { return running_; }
    unsigned Ticket() const { return ticket_; }

private:
    unsigned ticket_ = 0;
    bool running_ = false;
    bool started_ = false;
};

}  // namespace tessaly
