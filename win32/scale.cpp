#include "win32/scale.h"

#include <windows.h>

namespace win32 {

ScreenSize PrimaryScreen() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace win32
