#pragma once
// One running copy per program and desktop: a named 128-byte file mapping called after the
// executable, held open for as long as the copy runs.
#include <windows.h>

#include <optional>
#include <string>

#include "win32/handles.h"

namespace win32 {

// Full path of a module's file, or nothing when it does not fit in `limit` characters.
std::optional<std::wstring> ModulePath(HMODULE module = nullptr, DWORD limit = MAX_PATH);

// The executable's file name without its extension; `fallback` when the path cannot be read.
std::wstring ApplicationName(const wchar_t* fallback = L"Tessaly");

enum class InstanceClaim { First, AlreadyRunning, Failed };

// Creates the marker mapping. Only a First claim leaves the handle in `mapping`.
InstanceClaim ClaimInstance(const std::wstring& name, Handle& mapping);

// The marker of this process, named after the executable, for the life of the object.
class SingleInstance {
public:
    explicit SingleInstance(const std::wstring& name = ApplicationName()) : claim_(ClaimInstance(name, mapping_)) {}
    bool first() const { return claim_ == InstanceClaim::First; }
    InstanceClaim claim() const { return claim_; }

private:
    Handle mapping_;
    InstanceClaim claim_;
};

}  // namespace win32
