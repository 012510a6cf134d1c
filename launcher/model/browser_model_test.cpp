#include "launcher/model/browser_model.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace tessaly {
namespace {

// A made-up machine: folders by full path, drives without medium, folders that vanish.
class TreeSource : public FolderSource {
public:
    struct Folder {
        std::vector<std::wstring> folders, files;
    };
    std::vector<std::wstring> drives{L"C:", L"D:"};
    std::set<std::wstring> noMedium;
    std::map<std::wstring, Folder> tree;
    int listings = 0;

    std::vector<std::wstring> DriveNames() override { return drives; }
    bool HasMedium(const std::wstring& root) override { return noMedium.count(root) == 0; }
    bool List(const std::wstring& folder, std::vector<std::wstring>& folders,
              std::vector<std::wstring>& files) override {
        ++listings;
        auto it = tree.find(folder);
        if (it == tree.end()) return false;
        folders = it->second.folders;
        files = it->second.files;
        return true;
    }
    bool WalkTree(const std::wstring&, const std::atomic<bool>&,
                  const std::function<void(std::wstring)>&) override {
        return true;
    }
};

std::vector<std::wstring> Texts(const BrowserModel& m) {
    std::vector<std::wstring> out;
    for (int i = 0; i < kBrowserRows; ++i) out.push_back(m.Row(i).text);
    return out;
}

class Browser : public ::testing::Test {
protected:
    void SetUp() override {
        // C:\ holds 22 entries besides "..": 4 folders and 18 files.
        auto& root = src.tree[L"C:\\"];
        root.folders = {L"Movies", L"Music", L"Empty", L"Deep"};
        for (int i = 0; i < 18; ++i) root.files.push_back(L"f" + std::to_wstring(i) + L".avi");
        src.tree[L"C:\\Movies\\"].folders = {L"Old", L"New"};
        src.tree[L"C:\\Movies\\"].files = {L"a.avi"};
        src.tree[L"C:\\Movies\\New\\"].files = {L"x.avi", L"y.avi", L"z.avi"};
        src.tree[L"C:\\Movies\\Old\\"] = {};
        src.tree[L"C:\\Empty\\"] = {};
        src.tree[L"D:\\"] = {};
        model.Start();
    }
    int cursor = 0;
    TreeSource src;
    BrowserModel model{src, cursor};
};

TEST_F(Browser, DriveListThenAFolderWithItsEntriesInSourceOrder) {
    EXPECT_TRUE(model.atDriveLevel());
    EXPECT_EQ(model.items(), (std::vector<std::wstring>{L"C:", L"D:"}));
    EXPECT_EQ(model.folderCount(), 2);
    EXPECT_TRUE(model.Row(0).folder && model.Row(1).folder && model.Row(0).highlighted);
    EXPECT_TRUE(model.lastPage());

    EXPECT_EQ(model.Open(0, false).kind, OpenAction::kShown);
    EXPECT_EQ(model.currentPath(), L"C:\\");
    EXPECT_FALSE(model.atDriveLevel());
    ASSERT_EQ(model.items().size(), 23u);
    EXPECT_EQ(model.items()[0], L"..");
    EXPECT_EQ(model.items()[1], L"Movies");
    EXPECT_EQ(model.items()[5], L"f0.avi");
    EXPECT_TRUE(model.Row(4).folder);   // Deep
    EXPECT_FALSE(model.Row(5).folder);  // f0.avi
    EXPECT_FALSE(model.lastPage());     // 0 + 10 < 23, as the paging keeps it
    EXPECT_EQ(cursor, 0);

    // A file names itself; the list stays.
    OpenAction file = model.Open(5, false);
    EXPECT_EQ(file.kind, OpenAction::kFile);
    EXPECT_EQ(file.path, L"C:\\f0.avi");
    EXPECT_EQ(file.name, L"f0.avi");
    EXPECT_EQ(model.currentPath(), L"C:\\");
    // Out of range does nothing.
    EXPECT_EQ(model.Open(23, false).kind, OpenAction::kNothing);
    EXPECT_EQ(model.Open(-1, false).kind, OpenAction::kNothing);
}

TEST_F(Browser, PagingThroughTwentyThreeEntries) {
    model.Open(0, false);
    model.PageDown();
    model.PageDown();
    EXPECT_EQ(model.cursor(), 20);
    EXPECT_EQ(model.row(), 0);
    EXPECT_TRUE(model.lastPage());
    EXPECT_FALSE(model.firstPage());
    std::vector<std::wstring> rows = Texts(model);
    EXPECT_EQ(rows[0], L"f15.avi");
    EXPECT_EQ(rows[2], L"f17.avi");
    for (int i = 3; i < 10; ++i) EXPECT_EQ(rows[static_cast<std::size_t>(i)], L"") << i;

    // A digit's row: only a row the page has.
    model.SelectRow(3);
    EXPECT_EQ(model.cursor(), 20);
    model.SelectRow(2);
    EXPECT_EQ(model.cursor(), 22);
    EXPECT_EQ(model.row(), 2);
    EXPECT_EQ(Texts(model), rows);
    model.SelectRow(-1);
    EXPECT_EQ(model.cursor(), 22);
    model.SelectRow(0);
    EXPECT_EQ(model.cursor(), 20);

    model.PageDown();  // to the last entry, same rows
    EXPECT_EQ(model.cursor(), 22);
    EXPECT_EQ(model.row(), 2);
    EXPECT_EQ(Texts(model), rows);
    model.PageDown();
    EXPECT_EQ(model.cursor(), 22);
    model.MoveDown();  // nothing past the end
    EXPECT_EQ(model.cursor(), 22);

    model.PageUp();  // back a page: bottom row
    EXPECT_EQ(model.cursor(), 19);
    EXPECT_EQ(model.row(), 9);
    model.MoveDown();  // row 9 pages forward to row 0
    EXPECT_EQ(model.cursor(), 20);
    EXPECT_EQ(model.row(), 0);
    model.MoveUp();  // row 0 pages back
    EXPECT_EQ(model.cursor(), 19);
    EXPECT_EQ(model.row(), 9);

    model.PageUp();
    EXPECT_TRUE(model.firstPage());
    EXPECT_EQ(model.cursor(), 9);
    model.PageUp();  // first page: to entry 0
    EXPECT_EQ(model.cursor(), 0);
    EXPECT_EQ(model.row(), 0);
    model.PageUp();  // and then nothing
    EXPECT_EQ(model.cursor(), 0);
    model.MoveUp();
    EXPECT_EQ(model.cursor(), 0);
    EXPECT_EQ(model.row(), 0);
}

TEST_F(Browser, ShortFolderPagesToItsLastEntryAtOnce) {
    model.Open(0, false);
    model.Open(1, false);  // Movies: "..", Old, New, a.avi
    ASSERT_EQ(model.items().size(), 4u);
    EXPECT_TRUE(model.lastPage());
    model.PageDown();
    EXPECT_EQ(model.cursor(), 3);
    EXPECT_EQ(model.row(), 3);
    EXPECT_TRUE(model.Row(3).highlighted);
    EXPECT_FALSE(model.Row(0).highlighted);
}

TEST_F(Browser, ThreeLevelsDownAndBackRestoreCursorAndRowAtEachLevel) {
    model.MoveDown();                      // D:
    model.MoveUp();                        // C:
    model.Open(model.cursor(), false);     // C:\   (entered from row 0)
    model.MoveDown();                      // Movies, row 1
    model.Open(model.cursor(), false);     // C:\Movies\ .
    model.MoveDown();
    model.MoveDown();                      // New, row 2
    model.Open(model.cursor(), false);     // C:\Movies\New\ .
    EXPECT_EQ(model.currentPath(), L"C:\\Movies\\New\\");
    EXPECT_EQ(model.history().Depth(), 3);
    EXPECT_EQ(model.cursor(), 0);

    model.Open(0, false);
    EXPECT_EQ(model.currentPath(), L"C:\\Movies\\");
    EXPECT_EQ(model.cursor(), 2);
    EXPECT_EQ(model.row(), 2);
    EXPECT_EQ(model.HighlightedText(), L"New");
    model.Open(0, false);
    EXPECT_EQ(model.currentPath(), L"C:\\");
    EXPECT_EQ(model.HighlightedText(), L"Movies");
    model.Open(0, false);  // ".." in C:\ gives the drive list, on C:
    EXPECT_TRUE(model.atDriveLevel());
    EXPECT_EQ(model.currentPath(), L"");
    EXPECT_EQ(model.HighlightedText(), L"C:");
    EXPECT_EQ(model.history().Depth(), 0);

    // Entered from the second drive, back on the second drive.
    src.tree[L"D:\\"].files = {L"d.avi"};
    model.MoveDown();
    model.Open(model.cursor(), false);
    model.Open(0, false);
    EXPECT_EQ(model.HighlightedText(), L"D:");
    EXPECT_EQ(model.cursor(), 1);
}

TEST_F(Browser, MissingMediumVanishedFolderAndEmptyNamesAreNotEntered) {
    src.noMedium.insert(L"D:\\");
    model.MoveDown();
    EXPECT_EQ(model.Open(1, false).kind, OpenAction::kNothing);
    EXPECT_TRUE(model.atDriveLevel());
    EXPECT_EQ(model.currentPath(), L"");
    EXPECT_EQ(model.cursor(), 1);  // nothing changed
    EXPECT_EQ(model.items().size(), 2u);

    model.Open(0, false);
    model.MoveDown();
    src.tree.erase(L"C:\\Movies\\");  // gone since the listing
    const auto before = model.items();
    EXPECT_EQ(model.Open(1, false).kind, OpenAction::kNothing);
    EXPECT_EQ(model.currentPath(), L"C:\\");
    EXPECT_EQ(model.items(), before);
    EXPECT_EQ(model.cursor(), 0);
    EXPECT_EQ(model.row(), 0);

    // Going up into a parent that vanished keeps the folder shown.
    model.Open(3, false);  // C:\Empty\ .
    src.tree.erase(L"C:\\");
    EXPECT_EQ(model.Open(0, false).kind, OpenAction::kNothing);
    EXPECT_EQ(model.currentPath(), L"C:\\Empty\\");
    EXPECT_EQ(model.items(), std::vector<std::wstring>{L".."});

    // An empty folder still shows ".." and an empty drive list shows ".." alone.
    src.drives.clear();
    BrowserModel noDrives(src, cursor);
    cursor = 0;
    noDrives.Start();
    EXPECT_EQ(noDrives.Row(0).text, L"..");
    noDrives.PageDown();
    noDrives.MoveDown();
    EXPECT_EQ(noDrives.Open(0, false).kind, OpenAction::kNothing);
    EXPECT_EQ(noDrives.cursor(), 0);
}

TEST_F(Browser, WholeTreeOnDotDotIsTheFolderShown) {
    model.Open(0, false);
    OpenAction a = model.Open(0, true);
    EXPECT_EQ(a.kind, OpenAction::kTree);
    EXPECT_EQ(a.path, L"C:\\");
    EXPECT_EQ(model.currentPath(), L"C:\\");
    EXPECT_EQ(model.Open(5, true).kind, OpenAction::kFile);  // a file row plays that file
}

TEST_F(Browser, FortyLevelsKeepTheDeepestThirtyOnTheWayBack) {
    std::wstring path = L"C:\\Deep\\";
    src.tree[L"C:\\Deep\\"] = {};
    TreeSource::Folder oneLevel;
    const std::wstring down = L"next";
    oneLevel.folders = {L"a", L"b", down};
    for (int level = 1; level <= 40; ++level) {
        // The way down is the third folder of each level.
        src.tree[path] = oneLevel;
        path += down + L"\\";
        src.tree[path] = {};
    }
    model.Open(0, false);
    model.MoveDown();
    model.MoveDown();
    model.MoveDown();
    model.MoveDown();  // Deep
    model.Open(model.cursor(), false);
    for (int level = 1; level <= 40; ++level) {
        model.MoveDown();
        model.MoveDown();
        model.MoveDown();
        model.Open(model.cursor(), false);
    }
    EXPECT_EQ(model.currentPath(), path);
    EXPECT_EQ(model.history().Depth(), kHistoryCapacity);
    int restored = 0;
    while (!model.atDriveLevel()) {
        model.Open(0, false);
        if (model.HighlightedText() == down) ++restored;
    }
    EXPECT_EQ(restored, kHistoryCapacity);  // the outer levels come back at their first entry
    EXPECT_EQ(model.cursor(), 0);
    EXPECT_EQ(model.history().Depth(), 0);
}

TEST_F(Browser, AHundredThousandEntriesPageToTheEndWithinTheirList) {
    auto& big = src.tree[L"D:\\"];
    for (int i = 0; i < 100000; ++i) big.files.push_back(std::to_wstring(i) + L".avi");
    model.MoveDown();
    model.Open(1, false);
    ASSERT_EQ(model.items().size(), 100001u);
    int pages = 0;
    while (!model.lastPage() && pages < 20000) {
        model.PageDown();
        ++pages;
    }
    EXPECT_EQ(pages, 10000);
    EXPECT_EQ(model.Row(0).text, L"99999.avi");
    EXPECT_EQ(model.Row(1).text, L"");
    model.MoveDown();
    EXPECT_EQ(model.cursor(), 100000);
    EXPECT_EQ(model.items().size(), 100001u);
    model.PageUp();
    EXPECT_EQ(model.cursor(), 99999);
    EXPECT_EQ(model.row(), 9);
}

TEST(BrowseHistoryTest, BoundedAndEmptyPopsGiveTheFirstEntry) {
    BrowseHistory h;
    EXPECT_EQ(h.Pop().cursor, 0);
    for (int i = 1; i <= 35; ++i) h.Push({i, i % 10});
    EXPECT_EQ(h.Depth(), kHistoryCapacity);
    EXPECT_EQ(h.Pop().cursor, 35);
    for (int i = 0; i < 28; ++i) h.Pop();
    EXPECT_EQ(h.Pop().cursor, 6);  // 1..5 were dropped
    EXPECT_EQ(h.Depth(), 0);
    EXPECT_EQ(h.Pop().cursor, 0);
}

TEST(BrowserPaths, ParentNameAndPreviewPlacement) {
    EXPECT_EQ(ParentPath(L"C:\\Movies\\"), L"C:\\");
    EXPECT_EQ(ParentPath(L"C:\\a\\b\\"), L"C:\\a\\");
    EXPECT_EQ(ParentPath(L"C:\\"), L"");
    EXPECT_EQ(FileNamePart(L"C:\\a\\b.avi"), L"b.avi");

    PreviewPlacement big = PlacePreview(4000, 100);  // squeezed across, centred down
    EXPECT_EQ(big.x, 520);
    EXPECT_EQ(big.width, 290);
    EXPECT_EQ(big.y, 250);

    // The box inside the client area: as designed where it fits (a 1200-wide window), moved left
    // at 800 (it ran 12 pixels past), narrowed only where the client is narrower than it.
    auto same = [](RECT a, RECT b) { return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom; };
    EXPECT_TRUE(same(PreviewBox(1198, 898), RECT{520, 200, 810, 400}));
    EXPECT_TRUE(same(PreviewBox(798, 598), RECT{498, 200, 788, 400}));
    EXPECT_TRUE(same(PreviewBox(638, 448), RECT{338, 200, 628, 400}));
    EXPECT_TRUE(same(PreviewBox(200, 150), RECT{10, 10, 190, 140}));
    EXPECT_TRUE(same(PreviewBox(0, 0), RECT{0, 0, 0, 0}));
    PreviewPlacement moved = PlacePreview(PreviewBox(798, 598), 100, 4000);
    EXPECT_EQ(moved.x, 498 + 95);
    EXPECT_EQ(moved.y, 200);
    EXPECT_EQ(moved.height, 200);
}

}  // namespace
}  // namespace tessaly
