#pragma once
#include <windows.h>

#include <string>

namespace win32 {

// Opens target (a file, folder or address) with its default handler, maximised; false when that
// failed. shell32 is loaded on first use: importing it (and what it pulls in) delays start-up.
bool ShellOpen(const std::wstring& target);

}  // namespace win32
