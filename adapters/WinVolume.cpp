#include "adapters/WinVolume.h"

#include <cmath>

#include "schedule/Volume.h"

namespace zv::win {
namespace {

constexpr UINT kWaveMapper = static_cast<UINT>(-1);  // WAVE_MAPPER

HWAVEOUT Device(UINT id) {
    // waveOutSetVolume takes a device identifier where a handle would go.
    return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(id));
}

}  // namespace

TWinVolume::TWinVolume() {
    getNumDevs_ = winmm_.Find<GetNumDevsFn>("waveOutGetNumDevs");
    setVolume_ = winmm_.Find<SetVolumeFn>("waveOutSetVolume");
    getVolume_ = winmm_.Find<GetVolumeFn>("waveOutGetVolume");
    mixerOpen_ = winmm_.Find<MixerOpenFn>("mixerOpen");
    mixerClose_ = winmm_.Find<MixerCloseFn>("mixerClose");
    mixerGetLineInfo_ = winmm_.Find<MixerGetLineInfoFn>("mixerGetLineInfoW");
    mixerGetLineControls_ = winmm_.Find<MixerGetLineControlsFn>("mixerGetLineControlsW");
    mixerGetDetails_ = winmm_.Find<MixerDetailsFn>("mixerGetControlDetailsW");
    mixerSetDetails_ = winmm_.Find<MixerDetailsFn>("mixerSetControlDetails");
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
