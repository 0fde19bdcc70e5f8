#pragma once
// What the "Оповещения" dialog offers, and how what its controls hold maps
// onto the settings record and back.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/AnnounceSettings.h"
#include "voices/VoiceList.h"

namespace zv {

struct EveryChoice {
    int minutes;
    std::string_view text;
};
inline constexpr std::array<EveryChoice, 7> kEveryChoices = {{
    {0, "Только по запросу"},
    {1, "Каждую минуту"},
    {5, "Каждые 5 минут"},
    {10, "Каждые 10 минут"},
    {15, "Каждые 15 минут"},
    {30, "Каждые 30 минут"},
    {60, "Каждый час"},
}};
// By the value of the chime setting.
inline constexpr std::array<std::string_view, 3> kChimeChoices = {
    "Без звука", "Колокольчик", "Колокольчик, в начале часа — кукушка"};
static_assert(kChimeChoices.size() == static_cast<size_t>(Chime::Cuckoo) + 1);
// By the value of the style setting.
inline constexpr std::array<std::string_view, 3> kStyleChoices = {
    "Официально", "Официально, с „ровно“", "Разговорно"};
static_assert(kStyleChoices.size() == static_cast<size_t>(SpeechStyle::Colloquial) + 1);
inline constexpr std::string_view kStandardVoice = "Стандартный";
inline constexpr int kHours = 24;

// How the voice list shows a pack, short enough for the list: an incomplete
// one says so (which file it lacks is in the guide's checklist), and so does
// one that lacks the words of the other styles.
std::string VoiceItemText(const VoiceEntry& voice);
// The volume beside its slider: "50 %".
std::string PercentText(int volume);

// What the dialog's controls hold, a member a control. ToControls fills it;
// the defaults are AnnounceSettings{}'s, shown.
struct AnnounceControls {
    int every{};  // index into kEveryChoices
    bool quiet{};
    int quietFrom{};  // the hour lists: the index is the hour
    int quietTo{};
    int chime{};  // index into kChimeChoices
    int volume{};
    bool fullscreen{};
    int voice{};  // 0 the standard voice, n the voices' entry n - 1
    int style{};  // index into kStyleChoices
    bool date{};
    bool mic{};

    bool operator==(const AnnounceControls&) const = default;
};

// Each announce.cfg row's mapping (schedule/AnnounceKeys): a value the
// controls cannot show comes out as the nearest one they can; a voice that is
// not among the complete packs as the standard voice.
AnnounceControls ToControls(const AnnounceSettings& settings,
                            const std::vector<VoiceEntry>& voices);
AnnounceSettings FromControls(const AnnounceControls& controls,
                              const std::vector<VoiceEntry>& voices);

// A voice-list item that may be chosen: the standard voice or a complete pack.
bool SelectableVoiceItem(const std::vector<VoiceEntry>& voices, int item);

// The voice-list item a move from `current` to `wanted` ends on: incomplete
// packs are passed over in the direction of the move, and with no complete
// one that way the selection stays where it was.
int SelectableVoice(const std::vector<VoiceEntry>& voices, int current, int wanted);

}  // namespace zv
