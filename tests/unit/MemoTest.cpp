#include <gtest/gtest.h>

#include "core/Errors.h"
#include "settings/Memo.h"
#include "tests/unit/TempFiles.h"

namespace zv {
namespace {

using test::TTempFiles;

TEST(Memo, LoadTurnsEveryLineBreakIntoCrLfAndSaveWritesTheTextBack) {
    struct Case {
        const char* what;
        std::string file, text;
    } cases[] = {
        {"CR LF", "Hotkey=1\r\nKey=1\r\n", "Hotkey=1\r\nKey=1\r\n"},
        {"LF only", "Hotkey=1\nKey=1\n", "Hotkey=1\r\nKey=1\r\n"},
        {"CR only", "Hotkey=1\rKey=1\r", "Hotkey=1\r\nKey=1\r\n"},
        {"mixed, empty lines kept", "a\r\n\nb\r\rc", "a\r\n\r\nb\r\n\r\nc"},
        {"LF CR is two breaks", "a\n\rb", "a\r\n\r\nb"},
        {"CR CR LF", "a\r\r\nb", "a\r\n\r\nb"},
        {"no break at the end adds none", "C:\\Zvenoks", "C:\\Zvenoks"},
        {"empty file", "", ""},
        {"other bytes untouched", "Run=\xD0\x90\t\x01 \r\n", "Run=\xD0\x90\t\x01 \r\n"},
    };
    TTempFiles files;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTempFiles::Put(files.Root() / "in.cfg", c.file);
        TMemo memo(files);
        memo.LoadFromFile("in.cfg");
        EXPECT_EQ(memo.Text(), c.text);
        memo.SaveToFile("out.cfg");
        EXPECT_EQ(TTempFiles::Get(files.Root() / "out.cfg"), c.text);
    }
}

TEST(Memo, StartsAsMemo1AndAddsLinesWithCrLf) {
    TTempFiles files;
    TMemo memo(files);
    EXPECT_EQ(memo.Text(), "Memo1");
    memo.Clear();
    memo.Add("Hotkey=1");
    memo.Add("");
    memo.Add("Run=1");
    EXPECT_EQ(memo.Text(), "Hotkey=1\r\n\r\nRun=1\r\n");
}

TEST(Memo, SaveTruncatesALongerFile) {
    TTempFiles files;
    TTempFiles::Put(files.Root() / "config.cfg", "Hotkey=0\r\nKey=5\r\nRun=2\r\nmore text\r\n");
    TMemo memo(files);
    memo.Clear();
    memo.Add("Run=1");
    memo.SaveToFile("config.cfg");
    EXPECT_EQ(TTempFiles::Get(files.Root() / "config.cfg"), "Run=1\r\n");
}

TEST(Memo, FailuresNameTheFullPathAndKeepTheText) {
    TTempFiles files;
    files.current = files.MakeDir("program");
    std::filesystem::create_directory(files.current / "blocked.cfg");
    TMemo memo(files);
    const std::string folder = files.current.string();

    try {
        memo.LoadFromFile("config.cfg");
        FAIL() << "loaded a missing file";
    } catch (const EFileError& e) {
        EXPECT_STREQ(
            e.what(),
            ("Cannot open file \"" + folder + "/config.cfg\". No such file or directory").c_str());
    }
    EXPECT_EQ(memo.Text(), "Memo1");

    memo.Clear();
    memo.Add("Hotkey=1");
    try {
        memo.SaveToFile("blocked.cfg");
        FAIL() << "saved over a folder";
    } catch (const EFileError& e) {
        EXPECT_STREQ(e.what(),
                     ("Cannot create file \"" + folder + "/blocked.cfg\". Is a directory").c_str());
    }
    EXPECT_EQ(memo.Text(), "Hotkey=1\r\n");
}

// A store that refuses everything with a system text as Windows words it.
class TRefusingStore final : public IFileStore {
  public:
    std::string ReadAll(const std::string&) override {
        throw EFileStoreFailure("The system cannot find the file specified.\r\n");
    }
    void WriteAll(const std::string&, std::string_view) override {
        throw EFileStoreFailure("Access is denied. ");
    }
    std::string FullPath(const std::string& name) override { return "C:\\Program Files\\" + name; }
};

TEST(Memo, SystemTextLosesItsFinalFullStopAndLineBreak) {
    TRefusingStore store;
    TMemo memo(store);
    EXPECT_THROW(
        {
            try {
                memo.LoadFromFile("config.cfg");
            } catch (const EFileError& e) {
                EXPECT_STREQ(
                    e.what(),
                    "Cannot open file \"C:\\Program Files\\config.cfg\". The system cannot "
                    "find the file specified");
                throw;
            }
        },
        EFileError);
    EXPECT_THROW(
        {
            try {
                memo.SaveToFile("config.cfg");
            } catch (const EFileError& e) {
                EXPECT_STREQ(
                    e.what(),
                    "Cannot create file \"C:\\Program Files\\config.cfg\". Access is denied");
                throw;
            }
        },
        EFileError);
}

}  // namespace
}  // namespace zv
