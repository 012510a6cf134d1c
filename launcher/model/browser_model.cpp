#include "launcher/model/browser_model.h"

#include <algorithm>

namespace tessaly {

void BrowseHistory::Push(BrowseHistoryEntry entry) {
    if (depth_ == kHistoryCapacity) {
        std::move(entries_.begin() + 1, entries_.end(), entries_.begin());
        --depth_;
    }
    entries_[static_cast<std::size_t>(depth_++)] = entry;
}

BrowseHistoryEntry BrowseHistory::Pop() {
    if (depth_ == 0) return {};
    BrowseHistoryEntry e = entries_[static_cast<std::size_t>(--depth_)];
    entries_[static_cast<std::size_t>(depth_)] = {};
    return e;
}

void BrowseHistory::Clear() {
    entries_.fill({});
    depth_ = 0;
}

std::wstring ParentPath(const std::wstring& path) {
    std::wstring p = path;
    if (!p.empty() && p.back() == L'\\') p.pop_back();
    std::size_t slash = p.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : p.substr(0, slash + 1);
}

std::wstring FileNamePart(const std::wstring& path) {
    std::size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

RECT PreviewBox(int clientWidth, int clientHeight) {
    constexpr int kMargin = 10;
    const int width = std::clamp(clientWidth - 2 * kMargin, 0, kPreviewWidth);
    const int height = std::clamp(clientHeight - 2 * kMargin, 0, kPreviewHeight);
    const int left = std::max(std::min(kPreviewLeft, clientWidth - kMargin - width), 0);
    const int top = std::max(std::min(kPreviewTop, clientHeight - kMargin - height), 0);
    return RECT{left, top, left + width, top + height};
}

PreviewPlacement PlacePreview(const RECT& box, int pictureWidth, int pictureHeight) {
    const int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
    PreviewPlacement p;
    if (pictureWidth < boxWidth) {
        p.x = box.left + (boxWidth - pictureWidth) / 2;
        p.width = std::max(pictureWidth, 0);
    } else {
        p.x = box.left;
        p.width = boxWidth;
    }
    if (pictureHeight < boxHeight) {
        p.y = box.top + (boxHeight - pictureHeight) / 2;
        p.height = std::max(pictureHeight, 0);
    } else {
        p.y = box.top;
        p.height = boxHeight;
    }
    return p;
}

PreviewPlacement PlacePreview(int pictureWidth, int pictureHeight) {
    return PlacePreview(RECT{kPreviewLeft, kPreviewTop, kPreviewLeft + kPreviewWidth, kPreviewTop + kPreviewHeight},
                        pictureWidth, pictureHeight);
}

BrowserModel::BrowserModel(FolderSource& source, int& cursor) : source_(source), cursor_(cursor) {}

int& BrowserModel::ProcessCursor() {
    static int cursor = 0;
    return cursor;
}

void BrowserModel::Start() {
    currentPath_.clear();
    Fill(std::wstring(), cursor_ == 0);
}

bool BrowserModel::Fill(const std::wstring& shownBefore, bool goingUp) {
    const bool fromDriveLevel = atDriveLevel_;
    if (!currentPath_.empty()) {
        // A drive without a medium is not entered at all.
        if (fromDriveLevel && !source_.HasMedium(currentPath_)) {
            currentPath_ = shownBefore;
            return false;
        }
        std::vector<std::wstring> folders, files;
        if (!source_.List(currentPath_, folders, files)) {
            // Gone or denied: stay on the folder shown, at its first entry.
            currentPath_ = shownBefore;
            atDriveLevel_ = currentPath_.empty();
            cursor_ = 0;
            row_ = 0;
            UpdatePageFlags();
            return false;
        }
        items_.clear();
        items_.reserve(1 + folders.size() + files.size());
        items_.emplace_back(L"..");
        for (auto& f : folders) items_.push_back(std::move(f));
        for (auto& f : files) items_.push_back(std::move(f));
        folderCount_ = static_cast<int>(folders.size());
        if (fromDriveLevel) driveRoot_ = currentPath_;
        atDriveLevel_ = false;
    } else {
        atDriveLevel_ = true;
        items_ = source_.DriveNames();
        folderCount_ = static_cast<int>(items_.size());
    }
    // Down a level starts at its top and remembers where we were; up goes back there.
    if (!goingUp) {
        history_.Push({cursor_, row_});
        cursor_ = 0;
        row_ = 0;
    } else {
        RestoreFrom(history_.Pop());
    }
    UpdatePageFlags();
    return true;
}

void BrowserModel::RestoreFrom(BrowseHistoryEntry e) {
    const int n = Count();
    cursor_ = e.cursor;
    row_ = e.row;
    // The folder may have changed since it was left: stay inside the list and the ten rows.
    if (cursor_ < 0 || row_ < 0 || row_ >= kBrowserRows || row_ > cursor_) {
        cursor_ = 0;
        row_ = 0;
    }
    if (cursor_ >= n) {
        cursor_ = std::max(n - 1, 0);
        row_ = cursor_ % kBrowserRows;
    }
}

void BrowserModel::UpdatePageFlags() {
    firstPage_ = (cursor_ == row_);
    lastPage_ = (Top() + kBrowserRows >= Count());
}

OpenAction BrowserModel::Open(int index, bool wholeTree) {
    if (index < 0 || index >= Count()) return {};
    const std::wstring name = items_[static_cast<std::size_t>(index)];
    if (name.empty()) return {};
    if (index > folderCount_) {
        OpenAction a;
        a.kind = OpenAction::kFile;
        a.path = currentPath_ + name;
        a.name = name;
        a.index = index;
        return a;
    }
    const std::wstring shown = currentPath_;
    const bool up = !atDriveLevel_ && index == 0;
    if (wholeTree) {
        // On ".." the tree of the folder shown plays; the folder shown never changes.
        OpenAction a;
        a.kind = OpenAction::kTree;
        a.path = up ? shown : (atDriveLevel_ ? std::wstring() : shown) + name + L"\\";
        return a;
    }
    if (up) {
        // The root of a drive leads back to the drive list, whatever the drive is called.
        currentPath_ = currentPath_ == driveRoot_ ? std::wstring() : ParentPath(currentPath_);
    } else {
        currentPath_ = (atDriveLevel_ ? std::wstring() : currentPath_) + name + L"\\";
    }
    OpenAction a;
    a.kind = Fill(shown, up) ? OpenAction::kShown : OpenAction::kNothing;
    return a;
}

void BrowserModel::MoveDown() {
    const int n = Count();
    if (row_ == kBrowserRows - 1 && cursor_ < n) {
        PageDown();
        return;
    }
    if (cursor_ >= n - 1) return;
    ++row_;
    ++cursor_;
}

void BrowserModel::MoveUp() {
    if (row_ == 0) {
        if (cursor_ >= 1) PageUp();
        return;
    }
    --row_;
    --cursor_;
}

void BrowserModel::PageDown() {
    const int n = Count();
    if (n == 0) return;
    const int top = Top();
    if (lastPage_) {
        if (cursor_ == n - 1) return;
        cursor_ = n - 1;
        int r = cursor_ - top;  // the rows keep their texts
        if (r < 0 || r >= kBrowserRows) r = n <= kBrowserRows ? n - 1 : (n % 10 == 0 ? 9 : n % 10 - 1);
        row_ = r;
        return;
    }
    int newTop = top + kBrowserRows;
    if (newTop >= n) newTop = top;
    cursor_ = newTop;
    row_ = 0;
    lastPage_ = (newTop + kBrowserRows >= n);
    firstPage_ = (newTop < kBrowserRows);
}

void BrowserModel::SelectRow(int row) {
    const int index = Top() + row;
    if (row < 0 || row >= kBrowserRows || index >= Count()) return;
    cursor_ = index;
    row_ = row;
}

void BrowserModel::PageUp() {
    const int n = Count();
    if (firstPage_) {
        if (row_ == 0 && cursor_ == 0) return;
        row_ = 0;
        cursor_ = 0;
        return;
    }
    int newTop = Top() - kBrowserRows;
    if (newTop < 0) newTop = Top();
    firstPage_ = (newTop < kBrowserRows);
    lastPage_ = (newTop + kBrowserRows >= n);
    row_ = n <= kBrowserRows - 1 ? n - 1 : kBrowserRows - 1;
    cursor_ = newTop + row_;
}

void BrowserModel::Reset() {
    cursor_ = 0;
    row_ = 0;
    history_.Clear();
    currentPath_.clear();
    driveRoot_.clear();
    items_.clear();
    folderCount_ = 0;
    atDriveLevel_ = true;
    firstPage_ = true;
    lastPage_ = false;
}

bool BrowserModel::IsFolderIndex(int index) const {
    return folderCount_ >= 1 && index >= 0 && index <= folderCount_;
}

RowView BrowserModel::Row(int i) const {
    RowView v;
    if (i < 0 || i >= kBrowserRows) return v;
    v.highlighted = (i == row_);
    if (items_.empty()) {
        if (i == 0) {
            v.text = L"..";
            v.folder = true;
        }
        return v;
    }
    const int index = Top() + i;
    if (index >= 0 && index < Count()) {
        v.text = items_[static_cast<std::size_t>(index)];
        v.folder = IsFolderIndex(index);
    }
    return v;
}

std::wstring BrowserModel::HighlightedText() const { return Row(row_).text; }

}  // namespace tessaly
