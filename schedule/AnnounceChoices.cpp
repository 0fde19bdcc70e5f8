#include "schedule/AnnounceChoices.h"

#include "schedule/AnnounceKeys.h"

namespace zv {

std::string VoiceItemText(const VoiceEntry& voice) {
    return voice.Complete() ? voice.name : voice.name + " (неполный)";
}

std::string PercentText(int volume) {
    return std::to_string(volume) + " %";
}

AnnounceControls ToControls(const AnnounceSettings& settings,
                            const std::vector<VoiceEntry>& voices) {
    AnnounceControls c;
    for (const AnnounceKey& key : AnnounceKeys()) key.show(settings, voices, c);
    return c;
}

AnnounceSettings FromControls(const AnnounceControls& controls,
                              const std::vector<VoiceEntry>& voices) {
    AnnounceSettings s;
    for (const AnnounceKey& key : AnnounceKeys()) key.take(controls, voices, s);
    return s;
}

bool SelectableVoiceItem(const std::vector<VoiceEntry>& voices, int item) {
    if (item == 0) return true;
    if (item < 0 || static_cast<size_t>(item) > voices.size()) return false;
    return voices[static_cast<size_t>(item - 1)].Complete();
}

int SelectableVoice(const std::vector<VoiceEntry>& voices, int current, int wanted) {
    const int count = static_cast<int>(voices.size()) + 1;
    if (wanted < 0 || wanted >= count) return current;
    const int step = wanted >= current ? 1 : -1;
    for (int item = wanted; item >= 0 && item < count; item += step) {
        if (SelectableVoiceItem(voices, item)) return item;
    }
    return current;
}

}  // namespace zv
