#include "launcher/system/folder_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <vector>

#include "launcher/system/drive_lists.h"
#include "launcher/system/scanner_source.h"
#include "win32/handles.h"

namespace tessaly {
namespace {

std::vector<std::wstring> Sorted(const FolderScanner& s, bool folders) {
    std::vector<std::wstring> out;
    for (int i = 0; i < (folders ? s.FolderCount() : s.FileCount()); ++i) {
        out.push_back(folders ? s.GetFolderName(i) : s.GetFileName(i));
    }
    std::sort(out.begin(), out.end());
    return out;
}
using Names = std::vector<std::wstring>;

// A temporary folder of media files and sub-folders, one of them held open without sharing by
// "another program", which makes it unlistable on Windows and under Wine alike.
class FolderScannerListing : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1];
        ::GetTempPathW(MAX_PATH + 1, temp);
        dir = std::wstring(temp) + L"tessaly-scan-" + std::to_wstring(::GetCurrentProcessId()) +
              L"\\";
        for (const wchar_t* d : {L"", L"empty", L"full", L"locked", L"also.avi"}) Make(d, true);
        for (const wchar_t* f : {L"CLIP.MKV", L"song.MP3", L"a.rm", L"README", L"x.tar.mp3x",
                                 L"photo.JPG", L"full\\inside.avi"}) {
            Make(f, false);
        }
        lock.reset(::CreateFileW((dir + L"locked").c_str(), GENERIC_READ, 0, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        ASSERT_TRUE(lock);
    }
    void TearDown() override {
        lock.reset();
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            ::DeleteFileW(it->c_str());
            ::RemoveDirectoryW(it->c_str());
        }
    }
    void Make(const std::wstring& name, bool folder) {
        const std::wstring path = dir + name;
        made.push_back(path);
        if (folder) {
            ::CreateDirectoryW(path.c_str(), nullptr);
        } else {
            win32::Handle(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                        nullptr));
        }
    }
    std::wstring dir;
    std::vector<std::wstring> made;
    win32::Handle lock;
    FolderScanner scanner;
};

TEST_F(FolderScannerListing, ListsListableSubFoldersAndFilesOfTheCurrentKind) {
    ASSERT_TRUE(scanner.ListFolder(dir));
    EXPECT_EQ(Sorted(scanner, true), (Names{L"also.avi", L"empty", L"full"}));
    EXPECT_EQ(Sorted(scanner, false), (Names{L"CLIP.MKV", L"a.rm"}));

    scanner.LoadExtensionSet(MediaKind::Music);
    std::wstring noSeparator = dir;
    noSeparator.pop_back();
    ASSERT_TRUE(scanner.ListFolder(noSeparator));
    EXPECT_EQ(Sorted(scanner, false), (Names{L"a.rm", L"song.MP3"}));
    EXPECT_EQ(Sorted(scanner, true).size(), 3u);

    lock.reset();  // the other program lets go
    ASSERT_TRUE(scanner.ListFolder(dir));
    EXPECT_EQ(Sorted(scanner, true), (Names{L"also.avi", L"empty", L"full", L"locked"}));
}

TEST_F(FolderScannerListing, FailedListingKeepsThePreviousLists) {
    ASSERT_TRUE(scanner.ListFolder(dir));
    EXPECT_FALSE(scanner.ListFolder(L""));
    EXPECT_FALSE(scanner.ListFolder(dir + L"missing\\"));
    EXPECT_FALSE(scanner.ListFolder(dir + L"locked\\"));
    EXPECT_FALSE(scanner.ListFolder(dir + L"CLIP.MKV\\"));  // a file is not a folder
    EXPECT_FALSE(scanner.ListFolder(dir + L"missing\\deeper\\"));
    EXPECT_FALSE(scanner.ListFolder(L"Q:\\"));  // no such drive: not an empty one
    EXPECT_EQ(Sorted(scanner, true), (Names{L"also.avi", L"empty", L"full"}));
    EXPECT_EQ(scanner.FileCount(), 2);

    // E: of the test prefix is an empty removable drive: a root without even "." entries.
    ASSERT_TRUE(scanner.ListFolder(L"E:\\"));
    EXPECT_EQ(scanner.FolderCount(), 0);
    EXPECT_EQ(scanner.FileCount(), 0);
    EXPECT_EQ(scanner.GetFileName(scanner.FileCount()), L"");
    EXPECT_EQ(scanner.GetFolderName(-1), L"");
}

// The tree below a folder, file by file as the walk comes to them, and a walk given up midway.
TEST_F(FolderScannerListing, TreeWalkHandsOverEveryMatchingFileAndStopsWhenCancelled) {
    Make(L"full\\deeper", true);
    Make(L"full\\deeper\\last.avi", false);
    ScannerFolderSource source;
    source.scanner().LoadExtensionSet(MediaKind::Video);
    std::atomic<bool> cancel{false};
    Names found;
    EXPECT_TRUE(source.WalkTree(dir, cancel, [&](std::wstring p) { found.push_back(std::move(p)); }));
    const Names all = found;
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Names{dir + L"CLIP.MKV", dir + L"a.rm", dir + L"full\\deeper\\last.avi",
                            dir + L"full\\inside.avi"}));
    // Depth first: a folder's own files stay together, the deeper one right after or before them.
    const auto inside = std::find(all.begin(), all.end(), dir + L"full\\inside.avi");
    const auto last = std::find(all.begin(), all.end(), dir + L"full\\deeper\\last.avi");
    EXPECT_EQ(std::abs(inside - last), 1);

    // Without the trailing separator, and the same walk again: the same files in the same order.
    Names again;
    std::wstring bare = dir;
    bare.pop_back();
    EXPECT_TRUE(source.WalkTree(bare, cancel, [&](std::wstring p) { again.push_back(std::move(p)); }));
    EXPECT_EQ(again, all);

    // Cancelled at the first file: nothing more comes and the walk says so.
    Names cut;
    EXPECT_FALSE(source.WalkTree(dir, cancel, [&](std::wstring p) {
        cut.push_back(std::move(p));
        cancel = true;
    }));
    EXPECT_EQ(cut.size(), 1u);
    // Nothing below a folder that is not there, or no folder at all.
    cancel = false;
    Names none;
    EXPECT_TRUE(source.WalkTree(dir + L"gone\\", cancel, [&](std::wstring p) { none.push_back(p); }));
    EXPECT_TRUE(source.WalkTree(L"", cancel, [&](std::wstring p) { none.push_back(p); }));
    EXPECT_TRUE(none.empty());
}

TEST(FolderScanner, LoadingASetReplacesTheOldOne) {
    FolderScanner scanner;
    const std::vector<std::wstring> video = scanner.Extensions();
    scanner.LoadExtensionSet(MediaKind::Picture);
    scanner.LoadExtensionSet(MediaKind::Picture);
    EXPECT_EQ(scanner.Extensions().size(), 5u);
    scanner.LoadExtensionSet(9);
    EXPECT_EQ(scanner.Extensions(), video);
    EXPECT_EQ(video.size(), 15u);
}

TEST(FolderScanner, DrivesOfTheTestPrefix) {
    FolderScanner scanner;
    EXPECT_EQ(scanner.GetDriveRoot(0), L"C:\\");  // scans on first use
    ASSERT_EQ(scanner.DriveLabelCount(), scanner.DriveRootCount());
    Names labels;
    for (int i = 0; i < scanner.DriveLabelCount(); ++i) labels.push_back(scanner.GetDriveLabel(i));
    for (const wchar_t* expected : {L"Fixed (C:\\)", L"Removeable (E:\\)", L"CDROM (F:\\)"}) {
        EXPECT_NE(std::find(labels.begin(), labels.end(), expected), labels.end()) << expected;
    }
    EXPECT_EQ(scanner.GetDriveLabel(scanner.DriveLabelCount()), L"");
    scanner.ScanDrives();
    EXPECT_EQ(scanner.DriveRootCount(), static_cast<int>(labels.size()));

    // A buffer too small for the list is grown, never overread.
    EXPECT_EQ(ReadLogicalDriveStrings(4), ReadLogicalDriveStrings());

    const DriveRootLists lists = ScanRemovableAndCdromDrives();
    EXPECT_NE(lists.removableDrives.find(L"E:\\ "), std::wstring::npos) << lists.removableDrives;
    EXPECT_NE(lists.cdromDrives.find(L"F:\\ "), std::wstring::npos) << lists.cdromDrives;
}

}  // namespace
}  // namespace tessaly
