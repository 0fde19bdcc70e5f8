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

// 0 for Monday .. 6 for Sunday, by the Gregorian calendar.
unsigned Weekday(const CalendarDate& date);

// «сегодня», the weekday, the day as a neuter ordinal, the month in the
// genitive. Throws for a date the calendar does not have.
std::vector<std::string> DateChain(const CalendarDate& date);

}  // namespace zv
