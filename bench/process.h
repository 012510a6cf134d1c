#pragma once
// Finding another running program by its executable name, for the benchmarks that watch it.
#include <windows.h>
#include <tlhelp32.h>

#include "win32/handles.h"

namespace bench {

// The id of a running process with that executable name (any case), or 0.
inline DWORD FindProcessId(const wchar_t* exeName) {
    win32::Handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        if (::lstrcmpiW(entry.szExeFile, exeName) == 0) return entry.th32ProcessID;
    }
    return 0;
}

}  // namespace bench
