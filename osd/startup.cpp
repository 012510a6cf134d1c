#include "osd/startup.h"

#include <vector>

namespace osd {
namespace {

constexpr DWORD kMarkerSize = 128;

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

std::optional<std::wstring> ModulePath(HMODULE module, DWORD limit) {
    if (limit == 0) return std::nullopt;
    std::vector<wchar_t> buffer(static_cast<size_t>(limit) + 1, L'\0');
    const DWORD n = ::GetModuleFileNameW(module, buffer.data(), limit);
    // A full buffer means the path was cut short.
    if (n == 0 || n >= limit) return std::nullopt;
    return std::wstring(buffer.data(), n);
}

std::wstring ApplicationName() {
    // The marker's name must never be empty (an unnamed mapping would let every copy run), so a
    // path too long for the Run value is still read here, with the longest path there is.
    std::wstring path = ModulePath(nullptr, 32768).value_or(std::wstring(L"Vantosd"));
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name;
}

InstanceClaim ClaimInstance(const std::wstring& name, win32::Handle& mapping) {
    win32::Handle created(
        ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMarkerSize, name.c_str()));
    if (!created) return InstanceClaim::Failed;
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    // The view is only touched once; the marker's contents are never used.
    win32::MappedView view(::MapViewOfFile(created.get(), FILE_MAP_WRITE, 0, 0, 0));
    view.reset();
    if (existed) return InstanceClaim::AlreadyRunning;
    mapping = std::move(created);
    return InstanceClaim::First;
}

AutostartWhere RegisterAutostart(std::wstring_view path, HKEY machineRoot, HKEY userRoot, const wchar_t* subkey) {
    if (path.empty()) return AutostartWhere::Nowhere;
    if (WriteRunValue(machineRoot, subkey, path)) return AutostartWhere::Machine;
    if (WriteRunValue(userRoot, subkey, path)) return AutostartWhere::User;
    return AutostartWhere::Nowhere;
}

}  // namespace osd
