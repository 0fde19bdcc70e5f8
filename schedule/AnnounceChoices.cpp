#include "schedule/AnnounceChoices.h"

#include <algorithm>

namespace zv {
namespace {

int Clamp(int value, int low, int high) {
    return std::clamp(value, low, high);
}

bool Selectable(const std::vector<VoiceEntry>& voices, int item) {
    if (item == 0) return true;
    if (item < 0 || static_cast<size_t>(item) > voices.size()) return false;
    return voices[static_cast<size_t>(item - 1)].Complete();
}

}  // namespace

std::string VoiceItemText(const VoiceEntry& voice) {
    return voice.Complete() ? voice.name : voice.name + " (неполный)";
}

std::string PercentText(int volume) {
    return std::to_string(volume) + " %";
}

AnnounceControls ToControls(const AnnounceSettings& settings,
                            const std::vector<VoiceEntry>& voices) {
    AnnounceControls c;
    c.every = 0;
    for (size_t i = 0; i < kEveryChoices.size(); ++i) {
        if (kEveryChoices[i].minutes == settings.every) c.every = static_cast<int>(i);
    }
    c.quiet = settings.quiet;
    c.quietFrom = Clamp(settings.quietFrom, 0, kHours - 1);
    c.quietTo = Clamp(settings.quietTo, 0, kHours - 1);
    c.chime = Clamp(settings.chime, 0, static_cast<int>(kChimeChoices.size()) - 1);
    c.volume = Clamp(settings.volume, 0, 100);
    c.fullscreen = settings.fullscreen;
    c.voice = 0;
    if (!settings.voice.empty()) {
        for (size_t i = 0; i < voices.size(); ++i) {
            if (voices[i].name == settings.voice && voices[i].Complete()) {
                c.voice = static_cast<int>(i) + 1;
            }
        }
    }
    return c;
}

AnnounceSettings FromControls(const AnnounceControls& controls,
                              const std::vector<VoiceEntry>& voices) {
    AnnounceSettings s;
    s.every = kEveryChoices[static_cast<size_t>(Clamp(controls.every, 0,
                                                      static_cast<int>(kEveryChoices.size()) - 1))]
                  .minutes;
    s.quiet = controls.quiet;
    s.quietFrom = Clamp(controls.quietFrom, 0, kHours - 1);
    s.quietTo = Clamp(controls.quietTo, 0, kHours - 1);
    s.chime = Clamp(controls.chime, 0, static_cast<int>(kChimeChoices.size()) - 1);
    s.volume = Clamp(controls.volume, 0, 100);
    s.fullscreen = controls.fullscreen;
    // An item that cannot be chosen never reaches the settings.
    if (Selectable(voices, controls.voice) && controls.voice > 0) {
        s.voice = voices[static_cast<size_t>(controls.voice - 1)].name;
    }
    return s;
}

int SelectableVoice(const std::vector<VoiceEntry>& voices, int current, int wanted) {
    const int count = static_cast<int>(voices.size()) + 1;
    if (wanted < 0 || wanted >= count) return current;
    const int step = wanted >= current ? 1 : -1;
    for (int item = wanted; item >= 0 && item < count; item += step) {
        if (Selectable(voices, item)) return item;
    }
    return current;
}

}  // namespace zv
