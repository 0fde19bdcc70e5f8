#include <gtest/gtest.h>

#include <cstdarg>
#include <cstddef>
#include <exception>
#include <functional>
#include <sstream>
#include <string>

#include "core/ErrorBoxQueue.h"
#include "core/Errors.h"
#include "settings/FileStore.h"

namespace zv {
namespace {

TEST(Errors, HexCodeMatchesPrintfsUpperCaseZeroPaddedForm) {
    struct Case {
        unsigned long value;
        int minDigits;
        const char* text;
    };
    const Case cases[] = {
        {0, 4, "0x0000"},
        {0, 0, "0x0"},
        {0xFFFF, 4, "0xFFFF"},
        {0x3002, 4, "0x3002"},
        {0x12345, 4, "0x12345"},  // wider than asked: nothing is cut
        {0x80070002, 8, "0x80070002"},
        {0x88982F50, 8, "0x88982F50"},
        {0xA, 8, "0x0000000A"},
        {0xFFFFFFFF, 8, "0xFFFFFFFF"},
        {0xabcdef, 1, "0xABCDEF"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexCode(c.value, c.minDigits), c.text) << c.value;
    }
}

TEST(Errors, EveryProgramExceptionIsAStdExceptionWithItsText) {
    const std::string longText(300, 'x');  // past any short-string buffer
    struct Case {
        const char* name;
        std::function<void()> raise;
        std::string text;
    };
    const Case cases[] = {
        {"Exception", [] { throw Exception("Нет файла"); }, "Нет файла"},
        {"from std::string", [&] { throw Exception(longText); }, longText},
        {"EMCIDeviceError", [] { throw EMCIDeviceError("MCI"); }, "MCI"},
        {"EConvertError", [] { throw EConvertError("'x' is not a valid integer value"); },
         "'x' is not a valid integer value"},
        {"EFileError", [] { throw EFileError("Cannot open file"); }, "Cannot open file"},
        {"EFileStoreFailure", [] { throw EFileStoreFailure("Access denied"); }, "Access denied"},
        {"empty", [] { throw Exception(""); }, ""},
    };
    for (const Case& c : cases) {
        try {
            c.raise();
            ADD_FAILURE() << c.name << ": nothing thrown";
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), c.text) << c.name;
        }
    }
}

TEST(Errors, ExceptionCopiesKeepTheirOwnText) {
    Exception original(std::string("первая"));
    Exception copy = original;
    original = Exception("вторая");
    EXPECT_STREQ(copy.what(), "первая");
    EXPECT_STREQ(original.what(), "вторая");
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatLibraryMessage(format, args);
    va_end(args);
    return text;
}

TEST(Errors, LibraryMessagesFormatLikePrintf) {
    struct Case {
        std::string text;
        std::string expected;
    };
    const std::size_t big = static_cast<std::size_t>(-1);
    const Case cases[] = {
        {Format("plain"), "plain"},
        {Format("%s: __pos (which is %zu) > this->size() (which is %zu)", "basic_string::substr",
                std::size_t{7}, std::size_t{3}),
         "basic_string::substr: __pos (which is 7) > this->size() (which is 3)"},
        {Format("vector::_M_range_check: __n (which is %zu) >= this->size() (which is %zu)",
                std::size_t{0}, std::size_t{0}),
         "vector::_M_range_check: __n (which is 0) >= this->size() (which is 0)"},
        {Format("%zu", big), std::to_string(big)},
        {Format("100%% %s", "done"), "100% done"},
        {Format("%s|%s", "", "b"), "|b"},
        {Format("unknown %d stays, then %zu", std::size_t{42}), "unknown %d stays, then 42"},
        {Format("trailing %"), "trailing %"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, c.expected);
}

TEST(Errors, OneBoxAtATimeEachWaitingTextOnceInOrder) {
    // Steps: "+X" an error X (a tick inside an open box raises it), "-" the
    // user closes the open box. Expected: the texts shown, in order.
    const std::pair<const char*, const char*> cases[] = {
        {"+A +A +A -", "A"},    {"+A +B +C - -", "ABC"}, {"+A +B +B +C +B - - -", "ABC"},
        {"+A +B +A - -", "AB"}, {"+A - +A", "AA"},       {"+A +B - +A - -", "ABA"},
        {"+A - - +B", "AB"},
    };
    for (const auto& [steps, expected] : cases) {
        TErrorBoxQueue boxes;
        std::istringstream in(steps);
        std::string step, shown;
        while (in >> step) {
            if (step[0] == '+' && boxes.Offer(step.substr(1))) shown += step.substr(1);
            if (step == "-") shown += boxes.Closed().value_or("");
        }
        EXPECT_EQ(shown, expected) << steps;
    }
}

}  // namespace
}  // namespace zv
