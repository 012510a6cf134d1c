#include "compat/tick_count.h"

#include <atomic>

namespace tessaly::compat {

ULONGLONG CounterToMilliseconds(ULONGLONG counter, ULONGLONG frequency) {
    if (frequency == 0) return 0;
    return counter / frequency * 1000 + counter % frequency * 1000 / frequency;
}

ULONGLONG TickCountWithoutKernel64() {
    LARGE_INTEGER frequency{};
    LARGE_INTEGER counter{};
    if (::QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0 &&
        ::QueryPerformanceCounter(&counter) && counter.QuadPart >= 0) {
        return CounterToMilliseconds(static_cast<ULONGLONG>(counter.QuadPart),
                                     static_cast<ULONGLONG>(frequency.QuadPart));
    }
    return ::GetTickCount();
}

namespace {

using TickFunction = ULONGLONG(WINAPI*)();

ULONGLONG WINAPI Fallback() { return TickCountWithoutKernel64(); }

// No function-local static: its guard would wait on the thread runtime, which calls back here.
std::atomic<TickFunction> resolved{nullptr};

}  // namespace

ULONGLONG WINAPI TickCount64() {
    TickFunction f = resolved.load(std::memory_order_acquire);
    if (!f) {
        // Two threads may both look it up; they find the same answer.
        HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
        FARPROC found = kernel ? ::GetProcAddress(kernel, "GetTickCount64") : nullptr;
        f = found ? reinterpret_cast<TickFunction>(reinterpret_cast<void*>(found)) : Fallback;
        resolved.store(f, std::memory_order_release);
    }
    return f();
}

}  // namespace tessaly::compat

// The thread runtime calls GetTickCount64 through its import slot; a slot of that name defined
// here is linked ahead of kernel32's import library, so kernel32's entry is never imported.
// The symbol's name is the machine's decorated one, which only an assembler name can spell.
#if defined(__i386__)
#define TESSALY_TICK_SLOT "__imp__GetTickCount64@0"
#else
#define TESSALY_TICK_SLOT "__imp_GetTickCount64"
#endif
extern "C" ULONGLONG(WINAPI* const tessaly_tick_count64_slot)() __asm__(TESSALY_TICK_SLOT) =
    tessaly::compat::TickCount64;
