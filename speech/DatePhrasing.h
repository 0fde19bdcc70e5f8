#pragma once
// The recordings that say today's date: «сегодня среда, девятое декабря».
#include <array>
#include <string>
#include <vector>

namespace zv {

struct CalendarDate {
    int year = 2000;
    unsigned month = 1;  // 1..12
    unsigned day = 1;    // 1..31

    bool operator==(const CalendarDate&) const = default;
};

// Every recording a date can ask for; a voice lacking any of them says the
// date in the standard voice.
inline constexpr std::array<const char*, 41> kDateFiles = {
    "segodnya.wav", "ponedelnik.wav", "vtornik.wav",    "sreda.wav",    "chetverg.wav",
    "pyatnica.wav", "subbota.wav",    "voskresene.wav", "yanvarya.wav", "fevralya.wav",
    "marta.wav",    "aprelya.wav",    "maya.wav",       "iyunya.wav",   "iyulya.wav",
    "avgusta.wav",  "sentyabrya.wav", "oktyabrya.wav",  "noyabrya.wav", "dekabrya.wav",
    "1_neut.wav",   "2_neut.wav",     "3_neut.wav",     "4_neut.wav",   "5_neut.wav",
    "6_neut.wav",   "7_neut.wav",     "8_neut.wav",     "9_neut.wav",   "10_neut.wav",
    "11_neut.wav",  "12_neut.wav",    "13_neut.wav",    "14_neut.wav",  "15_neut.wav",
    "16_neut.wav",  "17_neut.wav",    "18_neut.wav",    "19_neut.wav",  "20_neut.wav",
    "30_neut.wav",
};

// 0 for Monday .. 6 for Sunday, by the Gregorian calendar.
unsigned Weekday(const CalendarDate& date);

// «сегодня», the weekday, the day as a neuter ordinal, the month in the
// genitive. Throws for a date the calendar does not have.
std::vector<std::string> DateChain(const CalendarDate& date);

}  // namespace zv
