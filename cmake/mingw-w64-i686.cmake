# Cross-build 32-bit Windows binaries with MinGW-w64 (posix threads). Wine runs them only where
# its 32-bit side is installed (Debian: wine32 from the i386 architecture) and the kernel runs
# 32-bit programs; `make test` finds out which.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec.sh 32)

# What the binaries claim: 32-bit Windows XP (5.1); the linker's default would claim NT 4.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--major-subsystem-version,5,--minor-subsystem-version,1")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--major-subsystem-version,5,--minor-subsystem-version,1")
