#pragma once
#include <windows.h>

#include <cstddef>
#include <span>

namespace win32 {

// The bytes of resource (id, type) in module, or an empty span when it is missing.
// Resource memory lives as long as the module.
std::span<const std::byte> ResourceBytes(HMODULE module, int id, const wchar_t* type);

}  // namespace win32
