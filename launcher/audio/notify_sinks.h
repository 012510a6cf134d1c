#pragma once
// Notification sinks of the Core Audio path. Both only keep their own reference count: the
// routine that registers them acts on nothing the audio service reports.
#include <windows.h>
#include <devicetopology.h>
#include <endpointvolume.h>

class CAudioEndpointVolumeCallback : public IAudioEndpointVolumeCallback {
public:
    CAudioEndpointVolumeCallback() = default;
    CAudioEndpointVolumeCallback(const CAudioEndpointVolumeCallback&) = delete;
    CAudioEndpointVolumeCallback& operator=(const CAudioEndpointVolumeCallback&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnNotify(PAUDIO_VOLUME_NOTIFICATION_DATA notify) override;

protected:
    // Deleted only through Release.
    virtual ~CAudioEndpointVolumeCallback() = default;

private:
    LONG refs_ = 1;
};

class CIControlChangeNotify : public IControlChangeNotify {
public:
    CIControlChangeNotify() = default;
    CIControlChangeNotify(const CIControlChangeNotify&) = delete;
    CIControlChangeNotify& operator=(const CIControlChangeNotify&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE OnNotify(DWORD processId, LPCGUID eventContext) override;

protected:
    virtual ~CIControlChangeNotify() = default;

private:
    LONG refs_ = 1;
};
