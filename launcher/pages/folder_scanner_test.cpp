#include "launcher/pages/folder_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "launcher/pages/drive_lists.h"
#include "win32/handles.h"

namespace tessaly {
namespace {

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        wchar_t temp[MAX_PATH + 1];
        ::GetTempPathW(MAX_PATH + 1, temp);
        path_ = std::wstring(temp) + L"tessaly-scan-" + std::to_wstring(::GetCurrentProcessId()) +
                L"-" + std::to_wstring(::GetTickCount()) + L"\\";
        ::CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { Remove(path_); }
    const std::wstring& path() const { return path_; }
    std::wstring Folder(const std::wstring& name) const {
        ::CreateDirectoryW((path_ + name).c_str(), nullptr);
        return path_ + name + L"\\";
    }
    void File(const std::wstring& relative) const {
        win32::Handle f(::CreateFileW((path_ + relative).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(f) << "cannot create a test file";
    }

private:
    static void Remove(const std::wstring& folder) {
        WIN32_FIND_DATAW d;
        win32::FindHandle find(::FindFirstFileW((folder + L"*").c_str(), &d));
        if (find) {
            do {
                const std::wstring name = d.cFileName;
                if (name == L"." || name == L"..") continue;
                if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    Remove(folder + name + L"\\");
                } else {
                    ::DeleteFileW((folder + name).c_str());
                }
            } while (::FindNextFileW(find.get(), &d));
        }
        find.reset();
        ::RemoveDirectoryW(folder.c_str());
    }
    std::wstring path_;
};

std::vector<std::wstring> Sorted(std::vector<std::wstring> v) {
    std::sort(v.begin(), v.end());
    return v;
}
std::vector<std::wstring> FileNames(const FolderScanner& s) {
    std::vector<std::wstring> out;
    for (int i = 0; i < s.FileCount(); ++i) out.push_back(s.GetFileName(i));
    return Sorted(out);
}
std::vector<std::wstring> FolderNames(const FolderScanner& s) {
    std::vector<std::wstring> out;
    for (int i = 0; i < s.FolderCount(); ++i) out.push_back(s.GetFolderName(i));
    return Sorted(out);
}

class FolderScannerListing : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* f : {L"CLIP.MKV", L"song.MP3", L"a.rm", L"Movie.Avi", L"README",
                                 L"x.tar.mp3x", L"photo.JPG"}) {
            dir.File(f);
        }
        dir.Folder(L"empty");
        dir.Folder(L"full");
        dir.File(L"full\\inside.avi");
        locked = dir.Folder(L"locked");
        dir.Folder(L"also.avi");  // a folder is never taken for a file
        // Another program holding the folder without sharing makes it unlistable, on Windows
        // and under Wine alike.
        lock.reset(::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        ASSERT_TRUE(lock);
        ASSERT_FALSE(CanListFolder(locked));
    }
    TempFolder dir;
    std::wstring locked;
    win32::Handle lock;
    FolderScanner scanner;
};

TEST_F(FolderScannerListing, ListsListableSubFoldersAndFilesOfTheCurrentKind) {
    ASSERT_TRUE(scanner.ListFolder(dir.path()));
    EXPECT_EQ(FolderNames(scanner), (std::vector<std::wstring>{L"also.avi", L"empty", L"full"}));
    EXPECT_EQ(FileNames(scanner), (std::vector<std::wstring>{L"CLIP.MKV", L"Movie.Avi", L"a.rm"}));

    scanner.LoadExtensionSet(MediaKind::Music);
    ASSERT_TRUE(scanner.ListFolder(dir.path()));
    EXPECT_EQ(FileNames(scanner), (std::vector<std::wstring>{L"Movie.Avi", L"a.rm", L"song.MP3"}));

    scanner.LoadExtensionSet(MediaKind::Picture);
    ASSERT_TRUE(scanner.ListFolder(dir.path()));
    EXPECT_EQ(FileNames(scanner), std::vector<std::wstring>{L"photo.JPG"});

    // Once the other program lets go, the folder is offered again.
    lock.reset();
    ASSERT_TRUE(scanner.ListFolder(dir.path()));
    EXPECT_EQ(FolderNames(scanner),
              (std::vector<std::wstring>{L"also.avi", L"empty", L"full", L"locked"}));
}

TEST_F(FolderScannerListing, PathWithoutTrailingSeparatorListsTheSame) {
    ASSERT_TRUE(scanner.ListFolder(dir.path()));
    const auto folders = FolderNames(scanner);
    const auto files = FileNames(scanner);
    std::wstring bare = dir.path();
    bare.pop_back();
    FolderScanner other;
    ASSERT_TRUE(other.ListFolder(bare));
    EXPECT_EQ(FolderNames(other), folders);
    EXPECT_EQ(FileNames(other), files);
}

TEST_F(FolderScannerListing, FailedListingKeepsThePreviousLists) {
    ASSERT_TRUE(scanner.ListFolder(dir.path()));
    EXPECT_FALSE(scanner.ListFolder(L""));
    EXPECT_FALSE(scanner.ListFolder(dir.path() + L"missing\\"));
    EXPECT_FALSE(scanner.ListFolder(locked));
    EXPECT_EQ(FolderNames(scanner), (std::vector<std::wstring>{L"also.avi", L"empty", L"full"}));
    EXPECT_EQ(scanner.FileCount(), 3);

    // A folder that can be listed but is empty does replace them.
    ASSERT_TRUE(scanner.ListFolder(dir.path() + L"empty\\"));
    EXPECT_EQ(scanner.FolderCount(), 0);
    EXPECT_EQ(scanner.FileCount(), 0);
    EXPECT_EQ(scanner.GetFileName(0), L"");
    EXPECT_EQ(scanner.GetFolderName(-1), L"");
}

TEST(FolderScanner, EmptyDriveRootCanBeListed) {
    // E: of the test prefix is an empty removable drive: its root has no entries at all.
    TempFolder dir;
    dir.File(L"a.rm");
    FolderScanner scanner;
    ASSERT_TRUE(scanner.ListFolder(dir.path()));
    ASSERT_EQ(scanner.FileCount(), 1);
    EXPECT_TRUE(scanner.ListFolder(L"E:\\"));
    const std::vector<std::wstring> files = FileNames(scanner);
    EXPECT_EQ(std::count(files.begin(), files.end(), L"a.rm"), 0);
}

TEST(FolderScanner, LoadingASetReplacesTheOldOne) {
    FolderScanner scanner;
    const std::vector<std::wstring> video = scanner.Extensions();
    ASSERT_EQ(video.size(), 15u);
    scanner.LoadExtensionSet(MediaKind::Music);
    scanner.LoadExtensionSet(MediaKind::Music);
    EXPECT_EQ(scanner.Extensions().size(), 13u);
    scanner.LoadExtensionSet(9);
    EXPECT_EQ(scanner.Extensions(), video);
}

TEST(FolderScanner, DrivesOfTheTestPrefixWithTheirLabels) {
    FolderScanner scanner;
    EXPECT_EQ(scanner.DriveRootCount(), 0);
    const std::wstring first = scanner.GetDriveRoot(0);  // scans on first use
    ASSERT_GT(scanner.DriveRootCount(), 0);
    ASSERT_EQ(scanner.DriveLabelCount(), scanner.DriveRootCount());
    EXPECT_EQ(first, L"C:\\");

    std::vector<std::wstring> labels;
    for (int i = 0; i < scanner.DriveLabelCount(); ++i) labels.push_back(scanner.GetDriveLabel(i));
    for (const wchar_t* expected : {L"Fixed (C:\\)", L"Removeable (E:\\)", L"CDROM (F:\\)"}) {
        EXPECT_NE(std::find(labels.begin(), labels.end(), expected), labels.end()) << expected;
    }
    EXPECT_EQ(scanner.GetDriveLabel(scanner.DriveLabelCount()), L"");
    EXPECT_EQ(scanner.GetDriveRoot(scanner.DriveRootCount()), L"");

    // Rescanning rebuilds rather than appends.
    const int count = scanner.DriveRootCount();
    scanner.ScanDrives();
    EXPECT_EQ(scanner.DriveRootCount(), count);
}

TEST(FolderScanner, DriveStringsGrowTheBufferWhenTheListIsLonger) {
    const std::wstring full = ReadLogicalDriveStrings();
    ASSERT_FALSE(full.empty());
    EXPECT_EQ(ReadLogicalDriveStrings(4), full);
    EXPECT_EQ(ReadLogicalDriveStrings(0), full);
}

TEST(DriveLists, RemovableAndCdromDrivesOfTheTestPrefix) {
    const DriveRootLists lists = ScanRemovableAndCdromDrives();
    EXPECT_NE(lists.removableDrives.find(L"E:\\ "), std::wstring::npos) << lists.removableDrives;
    EXPECT_NE(lists.cdromDrives.find(L"F:\\ "), std::wstring::npos) << lists.cdromDrives;
    EXPECT_EQ(lists.removableDrives.find(L"C:"), std::wstring::npos);
}

}  // namespace
}  // namespace tessaly
