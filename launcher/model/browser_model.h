#pragma once
// What the media browser shows and remembers, without a window: the entries of one folder (or the
// drive list), the highlighted entry and its screen row, whole-page paging and the cursor of every
// level on the way down.
#include <windows.h>

#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace tessaly {

constexpr int kBrowserRows = 10;
constexpr int kHistoryCapacity = 30;

struct BrowseHistoryEntry {
    int cursor = 0;
    int row = 0;
};

// The cursor and row of each level entered. Holds the deepest kHistoryCapacity levels: entering a
// level past that drops the oldest one, so the way back restores the levels nearest the user and
// the outermost ones come back at their first entry.
class BrowseHistory {
public:
    void Push(BrowseHistoryEntry entry);
    // The entry of the level left last; {0, 0} when nothing is remembered.
    BrowseHistoryEntry Pop();
    int Depth() const { return depth_; }
    void Clear();

private:
    std::array<BrowseHistoryEntry, kHistoryCapacity> entries_{};
    int depth_ = 0;
};

// The drives and folders the browser walks. Production: the folder scanner over the real file
// system; tests may narrow the drive list.
class FolderSource {
public:
    virtual ~FolderSource() = default;
    // The drives now present, each without its trailing separator ("C:").
    virtual std::vector<std::wstring> DriveNames() = 0;
    // False for a drive without a medium (or one that cannot be asked).
    virtual bool HasMedium(const std::wstring& root) = 0;
    // Sub-folders and matching files of a folder (path ends with a separator), in the file
    // system's order; false, with the lists untouched, when it cannot be listed.
    virtual bool List(const std::wstring& folder, std::vector<std::wstring>& folders,
                      std::vector<std::wstring>& files) = 0;
    // Hands `found` the full path of every matching file below a folder as it comes to it, depth
    // first in the file system's order. Stops soon after `cancel` is set and then returns false.
    // Runs on a worker thread: it may read the extension set, nothing the browser changes.
    virtual bool WalkTree(const std::wstring& folder, const std::atomic<bool>& cancel,
                          const std::function<void(std::wstring)>& found) = 0;
};

// One of the ten screen rows.
struct RowView {
    std::wstring text;
    bool folder = false;
    bool highlighted = false;
};

// What opening an entry asks of the window.
struct OpenAction {
    enum Kind { kNothing, kShown, kFile, kTree };
    Kind kind = kNothing;
    std::wstring path;  // kFile: the file's full path; kTree: the folder whose tree plays
    std::wstring name;  // kFile: the entry's name
    int index = -1;     // kFile: the entry's index
};

class BrowserModel {
public:
    // `cursor` is shared by every browser of the process (see ProcessCursor).
    BrowserModel(FolderSource& source, int& cursor);

    // The one cursor value all browsers of the process share.
    static int& ProcessCursor();

    // The drive list, as when the browser opens.
    void Start();
    // Opens entry `index`: enters a folder or drive (or goes up on ".."), or names the file to act
    // on. With wholeTree a folder row names its tree instead and the folder shown stays.
    OpenAction Open(int index, bool wholeTree);

    void MoveDown();
    void MoveUp();
    void PageDown();
    void PageUp();
    // Row 0..9 of the page shown, when the page has that row.
    void SelectRow(int row);

    // Back to the state of a closed browser: cursor, row and history cleared, no path.
    void Reset();

    RowView Row(int i) const;
    int Top() const { return cursor_ - row_; }
    // The entry shown in the highlighted row, empty past the end.
    std::wstring HighlightedText() const;
    bool IsFolderIndex(int index) const;

    const std::vector<std::wstring>& items() const { return items_; }
    int folderCount() const { return folderCount_; }
    const std::wstring& currentPath() const { return currentPath_; }
    bool atDriveLevel() const { return atDriveLevel_; }
    int cursor() const { return cursor_; }
    int row() const { return row_; }
    bool firstPage() const { return firstPage_; }
    bool lastPage() const { return lastPage_; }
    const BrowseHistory& history() const { return history_; }

private:
    // Shows currentPath_; false when it could not be listed (the path is then `shownBefore`).
    // Going up returns to the cursor remembered for that level; entering remembers the cursor.
    bool Fill(const std::wstring& shownBefore, bool goingUp);
    void RestoreFrom(BrowseHistoryEntry e);
    void UpdatePageFlags();
    int Count() const { return static_cast<int>(items_.size()); }

    FolderSource& source_;
    int& cursor_;
    std::vector<std::wstring> items_;
    int folderCount_ = 0;
    std::wstring currentPath_;
    std::wstring driveRoot_;  // the drive entered from the drive list
    bool atDriveLevel_ = true;
    int row_ = 0;
    bool firstPage_ = true;
    bool lastPage_ = false;
    BrowseHistory history_;
};

// The parent of a folder path: "C:\Movies\" -> "C:\", "C:\" -> "" (the drive list).
std::wstring ParentPath(const std::wstring& path);
// The name part after the last separator.
std::wstring FileNamePart(const std::wstring& path);

// Where a picture of the given size goes in the preview box: centred at its own size along an
// axis where it is smaller than the box, squeezed to the box along an axis where it is not.
struct PreviewPlacement {
    int x = 0, y = 0, width = 0, height = 0;
};
constexpr int kPreviewLeft = 520, kPreviewTop = 200, kPreviewWidth = 290, kPreviewHeight = 200;
// The box in a client area of that size: at (520, 200), 290 x 200 where that fits; else moved left
// and up to end 10 pixels inside, and narrowed only where the client is narrower than the box.
RECT PreviewBox(int clientWidth, int clientHeight);
PreviewPlacement PlacePreview(const RECT& box, int pictureWidth, int pictureHeight);
// In the box at (520, 200).
PreviewPlacement PlacePreview(int pictureWidth, int pictureHeight);

}  // namespace tessaly
