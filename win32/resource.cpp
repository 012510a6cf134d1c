#include "win32/resource.h"

namespace win32 {

std::span<const std::byte> ResourceBytes(HMODULE module, int id, const wchar_t* type) {
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data || size == 0) return {};
    return {static_cast<const std::byte*>(data), size};
}

}  // namespace win32
