#pragma once
// The recordings that say a time of day, in each of the ways the clock can
// say it.
#include <array>
#include <string>
#include <vector>

namespace zv {

// The value is the Style= setting.
enum class SpeechStyle {
    Official = 0,  // «двадцать один час ноль минут»
    OfficialExact = 1,  // «двадцать один час ровно», «полдень», «полночь»
    Colloquial = 2,  // «без пяти девять вечера», «четверть первого ночи»
};

// The word forms every style shares: "5.wav" (NumberFile); the feminine "odna.wav",
// "dve.wav"; the hour word after h; the minute word after m.
std::string NumberFile(unsigned n);
std::string FeminineNumber(unsigned n);
std::string HourWord(unsigned h);
std::string MinuteWord(unsigned m);

// The file names, in order ("20.wav", "1.wav", "chas.wav", "5.wav",
// "minut.wav" for 21:05 officially), for hour 0..23 and minute 0..59.
std::vector<std::string> SpokenChain(SpeechStyle style, unsigned hour, unsigned minute);

}  // namespace zv
