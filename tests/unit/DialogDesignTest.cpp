// The settings dialog's table: what a new row must respect for the window to
// create it, the dialog manager to walk it and the handlers to find it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "settings/Form3Controls.h"

namespace zv {
namespace {

bool TakesFocus(TControlKind kind) {
    switch (kind) {
        case TControlKind::CheckBox:
        case TControlKind::RadioButton:
        case TControlKind::ComboBox:
        case TControlKind::Button:
            return true;
        default:
            return false;
    }
}

TEST(Form3Controls, EveryNameFindsItsOwnRowAndNoOther) {
    std::set<std::string_view> names;
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        const std::string_view name = kForm3Controls[i].name;
        SCOPED_TRACE(std::string(name));
        EXPECT_TRUE(names.insert(name).second) << "declared twice";
        EXPECT_EQ(IndexOf(Form3Control(name)), i);
    }
    for (std::string_view unknown : {"", "checkbox1", "Label2", "CheckBox1 "}) {
        EXPECT_THROW(Form3Control(unknown), std::invalid_argument) << unknown;
    }
}

TEST(Form3Controls, ParentsComeFirstAndHoldTheirControls) {
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        const TControlDesign& d = kForm3Controls[i];
        SCOPED_TRACE(std::string(d.name));
        int width = kForm3ClientWidth, height = kForm3ClientHeight;
        if (!d.parent.empty()) {
            // Created before its controls, so that they have somewhere to go.
            const TControlDesign& parent = DesignOf(Form3Control(d.parent));
            EXPECT_LT(IndexOf(Form3Control(d.parent)), i);
            EXPECT_EQ(parent.kind, TControlKind::GroupBox);
            width = parent.width;
            height = parent.height;
        }
        EXPECT_GE(d.left, 0);
        EXPECT_GE(d.top, 0);
        EXPECT_LE(d.left + d.width, width);
        EXPECT_LE(d.top + d.height, height);
    }
}

TEST(Form3Controls, FramesAndLabelsLieUnderEveryControlThatTakesFocus) {
    // The later a row, the lower its window: a frame before a control would
    // paint over it.
    size_t lastFocusable = 0;
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        if (TakesFocus(kForm3Controls[i].kind)) lastFocusable = i;
    }
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        const TControlDesign& d = kForm3Controls[i];
        if (d.kind == TControlKind::Label || d.kind == TControlKind::Bevel) {
            EXPECT_GT(i, lastFocusable) << d.name;
        }
    }
}

TEST(Form3Controls, RadioButtonsOfOneFrameFollowEachOther) {
    // One group for the dialog manager is a run of rows.
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        for (size_t j = i + 1; j < kForm3ControlCount; ++j) {
            const TControlDesign& a = kForm3Controls[i];
            const TControlDesign& b = kForm3Controls[j];
            if (a.kind != TControlKind::RadioButton || b.kind != TControlKind::RadioButton ||
                a.parent != b.parent)
                continue;
            for (size_t k = i + 1; k < j; ++k) {
                EXPECT_EQ(kForm3Controls[k].kind, TControlKind::RadioButton)
                    << kForm3Controls[k].name << " splits " << a.name << " from " << b.name;
            }
        }
    }
}

TEST(Form3Controls, ListsAndCheckMarksOnlyWhereTheyMeanSomething) {
    for (const TControlDesign& d : kForm3Controls) {
        SCOPED_TRACE(std::string(d.name));
        if (!d.items.empty()) {
            EXPECT_EQ(d.kind, TControlKind::ComboBox);
        }
        if (d.checked) {
            EXPECT_EQ(d.kind, TControlKind::CheckBox);
        }
    }
    // The lists the rest of the program chooses from are the combos' own.
    EXPECT_EQ(DesignOf(Form3Control("ComboBox1")).items.data(), kComboBox1Items.data());
    EXPECT_EQ(DesignOf(Form3Control("ComboBox2")).items.data(), kComboBox2Items.data());
}

}  // namespace
}  // namespace zv
