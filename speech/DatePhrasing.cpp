#include "speech/DatePhrasing.h"

#include "core/Errors.h"

namespace zv {

namespace {

constexpr std::array<const char*, 7> kWeekdays = {
    "ponedelnik.wav", "vtornik.wav", "sreda.wav",      "chetverg.wav",
    "pyatnica.wav",   "subbota.wav", "voskresene.wav",
};

constexpr std::array<const char*, 12> kMonths = {
    "yanvarya.wav",   "fevralya.wav",  "marta.wav",    "aprelya.wav",
    "maya.wav",       "iyunya.wav",    "iyulya.wav",   "avgusta.wav",
    "sentyabrya.wav", "oktyabrya.wav", "noyabrya.wav", "dekabrya.wav",
};

bool Leap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool Exists(const CalendarDate& d) {
    static constexpr unsigned kDays[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > kDays[d.month - 1]) return false;
    return d.month != 2 || d.day < 29 || Leap(d.year);
}

std::string Neuter(unsigned n) {
    return std::to_string(n) + "_neut.wav";
}

}  // namespace

// Days since 1 March of year 0 of the proleptic Gregorian calendar, March
// first so that the leap day ends its year.
unsigned Weekday(const CalendarDate& date) {
    const int y = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int m = static_cast<int>(date.month);
    const int doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + static_cast<int>(date.day) - 1;
    const long days = era * 146097L + yoe * 365L + yoe / 4 - yoe / 100 + doy;
    // 1 March 0000 was a Wednesday.
    return static_cast<unsigned>(((days + 2) % 7 + 7) % 7);
}

std::vector<std::string> DateChain(const CalendarDate& date) {
    if (!Exists(date)) throw Exception("no such date");
    std::vector<std::string> chain{"segodnya.wav", kWeekdays[Weekday(date)]};
    // Only 1..20 and 30 have an ordinal of their own: «двадцать первое».
    const unsigned d = date.day;
    if (d <= 20 || d == 30) {
        chain.push_back(Neuter(d));
    } else {
        chain.push_back(d < 30 ? "20.wav" : "30.wav");
        chain.push_back(Neuter(d % 10));
    }
    chain.push_back(kMonths[date.month - 1]);
    return chain;
}

}  // namespace zv
