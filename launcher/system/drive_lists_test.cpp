#include "launcher/system/drive_lists.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessaly {
namespace {

// Drive types by letter; records every root it is asked about.
struct FakeDrives {
    unsigned types[26] = {};
    std::vector<std::wstring> asked;
    DriveTypeQuery Query() {
        return [this](const std::wstring& root) {
            asked.push_back(root);
            return types[root[0] - L'A'];
        };
    }
};

DWORD Bit(wchar_t letter) { return DWORD{1} << (letter - L'A'); }

TEST(DriveLists, LetterOrderSkipsAAndBAndStopsAfterTheLastPresentDrive) {
    FakeDrives fake;
    fake.types[0] = fake.types[1] = fake.types[4] = fake.types[6] = DRIVE_REMOVABLE;  // A B E G
    fake.types[2] = DRIVE_FIXED;
    fake.types[5] = fake.types[10] = DRIVE_CDROM;  // F K
    const DWORD mask = Bit(L'A') | Bit(L'B') | Bit(L'C') | Bit(L'E') | Bit(L'F') | Bit(L'G') |
                       Bit(L'K');
    const DriveRootLists lists = CollectDriveRoots(mask, fake.Query());
    EXPECT_EQ(lists.removableDrives, L"E:\\ G:\\ ");
    EXPECT_EQ(lists.cdromDrives, L"F:\\ K:\\ ");
    EXPECT_EQ(fake.asked,
              (std::vector<std::wstring>{L"C:\\", L"E:\\", L"F:\\", L"G:\\", L"K:\\"}));

    fake.asked.clear();
    EXPECT_TRUE(CollectDriveRoots(Bit(L'A') | Bit(L'B'), fake.Query()).removableDrives.empty());
    EXPECT_TRUE(fake.asked.empty());
    // Bits past Z are not drives: the walk still ends at Z.
    CollectDriveRoots(0xFC000000 | Bit(L'E'), fake.Query());
    EXPECT_EQ(fake.asked, std::vector<std::wstring>{L"E:\\"});
}

TEST(DriveLists, AllTwentySixLetters) {
    FakeDrives fake;
    std::wstring removable, cdrom;
    for (wchar_t c = L'A'; c <= L'Z'; ++c) {
        fake.types[c - L'A'] = (c % 2) ? DRIVE_REMOVABLE : DRIVE_CDROM;
        if (c >= L'C') ((c % 2) ? removable : cdrom) += std::wstring{c, L':', L'\\', L' '};
    }
    const DriveRootLists lists = CollectDriveRoots(0x03FFFFFF, fake.Query());
    EXPECT_EQ(lists.removableDrives, removable);
    EXPECT_EQ(lists.cdromDrives, cdrom);
    EXPECT_EQ(fake.asked.size(), 24u);
}

}  // namespace
}  // namespace tessaly
