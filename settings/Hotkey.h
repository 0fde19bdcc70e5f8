#pragma once
// The one global hotkey: its table of keys, its registration at start-up and
// after each Apply, and the hotkey message.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "settings/SettingsControls.h"

namespace zv {

inline constexpr int kHotkeyId = 101;
// MOD_NOREPEAT and no modifier keys: a held key speaks once, not at the
// keyboard's repeat rate. Windows 7 is the first to know it; Wine takes the
// flag and still repeats.
inline constexpr unsigned kHotkeyModifiers = 0x4000;
inline constexpr std::uint32_t kWmHotkey = 0x0312;

inline constexpr unsigned kVkF10 = 121;
inline constexpr unsigned kVkF11 = 122;
inline constexpr unsigned kVkSnapshot = 44;
inline constexpr unsigned kVkScroll = 145;
inline constexpr unsigned kVkPause = 19;

struct HotkeyRow {
    int key;  // the "Key=" value
    std::string_view comboItem;
    std::string_view tip;
    unsigned vk;  // the same at start-up and after an Apply
};

// Row 2 is F10 at start-up too: the dialog offers F10 under that number, so
// the start-up registers what the dialog promised, and the tip says so.
inline constexpr std::array<HotkeyRow, 5> kHotkeyTable = {{
    {1, kComboBox1Items[0], "Время (F11)", kVkF11},
    {2, kComboBox1Items[1], "Время (F10)", kVkF10},
    {3, kComboBox1Items[2], "Время (PrintScreen)", kVkSnapshot},
    {4, kComboBox1Items[3], "Время (ScrollLock)", kVkScroll},
    {5, kComboBox1Items[4], "Время (Pause/Break)", kVkPause},
}};

class IHotkeyPlatform {
  public:
    virtual ~IHotkeyPlatform() = default;
    // UnregisterHotKey / RegisterHotKey on the main window. Neither reports back:
    // a key held by another program simply does not speak, and unregistering
    // what is not registered is harmless.
    virtual void Unregister(int id) = 0;
    virtual void Register(int id, unsigned modifiers, unsigned vk) = 0;
};

class THotkeyRegistration {
  public:
    using TipSetter = std::function<void(const std::string& tip)>;

    THotkeyRegistration(IHotkeyPlatform& platform, TipSetter setTip);

    // Once, by the start-up work, right after the settings are loaded; sets the
    // settings dialog's controls to them. Raises EConvertError for a "Key="
    // value that is not a digit.
    void StartupPath(std::string_view settingsText, ISettingsControls& form3);

    // Every clock tick, after the settings text refresh. Acts only in
    // kPhaseApplied (after an Apply); goes back to kPhaseIdle once the hotkey
    // is on.
    void Reregistration(std::uint16_t& startupPhase, std::string& settingsText,
                        std::string_view memoText, ISettingsControls& form3);

    void Unregister();
    // Registers the row's key and names it in the tray tip.
    void Register(const HotkeyRow& row);

  private:
    void RegisterKey(int key);

    IHotkeyPlatform& platform_;
    TipSetter setTip_;
};

// The main window's WM_HOTKEY handling: the hotkey 101 clicks Button1, any other
// id does nothing. Returns whether the message was WM_HOTKEY.
bool HotkeyMessage(std::uint32_t msg, std::uintptr_t wParam,
                   const std::function<void()>& button1Click);

}  // namespace zv
