// How long a program's user-interface thread takes to answer, sampled every 10 ms: a no-op
// message sent to its largest visible top-level window with a time-out, for as long as asked.
// Prints the answers' count, median, 99th percentile and longest wait in milliseconds. The
// launcher's keyboard hook lives on that thread, so a long wait here is a key the system holds.
// usage: stall_probe.exe EXE-NAME SECONDS
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "bench/clock.h"
#include "bench/process.h"

namespace {

struct Search {
    DWORD pid = 0;
    HWND best = nullptr;
    long long bestArea = -1;
};

BOOL CALLBACK Consider(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !::IsWindowVisible(hwnd)) return TRUE;
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const long long area = static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
    if (area > s->bestArea) {
        s->best = hwnd;
        s->bestArea = area;
    }
    return TRUE;
}

HWND MainWindowOf(const wchar_t* exe) {
    Search s;
    s.pid = bench::FindProcessId(exe);
    if (s.pid == 0) return nullptr;
    ::EnumWindows(Consider, reinterpret_cast<LPARAM>(&s));
    return s.best;
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const double seconds = std::wcstod(argv[2], nullptr);
    const double end = bench::Now() + seconds * 1000.0;
    std::vector<double> waits;
    HWND target = nullptr;
    while (bench::Now() < end) {
        if (!target || !::IsWindow(target)) target = MainWindowOf(argv[1]);
        if (target) {
            DWORD_PTR answer = 0;
            const double start = bench::Now();
            // The time-out only keeps the probe alive; a wait that long is reported as it is.
            const BOOL answered = ::SendMessageTimeoutW(target, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
            if (answered || ::IsWindow(target)) waits.push_back(bench::Now() - start);
        }
        ::Sleep(10);
    }
    if (waits.empty()) {
        std::printf("no window of %ls answered\n", argv[1]);
        return 1;
    }
    std::printf("answers %zu, median %.1f ms, p99 %.1f ms, longest %.1f ms\n", waits.size(),
                Percentile(waits, 0.5), Percentile(waits, 0.99), *std::max_element(waits.begin(), waits.end()));
    return 0;
}
