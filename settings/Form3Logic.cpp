#include "settings/Form3Logic.h"

#include "core/Errors.h"
#include "settings/Memo.h"

namespace zv {
namespace {

template <size_t N>
int ExactItem(const std::array<std::string_view, N>& items, const std::string& text) {
    for (size_t i = 0; i < N; ++i) {
        if (items[i] == text) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

std::string HotkeyLine(bool checkBox1Checked) {
    return checkBox1Checked ? "Hotkey=1" : "Hotkey=0";
}

std::string KeyLine(int comboBox1ItemIndex) {
    if (comboBox1ItemIndex < 1 || comboBox1ItemIndex > 4) return "Key=1";
    return "Key=" + std::to_string(comboBox1ItemIndex + 1);
}

std::string RunLine(int comboBox2ItemIndex) {
    return comboBox2ItemIndex == 1 ? "Run=2" : "Run=1";
}

std::string AutostartRefusedText(TRegLocation location) {
    // A standard user may read the local machine's Run key but not write it.
    if (location == TRegLocation::LocalMachine)
        return "Автозапуск для всех пользователей требует прав администратора.";
    return "Не удалось записать настройку автозапуска в реестр.";
}

void TForm3Logic::FormCreate() {
    ShowAutostart();
}

void TForm3Logic::ShowAutostart() {
    // Each change runs its click handler, which assigns the value just read:
    // no registry write.
    SetCheckBox2Checked(autoRunner1_.AutoRun());
    SetRadioButtonsEnabled();
    SetRadioButton2Checked(autoRunner1_.RegLocation() == TRegLocation::CurrentUser);
    SetRadioButton1Checked(autoRunner1_.RegLocation() == TRegLocation::LocalMachine);
}

void TForm3Logic::CheckBox1Click() {
    controls_.SetEnabled(TForm3Control::ComboBox1, controls_.Checked(TForm3Control::CheckBox1));
}

void TForm3Logic::CheckBox2Click() {
    const TRegLocation location = autoRunner1_.RegLocation();
    if (!autoRunner1_.SetAutoRun(controls_.Checked(TForm3Control::CheckBox2))) {
        ShowAutostart();
        throw Exception(AutostartRefusedText(location));
    }
    SetRadioButtonsEnabled();
}

void TForm3Logic::RadioButton1Click() {
    MoveAutostart(TRegLocation::LocalMachine);
}

void TForm3Logic::RadioButton2Click() {
    MoveAutostart(TRegLocation::CurrentUser);
}

void TForm3Logic::MoveAutostart(TRegLocation location) {
    if (!controls_.Checked(TForm3Control::CheckBox2)) return;
    if (!autoRunner1_.SetRegLocation(location)) {
        ShowAutostart();
        throw Exception(AutostartRefusedText(location));
    }
}

void TForm3Logic::Button1Click() {
    controls_.HideDialog();
    memo1_.Clear();
    memo1_.Add(HotkeyLine(controls_.Checked(TForm3Control::CheckBox1)));
    memo1_.Add(KeyLine(controls_.ItemIndex(TForm3Control::ComboBox1)));
    memo1_.Add(RunLine(controls_.ItemIndex(TForm3Control::ComboBox2)));
    memo1_.SaveToFile("config.cfg");
    startupPhase_ = 2;
}

void TForm3Logic::UserClicked(TForm3Control control) {
    switch (control) {
        case TForm3Control::CheckBox1:
        case TForm3Control::CheckBox2:
            SetCheckBox(control, !controls_.Checked(control));
            break;
        case TForm3Control::RadioButton1:
        case TForm3Control::RadioButton2:
            SetRadioButton(control, true);
            break;
        case TForm3Control::ComboBox1:
        case TForm3Control::ComboBox2:
            break;
    }
}

void TForm3Logic::SetCheckBox1Checked(bool checked) {
    SetCheckBox(TForm3Control::CheckBox1, checked);
}
void TForm3Logic::SetCheckBox2Checked(bool checked) {
    SetCheckBox(TForm3Control::CheckBox2, checked);
}
void TForm3Logic::SetRadioButton1Checked(bool checked) {
    SetRadioButton(TForm3Control::RadioButton1, checked);
}
void TForm3Logic::SetRadioButton2Checked(bool checked) {
    SetRadioButton(TForm3Control::RadioButton2, checked);
}

void TForm3Logic::SetComboBox1Text(const std::string& text) {
    controls_.SetComboText(TForm3Control::ComboBox1, text, ExactItem(kComboBox1Items, text));
}

void TForm3Logic::SetComboBox2Text(const std::string& text) {
    controls_.SetComboText(TForm3Control::ComboBox2, text, ExactItem(kComboBox2Items, text));
}

void TForm3Logic::SetCheckBox(TForm3Control box, bool checked) {
    if (controls_.Checked(box) == checked) return;
    controls_.SetCheckState(box, checked);
    if (box == TForm3Control::CheckBox1) {
        CheckBox1Click();
    } else {
        CheckBox2Click();
    }
}

void TForm3Logic::SetRadioButton(TForm3Control button, bool checked) {
    if (controls_.Checked(button) == checked) return;
    controls_.SetCheckState(button, checked);
    if (!checked) return;
    bool first = button == TForm3Control::RadioButton1;
    controls_.SetCheckState(first ? TForm3Control::RadioButton2 : TForm3Control::RadioButton1,
                            false);
    if (first) {
        RadioButton1Click();
    } else {
        RadioButton2Click();
    }
}

void TForm3Logic::SetRadioButtonsEnabled() {
    bool on = controls_.Checked(TForm3Control::CheckBox2);
    controls_.SetEnabled(TForm3Control::RadioButton1, on);
    controls_.SetEnabled(TForm3Control::RadioButton2, on);
}

}  // namespace zv
