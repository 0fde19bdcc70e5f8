#include "settings/Hotkey.h"

#include <utility>

#include "core/StartupPhase.h"
#include "settings/ConfigFile.h"
#include "settings/SettingsText.h"

namespace zv {
namespace {

// The item number key - 1, or an empty text when there is no such item.
void SetComboBox1(ISettingsControls& form3, int key) {
    form3.SetComboBox1Text(ComboItem(kComboBox1Items, key - 1));
}

}  // namespace

THotkeyRegistration::THotkeyRegistration(IHotkeyPlatform& platform, TipSetter setTip)
    : platform_(platform), setTip_(std::move(setTip)) {}

void THotkeyRegistration::Unregister() {
    platform_.Unregister(kHotkeyId);
}

void THotkeyRegistration::Register(const HotkeyRow& row) {
    platform_.Register(kHotkeyId, kHotkeyModifiers, row.vk);
    // The tip names the key even when the system refused it.
    setTip_(std::string(row.tip));
}

void THotkeyRegistration::RegisterKey(int key) {
    for (const HotkeyRow& row : kHotkeyTable) {
        if (row.key == key) {
            Register(row);
            return;
        }
    }
}

void THotkeyRegistration::StartupPath(std::string_view settingsText, ISettingsControls& form3) {
    Unregister();
    if (Contains(settingsText, config::kHotkeyOff)) form3.SetCheckBox1Checked(false);
    // Not an else: a text holding both switches unchecks the box and still registers.
    if (Contains(settingsText, config::kHotkeyOn) && Contains(settingsText, config::kKey)) {
        SetComboBox1(form3, ValueLookup(settingsText, config::kKey));
        RegisterKey(ValueLookup(settingsText, config::kKey));
    }
}

void THotkeyRegistration::Reregistration(std::uint16_t& startupPhase, std::string& settingsText,
                                         std::string_view memoText, ISettingsControls& form3) {
    // With the hotkey off the phase stays kPhaseApplied, so this unregisters on every tick
    // until an Apply turns the hotkey on again.
    if (startupPhase == kPhaseApplied && Contains(settingsText, config::kHotkeyOff) &&
        Contains(settingsText, config::kKey)) {
        Unregister();
    }
    if (startupPhase == kPhaseApplied && Contains(settingsText, config::kHotkeyOn) &&
        Contains(settingsText, config::kKey)) {
        Unregister();
        settingsText = std::string(memoText);
        SetComboBox1(form3, ValueLookup(settingsText, config::kKey));
        RegisterKey(ValueLookup(settingsText, config::kKey));
        startupPhase = kPhaseIdle;
    }
}

bool HotkeyMessage(std::uint32_t msg, std::uintptr_t wParam,
                   const std::function<void()>& button1Click) {
    if (msg != kWmHotkey) return false;
    if (wParam == static_cast<std::uintptr_t>(kHotkeyId)) button1Click();
    return true;
}

}  // namespace zv
