#include <gtest/gtest.h>

#include <vector>

#include "app/Activation.h"

namespace zv {
namespace {

constexpr uintptr_t kClock = 10, kAbout = 20, kSettings = 30;

TEST(ActivationTest, TheOpenDialogComesForwardNotTheClock) {
    struct Case {
        const char* what;
        std::vector<OwnedWindow> zOrder;  // topmost first
        uintptr_t target;
    };
    const Case cases[] = {
        {"settings open over the clock",
         {{kSettings, true, false}, {kClock, true, false}, {kAbout, false, false}},
         kSettings},
        {"settings open, the clock clicked above it since",
         {{kClock, true, false}, {kSettings, true, false}, {kAbout, false, false}},
         kSettings},
        {"both dialogs open: the higher one",
         {{kAbout, true, false}, {kSettings, true, false}, {kClock, true, false}},
         kAbout},
        {"no dialog open",
         {{kAbout, false, false}, {kClock, true, false}, {kSettings, false, false}},
         kClock},
        {"a minimized dialog is passed over",
         {{kAbout, true, true}, {kClock, true, false}},
         kClock},
        {"the clock minimized still comes back", {{kClock, true, true}}, kClock},
        {"nothing shown (the clock in the tray)",
         {{kClock, false, false}, {kSettings, false, false}},
         0},
        {"a dialog open while the clock is in the tray",
         {{kClock, false, false}, {kSettings, true, false}},
         kSettings},
        {"no windows yet", {}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(WindowToActivate(c.zOrder, kClock), c.target) << c.what;
}

}  // namespace
}  // namespace zv
