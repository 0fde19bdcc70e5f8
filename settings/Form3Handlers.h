#pragma once
// The settings dialog's handlers, apart from its window: which line Apply
// writes for which choice, and which control follows which check box.
#include <cstdint>
#include <string>

#include "settings/Form3Controls.h"
#include "shell/AutoRunner.h"

namespace zv {

class TMemo;

// The dialog's controls as the handlers see them. The check boxes and radio
// buttons do not change themselves when clicked: the handlers set them.
class IForm3Controls {
  public:
    virtual ~IForm3Controls() = default;
    virtual bool Checked(TForm3Control control) const = 0;
    // Sets the check mark only; runs no handler.
    virtual void SetCheckState(TForm3Control control, bool checked) = 0;
    virtual void SetEnabled(TForm3Control control, bool enabled) = 0;
    // A combo box's selected item, -1 for none.
    virtual int ItemIndex(TForm3Control combo) const = 0;
    // A combo box's text and selected item (-1: none) at once.
    virtual void SetComboText(TForm3Control combo, const std::string& text, int itemIndex) = 0;
    virtual void HideDialog() = 0;
};

// The lines Apply writes.
std::string HotkeyLine(bool checkBox1Checked);
// Item -1 (none selected) or 0: "Key=1"; 1 to 4: "Key=2" to "Key=5".
std::string KeyLine(int comboBox1ItemIndex);
// Item -1 or 0: "Run=1"; 1: "Run=2".
std::string RunLine(int comboBox2ItemIndex);

// Why an autostart change under `location`'s root did not take effect.
std::string AutostartRefusedText(TRegLocation location);
// The same for any refusal: another program's value (named by `program`), an
// executable standard users may replace, or the registry's own refusal.
std::string AutostartRefusedText(TRegLocation location, TAutoRunRefusal why,
                                 const std::string& program);

class TForm3Handlers final : public ISettingsControls {
  public:
    TForm3Handlers(IForm3Controls& controls, TMemo& memo1, TAutoRunner& autoRunner1,
                   uint16_t& startupPhase)
        : controls_(controls),
          memo1_(memo1),
          autoRunner1_(autoRunner1),
          startupPhase_(startupPhase) {}

    void FormCreate();
    void CheckBox1Click();
    // The autostart handlers: a change the registry refuses leaves it as it
    // was, puts the controls back to what it holds and throws the reason.
    void CheckBox2Click();
    void RadioButton1Click();
    void RadioButton2Click();
    // Apply. A failed save propagates after the dialog is hidden and Memo1
    // holds the new lines; the start-up phase is then left as it was.
    void Button1Click();

    // A user's click: a check box toggles, a radio button becomes checked,
    // Button1 applies; on anything else it does nothing.
    void UserClicked(TForm3Control control);

    // Changes of state made by the program run the click handler, as a user's
    // click does: a check box's on any change, a radio button's when it
    // becomes checked (which unchecks the other one).
    void SetCheckBox1Checked(bool checked) override;
    void SetCheckBox2Checked(bool checked);
    void SetRadioButton1Checked(bool checked);
    void SetRadioButton2Checked(bool checked);

    // Sets the text and selects the item of exactly that text, none if there is none.
    void SetComboBox1Text(const std::string& text) override;
    void SetComboBox2Text(const std::string& text) override;

  private:
    void SetCheckBox(TForm3Control box, bool checked);
    void SetRadioButton(TForm3Control button, bool checked);
    void SetRadioButtonsEnabled();
    // The autostart controls from AutoRunner1: what FormCreate shows.
    void ShowAutostart();
    void MoveAutostart(TRegLocation location);

    IForm3Controls& controls_;
    TMemo& memo1_;
    TAutoRunner& autoRunner1_;
    uint16_t& startupPhase_;
};

}  // namespace zv
