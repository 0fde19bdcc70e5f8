#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "speech/DatePhrasing.h"
#include "voices/VoiceList.h"

namespace zv {
namespace {

const std::string kDates = std::string(ZV_SOURCE_DIR) + "/tests/data/dates.tsv";

bool KnownFile(const std::string& file) {
    auto is = [&](const char* f) { return file == f; };
    return std::any_of(kDateFiles.begin(), kDateFiles.end(), is) ||
           std::any_of(kVoiceFiles.begin(), kVoiceFiles.end(), is);
}

// Every day of a leap year as a Russian speaker reviewed it, the weekday
// aside; and every file a date says is one a voice is checked for.
TEST(DatePhrasingTest, EveryDayIsTheReviewedTable) {
    std::ifstream in(kDates, std::ios::binary);
    ASSERT_TRUE(in) << "cannot read " << kDates;
    int rows = 0;
    for (std::string line; std::getline(in, line); ++rows) {
        ASSERT_EQ(line.substr(2, 1) + line.substr(5, 1), "-\t") << line;
        const CalendarDate date{2024, unsigned(std::stoi(line.substr(0, 2))),
                                unsigned(std::stoi(line.substr(3, 2)))};
        const std::vector<std::string> chain = DateChain(date);
        ASSERT_EQ(chain.front(), "segodnya.wav");
        std::string files;
        for (size_t i = 2; i < chain.size(); ++i) files += (i > 2 ? " " : "") + chain[i];
        EXPECT_EQ(files, line.substr(6)) << line;
        for (const std::string& file : chain) EXPECT_TRUE(KnownFile(file)) << file;
    }
    EXPECT_EQ(rows, 366);
    EXPECT_THROW(DateChain({2023, 2, 29}), Exception);
    EXPECT_THROW(DateChain({2024, 13, 1}), Exception);
}

// The weekday by the calendar, across leap days and century years.
TEST(DatePhrasingTest, WeekdayIsTheCalendars) {
    struct Row {
        CalendarDate date;
        const char* weekday;
    };
    const Row rows[] = {
        {{2024, 2, 29}, "chetverg.wav"},  {{2026, 12, 9}, "sreda.wav"},
        {{2000, 2, 29}, "vtornik.wav"},   {{2023, 1, 1}, "voskresene.wav"},
        {{2025, 3, 1}, "subbota.wav"},    {{2028, 2, 29}, "vtornik.wav"},
        {{2027, 12, 31}, "pyatnica.wav"}, {{2100, 3, 1}, "ponedelnik.wav"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DateChain(row.date)[1], row.weekday)
            << row.date.year << "-" << row.date.month << "-" << row.date.day;
    }
}

}  // namespace
}  // namespace zv
