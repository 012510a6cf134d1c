#include "launcher/system/scanner_source.h"

#include "win32/handles.h"

namespace tessaly {
namespace {

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// False when cancelled.
bool WalkFolder(const FolderScanner& scanner, const std::wstring& folder, const std::atomic<bool>& cancel,
                const std::function<void(std::wstring)>& found) {
    WIN32_FIND_DATAW data;
    const std::wstring pattern = folder + L'*';
    win32::FindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoStandard, &data,
                                              FindExSearchNameMatch, nullptr, 0));
    if (!find) return !cancel.load();
    do {
        if (cancel.load()) return false;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // Links could lead back up the tree: follow real folders only.
            if (IsDotEntry(data.cFileName) || (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                continue;
            }
            if (!WalkFolder(scanner, folder + data.cFileName + L'\\', cancel, found)) return false;
        } else if (scanner.Matches(data.cFileName)) {
            found(folder + data.cFileName);
        }
    } while (::FindNextFileW(find.get(), &data));
    return !cancel.load();
}

}  // namespace

std::vector<std::wstring> ScannerFolderSource::DriveNames() {
    scanner_.ScanDrives();
    std::vector<std::wstring> names;
    for (int i = 0; i < scanner_.DriveRootCount(); ++i) {
        std::wstring root = scanner_.GetDriveRoot(i);
        if (!root.empty() && root.back() == L'\\') root.pop_back();
        names.push_back(std::move(root));
    }
    return names;
}

bool ScannerFolderSource::HasMedium(const std::wstring& root) {
    DWORD sectors = 0, bytes = 0, freeClusters = 0, totalClusters = 0;
    // No error box for an empty drive; the answer is enough.
    const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = ::GetDiskFreeSpaceW(root.c_str(), &sectors, &bytes, &freeClusters, &totalClusters);
    ::SetErrorMode(oldMode);
    return ok && totalClusters != 0;
}

bool ScannerFolderSource::List(const std::wstring& folder, std::vector<std::wstring>& folders,
                               std::vector<std::wstring>& files) {
    if (!scanner_.ListFolder(folder)) return false;
    folders.clear();
    files.clear();
    folders.reserve(static_cast<std::size_t>(scanner_.FolderCount()));
    files.reserve(static_cast<std::size_t>(scanner_.FileCount()));
    for (int i = 0; i < scanner_.FolderCount(); ++i) folders.push_back(scanner_.GetFolderName(i));
    for (int i = 0; i < scanner_.FileCount(); ++i) files.push_back(scanner_.GetFileName(i));
    return true;
}

bool ScannerFolderSource::WalkTree(const std::wstring& folder, const std::atomic<bool>& cancel,
                                   const std::function<void(std::wstring)>& found) {
    if (folder.empty()) return !cancel.load();
    std::wstring base = folder;
    if (base.back() != L'\\') base += L'\\';
    return WalkFolder(scanner_, base, cancel, found);
}

}  // namespace tessaly
