#pragma once
// GetTickCount64 for the MinGW thread runtime, which imports it although kernel32 has it only
// from Vista on: the shipped binaries link this in its place (see compat/CMakeLists.txt).
#include <windows.h>

namespace tessaly::compat {

// Milliseconds from a performance counter reading, without overflowing for any counter value.
ULONGLONG CounterToMilliseconds(ULONGLONG counter, ULONGLONG frequency);
// Milliseconds since start-up without GetTickCount64: the performance counter, or the 32-bit
// tick count where there is no counter.
ULONGLONG TickCountWithoutKernel64();
// kernel32's GetTickCount64 where it exists, TickCountWithoutKernel64 elsewhere.
ULONGLONG WINAPI TickCount64();

}  // namespace tessaly::compat
