#include "win32/shell.h"

#include "win32/handles.h"

namespace win32 {

bool ShellOpen(const std::wstring& target) {
    using Execute = HINSTANCE(WINAPI*)(HWND, const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*, int);
    static const Module shell(::LoadLibraryW(L"shell32.dll"));  // for the life of the process
    static const auto execute = ProcAddress<Execute>(shell.get(), "ShellExecuteW");
    if (!execute) return false;
    HINSTANCE r = execute(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    return reinterpret_cast<INT_PTR>(r) > 32;  // at most 32 is an error code
}

}  // namespace win32
