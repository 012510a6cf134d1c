#include <windows.h>

#include "osd/vantosd_app.h"
#include "win32/window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    win32::SetAppInstance(instance);
    osd::VantosdApp app;
    return app.Run();
}
