#pragma once
// TForm3, the settings dialog.
#include <windows.h>

#include <cstdint>

#include "settings/Form3Handlers.h"
#include "win32/Dialog.h"

namespace zv {
class TMemo;
class TAutoRunner;
}  // namespace zv

namespace zv::win {

class TForm3 final : public TDialog, public ISettingsControls, private IForm3Controls {
  public:
    // The dialog, owned by the application window (may be null), made hidden
    // now or when first shown; runs FormCreate. Until the window is made,
    // the controls' state is kept by the dialog layer.
    TForm3(HWND owner, TMemo& memo1, TAutoRunner& autoRunner1, uint16_t& startupPhase,
           TDialogMaking making = TDialogMaking::Now);

    // Copies the autostart component's state into the autostart controls.
    void FormCreate() { handlers_.FormCreate(); }

    void SetCheckBox1Checked(bool checked) override { handlers_.SetCheckBox1Checked(checked); }
    void SetComboBox1Text(const std::string& text) override { handlers_.SetComboBox1Text(text); }
    void SetComboBox2Text(const std::string& text) override { handlers_.SetComboBox2Text(text); }

  private:
    void Command(size_t row, int code) override;

    bool Checked(TForm3Control control) const override;
    void SetCheckState(TForm3Control control, bool checked) override;
    void SetEnabled(TForm3Control control, bool enabled) override;
    int ItemIndex(TForm3Control combo) const override;
    void SetComboText(TForm3Control combo, const std::string& text, int itemIndex) override;
    void HideDialog() override { Hide(); }

    TForm3Handlers handlers_;
};

}  // namespace zv::win
