#include "osd/system_volume.h"

#include <endpointvolume.h>
#include <mmsystem.h>
#include <gtest/gtest.h>

#include <vector>

#include "launcher/audio/line_volume.h"

namespace osd {
namespace {

// A render endpoint with stepped volume; every reference taken must be given back.
template <class I>
class Counted : public I {
public:
    LONG refs = 1;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs); }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, __uuidof(IUnknown)) && !IsEqualIID(iid, __uuidof(I))) return E_NOINTERFACE;
        *out = static_cast<I*>(this);
        AddRef();
        return S_OK;
    }
};

class FakeVolume : public Counted<IAudioEndpointVolume> {
public:
    UINT step = 0, count = 51;
    BOOL muted = FALSE;
    HRESULT stepInfo = S_OK, getMute = S_OK;
    std::vector<int> moves;  // +1 up, -1 down
    IAudioEndpointVolumeCallback* callback = nullptr;

    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback* c) override {
        callback = c;
        c->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* c) override {
        if (c != callback) return E_INVALIDARG;
        callback->Release();
        callback = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT, float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMute(BOOL m, LPCGUID) override {
        muted = m;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMute(BOOL* m) override {
        if (SUCCEEDED(getMute)) *m = muted;
        return getMute;
    }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT* s, UINT* n) override {
        if (SUCCEEDED(stepInfo)) *s = step, *n = count;
        return stepInfo;
    }
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override {
        ++step;
        moves.push_back(1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override {
        --step;
        moves.push_back(-1);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(float*, float*, float*) override { return E_NOTIMPL; }
};

class FakeDevice : public Counted<IMMDevice> {
public:
    FakeVolume volume;
    HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD, PROPVARIANT*, void** out) override {
        if (!IsEqualIID(iid, __uuidof(IAudioEndpointVolume))) return E_NOINTERFACE;
        volume.AddRef();
        *out = static_cast<IAudioEndpointVolume*>(&volume);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetState(DWORD*) override { return E_NOTIMPL; }
};

class FakeEnumerator : public Counted<IMMDeviceEnumerator> {
public:
    FakeDevice render;
    HRESULT defaultResult = S_OK;
    std::vector<EDataFlow> asked;
    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole, IMMDevice** out) override {
        asked.push_back(flow);
        if (FAILED(defaultResult)) return defaultResult;
        render.AddRef();
        *out = &render;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR, IMMDevice**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient*) override {
        return E_NOTIMPL;
    }
    bool Balanced() const { return refs == 1 && render.refs == 1 && render.volume.refs == 1; }
};

TEST(OsdEndpointState, ReadsStepAndMuteOfTheDefaultRenderEndpoint) {
    FakeEnumerator world;
    world.render.volume.step = 17;
    world.render.volume.count = 35;  // 17 * 100 / 34 = 50
    world.render.volume.muted = TRUE;
    unsigned volume = 5;
    int muted = 0;
    ReadEndpointState(&world, volume, muted);
    EXPECT_EQ(volume, 50u);
    EXPECT_EQ(muted, 1);
    EXPECT_EQ(world.asked, std::vector<EDataFlow>{eRender});
    EXPECT_TRUE(world.Balanced());
}

TEST(OsdEndpointState, WhatCannotBeReadStaysAsItWas) {
    FakeEnumerator world;
    world.render.volume.stepInfo = E_NOTIMPL;
    world.render.volume.muted = TRUE;
    unsigned volume = 35;
    int muted = 0;
    ReadEndpointState(&world, volume, muted);
    EXPECT_EQ(volume, 35u);
    EXPECT_EQ(muted, 1);

    world.render.volume.stepInfo = S_OK;
    world.render.volume.count = 1;  // a single step has no scale
    world.render.volume.getMute = E_FAIL;
    ReadEndpointState(&world, volume, muted);
    EXPECT_EQ(volume, 35u);
    EXPECT_EQ(muted, 1);

    world.defaultResult = E_NOTFOUND;
    world.render.volume.getMute = S_OK;
    world.render.volume.muted = FALSE;
    ReadEndpointState(&world, volume, muted);
    EXPECT_EQ(muted, 1);
    EXPECT_TRUE(world.Balanced());
}

TEST(OsdEndpointState, ApplyStepsTheEndpointToTheLevelAndSetsTheMute) {
    FakeEnumerator world;
    world.render.volume.step = 10;
    world.render.volume.count = 51;
    SystemVolume system(6, &world);
    system.Apply(30, 1);  // target step 50 * 30 / 100 = 15
    EXPECT_EQ(world.render.volume.step, 15u);
    EXPECT_EQ(world.render.volume.moves, std::vector<int>(5, 1));
    EXPECT_EQ(world.render.volume.muted, TRUE);
    EXPECT_EQ(world.render.volume.callback, nullptr);

    unsigned volume = 0;
    int muted = 0;
    system.Read(volume, muted);
    EXPECT_EQ(volume, 30u);
    EXPECT_EQ(muted, 1);
}

// The mixer path against the prefix's real mixer (a sound server must be running for Wine).
TEST(OsdMixerState, ReadsBackWhatTheVolumeKeysSet) {
    if (::mixerGetNumDevs() == 0) GTEST_SKIP() << "no mixer: no sound server for Wine";
    SystemVolume system(5);
    unsigned volume = 0;
    int muted = 1;
    for (unsigned level : {35u, 0u, 5u, 100u, 95u}) {
        system.Apply(level, 0);
        system.Read(volume, muted);
        EXPECT_EQ(volume, level);
        EXPECT_EQ(muted, 0);
    }
    system.Apply(40, 1);
    system.Read(volume, muted);
    EXPECT_EQ(volume, 40u);
    EXPECT_EQ(muted, 1);
    system.Apply(40, 0);
}

}  // namespace
}  // namespace osd
