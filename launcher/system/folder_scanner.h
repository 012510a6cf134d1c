#pragma once
// Lists the machine's drives and one folder's sub-folders and matching files.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "launcher/model/media_kind.h"

namespace tessaly {

// "X:\" roots from the platform's drive strings (each entry "X:\" and a terminator). Reads
// nothing past `received`; a cut-off last entry is dropped.
std::vector<std::wstring> RootsFromDriveStrings(std::wstring_view received);

// The platform's drive strings, the buffer grown until the whole list fits.
std::wstring ReadLogicalDriveStrings(DWORD initialCapacity = 105);

// True when the folder (path ending in a separator) can be opened for listing: not when it is
// gone, denied to the user, or held by another program without sharing.
bool CanListFolder(const std::wstring& folderWithSeparator);

class FolderScanner {
public:
    FolderScanner();

    // Replaces the extension set; a kind outside 0..3 selects the Video set.
    void LoadExtensionSet(MediaKind kind);
    void LoadExtensionSet(int kind) { LoadExtensionSet(MediaKindFromInt(kind)); }
    const std::vector<std::wstring>& Extensions() const { return extensions; }
    bool Matches(std::wstring_view fileName) const;

    // Rebuilds the drive roots and their labels, in the platform's order.
    void ScanDrives();

    // Copies of one entry; the empty string when the index is out of range. GetDriveRoot scans
    // the drives first when none are known yet.
    std::wstring GetDriveRoot(int i);
    std::wstring GetDriveLabel(int i) const;
    std::wstring GetFolderName(int i) const;
    std::wstring GetFileName(int i) const;

    // Fills the folder and file names from one folder. False, with both lists unchanged, when
    // the path is empty or the folder cannot be listed.
    bool ListFolder(std::wstring_view folder);

    int DriveRootCount() const { return static_cast<int>(driveRoots.size()); }
    int DriveLabelCount() const { return static_cast<int>(driveLabels.size()); }
    int FolderCount() const { return static_cast<int>(folderNames.size()); }
    int FileCount() const { return static_cast<int>(fileNames.size()); }

private:
    std::vector<std::wstring> driveRoots;
    std::vector<std::wstring> folderNames;
    std::vector<std::wstring> fileNames;
    std::vector<std::wstring> driveLabels;
    std::vector<std::wstring> extensions;
};

}  // namespace tessaly
