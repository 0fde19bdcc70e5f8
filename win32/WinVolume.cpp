#include "win32/WinVolume.h"

#include <cmath>
#include <string>

#include "schedule/Volume.h"

namespace zv::win {
namespace {

constexpr UINT kWaveMapper = static_cast<UINT>(-1);  // WAVE_MAPPER

// winmm from the system folder only, as the clip player loads it.
HMODULE LoadWinmm() {
    HMODULE module = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
    wchar_t dir[MAX_PATH];
    const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(dir, n) + L"\\winmm.dll").c_str());
}

template <class Fn>
Fn Lookup(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // The export's documented signature.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HWAVEOUT Device(UINT id) {
    // waveOutSetVolume takes a device identifier where a handle would go.
    return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(id));
}

}  // namespace

TWinVolume::TWinVolume() : winmm_(LoadWinmm()) {
    const HMODULE m = winmm_.Get();
    getNumDevs_ = Lookup<GetNumDevsFn>(m, "waveOutGetNumDevs");
    setVolume_ = Lookup<SetVolumeFn>(m, "waveOutSetVolume");
    getVolume_ = Lookup<GetVolumeFn>(m, "waveOutGetVolume");
    mixerOpen_ = Lookup<MixerOpenFn>(m, "mixerOpen");
    mixerClose_ = Lookup<MixerCloseFn>(m, "mixerClose");
    mixerGetLineInfo_ = Lookup<MixerGetLineInfoFn>(m, "mixerGetLineInfoW");
    mixerGetLineControls_ = Lookup<MixerGetLineControlsFn>(m, "mixerGetLineControlsW");
    mixerGetDetails_ = Lookup<MixerDetailsFn>(m, "mixerGetControlDetailsW");
    mixerSetDetails_ = Lookup<MixerDetailsFn>(m, "mixerSetControlDetails");
}

bool TWinVolume::MixerVolume(UINT id, double* set, double* get) {
    if (!mixerOpen_ || !mixerClose_ || !mixerGetLineInfo_ || !mixerGetLineControls_ ||
        !mixerGetDetails_ || !mixerSetDetails_)
        return false;
    HMIXER raw = nullptr;
    if (mixerOpen_(&raw, id, 0, 0, MIXER_OBJECTF_WAVEOUT) != MMSYSERR_NOERROR) return false;
    struct Closer {
        MixerCloseFn close;
        HMIXER mixer;
        ~Closer() { close(mixer); }
    } closer{mixerClose_, raw};
    const auto mixer = reinterpret_cast<HMIXEROBJ>(raw);

    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (mixerGetLineInfo_(mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    MIXERCONTROLW control{};
    control.cbStruct = sizeof control;
    MIXERLINECONTROLSW controls{};
    controls.cbStruct = sizeof controls;
    controls.dwLineID = line.dwLineID;
    controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    controls.cControls = 1;
    controls.cbmxctrl = sizeof control;
    controls.pamxctrl = &control;
    if (mixerGetLineControls_(mixer, &controls,
                              MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR)
        return false;

    const double low = control.Bounds.dwMinimum;
    const double high = control.Bounds.dwMaximum;
    if (high <= low) return false;
    MIXERCONTROLDETAILS_UNSIGNED value{};
    MIXERCONTROLDETAILS details{};
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = 1;  // one value for every channel
    details.cbDetails = sizeof value;
    details.paDetails = &value;
    if (set) {
        value.dwValue = static_cast<DWORD>(std::lround(low + *set * (high - low)));
        return mixerSetDetails_(mixer, &details,
                                MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
               MMSYSERR_NOERROR;
    }
    if (mixerGetDetails_(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR)
        return false;
    *get = (value.dwValue - low) / (high - low);
    return true;
}

bool TWinVolume::Apply(int percent) {
    if (!getNumDevs_) return false;
    const DWORD value = WaveOutVolume(percent);
    double fraction = (value & 0xFFFF) / 65535.0;
    bool any = false;
    const UINT n = getNumDevs_();
    for (UINT id = 0; id < n; ++id) {
        if (MixerVolume(id, &fraction, nullptr)) any = true;
        // Refused where only open streams take a volume (Wine): the mixer
        // above then carries it.
        if (setVolume_ && setVolume_(Device(id), value) == MMSYSERR_NOERROR) any = true;
    }
    if (setVolume_ && setVolume_(Device(kWaveMapper), value) == MMSYSERR_NOERROR) any = true;
    return any;
}

bool TWinVolume::Read(uint32_t& value) {
    DWORD v = 0;
    if (getVolume_ && getVolume_(Device(0), &v) == MMSYSERR_NOERROR) {
        value = v;
        return true;
    }
    double fraction = 0;
    if (!MixerVolume(0, nullptr, &fraction)) return false;
    const auto level = static_cast<uint32_t>(std::lround(fraction * 0xFFFF));
    value = level << 16 | level;
    return true;
}

}  // namespace zv::win
