#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "AnnouncedChain.h"
#include "TempFiles.h"
#include "schedule/AnnounceChoices.h"
#include "schedule/Chains.h"
#include "voices/StdVoiceFolders.h"
#include "voices/VoiceList.h"

namespace zv {
namespace {

using test::TTempFiles;

// Writes a pack folder under voices\ with every recording but `skip`.
void MakePack(const TTempFiles& dir, const std::string& name, const std::string& skip = "") {
    auto folder = dir.MakeDir("voices/" + name);
    for (const char* file : kVoiceFiles) {
        if (file != skip) TTempFiles::Put(folder / file, "RIFF");
    }
}

// The completeness check must ask for exactly what the announcer can play.
TEST(VoiceListTest, TheFilesAreEveryRecordingTheAnnouncerPlays) {
    std::set<std::string> played;
    for (uint16_t h = 0; h < 24; ++h) {
        for (uint16_t m = 0; m < 60; ++m) {
            for (const std::string& f : test::AnnouncedChain(h, m)) played.insert(f);
        }
    }
    EXPECT_EQ(played, std::set<std::string>(kVoiceFiles.begin(), kVoiceFiles.end()));
}

TEST(VoiceListTest, ListsRealFolders) {
    struct Case {
        const char* what;
        void (*make)(const TTempFiles&);
        std::vector<VoiceEntry> want;
    };
    const Case cases[] = {
        {"no voices folder", [](const TTempFiles&) {}, {{"", ""}}},
        {"empty voices folder", [](const TTempFiles& d) { d.MakeDir("voices"); }, {{"", ""}}},
        {"complete packs ordered by name, case aside",
         [](const TTempFiles& d) {
             MakePack(d, "elena");
             MakePack(d, "Zed");
             MakePack(d, "aleksandr");
             MakePack(d, "мой");
         },
         {{"", ""}, {"aleksandr", ""}, {"elena", ""}, {"Zed", ""}, {"мой", ""}}},
        {"incomplete packs name their first missing file",
         [](const TTempFiles& d) {
             MakePack(d, "anna");
             MakePack(d, "half", "minut.wav");
             MakePack(d, "first", "0.wav");
             d.MakeDir("voices/empty");
         },
         {{"", ""}, {"anna", ""}, {"empty", "0.wav"}, {"first", "0.wav"}, {"half", "minut.wav"}}},
        {"files beside the packs and folders in place of recordings",
         [](const TTempFiles& d) {
             MakePack(d, "anna");
             TTempFiles::Put(d.MakeDir("voices") / "readme.txt", "x");
             MakePack(d, "odd", "chasa.wav");
             d.MakeDir("voices/odd/chasa.wav");
         },
         {{"", ""}, {"anna", ""}, {"odd", "chasa.wav"}}},
        // announce.cfg could not hold these, or Windows would read two as one.
        {"folders whose names are no pack name",
         [](const TTempFiles& d) {
             for (const char* n : {"мой голос", "v.2", "a..b", "x.", " x", "y "}) MakePack(d, n);
         },
         {{"", ""}, {"v.2", ""}, {"мой голос", ""}}},
    };
    for (const Case& c : cases) {
        TTempFiles dir;
        c.make(dir);
        TStdVoiceFolders folders(dir.Root());
        EXPECT_EQ(ListVoices(folders), c.want) << c.what;
    }
}

TEST(VoiceListTest, ChoiceFallsBackWhenThePackIsNotWhole) {
    TTempFiles dir;
    MakePack(dir, "anna");
    MakePack(dir, "half", "9.wav");
    TStdVoiceFolders folders(dir.Root());
    struct Case {
        const char* chosen;
        const char* voice;
        bool fellBack;
        const char* missing;
    };
    const Case cases[] = {
        {"", "", false, ""},         {"anna", "anna", false, ""},
        {"half", "", true, "9.wav"}, {"gone", "", true, "0.wav"},
        {"..", "", true, "0.wav"},   {"anna\\..\\anna", "", true, "0.wav"},
    };
    for (const Case& c : cases) {
        VoiceChoice got = ChooseVoice(folders, c.chosen);
        EXPECT_EQ(got.voice, c.voice) << c.chosen;
        EXPECT_EQ(got.fellBack, c.fellBack) << c.chosen;
        EXPECT_EQ(got.missing, c.missing) << c.chosen;
    }
}

// A pack made before the «ровно» and colloquial styles, or lacking one of
// their words, speaks officially rather than failing mid-chain.
TEST(VoiceListTest, StylesFallBackToOfficialWithoutTheirWords) {
    TTempFiles dir;
    MakePack(dir, "old");
    for (const char* name : {"full", "short"}) {
        MakePack(dir, name);
        for (const char* file : kStyleFiles) {
            if (std::string(name) != "short" || std::string(file) != "12_ord.wav") {
                TTempFiles::Put(dir.Root() / "voices" / name / file, "RIFF");
            }
        }
    }
    TStdVoiceFolders folders(dir.Root());
    EXPECT_EQ(ListVoices(folders), (std::vector<VoiceEntry>{
                                       {"", "", false},
                                       {"full", "", true},
                                       {"old", "", false},
                                       {"short", "", false},
                                   }));
    struct Case {
        const char* voice;
        SpeechStyle chosen, spoken;
    };
    const Case cases[] = {
        {"full", SpeechStyle::Colloquial, SpeechStyle::Colloquial},
        {"full", SpeechStyle::OfficialExact, SpeechStyle::OfficialExact},
        {"old", SpeechStyle::Colloquial, SpeechStyle::Official},
        {"short", SpeechStyle::OfficialExact, SpeechStyle::Official},
        {"old", SpeechStyle::Official, SpeechStyle::Official},
        {"", SpeechStyle::Colloquial, SpeechStyle::Official},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StyleForVoice(folders, c.voice, c.chosen), c.spoken)
            << c.voice << " " << int(c.chosen);
    }
}

TEST(VoiceListTest, PathsAndListItems) {
    struct Case {
        const char* voice;
        const char* file;
        const char* path;
    };
    const Case paths[] = {
        {"", "20.wav", "20.wav"},
        {"elena", "20.wav", "voices\\elena\\20.wav"},
        {"мой голос", "0_0.wav", "voices\\мой голос\\0_0.wav"},
    };
    for (const Case& c : paths) EXPECT_EQ(VoiceFile(c.voice, c.file), c.path) << c.voice;

    EXPECT_EQ(VoiceItemText({"anna", "", true}), "anna");
    EXPECT_EQ(VoiceItemText({"old", ""}), "old (только официально)");
    EXPECT_EQ(VoiceItemText({"half", "9.wav"}), "half (неполный)");
}

TEST(VoiceListTest, VoiceNamesStayInsideTheirFolder) {
    const std::pair<const char*, bool> rows[] = {
        {"elena", true}, {"Алёна 2", true}, {"a.b", true},  {"", false},     {".", false},
        {"..", false},   {"a..b", false},   {"a/b", false}, {"a\\b", false}, {"C:", false},
        {"a*", false},   {"x.", false},     {" x", false},  {"a\tb", false}, {"\xFF", false},
    };
    for (const auto& [name, ok] : rows) EXPECT_EQ(IsSafeVoiceName(name), ok) << name;
    EXPECT_FALSE(IsSafeVoiceName(std::string(65, 'v')));
}

}  // namespace
}  // namespace zv
