#include <windows.h>

#include "launcher/shell/app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    tessaly::CP01App app(instance);
    return app.Run();
}
