#include "win32/instance.h"

#include <vector>

namespace win32 {
namespace {

constexpr DWORD kMarkerSize = 128;

}  // namespace

std::optional<std::wstring> ModulePath(HMODULE module, DWORD limit) {
    if (limit == 0) return std::nullopt;
    std::vector<wchar_t> buffer(static_cast<size_t>(limit) + 1, L'\0');
    const DWORD n = ::GetModuleFileNameW(module, buffer.data(), limit);
    // A full buffer means the path was cut short.
    if (n == 0 || n >= limit) return std::nullopt;
    return std::wstring(buffer.data(), n);
}

std::wstring ApplicationName(const wchar_t* fallback) {
    // The marker's name must never be empty (an unnamed mapping would let every copy run), so the
    // path is read with the longest length there is.
    std::wstring path = ModulePath(nullptr, 32768).value_or(std::wstring(fallback));
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name.empty() ? std::wstring(fallback) : name;
}

InstanceClaim ClaimInstance(const std::wstring& name, Handle& mapping) {
    Handle created(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMarkerSize, name.c_str()));
    if (!created) return InstanceClaim::Failed;
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    // The view is only touched once; the marker's contents are never used.
    MappedView view(::MapViewOfFile(created.get(), FILE_MAP_WRITE, 0, 0, 0));
    view.reset();
    if (existed) return InstanceClaim::AlreadyRunning;
    mapping = std::move(created);
    return InstanceClaim::First;
}

}  // namespace win32
