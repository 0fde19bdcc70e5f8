#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "schedule/AnnounceConfig.h"
#include "schedule/AnnounceKeys.h"
#include "tests/unit/TempFiles.h"

namespace zv {
namespace {

AnnounceSettings With(void (*change)(AnnounceSettings&)) {
    AnnounceSettings s;
    change(s);
    return s;
}

std::string BadValue(const std::string& line) {
    return "announce.cfg: неверное значение в строке \"" + line +
           "\"; используется значение по умолчанию.";
}

struct ReadRow {
    const char* what;
    std::optional<std::string> bytes;
    AnnounceSettings want;
    std::vector<std::string> errors;
};

TEST(AnnounceConfig, ReadsGoodAndBadLines) {
    const AnnounceSettings defaults;
    const ReadRow rows[] = {
        {"no file", std::nullopt, defaults, {}},
        {"empty file", "", defaults, {}},
        {"every line, LF only",
         "Every=15\nQuiet=22-6\nChime=2\nVolume=50\nFullscreen=0\nVoice=elena\n",
         With([](AnnounceSettings& s) {
             s.every = 15, s.quietFrom = 22, s.quietTo = 6, s.chime = 2, s.volume = 50;
             s.fullscreen = false, s.voice = "elena";
         }),
         {}},
        {"CR only, no final break",
         "Every=60\rChime=1\rVolume=0",
         With([](AnnounceSettings& s) { s.every = 60, s.chime = 1, s.volume = 0; }),
         {}},
        {"byte order mark, blanks around names and values",
         "\xEF\xBB\xBF Every = 5 \r\nQuiet=\t0-6\r\n",
         With([](AnnounceSettings& s) { s.every = 5, s.quietFrom = 0, s.quietTo = 6; }),
         {}},
        {"empty quiet hours mean none",
         "Quiet=\r\n",
         With([](AnnounceSettings& s) { s.quiet = false; }),
         {}},
        {"unknown and lower-case lines are ignored",
         "# mine\r\nHotkey=1\r\nevery=5\r\nnoise\r\n",
         defaults,
         {}},
        {"empty quiet hours after others: none, and no trace of them",
         "Quiet=12-0\r\nQuiet=\r\n",
         With([](AnnounceSettings& s) { s.quiet = false; }),
         {}},
        {"the last line of a name wins",
         "Every=5\r\nEvery=10\r\n",
         With([](AnnounceSettings& s) { s.every = 10; }),
         {}},
        {"a bad every keeps the rest",
         "Volume=40\r\nEvery=7\r\nChime=1\r\n",
         With([](AnnounceSettings& s) { s.volume = 40, s.chime = 1; }),
         {BadValue("Every=7")}},
        {"a bad line after a good one of its name gives the default",
         "Every=5\r\nEvery=2\r\n",
         defaults,
         {BadValue("Every=2")}},
        {"bad quiet hours",
         "Quiet=25-3\r\nQuiet=7\r\nQuiet=-3\r\nQuiet=a-b\r\nQuiet=1-2-3\r\n",
         defaults,
         {BadValue("Quiet=25-3"), BadValue("Quiet=7"), BadValue("Quiet=-3"), BadValue("Quiet=a-b"),
          BadValue("Quiet=1-2-3")}},
        {"bad numbers",
         "Volume=x\r\nVolume=101\r\nChime=3\r\nFullscreen=2\r\nEvery=-1\r\nEvery=\r\n",
         defaults,
         {BadValue("Volume=x"), BadValue("Volume=101"), BadValue("Chime=3"),
          BadValue("Fullscreen=2"), BadValue("Every=-1"), BadValue("Every=")}},
        {"a voice that leaves its folder",
         "Voice=../x\r\nVoice=a\\b\r\nVoice=c:\r\n",
         defaults,
         {BadValue("Voice=../x"), BadValue("Voice=a\\b"), BadValue("Voice=c:")}},
        {"a line that is not text is named by its number",
         "Every=5\r\nab\x01\r\n\xC3\x28=1\r\nChime=1",
         With([](AnnounceSettings& s) { s.every = 5, s.chime = 1; }),
         {"announce.cfg: строка 2 не является текстом; она пропущена.",
          "announce.cfg: строка 3 не является текстом; она пропущена."}},
        {"a long bad value is cut on a character boundary",
         "Voice=" + std::string(53, 'a') + "ж/" + std::string(40, 'b') + "\r\n",
         defaults,
         {BadValue("Voice=" + std::string(53, 'a') + "…")}},
    };
    for (const ReadRow& row : rows) {
        SCOPED_TRACE(row.what);
        const AnnounceRead read = ParseAnnounceConfig(row.bytes);
        EXPECT_EQ(read.settings, row.want);
        EXPECT_EQ(read.errors, row.errors);
        EXPECT_EQ(read.errorCount, row.errors.size());
    }
}

TEST(AnnounceConfig, WritesCrLfLinesThatReadBackTheSame) {
    EXPECT_EQ(FormatAnnounceConfig(AnnounceSettings{}),
              "Every=0\r\nQuiet=23-7\r\nChime=0\r\nVolume=100\r\nFullscreen=1\r\nVoice=\r\n");
    const AnnounceSettings all[] = {
        AnnounceSettings{},
        With([](AnnounceSettings& s) { s.every = 30, s.quiet = false, s.chime = 2, s.volume = 0; }),
        With([](AnnounceSettings& s) {
            s.every = 1, s.quietFrom = 0, s.quietTo = 23, s.fullscreen = false;
            s.voice = "Алёна 2";
        }),
    };
    for (const AnnounceSettings& s : all) {
        const AnnounceRead read = ParseAnnounceConfig(FormatAnnounceConfig(s));
        EXPECT_EQ(read.settings, s);
        EXPECT_EQ(read.errorCount, 0u);
    }
}

TEST(AnnounceConfig, EachKeyIsALineOfItsOwnThatRefusesNonsense) {
    std::set<std::string_view> names;
    for (const AnnounceKey& key : AnnounceKeys()) {
        SCOPED_TRACE(key.name);
        EXPECT_TRUE(names.insert(key.name).second) << "two rows of one key";
        const std::string line = std::string(key.name) + "=?";
        const AnnounceRead read = ParseAnnounceConfig(line + "\r\n");
        EXPECT_EQ(read.settings, AnnounceSettings{});
        EXPECT_EQ(read.errors, std::vector<std::string>{BadValue(line)});
    }
}

TEST(AnnounceConfig, FiveMegabytesOfNoiseGiveOneShortBoxQuickly) {
    std::mt19937 random(14);
    std::string noise(5 << 20, '\0');
    for (char& c : noise) c = static_cast<char>(random() & 0xFF);
    const auto start = std::chrono::steady_clock::now();
    const AnnounceRead read = ParseAnnounceConfig(noise);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(3));  // generous: the sanitizers slow it down
    EXPECT_GT(read.errorCount, AnnounceRead::kMaxListed);
    EXPECT_EQ(read.errors.size(), AnnounceRead::kMaxListed);
    const std::string box = AnnounceErrorBoxText(read);
    EXPECT_LT(box.size(), 1000u);
    EXPECT_NE(box.find("Ещё ошибок в announce.cfg: " +
                       std::to_string(read.errorCount - AnnounceRead::kMaxListed) + "."),
              std::string::npos);
    EXPECT_EQ(AnnounceErrorBoxText(ParseAnnounceConfig("Every=5\r\n")), "");
}

TEST(AnnounceConfig, LoadsAndSavesThroughTheFiles) {
    test::TTempFiles files;
    // No file: the defaults, silently, even with nothing readable there.
    AnnounceRead read = LoadAnnounceConfig(files, false);
    EXPECT_EQ(read.settings, AnnounceSettings{});
    EXPECT_EQ(read.errorCount, 0u);
    // A folder of that name exists but cannot be read as a file.
    files.MakeDir("announce.cfg");
    read = LoadAnnounceConfig(files, true);
    EXPECT_EQ(read.settings, AnnounceSettings{});
    ASSERT_EQ(read.errors.size(), 1u);
    EXPECT_EQ(read.errors[0].rfind("announce.cfg: файл не читается (", 0), 0u) << read.errors[0];
    EXPECT_NE(AnnounceErrorBoxText(read).find("используются значения по умолчанию."),
              std::string::npos);
    // Saving onto that folder fails with the path named; nothing is lost.
    const AnnounceSettings mine = With([](AnnounceSettings& s) { s.every = 15, s.volume = 70; });
    try {
        SaveAnnounceConfig(files, mine);
        ADD_FAILURE() << "saved onto a folder";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find("Не удалось записать файл \"" +
                                             files.FullPath("announce.cfg") + "\": "),
                  std::string::npos)
            << e.what();
    }
    std::filesystem::remove(files.Root() / "announce.cfg");
    SaveAnnounceConfig(files, mine);
    EXPECT_EQ(test::TTempFiles::Get(files.Root() / "announce.cfg"), FormatAnnounceConfig(mine));
    EXPECT_EQ(LoadAnnounceConfig(files, true).settings, mine);
}

}  // namespace
}  // namespace zv
