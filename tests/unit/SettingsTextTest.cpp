#include <gtest/gtest.h>

#include <string>

#include "core/Errors.h"
#include "settings/SettingsText.h"

namespace zv {
namespace {

// What a lookup gives: the digit's value, or the error's message.
std::string Lookup(std::string_view text, std::string_view prefix) {
    try {
        return std::to_string(ValueLookup(text, prefix));
    } catch (const EConvertError& e) {
        return e.what();
    }
}

struct Row {
    const char* what;
    std::string text;
    bool hotkey0, hotkey1, key, run2, run;  // what Contains finds
    std::string keyValue, runValue;         // what the lookups give
};

const std::string kNoValue = "'' is not a valid integer value";

TEST(SettingsText, SearchesAndLookupsOverFileTexts) {
    const Row rows[] = {
        {"as Apply writes it", "Hotkey=1\r\nKey=1\r\nRun=1\r\n", false, true, true, false, true,
         "1", "1"},
        {"empty file", "", false, false, false, false, false, kNoValue, kNoValue},
        {"all lower case", "hotkey=1\r\nkey=3\r\nrun=2\r\n", false, false, false, false, false,
         kNoValue, kNoValue},
        {"capital K: its Key= is found first", "HotKey=1\r\nKey=3\r\nRun=1\r\n", false, false, true,
         false, true, "1", "1"},
        {"two-digit values read one digit", "Hotkey=1\r\nKey=12\r\nRun=21\r\n", false, true, true,
         true, true, "1", "2"},
        {"a blank before the digit", "Key= 2\r\nRun= 1\r\n", false, false, true, false, true,
         "' ' is not a valid integer value", "' ' is not a valid integer value"},
        {"CR-only line ends", "Hotkey=0\rKey=4\rRun=2\r", true, false, true, true, true, "4", "2"},
        {"LF-only line ends", "Hotkey=1\nKey=5\nRun=1\n", false, true, true, false, true, "5", "1"},
        {"value missing at the end", "Hotkey=1\r\nKey=", false, true, true, false, false, kNoValue,
         kNoValue},
        {"digits without a row", "Key=0\r\nRun=3\r\n", false, false, true, false, true, "0", "3"},
        {"other order, other text, not bound to lines", "x Run=2 y\r\nHotkey=0Hotkey=1 Key=9", true,
         true, true, true, true, "9", "2"},
        {"first occurrence wins", "Key=2\r\nKey=3\r\nRun=1\r\nRun=2\r\n", false, false, true, true,
         true, "2", "1"},
        {"a sign or a letter", "Key=-1\r\nRun=x\r\n", false, false, true, false, true,
         "'-' is not a valid integer value", "'x' is not a valid integer value"},
        {"a NUL byte as the value: the text stays readable", std::string("Key=\0\r\nRun=\x01", 12),
         false, false, true, false, true, kNoValue, "'\x01' is not a valid integer value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(Contains(row.text, "Hotkey=0"), row.hotkey0);
        EXPECT_EQ(Contains(row.text, "Hotkey=1"), row.hotkey1);
        EXPECT_EQ(Contains(row.text, "Key="), row.key);
        EXPECT_EQ(Contains(row.text, "Run=2"), row.run2);
        EXPECT_EQ(Contains(row.text, "Run="), row.run);
        EXPECT_EQ(Lookup(row.text, "Key="), row.keyValue);
        EXPECT_EQ(Lookup(row.text, "Run="), row.runValue);
    }
}

}  // namespace
}  // namespace zv
