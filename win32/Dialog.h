#pragma once
// The dialog layer: a non-modal, topmost dialog made from its table
// (core/DialogDesign.h), made hidden once and shown and hidden many times.
// A dialog is its table plus its handlers.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/DialogDesign.h"
#include "core/DialogLayout.h"
#include "win32/AccessibleServer.h"
#include "win32/Handles.h"
#include "win32/Window.h"

namespace zv::win {

// When a dialog's window is made: with the dialog, or when it is first shown.
// The program makes its dialogs late: their controls load Common Controls,
// which a clock that is only looked at never needs.
enum class TDialogMaking { Now, OnFirstShow };

class TDialog : public TWindow {
  public:
    ~TDialog() override;

    // Makes the window and its controls, hidden, unless they are made.
    void Create();
    // Centred on the primary monitor's work area the first time, later where
    // it was left; in front each time. Makes the window first if need be.
    void Show();
    void Hide() {
        if (Handle()) ShowWindow(Handle(), SW_HIDE);
    }
    bool Visible() const { return Handle() && IsWindowVisible(Handle()); }

    // For the message loop: Tab, arrows and Space among the controls while the
    // dialog is shown. True when the message was used.
    bool TranslateDialogMessage(MSG& msg);

    // The control of that designer name; null if none, or if the dialog
    // paints it (an image).
    HWND Control(std::string_view name) const;

  protected:
    // A dialog owned by `owner` (the application window; may be null); its
    // window is made by Create(), which the derived dialog's constructor calls
    // for TDialogMaking::Now. The design outlives the dialog. Its pixels are
    // the design's at 96 DPI, scaled to `dpi` (0: the owner's when made).
    TDialog(const DialogDesign& design, HWND owner, int dpi = 0);

    // Null until the window is made.
    HWND ControlAt(size_t row) const { return row < controls_.size() ? controls_[row] : nullptr; }
    // The controls by row: a check box's or radio button's tick, whether a
    // control takes input, and a combo box's items and selection (-1: none).
    // Ticks, enabling and combo texts may be set before the window is made
    // and are then kept until it is; the rest needs the window.
    bool Checked(size_t row) const;
    void SetChecked(size_t row, bool checked);
    void Enable(size_t row, bool enabled);
    void AddItem(size_t row, std::string_view text);
    int Selected(size_t row) const;
    void Select(size_t row, int item);
    // The edit field's text, and the item selected: the text stays, even
    // where no item has it.
    void SetComboText(size_t row, std::string_view text, int item);
    HFONT Font() const { return fonts_.text.Get(); }
    // A length of the design at the dialog's DPI, by the dialogs' rule.
    int AtDpi(int designPixels) const { return ScaledHalfAway(designPixels, dpi_); }
    int Dpi() const { return dpi_; }

    // A notification (BN_CLICKED, CBN_SELCHANGE...) from the control of that
    // row. Not called while the layer makes or destroys the window.
    virtual void Command(size_t row, int code);
    // A message the layer leaves to the dialog.
    virtual LRESULT OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // After the dialog was laid out again for a new DPI: what the dialog
    // draws itself follows.
    virtual void DpiChanged() {}
    // After the window and its controls were made: what the dialog sets up
    // on them.
    virtual void WindowMade() {}

  private:
    struct TDialogFonts {
        UniqueFont text;
        UniqueFont link;  // only where a row is a link
    };
    // A row's state set before the window was made.
    struct TRowState {
        bool checked = false;
        bool enabled = true;
        int selected = -1;
        std::optional<std::string> comboText;
    };
    static HFONT FontOf(const ControlDesign& d, const TDialogFonts& fonts) {
        return (d.kind == TControlKind::Link ? fonts.link : fonts.text).Get();
    }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) final;
    TDialogFonts MakeFonts(int dpi) const;
    void CreateControls();
    void ApplyPending();
    void SetIcons();
    // Every control where its design and its text put it at the dialog's
    // DPI, and the window round them.
    FittedDialog LayoutFor(int dpi, const TDialogFonts& fonts) const;
    static SIZE WindowSizeFor(int dpi, const FittedDialog& layout);
    void Lay(bool sizeWindow);
    void ChangeDpi(int dpi, const RECT& suggested);
    // WM_GETDPISCALEDSIZE and WM_DPICHANGED; false for any other message and
    // for one the dialog leaves to the system.
    bool DpiMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool IsLink(HWND control) const;
    void KeepFocus(WPARAM activation);
    // A screen reader's WM_GETOBJECT for a row's control: the system's object
    // with the name, value or role the rows give it. False to leave it to
    // the system alone.
    static LRESULT CALLBACK AnswerAccessible(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR dialog);
    bool Accessible(size_t row, WPARAM wParam, LRESULT& result);

    const DialogDesign& design_;
    HWND owner_;
    int askedDpi_;
    int dpi_;
    std::vector<TRowState> pending_;  // until the window is made
    TDialogFonts fonts_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    std::vector<HWND> controls_;  // by row; null for an image
    bool takesFocus_ = false;     // some control can have the focus
    HWND lastFocus_ = nullptr;
    bool placed_ = false;
    TAccessibleServer accessible_;
};

}  // namespace zv::win
