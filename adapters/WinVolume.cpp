#include "adapters/WinVolume.h"

#include <cmath>

#include "schedule/Volume.h"
#include "win32/SystemFunctions.h"

namespace zv::win {
namespace {

constexpr UINT kWaveMapper = static_cast<UINT>(-1);  // WAVE_MAPPER

HWAVEOUT Device(UINT id) {
    // waveOutSetVolume takes a device identifier where a handle would go.
    return reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(id));
}

}  // namespace

bool TWinVolume::MixerVolume(UINT id, double* set, double* get) {
    const auto mixerOpen = SystemFunction<kMixerOpen>();
    const auto mixerClose = SystemFunction<kMixerClose>();
    const auto mixerGetLineInfo = SystemFunction<kMixerGetLineInfoW>();
    const auto mixerGetLineControls = SystemFunction<kMixerGetLineControlsW>();
    const auto mixerGetDetails = SystemFunction<kMixerGetControlDetailsW>();
    const auto mixerSetDetails = SystemFunction<kMixerSetControlDetails>();
    if (!mixerOpen || !mixerClose || !mixerGetLineInfo || !mixerGetLineControls ||
        !mixerGetDetails || !mixerSetDetails)
        return false;
    HMIXER raw = nullptr;
    if (mixerOpen(&raw, id, 0, 0, MIXER_OBJECTF_WAVEOUT) != MMSYSERR_NOERROR) return false;
    struct Closer {
        decltype(mixerClose) close;
        HMIXER mixer;
        ~Closer() { close(mixer); }
    } closer{mixerClose, raw};
    const auto mixer = reinterpret_cast<HMIXEROBJ>(raw);

    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
    if (mixerGetLineInfo(mixer, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) !=
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
    if (mixerGetLineControls(mixer, &controls,
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
        return mixerSetDetails(mixer, &details,
                               MIXER_OBJECTF_HMIXER | MIXER_SETCONTROLDETAILSF_VALUE) ==
               MMSYSERR_NOERROR;
    }
    if (mixerGetDetails(mixer, &details, MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR)
        return false;
    *get = (value.dwValue - low) / (high - low);
    return true;
}

bool TWinVolume::Apply(int percent) {
    const auto getNumDevs = SystemFunction<kWaveOutGetNumDevs>();
    const auto setVolume = SystemFunction<kWaveOutSetVolume>();
    if (!getNumDevs) return false;
    const DWORD value = WaveOutVolume(percent);
    double fraction = (value & 0xFFFF) / 65535.0;
    bool any = false;
    const UINT n = getNumDevs();
    for (UINT id = 0; id < n; ++id) {
        if (MixerVolume(id, &fraction, nullptr)) any = true;
        // Refused where only open streams take a volume (Wine): the mixer
        // above then carries it.
        if (setVolume && setVolume(Device(id), value) == MMSYSERR_NOERROR) any = true;
    }
    if (setVolume && setVolume(Device(kWaveMapper), value) == MMSYSERR_NOERROR) any = true;
    return any;
}

bool TWinVolume::Read(uint32_t& value) {
    const auto getVolume = SystemFunction<kWaveOutGetVolume>();
    DWORD v = 0;
    if (getVolume && getVolume(Device(0), &v) == MMSYSERR_NOERROR) {
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
