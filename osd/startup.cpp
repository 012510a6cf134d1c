#include "osd/startup.h"


namespace osd {
namespace {

bool WriteRunValue(HKEY root, const wchar_t* subkey, std::wstring_view path) {
    if (!root) return false;
    win32::RegKey key;
    if (::RegCreateKeyExW(root, subkey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS)
        return false;
    std::wstring value(path);  // the stored string carries its terminating zero
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), kAutostartValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            bytes) == ERROR_SUCCESS;
}

}  // namespace

AutostartWhere RegisterAutostart(std::wstring_view path, HKEY machineRoot, HKEY userRoot, const wchar_t* subkey) {
    if (path.empty()) return AutostartWhere::Nowhere;
    if (WriteRunValue(machineRoot, subkey, path)) return AutostartWhere::Machine;
    if (WriteRunValue(userRoot, subkey, path)) return AutostartWhere::User;
    return AutostartWhere::Nowhere;
}

}  // namespace osd
