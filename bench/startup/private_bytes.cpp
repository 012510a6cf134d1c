// Prints the private bytes (commit charge, in KB) of the running process with the given executable
// name, or nothing and exit code 1 when there is none: the memory figure of the start-up bench.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>

#include "win32/handles.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    win32::Handle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) return 1;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        if (::lstrcmpiW(entry.szExeFile, argv[1]) != 0) continue;
        win32::Handle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, entry.th32ProcessID));
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        if (!process ||
            !::GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
            return 1;
        // PagefileUsage is the commit charge, the process's private bytes; Wine leaves PrivateUsage
        // empty when another process asks, and reports its anonymous resident memory here.
        std::printf("%llu\n", static_cast<unsigned long long>(counters.PagefileUsage / 1024));
        return 0;
    }
    return 1;
}
