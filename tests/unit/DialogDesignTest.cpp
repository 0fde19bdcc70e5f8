// Every dialog's table: what a row must respect for the dialog layer to
// create it, the dialog manager to walk it and the handlers to find it.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "about/Form2Controls.h"
#include "core/DialogDesign.h"
#include "schedule/AnnouncementsDialogControls.h"
#include "settings/Form3Controls.h"

namespace zv {
namespace {

const DialogDesign* const kDialogs[] = {&kForm2Design, &kForm3Design, &kAnnouncementsDialogDesign};

bool Overlap(const ControlDesign& a, const ControlDesign& b) {
    return a.parent == b.parent && a.left < b.left + b.width && b.left < a.left + a.width &&
           a.top < b.top + b.height && b.top < a.top + a.height;
}

TEST(DialogDesign, EveryNameFindsItsOwnRowAndNoOther) {
    std::set<std::string_view> classes;
    for (const DialogDesign* dialog : kDialogs) {
        SCOPED_TRACE(std::string(dialog->className));
        EXPECT_TRUE(classes.insert(dialog->className).second) << "a window class twice";
        std::set<std::string_view> names;
        for (size_t i = 0; i < dialog->controls.size(); ++i) {
            const std::string_view name = dialog->controls[i].name;
            SCOPED_TRACE(std::string(name));
            EXPECT_FALSE(name.empty());
            EXPECT_TRUE(names.insert(name).second) << "declared twice";
            EXPECT_EQ(RowOf(dialog->controls, name), i);
        }
        for (std::string_view unknown : {"", "checkbox1", "Label9", "CheckBox1 "}) {
            EXPECT_THROW(RowOf(dialog->controls, unknown), std::invalid_argument) << unknown;
        }
    }
}

TEST(DialogDesign, ParentsComeFirstAndEveryControlLiesInsideItsParent) {
    for (const DialogDesign* dialog : kDialogs) {
        SCOPED_TRACE(std::string(dialog->className));
        EXPECT_GT(dialog->clientWidth, 0);
        EXPECT_GT(dialog->clientHeight, 0);
        for (size_t i = 0; i < dialog->controls.size(); ++i) {
            const ControlDesign& d = dialog->controls[i];
            SCOPED_TRACE(std::string(d.name));
            int width = dialog->clientWidth, height = dialog->clientHeight;
            if (!d.parent.empty()) {
                // Created before its controls, so that they have somewhere to go.
                const size_t parent = RowOf(dialog->controls, d.parent);
                EXPECT_LT(parent, i);
                EXPECT_EQ(dialog->controls[parent].kind, TControlKind::GroupBox);
                width = dialog->controls[parent].width;
                height = dialog->controls[parent].height;
            }
            EXPECT_GE(d.left, 0);
            EXPECT_GE(d.top, 0);
            // A label fitted to its text (0 x 0) is measured when it is made.
            const bool fitted = d.width == 0 && d.height == 0;
            if (fitted) {
                EXPECT_TRUE(d.kind == TControlKind::Label || d.kind == TControlKind::Link);
                EXPECT_LT(d.left, width);
                EXPECT_LT(d.top, height);
            } else {
                EXPECT_GT(d.width, 0);
                EXPECT_GT(d.height, 0);
                EXPECT_LE(d.left + d.width, width);
                EXPECT_LE(d.top + d.height, height);
            }
        }
    }
}

TEST(DialogDesign, NoFrameOrLabelLiesOverAControlThatTakesFocus) {
    // The later a row, the lower its window. A label may go right before the
    // control it names; anything else that takes no focus goes after every
    // control it overlaps, or it would paint over it.
    for (const DialogDesign* dialog : kDialogs) {
        SCOPED_TRACE(std::string(dialog->className));
        const auto rows = dialog->controls;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (TakesFocus(rows[i].kind)) continue;
            for (size_t j = i + 1; j < rows.size(); ++j) {
                if (!TakesFocus(rows[j].kind) || !Overlap(rows[i], rows[j])) continue;
                const bool names = j == i + 1 && rows[i].kind == TControlKind::Label;
                EXPECT_TRUE(names) << rows[i].name << " lies over " << rows[j].name;
            }
        }
    }
}

TEST(DialogDesign, RadioButtonsOfOneFrameFollowEachOther) {
    // One group for the dialog manager is a run of rows.
    for (const DialogDesign* dialog : kDialogs) {
        SCOPED_TRACE(std::string(dialog->className));
        const auto rows = dialog->controls;
        for (size_t i = 0; i < rows.size(); ++i) {
            for (size_t j = i + 1; j < rows.size(); ++j) {
                const ControlDesign& a = rows[i];
                const ControlDesign& b = rows[j];
                if (a.kind != TControlKind::RadioButton || b.kind != TControlKind::RadioButton ||
                    a.parent != b.parent)
                    continue;
                for (size_t k = i + 1; k < j; ++k) {
                    EXPECT_EQ(rows[k].kind, TControlKind::RadioButton)
                        << rows[k].name << " splits " << a.name << " from " << b.name;
                }
            }
        }
    }
}

TEST(DialogDesign, TheRowsAreTheTabOrder) {
    // The dialog manager tabs through a frame's controls where the frame
    // stands among its siblings: they must follow it directly, or the tab
    // order would not be the order of the rows.
    for (const DialogDesign* dialog : kDialogs) {
        SCOPED_TRACE(std::string(dialog->className));
        const auto rows = dialog->controls;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].parent.empty()) continue;
            const size_t parent = RowOf(rows, rows[i].parent);
            for (size_t k = parent + 1; k < i; ++k) {
                EXPECT_EQ(rows[k].parent, rows[i].parent)
                    << rows[k].name << " stands between " << rows[i].name << " and its frame";
            }
        }
    }
}

TEST(DialogDesign, ListsAndCheckMarksOnlyWhereTheyMeanSomething) {
    for (const DialogDesign* dialog : kDialogs) {
        for (const ControlDesign& d : dialog->controls) {
            SCOPED_TRACE(std::string(d.name));
            if (!d.items.empty()) {
                EXPECT_EQ(d.kind, TControlKind::ComboBox);
            }
            if (d.kind == TControlKind::ComboBox || d.kind == TControlKind::DropDownList) {
                EXPECT_GT(dialog->listLines, 0) << "a list that cannot open";
            }
            if (d.checked) {
                EXPECT_TRUE(d.kind == TControlKind::CheckBox ||
                            d.kind == TControlKind::AutoCheckBox);
            }
        }
    }
    // The lists the rest of the program chooses from are the combos' own.
    EXPECT_EQ(DesignOf(Form3Control("ComboBox1")).items.data(), kComboBox1Items.data());
    EXPECT_EQ(DesignOf(Form3Control("ComboBox2")).items.data(), kComboBox2Items.data());
}

// A screen reader names every control it can reach: a box or the slider by
// the label or frame caption right before it, anything else by its text.
TEST(DialogDesign, EveryControlThatTakesFocusHasAName) {
    for (const DialogDesign* design : kDialogs) {
        for (size_t i = 0; i < design->controls.size(); ++i) {
            if (!TakesFocus(design->controls[i].kind)) continue;
            EXPECT_FALSE(AccessibleName(design->controls, i).empty())
                << design->caption << ": " << design->controls[i].name;
        }
    }
    const struct {
        std::span<const ControlDesign> rows;
        std::string_view control, name;
    } cases[] = {
        {kForm3Controls, "ComboBox1", "произнесения времени"},
        {kForm3Controls, "ComboBox2", "Запуск"},
        {kForm3Controls, "RadioButton2", "Только для меня"},
        {kAnnouncementsDialogControls, "VolumeBar", "Громкость:"},
        {kAnnouncementsDialogControls, "ToBox", "до"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AccessibleName(c.rows, RowOf(c.rows, c.control)), c.name) << c.control;
    }
}

}  // namespace
}  // namespace zv
