#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/ErrorBoxQueue.h"

namespace zv {
namespace {

// Steps: "+X" an error with text X (as a tick inside an open box raises it),
// "-" the user closes the open box. The result: the texts shown, in order.
std::string BoxesShown(const std::string& steps) {
    TErrorBoxQueue boxes;
    std::istringstream in(steps);
    std::string step, shown;
    while (in >> step) {
        if (step[0] == '+' && boxes.Offer(step.substr(1))) shown += step.substr(1);
        if (step == "-") {
            if (auto next = boxes.Closed()) shown += *next;
        }
    }
    return shown;
}

TEST(ErrorBoxQueue, OneBoxAtATimeEachTextOnceInOrder) {
    struct Case {
        const char* what;
        const char* steps;
        const char* shown;
    } cases[] = {
        {"the open text again is not shown", "+A +A +A -", "A"},
        {"others wait for the close, in order", "+A +B +C - -", "ABC"},
        {"a waiting text is not queued twice", "+A +B +B +C +B - - -", "ABC"},
        {"the open text is not queued behind another", "+A +B +A - -", "AB"},
        {"once closed, a text may come back", "+A - +A", "AA"},
        {"and may wait behind the one now open", "+A +B - +A - -", "ABA"},
        {"a close with nothing waiting shows nothing", "+A - - +B", "AB"},
    };
    for (const Case& c : cases) EXPECT_EQ(BoxesShown(c.steps), c.shown) << c.what;
}

}  // namespace
}  // namespace zv
