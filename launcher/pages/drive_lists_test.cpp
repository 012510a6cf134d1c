#include "launcher/pages/drive_lists.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tessaly {
namespace {

// Answers from a table of letter -> drive type and records every question.
struct FakeDrives {
    std::map<wchar_t, unsigned> types;
    std::vector<std::wstring> asked;
    DriveTypeQuery Query() {
        return [this](const std::wstring& root) {
            asked.push_back(root);
            auto it = types.find(root[0]);
            return it == types.end() ? unsigned{DRIVE_NO_ROOT_DIR} : it->second;
        };
    }
};

DWORD Bit(wchar_t letter) { return DWORD{1} << (letter - L'A'); }

TEST(DriveLists, SortsRemovableAndCdromRootsInLetterOrder) {
    FakeDrives fake;
    fake.types = {{L'C', DRIVE_FIXED}, {L'E', DRIVE_REMOVABLE}, {L'F', DRIVE_CDROM},
                  {L'G', DRIVE_REMOVABLE}, {L'K', DRIVE_CDROM}, {L'N', DRIVE_REMOTE}};
    DWORD mask = 0;
    for (const auto& [letter, type] : fake.types) mask |= Bit(letter);
    const DriveRootLists lists = CollectDriveRoots(mask, fake.Query());
    EXPECT_EQ(lists.removableDrives, L"E:\\ G:\\ ");
    EXPECT_EQ(lists.cdromDrives, L"F:\\ K:\\ ");
    EXPECT_EQ(fake.asked,
              (std::vector<std::wstring>{L"C:\\", L"E:\\", L"F:\\", L"G:\\", L"K:\\", L"N:\\"}));
}

TEST(DriveLists, NeverListsAOrBAndStopsAfterTheLastPresentDrive) {
    FakeDrives fake;
    fake.types = {{L'A', DRIVE_REMOVABLE}, {L'B', DRIVE_REMOVABLE}, {L'D', DRIVE_REMOVABLE}};
    DriveRootLists lists = CollectDriveRoots(Bit(L'A') | Bit(L'B') | Bit(L'D'), fake.Query());
    EXPECT_EQ(lists.removableDrives, L"D:\\ ");
    EXPECT_EQ(fake.asked, std::vector<std::wstring>{L"D:\\"});

    fake.asked.clear();
    lists = CollectDriveRoots(Bit(L'A') | Bit(L'B'), fake.Query());
    EXPECT_TRUE(lists.removableDrives.empty());
    EXPECT_TRUE(fake.asked.empty());

    lists = CollectDriveRoots(0, fake.Query());
    EXPECT_TRUE(lists.removableDrives.empty() && lists.cdromDrives.empty());
    EXPECT_TRUE(fake.asked.empty());
}

TEST(DriveLists, AllTwentySixLetters) {
    FakeDrives fake;
    for (wchar_t c = L'A'; c <= L'Z'; ++c) fake.types[c] = (c % 2) ? DRIVE_REMOVABLE : DRIVE_CDROM;
    const DriveRootLists lists = CollectDriveRoots(0x03FFFFFF, fake.Query());
    std::wstring removable, cdrom;
    for (wchar_t c = L'C'; c <= L'Z'; ++c) {
        ((c % 2) ? removable : cdrom) += std::wstring{c, L':', L'\\', L' '};
    }
    EXPECT_EQ(lists.removableDrives, removable);
    EXPECT_EQ(lists.cdromDrives, cdrom);
    EXPECT_EQ(fake.asked.size(), 24u);
}

TEST(DriveLists, BitsBeyondZDoNotRunPastTheAlphabet) {
    FakeDrives fake;
    fake.types = {{L'Z', DRIVE_REMOVABLE}};
    const DriveRootLists lists = CollectDriveRoots(0xFC000000 | Bit(L'Z'), fake.Query());
    EXPECT_EQ(lists.removableDrives, L"Z:\\ ");
    EXPECT_EQ(fake.asked, std::vector<std::wstring>{L"Z:\\"});
}

}  // namespace
}  // namespace tessaly
