#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AnnouncerRig.h"
#include "speech/Phrasing.h"
#include "speech/Words.h"
#include "voices/VoiceList.h"

namespace zv {
namespace {

using namespace test::announcing;

const std::string kTable = std::string(ZV_SOURCE_DIR) + "/tests/data/chains.tsv";

// The official style must stay exactly what the announcer has always played;
// every style, whatever the table says, to its last word.
TEST(PhrasingTest, EveryStyleIsWhatTheAnnouncerPlays) {
    for (int style = 0; style < 3; ++style) {
        for (int h = 0; h < 24; ++h) {
            for (int m = 0; m < 60; ++m) {
                Rig rig(h, m);
                if (style == 0) {
                    rig.announcer.Start(rig.now);
                } else {
                    rig.announcer.StartIn("", SpeechStyle(style), rig.now);
                }
                rig.RunToEnd();
                ASSERT_EQ(rig.player.played, SpokenChain(SpeechStyle(style), h, m))
                    << style << " " << h << ":" << m;
                ASSERT_FALSE(rig.announcer.Polling());
            }
        }
    }
}

std::vector<std::string> TableLines() {
    std::vector<std::string> lines;
    for (int style = 0; style < 3; ++style) {
        for (unsigned h = 0; h < 24; ++h) {
            for (unsigned m = 0; m < 60; ++m) {
                char time[8];
                std::snprintf(time, sizeof time, "%02u:%02u", h, m);
                std::string line = std::to_string(style) + "\t" + time + "\t";
                for (const std::string& file : SpokenChain(SpeechStyle(style), h, m)) {
                    line += file + " ";
                }
                line.back() = '\t';
                line += WrittenSentence(SpeechStyle(style), h, m);
                lines.push_back(line);
            }
        }
    }
    return lines;
}

// The table is read and reviewed by a Russian speaker; every chain must be
// what it says. ZV_WRITE_CHAINS=1 writes it afresh from the chains.
TEST(PhrasingTest, EveryChainIsTheReviewedTable) {
    const std::vector<std::string> want = TableLines();
    if (std::getenv("ZV_WRITE_CHAINS")) {
        std::ofstream out(kTable, std::ios::binary);
        for (const std::string& line : want) out << line << "\n";
        ASSERT_TRUE(out.flush()) << "cannot write " << kTable;
    }
    std::ifstream in(kTable, std::ios::binary);
    ASSERT_TRUE(in) << "cannot read " << kTable;
    std::vector<std::string> got;
    for (std::string line; std::getline(in, line);) got.push_back(line);
    ASSERT_EQ(got.size(), want.size());
    int shown = 0;
    for (size_t i = 0; i < want.size() && shown < 10; ++i) {
        if (got[i] != want[i]) {
            ADD_FAILURE() << "table: " << got[i] << "\nchain: " << want[i];
            ++shown;
        }
    }
}

// Every recording a chain may play says a word of the table; only the units'
// silence says none, and leaves no gap in the sentence.
TEST(PhrasingTest, EveryRecordingHasItsWrittenWord) {
    for (const char* file : kStyleFiles) EXPECT_FALSE(WrittenWord(file).empty()) << file;
    for (int style = 0; style < 3; ++style) {
        for (unsigned h = 0; h < 24; ++h) {
            for (unsigned m = 0; m < 60; ++m) {
                for (const std::string& file : SpokenChain(SpeechStyle(style), h, m)) {
                    ASSERT_EQ(WrittenWord(file).empty(), file == "0_0.wav") << file;
                }
            }
        }
    }
    struct Case {
        int style;
        unsigned h, m;
        const char* written;
    };
    const Case cases[] = {
        {0, 21, 5, "двадцать один час пять минут"},
        {0, 21, 30, "двадцать один час тридцать минут"},
        {1, 12, 0, "полдень"},
        {2, 14, 45, "без четверти три дня"},
        {2, 0, 58, "без двух минут час ночи"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WrittenSentence(SpeechStyle(c.style), c.h, c.m), c.written)
            << c.style << " " << c.h << ":" << c.m;
    }
}

}  // namespace
}  // namespace zv
