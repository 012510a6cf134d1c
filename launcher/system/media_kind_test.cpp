#include "launcher/model/media_kind.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "launcher/system/folder_scanner.h"

namespace tessaly {
namespace {

TEST(MediaKind, MusicSharesTheFirstElevenVideoContainersAndUnknownKindsAreVideo) {
    const auto video = ExtensionSet(MediaKind::Video), music = ExtensionSet(MediaKind::Music);
    ASSERT_EQ(video.size(), 15u);
    ASSERT_EQ(music.size(), 13u);
    EXPECT_TRUE(std::equal(music.begin(), music.begin() + 11, video.begin()));
    EXPECT_EQ(music[11], L".mp3");
    EXPECT_EQ(ExtensionSet(MediaKindFromInt(-1)).data(), video.data());
    EXPECT_EQ(ExtensionSet(MediaKindFromInt(4)).data(), video.data());
}

TEST(MediaKind, OnlyTheLastDotCountsAndCaseIsIgnored) {
    EXPECT_EQ(ExtensionOf(L"CLIP.MKV"), L".mkv");
    EXPECT_EQ(ExtensionOf(L"x.tar.mp3x"), L".mp3x");
    EXPECT_EQ(ExtensionOf(L"README"), L"readme");
    FolderScanner scanner;
    scanner.LoadExtensionSet(MediaKind::Music);
    EXPECT_TRUE(scanner.Matches(L"song.MP3"));
    EXPECT_TRUE(scanner.Matches(L"a.rm"));
    EXPECT_FALSE(scanner.Matches(L"CLIP.MKV"));
    EXPECT_FALSE(scanner.Matches(L"x.tar.mp3x"));
    EXPECT_FALSE(scanner.Matches(L"mp3"));
}

TEST(DriveLabel, WordAndRootOrTheBareRoot) {
    EXPECT_EQ(DriveLabel(L"C:\\", DRIVE_FIXED), L"Fixed (C:\\)");
    EXPECT_EQ(DriveLabel(L"E:\\", DRIVE_REMOVABLE), L"Removeable (E:\\)");
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
    EXPECT_EQ(roots.back(), L"Z:\\");
    // Received length ends inside the third entry: only the whole ones count.
    EXPECT_EQ(RootsFromDriveStrings(std::wstring_view(all).substr(0, 10)),
              (std::vector<std::wstring>{L"A:\\", L"B:\\"}));
}

}  // namespace
}  // namespace tessaly
