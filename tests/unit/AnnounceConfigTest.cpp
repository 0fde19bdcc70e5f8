#include <gtest/gtest.h>

#include <algorithm>
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

std::string BadValue(int number, const std::string& line) {
    return "строка " + std::to_string(number) + ": неверное значение «" + line + "»";
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
         "Every=15\nQuiet=22-6\nChime=2\nVolume=50\nFullscreen=0\nVoice=elena\nStyle=2\nDate=1\n"
         "Mic=0\n",
         With([](AnnounceSettings& s) {
             s.every = 15, s.quietFrom = 22, s.quietTo = 6, s.chime = Chime::Cuckoo, s.volume = 50;
             s.fullscreen = false, s.voice = "elena", s.style = SpeechStyle::Colloquial,
             s.date = true, s.mic = false;
         }),
         {}},
        {"CR only, no final break",
         "Every=60\rChime=1\rVolume=0",
         With([](AnnounceSettings& s) { s.every = 60, s.chime = Chime::Bell, s.volume = 0; }),
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
         With([](AnnounceSettings& s) { s.volume = 40, s.chime = Chime::Bell; }),
         {BadValue(2, "Every=7")}},
        {"a bad line after a good one of its name gives the default",
         "Every=5\r\nEvery=2\r\n",
         defaults,
         {BadValue(2, "Every=2")}},
        {"bad quiet hours",
         "Quiet=25-3\r\nQuiet=7\r\nQuiet=-3\r\nQuiet=a-b\r\nQuiet=1-2-3\r\n",
         defaults,
         {BadValue(1, "Quiet=25-3"), BadValue(2, "Quiet=7"), BadValue(3, "Quiet=-3"),
          BadValue(4, "Quiet=a-b"), BadValue(5, "Quiet=1-2-3")}},
        {"bad numbers",
         "Volume=x\r\nVolume=101\r\nChime=3\r\nFullscreen=2\r\nEvery=-1\r\nEvery=\r\nStyle=3\r\n",
         defaults,
         {BadValue(1, "Volume=x"), BadValue(2, "Volume=101"), BadValue(3, "Chime=3"),
          BadValue(4, "Fullscreen=2"), BadValue(5, "Every=-1"), BadValue(6, "Every="),
          BadValue(7, "Style=3")}},
        {"bad flags",
         "Date=2\r\nMic=\r\nMic=yes\r\n",
         defaults,
         {BadValue(1, "Date=2"), BadValue(2, "Mic="), BadValue(3, "Mic=yes")}},
        {"the dial's size", "Size=150\r\n", With([](AnnounceSettings& s) { s.size = 150; }), {}},
        {"a size the menus do not offer",
         "Size=110\r\nSize=0\r\n",
         defaults,
         {BadValue(1, "Size=110"), BadValue(2, "Size=0")}},
        {"a voice that leaves its folder",
         "Voice=../x\r\nVoice=a\\b\r\nVoice=c:\r\n",
         defaults,
         {BadValue(1, "Voice=../x"), BadValue(2, "Voice=a\\b"), BadValue(3, "Voice=c:")}},
        {"a line that is not text is named by its number",
         "Every=5\r\nab\x01\r\n\xC3\x28=1\r\nChime=1",
         With([](AnnounceSettings& s) { s.every = 5, s.chime = Chime::Bell; }),
         {"строка 2 содержит недопустимые символы (сохраните файл в кодировке UTF-8)",
          "строка 3 содержит недопустимые символы (сохраните файл в кодировке UTF-8)"}},
        {"a long bad value is cut on a character boundary",
         "Voice=" + std::string(53, 'a') + "ж/" + std::string(40, 'b') + "\r\n",
         defaults,
         {BadValue(1, "Voice=" + std::string(53, 'a') + "…")}},
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
    EXPECT_EQ(
        FormatAnnounceConfig(AnnounceSettings{}),
        "Every=0\r\nQuiet=23-7\r\nChime=0\r\nVolume=100\r\nFullscreen=1\r\nVoice=\r\nStyle=0\r\n"
        "Date=0\r\nMic=1\r\nSize=100\r\n");
    const AnnounceSettings all[] = {
        AnnounceSettings{},
        With([](AnnounceSettings& s) {
            s.every = 30, s.quiet = false, s.chime = Chime::Cuckoo, s.volume = 0;
        }),
        With([](AnnounceSettings& s) {
            s.every = 1, s.quietFrom = 0, s.quietTo = 23, s.fullscreen = false;
            s.voice = "Алёна 2", s.size = 200;
        }),
        With([](AnnounceSettings& s) { s.date = true, s.mic = false; }),
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
        EXPECT_EQ(read.errors, std::vector<std::string>{BadValue(1, line)});
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
    // Ten lines of at most a line's width each: characters, not UTF-8 bytes.
    EXPECT_LT(std::count(box.begin(), box.end(), '\n'), 10);
    EXPECT_LT(std::count_if(box.begin(), box.end(), [](char c) { return (c & 0xC0) != 0x80; }),
              1000);
    EXPECT_EQ(box.rfind("В файле announce.cfg есть ошибки; для этих строк взяты значения по "
                        "умолчанию:\nстрока ",
                        0),
              0u);
    EXPECT_NE(
        box.find("\nи ещё " + std::to_string(read.errorCount - AnnounceRead::kMaxListed) + " ошиб"),
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
    EXPECT_EQ(read.errors[0].rfind("Не удалось прочитать файл announce.cfg (", 0), 0u)
        << read.errors[0];
    EXPECT_EQ(AnnounceErrorBoxText(read), read.errors[0]);
    // Saving onto that folder fails with the path named; nothing is lost.
    const AnnounceSettings mine = With([](AnnounceSettings& s) { s.every = 15, s.volume = 70; });
    try {
        SaveAnnounceConfig(files, mine);
        ADD_FAILURE() << "saved onto a folder";
    } catch (const EFileError& e) {
        const std::string text = e.what();
        EXPECT_NE(text.find("Не удалось записать файл «" + files.FullPath("announce.cfg") + "»: "),
                  std::string::npos)
            << text;
    }
    std::filesystem::remove(files.Root() / "announce.cfg");
    SaveAnnounceConfig(files, mine);
    EXPECT_EQ(test::TTempFiles::Get(files.Root() / "announce.cfg"), FormatAnnounceConfig(mine));
    EXPECT_EQ(LoadAnnounceConfig(files, true).settings, mine);
}

}  // namespace
}  // namespace zv
