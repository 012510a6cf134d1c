#include "launcher/pages/media_kind.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launcher/pages/folder_scanner.h"

namespace tessaly {
namespace {

std::vector<std::wstring> AsStrings(MediaKind kind) {
    std::vector<std::wstring> out;
    for (std::wstring_view e : ExtensionSet(kind)) out.emplace_back(e);
    return out;
}

TEST(ExtensionSets, HaveTheirEntriesInOrder) {
    EXPECT_EQ(AsStrings(MediaKind::Video),
              (std::vector<std::wstring>{L".rm", L".rmvb", L".avi", L".wmv", L".mp4", L".mov",
                                         L".m2ts", L".asf", L".dat", L".mpe", L".mpeg", L".mkv",
                                         L".mpg", L".ts", L".vob"}));
    // Music is the first eleven video containers, then the two sound formats.
    const std::vector<std::wstring> video = AsStrings(MediaKind::Video);
    std::vector<std::wstring> music(video.begin(), video.begin() + 11);
    music.push_back(L".mp3");
    music.push_back(L".wav");
    EXPECT_EQ(AsStrings(MediaKind::Music), music);
    EXPECT_EQ(AsStrings(MediaKind::Picture),
              (std::vector<std::wstring>{L".bmp", L".gif", L".png", L".jpeg", L".jpg"}));
    EXPECT_EQ(AsStrings(MediaKind::Program), (std::vector<std::wstring>{L".exe", L".com"}));
}

TEST(ExtensionSets, UnknownKindFallsBackToVideo) {
    EXPECT_EQ(MediaKindFromInt(-1), MediaKind::Video);
    EXPECT_EQ(MediaKindFromInt(4), MediaKind::Video);
    EXPECT_EQ(MediaKindFromInt(2), MediaKind::Picture);
}

TEST(ExtensionOf, TakesTheLastDotAndLowerCases) {
    EXPECT_EQ(ExtensionOf(L"CLIP.MKV"), L".mkv");
    EXPECT_EQ(ExtensionOf(L"Movie.Avi"), L".avi");
    EXPECT_EQ(ExtensionOf(L"x.tar.mp3x"), L".mp3x");
    EXPECT_EQ(ExtensionOf(L"README"), L"readme");
    EXPECT_EQ(ExtensionOf(L".rm"), L".rm");
    EXPECT_EQ(ExtensionOf(L"name."), L".");
    EXPECT_EQ(ExtensionOf(L""), L"");
}

TEST(ExtensionMatch, NamesWithoutDotOrWithALongerExtensionNeverMatch) {
    FolderScanner scanner;
    scanner.LoadExtensionSet(MediaKind::Music);
    EXPECT_TRUE(scanner.Matches(L"song.MP3"));
    EXPECT_FALSE(scanner.Matches(L"x.tar.mp3x"));
    EXPECT_FALSE(scanner.Matches(L"mp3"));
    EXPECT_FALSE(scanner.Matches(L"song.mp3."));
    EXPECT_FALSE(scanner.Matches(L"CLIP.MKV"));
}

TEST(DriveLabel, WordAndRootOrTheBareRoot) {
    EXPECT_EQ(DriveLabel(L"C:\\", DRIVE_FIXED), L"Fixed (C:\\)");
    EXPECT_EQ(DriveLabel(L"E:\\", DRIVE_REMOVABLE), L"Removeable (E:\\)");
    EXPECT_EQ(DriveLabel(L"F:\\", DRIVE_CDROM), L"CDROM (F:\\)");
    EXPECT_EQ(DriveLabel(L"N:\\", DRIVE_REMOTE), L"Remote (N:\\)");
    EXPECT_EQ(DriveLabel(L"R:\\", DRIVE_RAMDISK), L"RAMDisk (R:\\)");
    EXPECT_EQ(DriveLabel(L"G:\\", DRIVE_UNKNOWN), L"G:\\");
    EXPECT_EQ(DriveLabel(L"H:\\", DRIVE_NO_ROOT_DIR), L"H:\\");
    EXPECT_EQ(DriveLabel(L"I:\\", 7), L"I:\\");
}

TEST(DriveStrings, AllTwentySixDrivesAndNothingPastTheReceivedLength) {
    std::wstring all;
    for (wchar_t c = L'A'; c <= L'Z'; ++c) all += std::wstring{c, L':', L'\\', L'\0'};
    const std::vector<std::wstring> roots = RootsFromDriveStrings(all);
    ASSERT_EQ(roots.size(), 26u);
    EXPECT_EQ(roots.front(), L"A:\\");
    EXPECT_EQ(roots.back(), L"Z:\\");

    // A list cut inside an entry keeps only the whole entries.
    const std::wstring buffer = std::wstring(L"C:\\\0D:\\\0", 8) + L"E:\\";
    EXPECT_EQ(RootsFromDriveStrings(std::wstring_view(buffer).substr(0, 10)),
              (std::vector<std::wstring>{L"C:\\", L"D:\\"}));
    EXPECT_TRUE(RootsFromDriveStrings({}).empty());
}

}  // namespace
}  // namespace tessaly
