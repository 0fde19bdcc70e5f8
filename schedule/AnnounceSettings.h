#pragma once
// What announce.cfg holds: the schedule, the sounds around it and the voice.
// Each field is read and written by its row in schedule/AnnounceKeys; its
// initializer here is its default, the one place that says it.
#include <string>

#include "speech/Phrasing.h"

namespace zv {

// The sound before an announcement; the value is the Chime= setting.
enum class Chime {
    None = 0,
    Bell = 1,
    Cuckoo = 2,  // on the hour; the bell otherwise
};

struct AnnounceSettings {
    int every = 0;  // minutes between announcements: 0 (off), 1, 5, 10, 15, 30, 60
    // Hours without scheduled announcements, [quietFrom, quietTo), wrapping midnight.
    bool quiet = true;
    int quietFrom = 23;
    int quietTo = 7;
    Chime chime = Chime::None;
    int volume = 100;        // percent, for every sound of the clock
    bool fullscreen = true;  // stay silent while another program has the screen
    std::string voice;       // "": the recordings beside the exe, else the folder voices\<voice>
    SpeechStyle style = SpeechStyle::Official;
    bool date = false;  // the first announcement of the day says the date too
    bool mic = true;    // stay silent while the microphone is in use
    int size = 100;     // percent the dial is drawn at: 75, 100, 125, 150 or 200

    bool operator==(const AnnounceSettings&) const = default;
};

}  // namespace zv
