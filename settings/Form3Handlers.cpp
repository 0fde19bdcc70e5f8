#include "settings/Form3Handlers.h"

#include "core/Errors.h"
#include "core/StartupPhase.h"
#include "settings/ConfigFile.h"
#include "settings/Memo.h"

namespace zv {
namespace {

constexpr TForm3Control kCheckBox1 = Form3Control("CheckBox1");
constexpr TForm3Control kCheckBox2 = Form3Control("CheckBox2");
constexpr TForm3Control kRadioButton1 = Form3Control("RadioButton1");
constexpr TForm3Control kRadioButton2 = Form3Control("RadioButton2");
constexpr TForm3Control kComboBox1 = Form3Control("ComboBox1");
constexpr TForm3Control kComboBox2 = Form3Control("ComboBox2");
constexpr TForm3Control kButton1 = Form3Control("Button1");

int ExactItem(std::span<const std::string_view> items, const std::string& text) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == text) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

std::string HotkeyLine(bool checkBox1Checked) {
    return std::string(checkBox1Checked ? config::kHotkeyOn : config::kHotkeyOff);
}

std::string KeyLine(int comboBox1ItemIndex) {
    if (comboBox1ItemIndex < 1 || comboBox1ItemIndex > 4) return std::string(config::kKey) + "1";
    return std::string(config::kKey) + std::to_string(comboBox1ItemIndex + 1);
}

std::string RunLine(int comboBox2ItemIndex) {
    return std::string(comboBox2ItemIndex == 1 ? config::kRunInTray : config::kRunShown);
}

std::string AutostartRefusedText(TRegLocation location) {
    // A standard user may read the local machine's Run key but not write it.
    if (location == TRegLocation::LocalMachine)
        return "Автозапуск для всех пользователей не изменён: для этого нужны права "
               "администратора. Запустите Zvenoks от имени администратора или выберите "
               "«Только для меня».";
    return "Не удалось записать настройку автозапуска в реестр; автозапуск остался прежним.";
}

std::string AutostartRefusedText(TRegLocation location, TAutoRunRefusal why,
                                 const std::string& program) {
    if (why == TAutoRunRefusal::ForeignValue)
        return "Автозапуск не включён: под именем «MyApplication» в автозапуске Windows уже "
               "записана другая программа: " +
               program + ". Zvenoks не меняет и не удаляет чужую запись.";
    // An all-users autostart runs the exe as every administrator who logs on.
    if (why == TAutoRunRefusal::ReplaceableExe)
        return "Автозапуск для всех пользователей не включён: Zvenoks.exe или его папку могут "
               "изменить обычные пользователи, и подменённая программа запустилась бы с правами "
               "администратора, когда он войдёт в Windows. Установите Zvenoks в папку «Program "
               "Files» (например, C:\\Program Files\\Zvenoks) и включите автозапуск оттуда или "
               "выберите «Только для меня».";
    return AutostartRefusedText(location);
}

void TForm3Handlers::FormCreate() {
    ShowAutostart();
}

void TForm3Handlers::ShowAutostart() {
    // Each change runs its click handler, which assigns the value just read:
    // no registry write.
    SetCheckBox2Checked(autoRunner1_.AutoRun());
    SetRadioButtonsEnabled();
    SetRadioButton2Checked(autoRunner1_.RegLocation() == TRegLocation::CurrentUser);
    SetRadioButton1Checked(autoRunner1_.RegLocation() == TRegLocation::LocalMachine);
}

void TForm3Handlers::CheckBox1Click() {
    controls_.SetEnabled(kComboBox1, controls_.Checked(kCheckBox1));
}

void TForm3Handlers::CheckBox2Click() {
    const TRegLocation location = autoRunner1_.RegLocation();
    if (!autoRunner1_.SetAutoRun(controls_.Checked(kCheckBox2))) {
        const std::string why =
            AutostartRefusedText(location, autoRunner1_.Refusal(), autoRunner1_.ForeignProgram());
        ShowAutostart();
        throw Exception(why);
    }
    SetRadioButtonsEnabled();
}

void TForm3Handlers::RadioButton1Click() {
    MoveAutostart(TRegLocation::LocalMachine);
}

void TForm3Handlers::RadioButton2Click() {
    MoveAutostart(TRegLocation::CurrentUser);
}

void TForm3Handlers::MoveAutostart(TRegLocation location) {
    if (!controls_.Checked(kCheckBox2)) return;
    if (!autoRunner1_.SetRegLocation(location)) {
        const std::string why =
            AutostartRefusedText(location, autoRunner1_.Refusal(), autoRunner1_.ForeignProgram());
        ShowAutostart();
        throw Exception(why);
    }
}

void TForm3Handlers::Button1Click() {
    controls_.HideDialog();
    memo1_.Clear();
    memo1_.Add(HotkeyLine(controls_.Checked(kCheckBox1)));
    memo1_.Add(KeyLine(controls_.ItemIndex(kComboBox1)));
    memo1_.Add(RunLine(controls_.ItemIndex(kComboBox2)));
    memo1_.SaveToFile(config::kFileName);
    startupPhase_ = kPhaseApplied;
}

void TForm3Handlers::UserClicked(TForm3Control control) {
    switch (DesignOf(control).kind) {
        case TControlKind::CheckBox:
            SetCheckBox(control, !controls_.Checked(control));
            break;
        case TControlKind::RadioButton:
            SetRadioButton(control, true);
            break;
        case TControlKind::Button:
            if (control == kButton1) Button1Click();
            break;
        default:
            break;
    }
}

void TForm3Handlers::SetCheckBox1Checked(bool checked) {
    SetCheckBox(kCheckBox1, checked);
}
void TForm3Handlers::SetCheckBox2Checked(bool checked) {
    SetCheckBox(kCheckBox2, checked);
}
void TForm3Handlers::SetRadioButton1Checked(bool checked) {
    SetRadioButton(kRadioButton1, checked);
}
void TForm3Handlers::SetRadioButton2Checked(bool checked) {
    SetRadioButton(kRadioButton2, checked);
}

void TForm3Handlers::SetComboBox1Text(const std::string& text) {
    controls_.SetComboText(kComboBox1, text, ExactItem(DesignOf(kComboBox1).items, text));
}

void TForm3Handlers::SetComboBox2Text(const std::string& text) {
    controls_.SetComboText(kComboBox2, text, ExactItem(DesignOf(kComboBox2).items, text));
}

void TForm3Handlers::SetCheckBox(TForm3Control box, bool checked) {
    if (controls_.Checked(box) == checked) return;
    controls_.SetCheckState(box, checked);
    if (box == kCheckBox1) CheckBox1Click();
    if (box == kCheckBox2) CheckBox2Click();
}

void TForm3Handlers::SetRadioButton(TForm3Control button, bool checked) {
    if (controls_.Checked(button) == checked) return;
    controls_.SetCheckState(button, checked);
    if (!checked) return;
    // The radio buttons of one frame are one group: checking one unchecks the others.
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        const auto other = static_cast<TForm3Control>(i);
        const ControlDesign& d = kForm3Controls[i];
        if (other != button && d.kind == TControlKind::RadioButton &&
            d.parent == DesignOf(button).parent)
            controls_.SetCheckState(other, false);
    }
    if (button == kRadioButton1) RadioButton1Click();
    if (button == kRadioButton2) RadioButton2Click();
}

void TForm3Handlers::SetRadioButtonsEnabled() {
    bool on = controls_.Checked(kCheckBox2);
    controls_.SetEnabled(kRadioButton1, on);
    controls_.SetEnabled(kRadioButton2, on);
}

}  // namespace zv
