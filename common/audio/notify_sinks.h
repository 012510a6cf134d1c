#pragma once
// Notification sinks of the Core Audio path. Both only keep their own reference count: the
// routine that registers them acts on nothing the audio service reports.
#include <windows.h>
#include <devicetopology.h>
#include <endpointvolume.h>

class EndpointVolumeSink : public IAudioEndpointVolumeCallback {
public:
    EndpointVolumeSink() = default;
    EndpointVolumeSink(const EndpointVolumeSink&) = delete;
    EndpointVolumeSink& operator=(const EndpointVolumeSink&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA notify) override;

protected:
    // Deleted only through Release.
    virtual ~EndpointVolumeSink() = default;

private:
    LONG refs_ = 1;
};

class ControlChangeSink : public IControlChangeNotify {
public:
    ControlChangeSink() = default;
    ControlChangeSink(const ControlChangeSink&) = delete;
    ControlChangeSink& operator=(const ControlChangeSink&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnNotify(DWORD processId, LPCGUID eventContext) override;

protected:
    virtual ~ControlChangeSink() = default;

private:
    LONG refs_ = 1;
};
