#pragma once
// The browser's drives and folders from the real file system, through its folder scanner.
#include "launcher/model/browser_model.h"
#include "launcher/system/folder_scanner.h"

namespace tessaly {

class ScannerFolderSource : public FolderSource {
public:
    FolderScanner& scanner() { return scanner_; }

    std::vector<std::wstring> DriveNames() override;
    bool HasMedium(const std::wstring& root) override;
    bool List(const std::wstring& folder, std::vector<std::wstring>& folders,
              std::vector<std::wstring>& files) override;
    bool WalkTree(const std::wstring& folder, const std::atomic<bool>& cancel,
                  const std::function<void(std::wstring)>& found) override;

private:
    FolderScanner scanner_;
};

}  // namespace tessaly
