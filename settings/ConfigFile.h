#pragma once
// config.cfg, beside the exe: the three lines Apply writes, each a key and one
// digit. It is read as a whole, by plain searches over its text
// (settings/SettingsText), not line by line.
#include <string_view>

namespace zv::config {

inline constexpr const char* kFileName = "config.cfg";

// Whether the hotkey speaks the time.
inline constexpr std::string_view kHotkeyOn = "Hotkey=1";
inline constexpr std::string_view kHotkeyOff = "Hotkey=0";
// Then 1 to 5: the hotkey's row in kHotkeyTable (settings/Hotkey).
inline constexpr std::string_view kKey = "Key=";
// Then 1: the clock shows at start; 2: it starts in the tray.
inline constexpr std::string_view kRun = "Run=";
inline constexpr std::string_view kRunShown = "Run=1";
inline constexpr std::string_view kRunInTray = "Run=2";

}  // namespace zv::config
