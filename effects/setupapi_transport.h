#pragma once
#include "transport.h"

namespace sonorel {

// SetupAPI enumeration, CreateFileA and DeviceIoControl on the real machine.
DeviceTransport& PlatformTransport();

}  // namespace sonorel
