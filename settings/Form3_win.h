#pragma once
// TForm3, the settings dialog: a non-modal, topmost window with real
// controls, created once and shown and hidden many times.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "settings/Form3Handlers.h"
#include "win32/DialogFocus.h"
#include "win32/Handles.h"
#include "win32/Window.h"

namespace zv {
class TMemo;
class TAutoRunner;
}  // namespace zv

namespace zv::win {

class TForm3 final : public TWindow, public ISettingsControls, private IForm3Controls {
  public:
    // Creates the dialog hidden, owned by the application window (may be
    // null), and runs FormCreate.
    TForm3(HWND applicationWindow, TMemo& memo1, TAutoRunner& autoRunner1, uint16_t& startupPhase);
    ~TForm3() override;

    // Copies the autostart component's state into the autostart controls.
    void FormCreate() { handlers_.FormCreate(); }
    // Centred on the primary monitor's work area the first time; later
    // where it was left.
    void Show();
    void Hide() { ShowWindow(Handle(), SW_HIDE); }
    bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }

    // For the message loop: Tab, arrows and Space among the controls while the
    // dialog is shown. True when the message was used.
    bool TranslateDialogMessage(MSG& msg);

    void SetCheckBox1Checked(bool checked) override { handlers_.SetCheckBox1Checked(checked); }
    void SetComboBox1Text(const std::string& text) override { handlers_.SetComboBox1Text(text); }
    void SetComboBox2Text(const std::string& text) override { handlers_.SetComboBox2Text(text); }

    // The control of that designer name ("CheckBox1", "Bevel2", ...); null if none.
    HWND Control(std::string_view name) const;
    TForm3Handlers& Logic() { return handlers_; }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  private:
    bool Checked(TForm3Control control) const override;
    void SetCheckState(TForm3Control control, bool checked) override;
    void SetEnabled(TForm3Control control, bool enabled) override;
    int ItemIndex(TForm3Control combo) const override;
    void SetComboText(TForm3Control combo, const std::string& text, int itemIndex) override;
    void HideDialog() override { Hide(); }

    void CreateControls();
    HWND ControlOf(TForm3Control control) const { return controls_[IndexOf(control)]; }

    TForm3Handlers handlers_;
    UniqueFont font_;
    std::array<HWND, kForm3ControlCount> controls_{};
    TDialogFocus focus_;
    bool placed_ = false;
};

}  // namespace zv::win
