#pragma once
// Device-topology declarations that differ between the Windows SDK and MinGW-w64's headers.
#include <windows.h>
#include <devicetopology.h>

namespace audio {

#if defined(__MINGW32__)
using SubunitInterface = ISubUnit;
// MinGW names IPart's GetTopologyObject with a trailing "s"; the vtable slot is the same.
#define AUDIO_IPART_GET_TOPOLOGY_OBJECT GetTopologyObjects
#else
using SubunitInterface = ISubunit;
#define AUDIO_IPART_GET_TOPOLOGY_OBJECT GetTopologyObject
#endif

// The automatic gain control as the SDK lays it out: GetEnabled(BOOL*) then SetEnabled(BOOL,
// LPCGUID). MinGW-w64's header puts a mis-typed pair in these slots, so we declare our own.
struct AutoGainControl : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL* enabled) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL enable, LPCGUID eventContext) = 0;
};
// IID_IAudioAutoGainControl {85401FD4-6DE4-4B9D-9869-2D6753A82F3C}
constexpr IID kAutoGainControlIid = {0x85401fd4, 0x6de4, 0x4b9d, {0x98, 0x69, 0x2d, 0x67, 0x53, 0xa8, 0x2f, 0x3c}};

}  // namespace audio
