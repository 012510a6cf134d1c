#include "launcher/shell/app.h"

#include <commctrl.h>
#include <ole2.h>

#include <string>

#include "launcher/shell/main_dialog.h"
#include "win32/handles.h"
#include "win32/window.h"

namespace tessaly {

std::unique_ptr<SkinImage>& FolderIcon() {
    static std::unique_ptr<SkinImage> icon;
    return icon;
}

std::wstring ApplicationName() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s(path, n < MAX_PATH ? n : MAX_PATH);
    size_t slash = s.find_last_of(L"\\/");
    if (slash != std::wstring::npos) s.erase(0, slash + 1);
    size_t dot = s.find_last_of(L'.');
    if (dot != std::wstring::npos) s.erase(dot);
    return s;
}

HANDLE CreateInstanceMapping(const wchar_t* name) {
    HANDLE h = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 128, name);
    if (!h) return nullptr;
    bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    win32::MappedView view(::MapViewOfFile(h, FILE_MAP_WRITE, 0, 0, 0));
    view.reset();
    if (existed) {
        ::CloseHandle(h);
        return nullptr;
    }
    return h;
}

CP01App::CP01App(HINSTANCE instance) : instance_(instance) { win32::SetAppInstance(instance); }

int CP01App::Run() {
    InitInstance();
    return ExitInstance();
}

bool CP01App::InitInstance() {
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    ::InitCommonControlsEx(&icc);

    instanceMapping_ = CreateInstanceMapping(ApplicationName().c_str());
    if (!instanceMapping_) return false;  // a copy runs already, or no mapping: end silently

    GdiplusSession gdiplus;
    // The player control lives in a dialog template; OLE also serves OleLoadPicture.
    HRESULT ole = ::OleInitialize(nullptr);
    TurnPageImage().reset();
    TurnMenuImage().reset();
    LoadSkinImageResource(instance_, 237, L"PNG", FolderIcon());
    {
        CP01Dlg dlg;
        dlg.DoModal(nullptr);
    }
    // Images decoded by GDI+ must go before GDI+ shuts down.
    FolderIcon().reset();
    TurnPageImage().reset();
    TurnMenuImage().reset();
    if (SUCCEEDED(ole)) ::OleUninitialize();
    return false;
}

int CP01App::ExitInstance() { return 0; }

}  // namespace tessaly
