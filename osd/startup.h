#pragma once
// Start-up chores of the OSD program: its start at log-on (the one-copy marker is
// win32/instance.h).
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "win32/handles.h"

namespace osd {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kAutostartValue[] = L"Vantosd";

enum class AutostartWhere { Nowhere, Machine, User };

// The longest autostart value read back to compare (a module path is at most MAX_PATH long).
constexpr DWORD kMaxAutostartChars = 2 * MAX_PATH;

// The Run value for the program at `path`: the path in quotes.
std::wstring AutostartCommand(std::wstring_view path);

// Stores `path`, quoted, as the autostart value under the machine's Run key or, where a normal
// user may not write there, under the user's own Run key; a value already right is left alone.
// The roots are parameters for tests.
AutostartWhere RegisterAutostart(std::wstring_view path, HKEY machineRoot = HKEY_LOCAL_MACHINE,
                                 HKEY userRoot = HKEY_CURRENT_USER, const wchar_t* subkey = kRunKey);

}  // namespace osd
