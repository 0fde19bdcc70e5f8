// The standard library's errors in the program: thrown as zv::Exception with
// the library's own texts, so the usual catch of std::exception shows them.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "core/Errors.h"

namespace zv {
namespace {

TEST(LibraryErrors, ThrownAsProgramExceptionsWithTheLibrarysText) {
    struct Case {
        const char* name;
        std::function<void()> raise;
        bool programException;
        std::string text;
    };
    // Past the allocator's limit (half the address space) yet with a byte
    // size that fits in a size_t: an ordinary out-of-memory.
    std::allocator<std::int32_t> allocator;
    const std::size_t tooMany = PTRDIFF_MAX / sizeof(std::int32_t) + 1;
    const std::size_t overflowing = SIZE_MAX / sizeof(std::int32_t) + 1;
    const Case cases[] = {
        {"string::at", [] { (void)std::string("abc").at(5); }, true,
         "basic_string::at: __n (which is 5) >= this->size() (which is 3)"},
        {"string::substr", [] { (void)std::string("abc").substr(9); }, true,
         "basic_string::substr: __pos (which is 9) > this->size() (which is 3)"},
        {"vector::at", [] { (void)std::vector<int>(2).at(7); }, true,
         "vector::_M_range_check: __n (which is 7) >= this->size() (which is 2)"},
        {"vector::reserve",
         [] {
             std::vector<int> v;
             v.reserve(v.max_size() + 1);
         },
         true, "vector::reserve"},
        {"stoi", [] { (void)std::stoi("x"); }, true, "stoi"},
        {"empty function", [] { std::function<void()>()(); }, true, "bad_function_call"},
        {"byte size overflows", [&] { (void)allocator.allocate(overflowing); }, true,
         "std::bad_array_new_length"},
        {"out of memory", [&] { (void)allocator.allocate(tooMany); }, false,
         std::bad_alloc().what()},
    };
    for (const Case& c : cases) {
        try {
            c.raise();
            ADD_FAILURE() << c.name << ": nothing thrown";
        } catch (const Exception& e) {
            EXPECT_TRUE(c.programException) << c.name;
            EXPECT_EQ(std::string(e.what()), c.text) << c.name;
        } catch (const std::bad_alloc& e) {
            EXPECT_FALSE(c.programException) << c.name;
            EXPECT_EQ(std::string(e.what()), c.text) << c.name;
        } catch (const std::exception& e) {
            ADD_FAILURE() << c.name << ": the library's own type, \"" << e.what() << "\"";
        }
    }
}

}  // namespace
}  // namespace zv
