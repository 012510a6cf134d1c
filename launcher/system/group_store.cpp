#include "launcher/system/group_store.h"

#include <algorithm>
#include <array>
#include <vector>

#include "win32/handles.h"

namespace tessaly {

namespace {
// Longest value name the registry allows, plus its terminator: a long name must not end the
// enumeration and hide the entries after it.
constexpr DWORD kNameCapacity = 16384;
}  // namespace

std::wstring GroupStore::KeyPathFor(int group) {
    return L"Software\\Tessaly\\group" + std::to_wstring(group);
}

// Every operation opens (and creates) the key afresh and closes it at the end.
HKEY GroupStore::OpenKey() const {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root_, keyPath_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void GroupStore::ReadGroup(EntryMap& entries, std::size_t maxValues) const {
    entries.Clear();
    win32::RegKey key(OpenKey());
    if (!key) return;

    std::vector<wchar_t> name(kNameCapacity);
    const std::size_t limit = std::min(maxValues, kMaxValues);
    for (DWORD index = 0; index < limit; ++index) {
        DWORD nameLength = kNameCapacity;
        if (::RegEnumValueW(key.get(), index, name.data(), &nameLength, nullptr, nullptr, nullptr,
                            nullptr) != ERROR_SUCCESS) {
            break;
        }
        if (nameLength == 0) continue;  // the key's unnamed value

        std::array<wchar_t, kValueBytes / sizeof(wchar_t)> data{};
        DWORD type = REG_NONE;
        DWORD size = kValueBytes;
        if (::RegQueryValueExW(key.get(), name.data(), nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS) {
            continue;  // longer than 256 bytes, or gone meanwhile
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) continue;
        const std::size_t units = std::min<std::size_t>(size / sizeof(wchar_t), data.size());
        const wchar_t* end = std::find(data.data(), data.data() + units, L'\0');
        entries.Set(std::wstring_view(name.data(), nameLength),
                    std::wstring_view(data.data(), static_cast<std::size_t>(end - data.data())));
    }
}

bool GroupStore::WriteEntry(std::wstring_view name, std::wstring_view target) const {
    if (name.empty() || target.size() > kMaxTargetUnits) return false;
    win32::RegKey key(OpenKey());
    if (!key) return false;
    std::array<wchar_t, kValueBytes / sizeof(wchar_t)> data{};
    std::copy(target.begin(), target.end(), data.begin());
    const std::wstring valueName(name);
    return ::RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.data()),
                            static_cast<DWORD>(kValueBytes)) == ERROR_SUCCESS;
}

bool GroupStore::DeleteEntry(std::wstring_view name) const {
    if (name.empty()) return false;  // never the key's unnamed value
    win32::RegKey key(OpenKey());
    if (!key) return false;
    const std::wstring valueName(name);
    const LSTATUS status = ::RegDeleteValueW(key.get(), valueName.c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

}  // namespace tessaly
