#pragma once
// What components need of the window they sit on and of the application
// object, without Windows headers. Handles travel as uintptr_t.
#include <cstdint>
#include <string>

namespace zv {

class IForm {
  public:
    virtual ~IForm() = default;
    // The form's window; made on first request.
    virtual uintptr_t WindowHandle() = 0;
    // The framework's visibility flag: assigning shows (in the form's window
    // state) or hides the window and records the value; a direct ShowWindow
    // does not change it.
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
    // 0 when the form has no icon of its own.
    virtual uintptr_t IconHandle() const = 0;
    virtual std::string Caption() const = 0;
};

class IApplication {
  public:
    virtual ~IApplication() = default;
    // Null until the first form has been created.
    virtual IForm* MainForm() const = 0;
    // The hidden top-level window that owns every form and carries the taskbar button.
    virtual uintptr_t WindowHandle() const = 0;
    virtual uintptr_t IconHandle() const = 0;
    // The executable's full path.
    virtual std::string ExeName() const = 0;
};

}  // namespace zv
