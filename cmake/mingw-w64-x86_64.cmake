# Cross-build 64-bit Windows binaries with MinGW-w64 (posix threads), run them with Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# What the binaries claim: 64-bit Windows XP / Server 2003 (5.2), the linker's default, said here.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--major-subsystem-version,5,--minor-subsystem-version,2")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-Wl,--major-subsystem-version,5,--minor-subsystem-version,2")

# Tests run through Wine's 64-bit loader; tools/env.sh finds it (never Debian's wine wrapper).
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec.sh 64)
