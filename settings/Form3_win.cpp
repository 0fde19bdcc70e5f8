#include "settings/Form3_win.h"

#include <commctrl.h>

#include <string>

#include "core/Errors.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"

namespace zv::win {
namespace {

constexpr const char* kClassName = "TForm3";
constexpr int kClientWidth = 325;
constexpr int kClientHeight = 257;
constexpr int kComboHeight = 21;
constexpr int kFirstId = 101;

enum Index : uint8_t {
    kCheckBox1,
    kComboBox1,
    kCheckBox2,
    kButton1,
    kGroupBox1,
    kRadioButton1,
    kRadioButton2,
    kGroupBox2,
    kComboBox2,
    kLabel1,
    kBevel1,
    kBevel2,
    kNone = 0xFF
};

struct ControlDesign {
    const char* name;
    const char* className;
    uint8_t parent;  // kNone: the dialog itself
    int left, top, width, height;
    const char* text;
    DWORD style;
    DWORD exStyle;
};

// Created in tab order, which is the order the dialog manager walks; the
// frames and the label, which take no focus, go last so that they lie under
// everything else.
constexpr ControlDesign kDesigns[TForm3::kControlCount] = {
    {"CheckBox1", "BUTTON", kNone, 16, 16, 129, 17, "Горячая клавиша для",
     BS_CHECKBOX | WS_TABSTOP | WS_GROUP, 0},
    {"ComboBox1", "COMBOBOX", kNone, 184, 24, 97, 21, "F11",
     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0},
    {"CheckBox2", "BUTTON", kNone, 24, 80, 265, 17, "Автозапуск программы при загрузке Windows",
     BS_CHECKBOX | WS_TABSTOP | WS_GROUP, 0},
    {"Button1", "BUTTON", kNone, 8, 216, 305, 25, "Применить",
     BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0},
    {"GroupBox1", "BUTTON", kNone, 16, 104, 289, 41, "Запускать",
     BS_GROUPBOX | WS_GROUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},
    // RadioButton2's rectangle reaches under RadioButton1: RadioButton1 goes
    // above it, and RadioButton2 is clipped there. Only the checked one of them
    // is a tab stop, so their order among themselves does not change Tab.
    {"RadioButton1", "BUTTON", kGroupBox1, 128, 16, 153, 17, "Для всех пользователей",
     BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, 0},
    {"RadioButton2", "BUTTON", kGroupBox1, 8, 16, 145, 17, "Только для меня",
     BS_RADIOBUTTON | WS_TABSTOP | WS_CLIPSIBLINGS, 0},
    {"GroupBox2", "BUTTON", kNone, 32, 152, 257, 49, "Запуск",
     BS_GROUPBOX | WS_GROUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT},
    {"ComboBox2", "COMBOBOX", kGroupBox2, 48, 16, 161, 21, "На весь экран",
     CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0},
    {"Label1", "STATIC", kNone, 24, 32, 119, 13, "произнесения времени", SS_LEFT | WS_GROUP, 0},
    {"Bevel1", "STATIC", kNone, 8, 8, 305, 49, "", SS_ETCHEDFRAME, 0},
    {"Bevel2", "STATIC", kNone, 8, 64, 305, 145, "", SS_ETCHEDFRAME, 0},
};

constexpr uint8_t IndexOf(TForm3Control control) {
    switch (control) {
        case TForm3Control::CheckBox1:
            return kCheckBox1;
        case TForm3Control::CheckBox2:
            return kCheckBox2;
        case TForm3Control::RadioButton1:
            return kRadioButton1;
        case TForm3Control::RadioButton2:
            return kRadioButton2;
        case TForm3Control::ComboBox1:
            return kComboBox1;
        case TForm3Control::ComboBox2:
            return kComboBox2;
    }
    return kCheckBox1;
}

// A group box keeps the notifications of the controls inside it; the dialog
// is where they are handled.
LRESULT CALLBACK ForwardCommands(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR) {
    if (msg == WM_COMMAND) return SendMessageA(GetParent(hwnd), msg, wParam, lParam);
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, ForwardCommands, id);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

TForm3::TForm3(HWND applicationWindow, TMemo& memo1, TAutoRunner& autoRunner1,
               uint16_t& startupPhase)
    : logic_(*this, memo1, autoRunner1, startupPhase),
      // Where the system's "MS Sans Serif" has no Russian letters, a face that does.
      font_(CreateCyrillicFont({"MS Sans Serif", 11})) {
    RegisterClassOnce(kClassName, 0, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidth, kClientHeight};
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
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlDesign& design = kDesigns[i];
        HWND parent = design.parent == kNone ? Handle() : controls_[design.parent];
        bool combo = std::string_view(design.className) == "COMBOBOX";
        // A combo's window height includes its drop-down list.
        int height = combo ? design.height + 8 * 14 + 2 : design.height;
        HWND h = CreateWindowExA(
            design.exStyle, design.className, design.text, WS_CHILD | WS_VISIBLE | design.style,
            design.left, design.top, design.width, height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)), instance, nullptr);
        if (!h) throw Exception(SystemErrorText(GetLastError()));
        controls_[i] = h;
        if (font_) SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        if (design.exStyle & WS_EX_CONTROLPARENT) SetWindowSubclass(h, ForwardCommands, 1, 0);
    }
    for (auto item : kComboBox1Items)
        SendMessageA(controls_[kComboBox1], CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::string(item).c_str()));
    for (auto item : kComboBox2Items)
        SendMessageA(controls_[kComboBox2], CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::string(item).c_str()));
    // The closed combo's height follows its font; make it the designed height.
    for (uint8_t i : {kComboBox1, kComboBox2}) {
        RECT r{};
        GetWindowRect(controls_[i], &r);
        auto item = static_cast<int>(SendMessageA(controls_[i], CB_GETITEMHEIGHT, WPARAM(-1), 0));
        int wanted = item + kComboHeight - (r.bottom - r.top);
        if (wanted > 0 && wanted != item)
            SendMessageA(controls_[i], CB_SETITEMHEIGHT, WPARAM(-1), wanted);
        SetWindowTextA(controls_[i], kDesigns[i].text);
    }
    SendMessageA(controls_[kCheckBox1], BM_SETCHECK, BST_CHECKED, 0);
}

HWND TForm3::Control(std::string_view name) const {
    for (size_t i = 0; i < kControlCount; ++i) {
        if (name == kDesigns[i].name) return controls_[i];
    }
    return nullptr;
}

HWND TForm3::ControlOf(TForm3Control control) const {
    return controls_[IndexOf(control)];
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
    return Visible() && IsDialogMessageA(Handle(), &msg) != FALSE;
}

bool TForm3::Checked(TForm3Control control) const {
    return SendMessageA(ControlOf(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TForm3::SetCheckState(TForm3Control control, bool checked) {
    SendMessageA(ControlOf(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TForm3::SetEnabled(TForm3Control control, bool enabled) {
    EnableWindow(ControlOf(control), enabled ? TRUE : FALSE);
}

int TForm3::ItemIndex(TForm3Control combo) const {
    return static_cast<int>(SendMessageA(ControlOf(combo), CB_GETCURSEL, 0, 0));
}

void TForm3::SetComboText(TForm3Control combo, const std::string& text, int itemIndex) {
    HWND h = ControlOf(combo);
    // Selecting an item rewrites the text and selecting none clears it, so the
    // text goes in after the selection.
    SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
    SetWindowTextA(h, text.c_str());
    if (itemIndex >= 0 && SendMessageA(h, CB_GETCURSEL, 0, 0) != itemIndex)
        SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
}

void TForm3::OnCommand(int id, int code) {
    int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(kControlCount) || code != BN_CLICKED) return;
    switch (index) {
        case kCheckBox1:
            logic_.UserClicked(TForm3Control::CheckBox1);
            break;
        case kCheckBox2:
            logic_.UserClicked(TForm3Control::CheckBox2);
            break;
        case kRadioButton1:
            logic_.UserClicked(TForm3Control::RadioButton1);
            break;
        case kRadioButton2:
            logic_.UserClicked(TForm3Control::RadioButton2);
            break;
        case kButton1:
            logic_.Button1Click();
            break;
        default:
            break;
    }
}

LRESULT TForm3::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            // Enter and Esc arrive as IDOK and IDCANCEL from the dialog manager;
            // the dialog has no default or cancel button, so they do nothing.
            if (lParam != 0) OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CLOSE:
            Hide();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
            } else {
                HWND target = lastFocus_ && IsWindowEnabled(lastFocus_)
                                  ? lastFocus_
                                  : GetNextDlgTabItem(Handle(), nullptr, FALSE);
                if (target) SetFocus(target);
            }
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

}  // namespace zv::win
