#include "launcher/system/drive_lists.h"

#include "launcher/model/media_kind.h"

namespace tessaly {

DriveRootLists CollectDriveRoots(DWORD driveMask, const DriveTypeQuery& driveTypeOf) {
    DriveRootLists lists;
    const DWORD wanted = driveMask & ~DWORD{3};
    DWORD seen = 0;
    for (int letter = 2; letter < 26 && seen != wanted; ++letter) {
        const DWORD bit = DWORD{1} << letter;
        if (!(wanted & bit)) continue;
        seen |= bit;
        const std::wstring root{static_cast<wchar_t>(L'A' + letter), L':', L'\\'};
        const unsigned type = driveTypeOf(root);
        if (type == static_cast<unsigned>(DriveKind::Removable)) {
            lists.removableDrives += root + L' ';
        } else if (type == static_cast<unsigned>(DriveKind::CdRom)) {
            lists.cdromDrives += root + L' ';
        }
    }
    return lists;
}

DriveRootLists ScanRemovableAndCdromDrives() {
    return CollectDriveRoots(::GetLogicalDrives(), [](const std::wstring& root) {
        return static_cast<unsigned>(::GetDriveTypeW(root.c_str()));
    });
}

}  // namespace tessaly
