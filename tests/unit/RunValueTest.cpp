#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/Paths.h"
#include "shell/AutoRunner.h"

namespace zv {
namespace {

const std::string kOther = "C:\\Program Files\\Other\\other.exe";

// Files by their final paths: a known path leads where the map says (a
// link, another spelling); any other path names no file.
struct TFakeFiles final : IAutoRunFiles {
    std::map<std::string, std::string> known;
    std::string FinalPath(const std::string& path) override {
        for (const auto& [from, to] : known)
            if (SameText(from, path)) return to;
        return "";
    }
    bool UsersMayReplace(const std::string&) override { return false; }
};

// The name "MyApplication" is not the clock's alone: only a value naming
// this very file is its autostart; a copy of the clock or a file gone is its
// to replace; anything else belongs to another program.
TEST(AutoRunValue, WhoseTheValueIs) {
    const std::string exe = "C:\\Zvenoks\\Zvenoks.exe";
    TFakeFiles files;
    files.known = {{exe, exe},
                   {"C:\\Links\\zvenoks.exe", exe},
                   {"E:\\Copy\\Zvenoks.exe", "E:\\Copy\\Zvenoks.exe"},
                   {kOther, kOther},
                   {"C:\\Tools\\run.exe", "C:\\Tools\\Zvenoks.exe"}};
    using O = TRunValueOwner;
    struct Case {
        std::string text;
        O owner;
        std::string program;
    } cases[] = {
        {"", O::None, ""},
        {"\"" + exe + "\"", O::Ours, exe},
        {"c:\\zvenoks\\ZVENOKS.EXE", O::Ours, "c:\\zvenoks\\ZVENOKS.EXE"},
        {"C:\\Links\\zvenoks.exe", O::Ours, "C:\\Links\\zvenoks.exe"},  // winget's link
        {"\"" + exe + "\" /tray", O::Stale, exe},
        {"E:\\Copy\\Zvenoks.exe", O::Stale, "E:\\Copy\\Zvenoks.exe"},
        {"C:\\Tools\\run.exe", O::Stale, "C:\\Tools\\run.exe"},      // leads to a Zvenoks.exe
        {"D:\\Old\\Zvenoks.exe", O::Stale, "D:\\Old\\Zvenoks.exe"},  // the folder was moved
        {"\"" + kOther + "\" --minimized", O::Foreign, kOther},
        {kOther + " --minimized", O::Foreign, kOther},  // unquoted, as the system reads it
    };
    for (const Case& c : cases) {
        const RunValue v = ClassifyRunValue(c.text, exe, &files);
        EXPECT_EQ(v.owner, c.owner) << c.text;
        EXPECT_EQ(v.program, c.program) << c.text;
    }
}

}  // namespace
}  // namespace zv
