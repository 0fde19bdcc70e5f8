#pragma once
// What the start-up work and the hotkey logic set on the settings dialog.
#include <array>
#include <string>
#include <string_view>

namespace zv {

inline constexpr std::array<std::string_view, 5> kComboBox1Items = {"F11", "F10", "PrintScreen",
                                                                    "ScrollLock", "Pause/Break"};
inline constexpr std::array<std::string_view, 2> kComboBox2Items = {"На весь экран", "В трее"};

// The item's text, or "" when there is no item with that index.
template <size_t N>
std::string ComboItem(const std::array<std::string_view, N>& items, int index) {
    if (index < 0 || static_cast<size_t>(index) >= N) return {};
    return std::string(items[static_cast<size_t>(index)]);
}

class ISettingsControls {
  public:
    virtual ~ISettingsControls() = default;
    // Changing the check state runs CheckBox1Click, as a user's click does.
    virtual void SetCheckBox1Checked(bool checked) = 0;
    // Setting a combo's text also selects the item with exactly that text, if any.
    virtual void SetComboBox1Text(const std::string& text) = 0;
    virtual void SetComboBox2Text(const std::string& text) = 0;
};

}  // namespace zv
