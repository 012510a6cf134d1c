#pragma once
// The OSD program's application object: one copy per desktop, then the hidden main window.
#include <optional>

#include "win32/instance.h"

namespace osd {

class VantosdApp {
public:
    // Runs the program; returns its exit code.
    int Run();

private:
    std::optional<win32::SingleInstance> marker_;  // held for as long as this copy runs
};

}  // namespace osd
