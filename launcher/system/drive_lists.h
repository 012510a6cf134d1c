#pragma once
// The main window's lists of removable and CD/DVD drive roots.
#include <windows.h>

#include <functional>
#include <string>

namespace tessaly {

struct DriveRootLists {
    std::wstring removableDrives;  // "E:\ G:\ ": each root followed by one blank
    std::wstring cdromDrives;
};

// Asked for the drive type (GetDriveTypeW code) of a root such as "E:\".
using DriveTypeQuery = std::function<unsigned(const std::wstring& root)>;

// Walks the drives of a GetLogicalDrives mask from C: upwards (A: and B: are never listed),
// asking the type of each present drive, and stops once every drive of the mask was seen.
DriveRootLists CollectDriveRoots(DWORD driveMask, const DriveTypeQuery& driveTypeOf);

// The same for the drives present now.
DriveRootLists ScanRemovableAndCdromDrives();

}  // namespace tessaly
