// Prints 1 when the mouse cursor is showing, 0 when the program in front has hidden it.
#include <windows.h>

#include <cstdio>

int wmain() {
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetCursorInfo(&info)) return 2;
    std::printf("%d\n", (info.flags & CURSOR_SHOWING) ? 1 : 0);
    return 0;
}
