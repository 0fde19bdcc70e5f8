#pragma once
// A dialog as a table: its window and each of its controls one row. The
// dialog layer creates the rows in order, which is also the tab order and the
// order from the top of the pile down; the handlers and the tests find them by
// their designer names.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

namespace zv {

enum class TControlKind : uint8_t {
    Label,         // text; a size of 0 x 0 fits it to its text
    Link,          // a label in the link font and colour that answers a click
    Image,         // painted by the dialog: no window of its own
    CheckBox,      // changes only when a handler sets it
    AutoCheckBox,  // toggles itself when clicked
    RadioButton,   // changes only when a handler sets it; one after another form one group
    ComboBox,      // an edit field over a list
    DropDownList,  // a list to choose from, nothing to type
    Button,
    TrackBar,  // a slider
    GroupBox,  // a frame with a caption that holds other controls
    Bevel      // an etched frame, nothing else
};

// Whether the user can tab to a control of that kind.
constexpr bool TakesFocus(TControlKind kind) {
    switch (kind) {
        case TControlKind::CheckBox:
        case TControlKind::AutoCheckBox:
        case TControlKind::RadioButton:
        case TControlKind::ComboBox:
        case TControlKind::DropDownList:
        case TControlKind::Button:
        case TControlKind::TrackBar:
            return true;
        default:
            return false;
    }
}

struct ControlDesign {
    std::string_view name;
    TControlKind kind;
    std::string_view parent;       // "": the dialog itself
    int left, top, width, height;  // in the parent's client area
    std::string_view text;
    std::span<const std::string_view> items = {};  // a combo box's list
    bool checked = false;
};

struct DialogDesign {
    std::string_view className;
    std::string_view caption;
    int clientWidth, clientHeight;
    int icon;       // resource number of the window's icon; 0: none
    int listLines;  // of a combo box's open list
    std::span<const ControlDesign> controls;
};

// What a screen reader calls the control of a row: a box or a slider the
// label, or the frame's caption, right before it in the rows, which is the
// order screen readers read; anything else its own text.
constexpr std::string_view AccessibleName(std::span<const ControlDesign> rows, size_t row) {
    const ControlDesign& d = rows[row];
    if (d.kind != TControlKind::ComboBox && d.kind != TControlKind::DropDownList &&
        d.kind != TControlKind::TrackBar)
        return d.text;
    if (row == 0) return {};
    const ControlDesign& before = rows[row - 1];
    const bool names = before.kind == TControlKind::Label || before.kind == TControlKind::GroupBox;
    return names ? before.text : std::string_view{};
}

// The row of that name. A name that is not in the table stops the build where
// it is a constant.
constexpr size_t RowOf(std::span<const ControlDesign> controls, std::string_view name) {
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == name) return i;
    }
    throw std::invalid_argument("no such control");
}

}  // namespace zv
