#include "speech/DatePhrasing.h"

#include <chrono>

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

std::chrono::year_month_day Civil(const CalendarDate& d) {
    return std::chrono::year{d.year} / std::chrono::month{d.month} / std::chrono::day{d.day};
}

std::string Neuter(unsigned n) {
    return std::to_string(n) + "_neut.wav";
}

}  // namespace

unsigned Weekday(const CalendarDate& date) {
    const std::chrono::weekday w{std::chrono::sys_days{Civil(date)}};
    return w.iso_encoding() - 1;
}

std::vector<std::string> DateChain(const CalendarDate& date) {
    if (!Civil(date).ok()) throw Exception("no such date");
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
