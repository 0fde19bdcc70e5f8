#pragma once
// The settings dialog's window and controls, each declared once.
#include <cstddef>
#include <cstdint>

#include "core/DialogDesign.h"
#include "settings/SettingsControls.h"

namespace zv {

// Tab order first; the frames, which take no focus, go last so that they lie
// under everything else. The label goes right before the box it names, and
// overlaps nothing between. RadioButton2's rectangle reaches under
// RadioButton1, which therefore comes first and lies above it.
inline constexpr ControlDesign kForm3Controls[] = {
    {"CheckBox1", TControlKind::CheckBox, "", 16, 16, 129, 17, "Горячая клавиша для", {}, true},
    {"Label1", TControlKind::Label, "", 24, 32, 119, 13, "произнесения времени"},
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
    {"Bevel1", TControlKind::Bevel, "", 8, 8, 305, 49, ""},
    {"Bevel2", TControlKind::Bevel, "", 8, 64, 305, 145, ""},
};
inline constexpr size_t kForm3ControlCount = std::size(kForm3Controls);

inline constexpr DialogDesign kForm3Design = {"TForm3", "Настройки", 325,           257,
                                              0,        8,           kForm3Controls};

// A control of the dialog: its row in kForm3Controls.
enum class TForm3Control : uint8_t {};

constexpr TForm3Control Form3Control(std::string_view name) {
    return static_cast<TForm3Control>(RowOf(kForm3Controls, name));
}

constexpr size_t IndexOf(TForm3Control control) {
    return static_cast<size_t>(control);
}

constexpr const ControlDesign& DesignOf(TForm3Control control) {
    return kForm3Controls[IndexOf(control)];
}

}  // namespace zv
