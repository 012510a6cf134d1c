#include <windows.h>

#include "launcher/app/launcher_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    tessaly::LauncherApp app(instance);
    return app.Run();
}
