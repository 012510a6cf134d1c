#pragma once
#include <windows.h>

#include <memory>

#include "launcher/skin/skin_image.h"

namespace tessaly {

// The launcher's application object: refuses a second copy, brings up GDI+ and the control
// container, and runs the main window modally. The process ends when that window closes.
class CP01App {
public:
    explicit CP01App(HINSTANCE instance);
    int Run();

private:
    bool InitInstance();
    int ExitInstance();

    HINSTANCE instance_;
    HANDLE instanceMapping_ = nullptr;  // kept open until the process ends
};

// Named after the executable without extension; null when creation failed or another copy runs.
// Exposed for tests.
HANDLE CreateInstanceMapping(const wchar_t* name);
std::wstring ApplicationName();

// Folder icon drawn by the browser rows; empty when resource 237 is missing.
std::unique_ptr<SkinImage>& FolderIcon();

}  // namespace tessaly
