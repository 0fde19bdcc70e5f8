#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "schedule/AnnounceChoices.h"

namespace zv {
namespace {

const std::vector<VoiceEntry> kVoices = {
    {"anna", ""}, {"elena", "5.wav"}, {"aleksandr", ""}, {"irina", "chas.wav"}};

AnnounceSettings Make(int every, bool quiet, int from, int to, int chime, int volume,
                      bool fullscreen, std::string voice, int style = 0) {
    AnnounceSettings s;
    s.style = static_cast<SpeechStyle>(style);
    s.every = every;
    s.quiet = quiet;
    s.quietFrom = from;
    s.quietTo = to;
    s.chime = static_cast<Chime>(chime);
    s.volume = volume;
    s.fullscreen = fullscreen;
    s.voice = std::move(voice);
    return s;
}

TEST(AnnounceChoices, EverySettingTheControlsCanShowComesBackAsItWas) {
    const AnnounceSettings cases[] = {
        AnnounceSettings{},
        Make(1, false, 0, 0, 1, 0, false, "anna"),
        Make(5, true, 23, 7, 2, 50, true, "aleksandr", 2),
        Make(10, true, 0, 23, 0, 1, true, ""),
        Make(15, false, 22, 6, 1, 99, false, "anna", 1),
        Make(30, true, 7, 23, 2, 100, true, ""),
        Make(60, true, 12, 13, 0, 33, false, "aleksandr"),
    };
    for (const AnnounceSettings& s : cases) {
        SCOPED_TRACE(s.every);
        AnnounceControls c = ToControls(s, kVoices);
        EXPECT_EQ(FromControls(c, kVoices), s);
        // The hour lists hold the hours in order, the chime list the values.
        EXPECT_EQ(c.quietFrom, s.quietFrom);
        EXPECT_EQ(c.quietTo, s.quietTo);
        EXPECT_EQ(c.chime, static_cast<int>(s.chime));
        EXPECT_EQ(kEveryChoices[static_cast<size_t>(c.every)].minutes, s.every);
    }
}

TEST(AnnounceChoices, WhatTheControlsCannotShowBecomesTheNearestTheyCan) {
    struct Case {
        const char* name;
        AnnounceSettings in;
        AnnounceSettings out;
    };
    const Case cases[] = {
        {"minutes not offered", Make(7, true, 23, 7, 0, 100, true, ""),
         Make(0, true, 23, 7, 0, 100, true, "")},
        {"hours out of range", Make(0, true, -1, 24, 0, 100, true, ""),
         Make(0, true, 0, 23, 0, 100, true, "")},
        {"chime and volume too high", Make(0, true, 23, 7, 3, 150, true, ""),
         Make(0, true, 23, 7, 2, 100, true, "")},
        {"volume below zero", Make(0, true, 23, 7, 0, -5, true, ""),
         Make(0, true, 23, 7, 0, 0, true, "")},
        {"a voice that is gone", Make(0, true, 23, 7, 0, 100, true, "maria"),
         Make(0, true, 23, 7, 0, 100, true, "")},
        {"an incomplete voice", Make(0, true, 23, 7, 0, 100, true, "elena"),
         Make(0, true, 23, 7, 0, 100, true, "")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FromControls(ToControls(c.in, kVoices), kVoices), c.out);
    }
}

TEST(AnnounceChoices, AnIncompleteOrMissingVoiceItemNeverReachesTheSettings) {
    AnnounceControls c;
    for (int item : {2, 4, 5, -1}) {
        SCOPED_TRACE(item);
        c.voice = item;
        EXPECT_EQ(FromControls(c, kVoices).voice, "");
    }
    c.voice = 3;
    EXPECT_EQ(FromControls(c, kVoices).voice, "aleksandr");
}

TEST(AnnounceChoices, MovingTheVoiceSelectionPassesOverIncompletePacks) {
    // Items: 0 the standard voice, 1 anna, 2 elena (incomplete), 3 aleksandr,
    // 4 irina (incomplete).
    struct Case {
        int current, wanted, expected;
    };
    const Case cases[] = {
        {0, 1, 1}, {1, 2, 3}, {3, 2, 1}, {3, 4, 3},  {0, 4, 0},
        {1, 0, 0}, {0, 3, 3}, {3, 3, 3}, {1, -1, 1}, {1, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.current) + " -> " + std::to_string(c.wanted));
        EXPECT_EQ(SelectableVoice(kVoices, c.current, c.wanted), c.expected);
    }
    EXPECT_EQ(SelectableVoice({}, 0, 1), 0);
}

}  // namespace
}  // namespace zv
