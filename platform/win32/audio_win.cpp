#include "platform/win32/audio_win.h"

#include "platform/platform.h"

#include <windows.h>

#include <initguid.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

#include <utility>

namespace platform::win32 {

namespace {

// MinGW's endpointvolume.h only forward-declares IAudioMeterInformation, so
// its vtable is spelled out here in the SDK's order.
struct AudioMeterInformation : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE GetPeakValue(float* peak) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMeteringChannelCount(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChannelsPeakValues(UINT32 count, float* peaks) = 0;
    virtual HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD* mask) = 0;
};
constexpr GUID kIidAudioMeterInformation = {0xC02216F6, 0x8C67, 0x4B5B, {0x9D, 0x00, 0xD0, 0x08, 0xE7, 0x3E, 0x00, 0x64}};
constexpr GUID kClsidDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
constexpr GUID kIidDeviceEnumerator = {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};

template <class T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr()
    {
        if (p)
            p->Release();
    }
    void** out() { return reinterpret_cast<void**>(&p); }
    T* release() { return std::exchange(p, nullptr); }
};

class EndpointMeter : public PeakMeter {
public:
    EndpointMeter(IMMDevice* device, AudioMeterInformation* meter) : device_(device), meter_(meter) {}
    ~EndpointMeter() override
    {
        meter_->Release();
        device_->Release();
    }
    float peak() override
    {
        float value = 0.0f;
        if (FAILED(meter_->GetPeakValue(&value)))
            return 0.0f; // the device went away: silence until the user picks another one
        return value;
    }

private:
    IMMDevice* device_;
    AudioMeterInformation* meter_;
};

} // namespace

bool Win32Audio::mixerAvailable()
{
    if (mixerGetNumDevs() < 1)
        return false;
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR || !mixer)
        return false;
    mixerClose(mixer);
    return true;
}

std::unique_ptr<PeakMeter> Win32Audio::openDefaultRenderMeter()
{
    // The meter lives as long as the program; COM stays initialised on this
    // (the main) thread for as long.
    const HRESULT init = CoInitialize(nullptr);
    if (FAILED(init) && init != RPC_E_CHANGED_MODE)
        return nullptr;
    ComPtr<IMMDeviceEnumerator> enumerator;
    if (FAILED(CoCreateInstance(kClsidDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER, kIidDeviceEnumerator,
                                enumerator.out())))
        return nullptr;
    ComPtr<IMMDevice> device;
    if (FAILED(enumerator.p->GetDefaultAudioEndpoint(eRender, eConsole, &device.p)) || !device.p)
        return nullptr;
    ComPtr<AudioMeterInformation> meter;
    if (FAILED(device.p->Activate(kIidAudioMeterInformation, CLSCTX_ALL, nullptr, meter.out())) || !meter.p)
        return nullptr;
    return std::make_unique<EndpointMeter>(device.release(), meter.release());
}

} // namespace platform::win32

namespace platform {

void installAudio()
{
    static win32::Win32Audio audio;
    servicesStorage().audio = &audio;
}

} // namespace platform
