#pragma once
// The OSD program's application object: one copy per desktop, then the hidden main window.
#include "win32/handles.h"

namespace osd {

class CVantosdApp {
public:
    // Runs the program; returns its exit code.
    int Run();

private:
    win32::Handle instanceMapping_;  // open for as long as this copy runs
};

}  // namespace osd
