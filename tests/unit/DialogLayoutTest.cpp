// A dialog laid out for a text wider than its design: what grows, what moves
// and what must stay where it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/DialogLayout.h"
#include "settings/Form3Controls.h"

namespace zv {
namespace {

Rect DesignRect(const ControlDesign& d) {
    return {d.left, d.top, d.left + d.width, d.top + d.height};
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(DialogLayout, AWiderTextGrowsItsControlAndWhatHoldsItMovesWhatItReaches) {
    const auto row = [](std::string_view name) { return RowOf(kForm3Controls, name); };
    struct Case {
        std::string_view grows;
        int width;  // needed, at 96 DPI
        // Beside Bevel1, Bevel2 and Button1, which reach the dialog's margin;
        // the group and its right-hand button reach Bevel2's.
        std::vector<std::string_view> widened;
        std::vector<std::string_view> moved;
    } cases[] = {
        // Wider than its group and the frame round it: both and the dialog widen.
        {"RadioButton1", 190, {"GroupBox1"}, {}},
        // Into the combo on its row: the combo moves, the frame and the dialog widen.
        {"CheckBox1", 200, {"GroupBox1", "RadioButton1"}, {"ComboBox1"}},
        {"Label1", 200, {"GroupBox1", "RadioButton1"}, {"ComboBox1"}},
        // Wider, but with room to spare before the frame's edge: nothing else changes.
        {"CheckBox2", 275, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.grows));
        std::vector<TextSize> needed(kForm3ControlCount);
        needed[row(c.grows)] = {c.width, 13};
        const FittedDialog layout = FitDialog(kForm3Design, 96, needed);
        const bool dialogGrows = !c.widened.empty() || !c.moved.empty();
        EXPECT_EQ(layout.clientWidth > 325, dialogGrows);
        for (size_t i = 0; i < kForm3ControlCount; ++i) {
            const ControlDesign& d = kForm3Controls[i];
            SCOPED_TRACE(std::string(d.name));
            const Rect& r = layout.controls[i];
            const Rect design = DesignRect(d);
            EXPECT_GE(r.Width(), needed[i].width);
            EXPECT_EQ(r.top, design.top);
            EXPECT_EQ(r.Height(), design.Height());
            const bool margin = d.name == "Bevel1" || d.name == "Bevel2" || d.name == "Button1";
            if (margin) {
                // The spanning rows keep spanning, all to the same edge.
                EXPECT_EQ(r.left, design.left);
                EXPECT_EQ(layout.clientWidth - r.right, dialogGrows ? 8 : 12);
                continue;
            }
            const bool moved = std::ranges::count(c.moved, d.name) > 0;
            const bool widened = std::ranges::count(c.widened, d.name) > 0 || d.name == c.grows;
            EXPECT_EQ(r.left != design.left, moved);
            EXPECT_EQ(r.Width() != design.Width(), widened);
            for (size_t j = 0; j < i; ++j) {
                const ControlDesign& e = kForm3Controls[j];
                if (e.parent == d.parent && !Overlap(DesignRect(e), design)) {
                    EXPECT_FALSE(Overlap(layout.controls[j], r)) << "over " << e.name;
                }
            }
        }
    }
}

}  // namespace
}  // namespace zv
