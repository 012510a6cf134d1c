#include "osd/startup.h"


namespace osd {
namespace {

bool WriteRunValue(HKEY root, const wchar_t* subkey, std::wstring_view path) {
    if (!root) return false;
    win32::RegKey key;
    if (::RegCreateKeyExW(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS)
        return false;
    // Quoted, as the installer writes it: unquoted, a path under "C:\Program Files" would first
    // start "C:\Program.exe" at log-on.
    const std::wstring value = AutostartCommand(path);  // the stored string carries its terminating zero
    wchar_t stored[kMaxAutostartChars + 1] = {};
    DWORD size = sizeof stored - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(key.get(), kAutostartValue, nullptr, &type, reinterpret_cast<BYTE*>(stored), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ && value == stored) {
        return true;  // already right: left alone
    }
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), kAutostartValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            bytes) == ERROR_SUCCESS;
}

}  // namespace

std::wstring AutostartCommand(std::wstring_view path) { return L"\"" + std::wstring(path) + L"\""; }

AutostartWhere RegisterAutostart(std::wstring_view path, HKEY machineRoot, HKEY userRoot, const wchar_t* subkey) {
    if (path.empty()) return AutostartWhere::Nowhere;
    if (WriteRunValue(machineRoot, subkey, path)) return AutostartWhere::Machine;
    if (WriteRunValue(userRoot, subkey, path)) return AutostartWhere::User;
    return AutostartWhere::Nowhere;
}

}  // namespace osd
