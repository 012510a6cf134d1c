// Prints the private bytes (commit charge, in KB) of the running process with the given executable
// name, or nothing and exit code 1 when there is none: the memory figure of the start-up bench.
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "bench/process.h"
#include "win32/handles.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    const DWORD pid = bench::FindProcessId(argv[1]);
    if (pid == 0) return 1;
    win32::Handle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
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
