#include <gtest/gtest.h>

#include <vector>

#include "shell/ExeAccess.h"

namespace zv {
namespace {

constexpr uint32_t kFull = 0x1F01FF;
constexpr uint32_t kReadExecute = 0x1200A9;
constexpr uint32_t kModify = 0x1301BF;
constexpr uint32_t kGenericWrite = 0x120116;  // write, append, attributes

TEST(ExeAccess, AStandardUserMayChangeWhatAnyOfHisGroupsMay) {
    using T = TTrustee;
    struct Case {
        const char* what;
        std::vector<AccessEntry> list;
        bool mayChange;
    } cases[] = {
        {"Program Files: administrators and SYSTEM full, users read",
         {{true, T::Other, kFull}, {true, T::Users, kReadExecute}, {true, T::Everyone, 0x20}},
         false},
        {"a second drive: Authenticated Users may modify",
         {{true, T::Other, kFull}, {true, T::AuthenticatedUsers, kModify}},
         true},
        {"Everyone may write", {{true, T::Everyone, kGenericWrite}}, true},
        {"Users may only append", {{true, T::Users, 0x4}}, true},
        {"INTERACTIVE may delete", {{true, T::Interactive, 0x10000}}, true},
        {"a folder's child may be deleted", {{true, T::Users, 0x40}}, true},
        {"Everyone may change the permissions", {{true, T::Everyone, 0x40000}}, true},
        {"inherit-only: for new files, not this one", {{true, T::Users, kModify, true}}, false},
        {"denied first, then allowed",
         {{false, T::Users, kModify}, {true, T::Everyone, kModify}},
         false},
        {"allowed first: a later deny comes too late",
         {{true, T::Everyone, kModify}, {false, T::Users, kModify}},
         true},
        {"a deny of some rights leaves the others",
         {{false, T::Users, kGenericWrite}, {true, T::Users, kModify}},
         true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StandardUserMayChange(true, c.list), c.mayChange) << c.what;
    EXPECT_TRUE(StandardUserMayChange(false, {})) << "no list at all: everyone everything";
}

}  // namespace
}  // namespace zv
