#include "launcher/system/launch_ports.h"

#include <utility>
#include <vector>

#include "common/audio/line_volume.h"
#include "win32/handles.h"
#include "win32/shell.h"

namespace tessaly {

namespace {

bool CreateProcessFor(const ProcessRequest& request) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_MAXIMIZE;
    SECURITY_ATTRIBUTES sa{};
    sa.nLength = sizeof(sa);
    sa.bInheritHandle = FALSE;
    // CreateProcessW may write into the command line.
    std::vector<wchar_t> commandLine(request.commandLine.begin(), request.commandLine.end());
    commandLine.push_back(L'\0');
    PROCESS_INFORMATION pi{};
    BOOL ok = ::CreateProcessW(request.application.empty() ? nullptr : request.application.c_str(),
                               request.commandLine.empty() ? nullptr : commandLine.data(),
                               request.processSecurity ? &sa : nullptr, nullptr,
                               request.inheritHandles ? TRUE : FALSE, 0, nullptr, nullptr, &si, &pi);
    if (!ok) return false;
    win32::Handle process(pi.hProcess);
    win32::Handle thread(pi.hThread);
    return true;
}

// One window wait runs at a time, on a thread timer of the user-interface thread.
struct ScheduledStep {
    UINT_PTR timer = 0;
    const void* owner = nullptr;
    std::function<unsigned()> step;
};
ScheduledStep& Scheduled() {
    static ScheduledStep scheduled;
    return scheduled;
}

void CALLBACK RunScheduledStep(HWND, UINT, UINT_PTR id, DWORD) {
    ScheduledStep& s = Scheduled();
    ::KillTimer(nullptr, id);
    if (id != s.timer) return;
    s.timer = 0;
    unsigned next = s.step ? s.step() : 0;
    if (next) s.timer = ::SetTimer(nullptr, 0, next, RunScheduledStep);
}

void ScheduleOnThreadTimer(const void* owner, unsigned delayMs, std::function<unsigned()> step) {
    ScheduledStep& s = Scheduled();
    if (s.timer) ::KillTimer(nullptr, s.timer);
    s.owner = owner;
    s.step = std::move(step);
    s.timer = ::SetTimer(nullptr, 0, delayMs, RunScheduledStep);
}

void CancelThreadTimer(const void* owner) {
    ScheduledStep& s = Scheduled();
    if (s.owner != owner) return;
    if (s.timer) ::KillTimer(nullptr, s.timer);
    s = ScheduledStep{};
}

HWND FindTitledWindow(const std::wstring& title, HWND exclude) {
    HWND w = nullptr;
    while ((w = ::FindWindowExW(nullptr, w, nullptr, title.c_str())) != nullptr) {
        if (w == exclude) continue;
        // The search ignores case; the title must match exactly.
        wchar_t text[256] = {};
        ::GetWindowTextW(w, text, 256);
        if (title == text) return w;
    }
    return nullptr;
}

void KeepMaximised(HWND window) {
    if (!window || !::IsWindow(window)) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement)) return;
    placement.showCmd = SW_MAXIMIZE;
    // The maximised window's corner is the screen's corner.
    placement.ptMaxPosition = POINT{0, 0};
    ::SetWindowPlacement(window, &placement);
}

}  // namespace

LaunchPorts SystemLaunchPorts() {
    LaunchPorts p;
    p.startProcess = CreateProcessFor;
    p.openWithDefaultHandler = [](const std::wstring& address) { return win32::ShellOpen(address); };
    p.fileExists = [](const std::wstring& path) {
        DWORD attributes = ::GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    };
    p.systemDrive = [] {
        wchar_t drive[3] = {};
        DWORD n = ::GetEnvironmentVariableW(L"SystemDrive", drive, 3);
        return n > 0 && n < 3 ? std::wstring(drive, n) : std::wstring();
    };
    p.setLine = [](const LineSetting& s) { SetLineVolume(s.level, s.line, s.direction, s.mute); };
    p.schedule = ScheduleOnThreadTimer;
    p.cancelSchedule = CancelThreadTimer;
    return p;
}

WindowWait::Ports SystemWindowPorts() { return {FindTitledWindow, KeepMaximised}; }

}  // namespace tessaly
