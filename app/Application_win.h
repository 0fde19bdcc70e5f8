#pragma once
// The application object: the hidden top-level window that owns every form
// and carries the taskbar button, the main form, and the message loop.
#include <windows.h>

#include <vector>

#include "core/Forms.h"
#include "win32/Handles.h"
#include "win32/Window.h"

namespace zv::win {

class TDialog;

class TApplication final : public TWindow, public IApplication {
  public:
    TApplication();

    // IApplication
    IForm* MainForm() const override { return mainForm_; }
    uintptr_t WindowHandle() const override { return reinterpret_cast<uintptr_t>(Handle()); }
    uintptr_t IconHandle() const override { return reinterpret_cast<uintptr_t>(icon_); }
    std::string ExeName() const override;

    // The first form created becomes the main form.
    void FormCreated(IForm* form, HWND hwnd);
    // The dialog gets Tab and arrow-key navigation in the message loop while
    // it is shown. It must outlive the loop.
    void AddDialog(TDialog& dialog) { dialogs_.push_back(&dialog); }
    // A form is about to be shown: the framework brings its taskbar window back.
    void FormShowing();
    // The keyboard shortcuts of the main form, translated for every window.
    void SetAccelerators(HACCEL accel, HWND target) {
        accel_ = accel;
        accelTarget_ = target;
    }

    // Runs the message loop until the main form's window is gone.
    int Run();

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    HICON icon_ = nullptr;  // shared resource icon: not destroyed
    IForm* mainForm_ = nullptr;
    HWND mainWindow_ = nullptr;
    std::vector<TDialog*> dialogs_;
    HACCEL accel_ = nullptr;
    HWND accelTarget_ = nullptr;
};

}  // namespace zv::win
