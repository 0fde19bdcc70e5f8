#pragma once
// The settings dialog's controls, each declared once. The window creates them
// in this order, which is also the tab order; the handlers, the window and the
// tests find them by their designer names.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>

#include "settings/SettingsControls.h"

namespace zv {

enum class TControlKind : uint8_t {
    CheckBox,     // changes only when a handler sets it
    RadioButton,  // likewise; one after another form one group
    ComboBox,     // an edit field over a list
    Button,
    GroupBox,  // a frame with a caption that holds other controls
    Label,
    Bevel  // an etched frame, nothing else
};

struct TControlDesign {
    std::string_view name;
    TControlKind kind;
    std::string_view parent;       // "": the dialog itself
    int left, top, width, height;  // in the parent's client area
    std::string_view text;
    std::span<const std::string_view> items = {};  // a combo box's list
    bool checked = false;
};

inline constexpr int kForm3ClientWidth = 325;
inline constexpr int kForm3ClientHeight = 257;

// Tab order first; the frames and the label, which take no focus, go last so
// that they lie under everything else. RadioButton2's rectangle reaches under
// RadioButton1, which therefore comes first and lies above it.
inline constexpr TControlDesign kForm3Controls[] = {
    {"CheckBox1", TControlKind::CheckBox, "", 16, 16, 129, 17, "Горячая клавиша для", {}, true},
    {"ComboBox1", TControlKind::ComboBox, "", 184, 24, 97, 21, "F11", kComboBox1Items},
    {"CheckBox2", TControlKind::CheckBox, "", 24, 80, 265, 17,
     "Автозапуск программы при загрузке Windows"},
    {"Button1", TControlKind::Button, "", 8, 216, 305, 25, "Применить"},
    {"GroupBox1", TControlKind::GroupBox, "", 16, 104, 289, 41, "Запускать"},
    {"RadioButton1", TControlKind::RadioButton, "GroupBox1", 128, 16, 153, 17,
     "Для всех пользователей"},
    {"RadioButton2", TControlKind::RadioButton, "GroupBox1", 8, 16, 145, 17, "Только для меня"},
    {"GroupBox2", TControlKind::GroupBox, "", 32, 152, 257, 49, "Запуск"},
    {"ComboBox2", TControlKind::ComboBox, "GroupBox2", 48, 16, 161, 21, "На весь экран",
     kComboBox2Items},
    {"Label1", TControlKind::Label, "", 24, 32, 119, 13, "произнесения времени"},
    {"Bevel1", TControlKind::Bevel, "", 8, 8, 305, 49, ""},
    {"Bevel2", TControlKind::Bevel, "", 8, 64, 305, 145, ""},
};
inline constexpr size_t kForm3ControlCount = std::size(kForm3Controls);

// A control of the dialog: its row in kForm3Controls.
enum class TForm3Control : uint8_t {};

// A name that is not in the table stops the build where it is a constant.
constexpr TForm3Control Form3Control(std::string_view name) {
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        if (kForm3Controls[i].name == name) return static_cast<TForm3Control>(i);
    }
    throw std::invalid_argument("no such control");
}

constexpr size_t IndexOf(TForm3Control control) {
    return static_cast<size_t>(control);
}

constexpr const TControlDesign& DesignOf(TForm3Control control) {
    return kForm3Controls[IndexOf(control)];
}

}  // namespace zv
