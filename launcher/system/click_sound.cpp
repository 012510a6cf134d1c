#include "launcher/system/click_sound.h"

#include <mmsystem.h>

#include <algorithm>
#include <memory>

namespace tessaly {
namespace {

// Everything a worker needs, prepared on the user-interface thread: it shares no data with it.
struct ClickJob {
    HANDLE self = nullptr;
    HWND window = nullptr;
    UINT handBackMessage = 0;
    std::wstring openCommand;
};

DWORD WINAPI ClickWorker(void* param) {
    std::unique_ptr<ClickJob> job(static_cast<ClickJob*>(param));
    if (::mciSendStringW(job->openCommand.c_str(), nullptr, 0, nullptr) == 0) {
        ::mciSendStringW(L"play movie wait", nullptr, 0, nullptr);
        ::mciSendStringW(L"stop movie", nullptr, 0, nullptr);
        ::mciSendStringW(L"close movie", nullptr, 0, nullptr);
    }
    // The window answers 1 once it has closed our handle; it also forgets it, so a handle value
    // it no longer knows is never closed on anyone's word.
    const bool handedBack = ::SendMessageW(job->window, job->handBackMessage,
                                           reinterpret_cast<WPARAM>(job->self), 0) == 1;
    // Nobody took the handle (the window is gone): close it here.
    if (!handedBack) ::CloseHandle(job->self);
    return 0;
}

}  // namespace

void ClickSounds::Play(HWND window) {
    if (!limiter_.Allow(::GetTickCount())) return;
    auto job = std::make_unique<ClickJob>();
    job->window = window;
    job->handBackMessage = handBackMessage_;
    job->openCommand = L"open \"" + path_ + L"\" Alias movie";
    HANDLE thread = ::CreateThread(nullptr, 0, ClickWorker, job.get(), CREATE_SUSPENDED, nullptr);
    if (!thread) return;
    job.release()->self = thread;  // the worker owns the job from here on
    workers_.push_back(thread);
    ::ResumeThread(thread);
}

bool ClickSounds::HandBack(HANDLE thread) {
    auto it = std::find(workers_.begin(), workers_.end(), thread);
    if (!thread || it == workers_.end()) return false;
    workers_.erase(it);
    ::CloseHandle(thread);
    return true;
}

void ClickSounds::WaitForAll() {
    const DWORD start = ::GetTickCount();
    while (!workers_.empty()) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= 2000) break;
        std::vector<HANDLE> running(workers_);
        ::MsgWaitForMultipleObjects(static_cast<DWORD>(running.size()), running.data(), FALSE,
                                    2000 - elapsed, QS_SENDMESSAGE);
        MSG m;
        ::PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace tessaly
