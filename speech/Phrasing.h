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

// The recordings only the «ровно» and colloquial styles play; a voice lacking
// any of them speaks officially.
inline constexpr std::array<const char*, 42> kStyleFiles = {
    "bez.wav",     "chetvert.wav", "chetverti.wav", "polovina.wav", "rovno.wav",  "polden.wav",
    "polnoch.wav", "utra.wav",     "dnya.wav",      "vechera.wav",  "nochi.wav",  "1_ord.wav",
    "2_ord.wav",   "3_ord.wav",    "4_ord.wav",     "5_ord.wav",    "6_ord.wav",  "7_ord.wav",
    "8_ord.wav",   "9_ord.wav",    "10_ord.wav",    "11_ord.wav",   "12_ord.wav", "1_gen.wav",
    "2_gen.wav",   "3_gen.wav",    "4_gen.wav",     "5_gen.wav",    "6_gen.wav",  "7_gen.wav",
    "8_gen.wav",   "9_gen.wav",    "10_gen.wav",    "11_gen.wav",   "12_gen.wav", "13_gen.wav",
    "14_gen.wav",  "16_gen.wav",   "17_gen.wav",    "18_gen.wav",   "19_gen.wav", "20_gen.wav",
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
