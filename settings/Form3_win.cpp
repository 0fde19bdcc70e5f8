#include "settings/Form3_win.h"

#include <commctrl.h>

#include <string>

#include "core/Errors.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr const char* kClassName = "TForm3";
constexpr int kFirstId = 101;
constexpr int kListLines = 8;  // of a combo box's open list
constexpr int kListLineHeight = 14;

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// Check boxes and radio buttons are not automatic: the handlers set them.
WindowKind KindOf(size_t index) {
    const TControlDesign& d = kForm3Controls[index];
    switch (d.kind) {
        case TControlKind::CheckBox:
            return {L"BUTTON", BS_CHECKBOX | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::RadioButton: {
            // A radio button right after another continues its group, and lies
            // under the one before it, which it must not paint over.
            const bool follows =
                index > 0 && kForm3Controls[index - 1].kind == TControlKind::RadioButton;
            const DWORD group = follows ? WS_CLIPSIBLINGS : WS_GROUP;
            return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP | group, 0};
        }
        case TControlKind::ComboBox:
            return {L"COMBOBOX",
                    CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::GroupBox:
            return {L"BUTTON", BS_GROUPBOX | WS_GROUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case TControlKind::Label:
            return {L"STATIC", SS_LEFT | WS_GROUP, 0};
        case TControlKind::Bevel:
            return {L"STATIC", SS_ETCHEDFRAME, 0};
    }
    return {L"STATIC", 0, 0};
}

// A group box keeps the notifications of the controls inside it; the dialog
// is where they are handled.
LRESULT CALLBACK ForwardCommands(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR) {
    if (msg == WM_COMMAND) return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ForwardCommands, id);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

// The closed combo's height follows its font; make it the designed one.
void FitComboHeight(HWND combo, int designHeight) {
    RECT r{};
    GetWindowRect(combo, &r);
    auto item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    int wanted = item + designHeight - (r.bottom - r.top);
    if (wanted > 0 && wanted != item) SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), wanted);
}

}  // namespace

TForm3::TForm3(HWND applicationWindow, TMemo& memo1, TAutoRunner& autoRunner1,
               uint16_t& startupPhase)
    : handlers_(*this, memo1, autoRunner1, startupPhase),
      // Where the system's "MS Sans Serif" has no Russian letters, a face that does.
      font_(CreateCyrillicFont({"MS Sans Serif", 11})) {
    // The arrow cursor (IDC_ARROW, spelt for the W call).
    RegisterClassOnce(kClassName, 0, nullptr, LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kForm3ClientWidth, kForm3ClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    CreateHandle(kClassName, "Настройки", exStyle, style, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top, applicationWindow);
    CreateControls();
    FormCreate();
}

TForm3::~TForm3() {
    // The controls go before the font they were given.
    if (Handle()) DestroyWindow(Handle());
}

void TForm3::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        const TControlDesign& d = kForm3Controls[i];
        const WindowKind kind = KindOf(i);
        HWND parent = d.parent.empty() ? Handle() : Control(d.parent);
        const bool combo = d.kind == TControlKind::ComboBox;
        // A combo's window height includes its open list.
        const int height = combo ? d.height + kListLines * kListLineHeight + 2 : d.height;
        const std::wstring text = Widen(d.text);
        HWND h = CreateWindowExW(
            kind.exStyle, kind.className, text.c_str(), WS_CHILD | WS_VISIBLE | kind.style, d.left,
            d.top, d.width, height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)), instance, nullptr);
        if (!h) throw Exception(SystemErrorText(GetLastError()));
        controls_[i] = h;
        if (font_) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        if (kind.exStyle & WS_EX_CONTROLPARENT) SetWindowSubclass(h, ForwardCommands, 1, 0);
        for (std::string_view item : d.items) {
            const std::wstring wide = Widen(item);
            SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        }
        if (combo) {
            FitComboHeight(h, d.height);
            SetWindowTextW(h, text.c_str());
        }
        if (d.checked) SendMessageW(h, BM_SETCHECK, BST_CHECKED, 0);
    }
}

HWND TForm3::Control(std::string_view name) const {
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        if (name == kForm3Controls[i].name) return controls_[i];
    }
    return nullptr;
}

void TForm3::Show() {
    if (!placed_) {
        // On the clock's monitor, not straddling two.
        CentreOnPrimaryWorkArea(Handle());
        placed_ = true;
    }
    ShowWindow(Handle(), SW_SHOW);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
}

bool TForm3::TranslateDialogMessage(MSG& msg) {
    return Visible() && IsDialogMessageW(Handle(), &msg) != FALSE;
}

bool TForm3::Checked(TForm3Control control) const {
    return SendMessageW(ControlOf(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm3::SetCheckState(TForm3Control control, bool checked) {
    SendMessageW(ControlOf(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TForm3::SetEnabled(TForm3Control control, bool enabled) {
    EnableWindow(ControlOf(control), enabled ? TRUE : FALSE);
}

int TForm3::ItemIndex(TForm3Control combo) const {
    return static_cast<int>(SendMessageW(ControlOf(combo), CB_GETCURSEL, 0, 0));
}

void TForm3::SetComboText(TForm3Control combo, const std::string& text, int itemIndex) {
    HWND h = ControlOf(combo);
    // Selecting an item rewrites the text and selecting none clears it, so the
    // text goes in after the selection.
    SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
    SetWindowTextW(h, Widen(text).c_str());
    if (itemIndex >= 0 && SendMessageW(h, CB_GETCURSEL, 0, 0) != itemIndex)
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
}

LRESULT TForm3::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND: {
            // Enter and Esc arrive as IDOK and IDCANCEL from the dialog manager;
            // the dialog has no default or cancel button, so they do nothing.
            const int index = LOWORD(wParam) - kFirstId;
            if (lParam != 0 && HIWORD(wParam) == BN_CLICKED && index >= 0 &&
                index < static_cast<int>(kForm3ControlCount))
                handlers_.UserClicked(static_cast<TForm3Control>(index));
            return 0;
        }
        case WM_CLOSE:
            Hide();
            return 0;
        case WM_ACTIVATE:
            focus_.OnActivate(Handle(), wParam);
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

}  // namespace zv::win
