#pragma once
// Start-up chores of the OSD program: one copy per desktop, and its start at log-on.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "win32/handles.h"

namespace osd {

// Full path of a module's file, or nothing when it does not fit in `limit` characters.
std::optional<std::wstring> ModulePath(HMODULE module = nullptr, DWORD limit = MAX_PATH);

// The executable's file name without its extension: the name of the single-instance marker.
std::wstring ApplicationName();

enum class InstanceClaim { First, AlreadyRunning, Failed };

// Creates the 128-byte named marker mapping. Only a First claim leaves the handle in `mapping`;
// it must stay open for as long as this copy runs.
InstanceClaim ClaimInstance(const std::wstring& name, win32::Handle& mapping);

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kAutostartValue[] = L"Vantosd";

enum class AutostartWhere { Nowhere, Machine, User };

// Stores `path` as the autostart value under the machine's Run key or, where a normal user may
// not write there, under the user's own Run key. The roots are parameters for tests.
AutostartWhere RegisterAutostart(std::wstring_view path, HKEY machineRoot = HKEY_LOCAL_MACHINE,
                                 HKEY userRoot = HKEY_CURRENT_USER, const wchar_t* subkey = kRunKey);

}  // namespace osd
