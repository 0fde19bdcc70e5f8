#pragma once
// The lines of announce.cfg, one row a setting: its key, how its value is
// read and checked into the record, how it is written, its default, and how
// the "Оповещения" dialog shows it. The reader, the writer and the dialog's
// mapping all go by these rows; Apply writes them in their order. A default
// is the field's initializer in AnnounceSettings, and nowhere else.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "schedule/AnnounceSettings.h"

namespace zv {

struct AnnounceControls;
struct VoiceEntry;

struct AnnounceKey {
    std::string_view name;  // before the '=': "Every" in "Every=5"
    // Sets the field from the value (blanks around it trimmed); false when
    // the value is bad, the record then left as it was.
    bool (*read)(std::string_view value, AnnounceSettings& settings);
    // The value as Apply writes it; read takes it back unchanged.
    std::string (*write)(const AnnounceSettings& settings);
    // Puts the field back to its default: what a bad line leaves.
    void (*reset)(AnnounceSettings& settings);
    // The nearest the dialog's controls can show, and what they hold, back as
    // the field. `voices` are the packs the voice list shows.
    void (*show)(const AnnounceSettings& settings, const std::vector<VoiceEntry>& voices,
                 AnnounceControls& controls);
    void (*take)(const AnnounceControls& controls, const std::vector<VoiceEntry>& voices,
                 AnnounceSettings& settings);
};

std::span<const AnnounceKey> AnnounceKeys();
// The row of that key (exact, letter case counts); null for a line
// announce.cfg does not know.
const AnnounceKey* FindAnnounceKey(std::string_view name);

// Without the blanks and tabs around it, as names and values are read.
std::string_view TrimBlanks(std::string_view text);

}  // namespace zv
