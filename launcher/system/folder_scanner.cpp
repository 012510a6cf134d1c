#include "launcher/system/folder_scanner.h"

#include <algorithm>

#include "win32/handles.h"

namespace tessaly {

namespace {

std::wstring EntryAt(const std::vector<std::wstring>& list, int i) {
    if (i < 0 || static_cast<std::size_t>(i) >= list.size()) return {};
    return list[static_cast<std::size_t>(i)];
}

bool IsDotEntry(const wchar_t* name) {
    return (name[0] == L'.' && name[1] == L'\0') ||
           (name[0] == L'.' && name[1] == L'.' && name[2] == L'\0');
}

// "X:\" and nothing more.
bool IsDriveRoot(const std::wstring& path) {
    return path.size() == 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/') &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

std::wstring WithSeparator(std::wstring_view folder) {
    std::wstring path(folder);
    if (path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path;
}

}  // namespace

std::vector<std::wstring> RootsFromDriveStrings(std::wstring_view received) {
    std::vector<std::wstring> roots;
    std::size_t start = 0;
    while (start < received.size()) {
        std::size_t end = received.find(L'\0', start);
        if (end == std::wstring_view::npos) break;  // no terminator: cut off
        if (end - start >= 3) roots.emplace_back(received.substr(start, 3));
        start = end + 1;
    }
    return roots;
}

std::wstring ReadLogicalDriveStrings(DWORD initialCapacity) {
    std::vector<wchar_t> buffer(std::max<DWORD>(initialCapacity, 1));
    // The list can grow between the two calls, so ask a few times.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD capacity = static_cast<DWORD>(buffer.size());
        const DWORD used = ::GetLogicalDriveStringsW(capacity, buffer.data());
        if (used == 0) return {};
        if (used < capacity) return std::wstring(buffer.data(), used);
        buffer.assign(static_cast<std::size_t>(used) + 1, L'\0');
    }
    return {};
}

bool CanListFolder(const std::wstring& folderWithSeparator) {
    // Opening for listing decides whether a listing could start, without reading the entries
    // (which costs as much as the folder is large).
    const DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    win32::Handle folder(::CreateFileW(folderWithSeparator.c_str(),
                                       FILE_LIST_DIRECTORY | SYNCHRONIZE, shareAll, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return static_cast<bool>(folder);
}

FolderScanner::FolderScanner() { LoadExtensionSet(MediaKind::Video); }

void FolderScanner::LoadExtensionSet(MediaKind kind) {
    extensions.clear();
    for (std::wstring_view ext : ExtensionSet(kind)) extensions.emplace_back(ext);
}

bool FolderScanner::Matches(std::wstring_view fileName) const {
    const std::wstring ext = ExtensionOf(fileName);
    return std::find(extensions.begin(), extensions.end(), ext) != extensions.end();
}

void FolderScanner::ScanDrives() {
    driveLabels.clear();
    driveRoots.clear();
    for (std::wstring& root : RootsFromDriveStrings(ReadLogicalDriveStrings())) {
        driveLabels.push_back(DriveLabel(root, ::GetDriveTypeW(root.c_str())));
        driveRoots.push_back(std::move(root));
    }
}

std::wstring FolderScanner::GetDriveRoot(int i) {
    if (driveRoots.empty()) ScanDrives();
    return EntryAt(driveRoots, i);
}

std::wstring FolderScanner::GetDriveLabel(int i) const { return EntryAt(driveLabels, i); }
std::wstring FolderScanner::GetFolderName(int i) const { return EntryAt(folderNames, i); }
std::wstring FolderScanner::GetFileName(int i) const { return EntryAt(fileNames, i); }

bool FolderScanner::ListFolder(std::wstring_view folder) {
    if (folder.empty()) return false;
    const std::wstring base = WithSeparator(folder);

    WIN32_FIND_DATAW data;
    // Short names are never shown, so skip them; fetch entries in large blocks.
    const std::wstring pattern = base + L'*';
    win32::FindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                              FindExSearchNameMatch, nullptr,
                                              FIND_FIRST_EX_LARGE_FETCH));
    if (!find && ::GetLastError() == ERROR_INVALID_PARAMETER) {
        // Systems before Windows 7 know neither option.
        find.reset(::FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data,
                                      FindExSearchNameMatch, nullptr, 0));
    }
    if (!find) {
        // An empty drive root has no entries, not even "." and "..": only there does "nothing
        // found" mean an empty listing. Any other folder has its "." entry, so it is gone.
        if (::GetLastError() != ERROR_FILE_NOT_FOUND || !IsDriveRoot(base) || !CanListFolder(base)) {
            return false;
        }
        fileNames.clear();
        folderNames.clear();
        return true;
    }

    fileNames.clear();
    folderNames.clear();
    std::wstring probe;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (IsDotEntry(data.cFileName)) continue;
            // Folders the user could not open are not offered.
            probe.assign(base).append(data.cFileName).push_back(L'\\');
            if (CanListFolder(probe)) folderNames.emplace_back(data.cFileName);
        } else if (Matches(data.cFileName)) {
            fileNames.emplace_back(data.cFileName);
        }
    } while (::FindNextFileW(find.get(), &data));
    return true;
}

}  // namespace tessaly
