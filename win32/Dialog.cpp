#include "win32/Dialog.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "core/Errors.h"
#include "win32/AccessibleServer.h"
#include "win32/Contrast.h"
#include "win32/Dpi.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"
#include "win32/Subclass.h"
#include "win32/SystemError.h"
#include "win32/SystemFunctions.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

constexpr int kFirstId = 101;
constexpr int kListLineHeight = 14;  // of a combo box's open list
constexpr int kListBorders = 2;      // above and below the open list

// Design pixels a control draws beside its text, at their classic size with
// some slack, since themes differ.
constexpr int kCheckTextFrame = 4;       // the focus frame round a check box's text
constexpr int kButtonEdges = 16;         // a button's edges and focus frame
constexpr int kGroupCaptionIndent = 20;  // a group box's caption is indented and padded

// Design heights of the dialogs' fonts.
constexpr int kTextFontHeight = 11;
constexpr int kLinkFontHeight = 16;

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind KindOf(TControlKind kind, bool followsRadioButton) {
    switch (kind) {
        case TControlKind::Label:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case TControlKind::Link:
            return {L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case TControlKind::CheckBox:
            return {L"BUTTON", BS_CHECKBOX | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::AutoCheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::RadioButton: {
            // A radio button right after another continues its group, and lies
            // under the one before it, which it must not paint over.
            const DWORD group = followsRadioButton ? WS_CLIPSIBLINGS : WS_GROUP;
            return {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP | group, 0};
        }
        case TControlKind::ComboBox:
            return {L"COMBOBOX",
                    CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::DropDownList:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::TrackBar:
            return {TRACKBAR_CLASSW, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP | WS_GROUP, 0};
        case TControlKind::GroupBox:
            return {L"BUTTON", BS_GROUPBOX | WS_GROUP | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case TControlKind::Bevel:
            return {L"STATIC", SS_ETCHEDFRAME, 0};
        case TControlKind::Image:
            break;
    }
    return {L"STATIC", 0, 0};
}

bool IsCombo(TControlKind kind) {
    return kind == TControlKind::ComboBox || kind == TControlKind::DropDownList;
}

// A group box keeps the notifications of the controls inside it; the dialog
// is where they are handled.
LRESULT CALLBACK ForwardCommands(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR) {
    if (msg == WM_COMMAND) return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
    return DefSubclass(hwnd, msg, wParam, lParam, ForwardCommands, id);
}

// The closed combo's height follows its font; make it the designed one.
void FitComboHeight(HWND combo, int designHeight) {
    RECT r{};
    GetWindowRect(combo, &r);
    auto item = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
    int wanted = item + designHeight - (r.bottom - r.top);
    if (wanted > 0 && wanted != item) SendMessageW(combo, CB_SETITEMHEIGHT, WPARAM(-1), wanted);
}

// The room a row's text needs in `font`: the text as measured, and what the
// control draws beside it at `dpi`.
TextSize Needed(HDC dc, const ControlDesign& d, HFONT font, int dpi) {
    if (d.text.empty() || IsCombo(d.kind) || d.kind == TControlKind::Image) return {};
    const std::wstring text = Widen(d.text);
    TSelection sel(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const auto at = [dpi](int v) { return ScaledHalfAway(v, dpi); };
    switch (d.kind) {
        case TControlKind::CheckBox:
        case TControlKind::AutoCheckBox:
        case TControlKind::RadioButton:
            // The box, the gap after it and the focus frame round the text.
            size.cx += CheckMarkSize(dpi) + metrics.tmAveCharWidth / 2 + at(kCheckTextFrame);
            break;
        case TControlKind::Button:
            size.cx += at(kButtonEdges);
            break;
        case TControlKind::GroupBox:
            size.cx += at(kGroupCaptionIndent);
            break;
        default:
            break;
    }
    return {size.cx, size.cy};
}

}  // namespace

TDialog::TDialog(const DialogDesign& design, HWND owner, int dpi)
    : design_(design), owner_(owner), askedDpi_(dpi), dpi_(dpi > 0 ? dpi : kDesignDpi) {
    pending_.resize(design.controls.size());
    for (size_t i = 0; i < pending_.size(); ++i) pending_[i].checked = design.controls[i].checked;
}

void TDialog::Create() {
    if (Handle()) return;
    // The exe is DPI aware: Windows no longer stretches the dialog, it scales.
    dpi_ = askedDpi_ > 0 ? askedDpi_ : WindowDpi(owner_);
    fonts_ = MakeFonts(dpi_);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    // A resource icon is shared: it is not destroyed. The window's own are
    // the frames for its DPI.
    HICON icon = design_.icon ? LoadIconW(instance, MAKEINTRESOURCEW(design_.icon)) : nullptr;
    const std::string className(design_.className);
    RegisterClassOnce(className.c_str(), 0, icon, ArrowCursor(),
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    CreateHandle(className.c_str(), std::string(design_.caption).c_str(), kExStyle, kStyle, 0, 0, 0,
                 0, owner_);
    try {
        SetIcons();
        CreateControls();
        ApplyPending();
        Lay(true);
        WindowMade();
    } catch (...) {
        // Half a dialog is none: the next Show tries again.
        DestroyWindow(Handle());
        controls_.clear();
        throw;
    }
}

TDialog::~TDialog() {
    // The controls go before the fonts they were given.
    if (Handle()) DestroyWindow(Handle());
}

TDialog::TDialogFonts TDialog::MakeFonts(int dpi) const {
    const auto at = [dpi](int v) { return ScaledHalfAway(v, dpi); };
    TDialogFonts fonts;
    // Where the system's "MS Sans Serif" has no Russian letters, a face that does.
    fonts.text = CreateCyrillicFont({"MS Sans Serif", at(kTextFontHeight)});
    for (const ControlDesign& d : design_.controls) {
        if (d.kind == TControlKind::Link && !fonts.link)
            fonts.link = CreateCyrillicFont({"Times New Roman", at(kLinkFontHeight), false, true});
    }
    return fonts;
}

void TDialog::SetIcons() {
    if (!design_.icon) return;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto load = [&](int size) {
        return UniqueIcon(static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(design_.icon), IMAGE_ICON, size, size, 0)));
    };
    UniqueIcon big = load(LargeIconSize(dpi_)), small = load(SmallIconSize(dpi_));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.Get()));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.Get()));
    // The old ones go once the window no longer holds them.
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

void TDialog::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::span<const ControlDesign> rows = design_.controls;
    controls_.assign(rows.size(), nullptr);
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlDesign& d = rows[i];
        if (d.kind == TControlKind::Image) continue;
        if (d.kind == TControlKind::TrackBar) {
            const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
            // Where it cannot be had, making the control fails and says why.
            if (const auto init = SystemFunction<kInitCommonControlsEx>()) init(&classes);
        }
        const WindowKind kind =
            KindOf(d.kind, i > 0 && rows[i - 1].kind == TControlKind::RadioButton);
        const std::wstring text = Widen(d.text);
        HWND parent = d.parent.empty() ? Handle() : Control(d.parent);
        // Placed by Lay, once its font is known.
        HWND h = CreateWindowExW(
            kind.exStyle, kind.className, text.c_str(), WS_CHILD | WS_VISIBLE | kind.style, 0, 0,
            AtDpi(d.width), AtDpi(d.height), parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)), instance, nullptr);
        if (!h) throw Exception(SystemErrorText(GetLastError()));
        controls_[i] = h;
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(d, fonts_)), FALSE);
        if (kind.exStyle & WS_EX_CONTROLPARENT) SubclassControl(h, ForwardCommands, 1, 0);
        if (TakesFocus(d.kind) || d.kind == TControlKind::Link)
            SubclassControl(h, AnswerAccessible, kFirstId + i, reinterpret_cast<DWORD_PTR>(this));
        for (std::string_view item : d.items) AddItem(i, item);
        // The edit field shows the designed text.
        if (d.kind == TControlKind::ComboBox) SetWindowTextW(h, text.c_str());
        if (d.checked) SetChecked(i, true);
        takesFocus_ = takesFocus_ || TakesFocus(d.kind);
    }
}

FittedDialog TDialog::LayoutFor(int dpi, const TDialogFonts& fonts) const {
    TWindowDc dc(Handle());  // one for every row's text
    std::vector<TextSize> needed;
    for (const ControlDesign& d : design_.controls)
        needed.push_back(Needed(dc.Get(), d, FontOf(d, fonts), dpi));
    return FitDialog(design_, dpi, needed);
}

// The window round the client area at `dpi`, the frame drawn at that DPI.
SIZE TDialog::WindowSizeFor(int dpi, const FittedDialog& layout) {
    RECT frame{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectForDpi(frame, kStyle, kExStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void TDialog::Lay(bool sizeWindow) {
    const FittedDialog layout = LayoutFor(dpi_, fonts_);
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (!controls_[i]) continue;
        const ControlDesign& d = design_.controls[i];
        const Rect& r = layout.controls[i];
        // A combo's window height includes its open list.
        const int list =
            IsCombo(d.kind) ? AtDpi(design_.listLines * kListLineHeight + kListBorders) : 0;
        SetWindowPos(controls_[i], nullptr, r.left, r.top, r.Width(), r.Height() + list,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (IsCombo(d.kind)) FitComboHeight(controls_[i], r.Height());
    }
    if (!sizeWindow) return;
    // The frame at the DPI the system draws this window at, which may not be
    // the dialog's (Windows 7, and Wine, draw every frame at one DPI).
    const SIZE size = WindowSizeFor(WindowDpi(Handle()), layout);
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TDialog::Control(std::string_view name) const {
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (name == design_.controls[i].name) return controls_[i];
    }
    return nullptr;
}

bool TDialog::IsLink(HWND control) const {
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (design_.controls[i].kind == TControlKind::Link && control == controls_[i]) return true;
    }
    return false;
}

void TDialog::Show() {
    Create();
    if (!placed_) {
        // On the clock's monitor, not straddling two.
        CentreOnPrimaryWorkArea(Handle());
        placed_ = true;
    }
    ShowWindow(Handle(), SW_SHOW);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
}

bool TDialog::TranslateDialogMessage(MSG& msg) {
    return Visible() && IsDialogMessageW(Handle(), &msg) != FALSE;
}

// The control that had the focus when the dialog was left gets it back, else
// the first tab stop.
void TDialog::KeepFocus(WPARAM activation) {
    if (LOWORD(activation) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        return;
    }
    HWND target = lastFocus_ && IsWindowEnabled(lastFocus_)
                      ? lastFocus_
                      : GetNextDlgTabItem(Handle(), nullptr, FALSE);
    if (target) SetFocus(target);
}

LRESULT CALLBACK TDialog::AnswerAccessible(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR dialog) {
    LRESULT result = 0;
    if (msg == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT &&
        reinterpret_cast<TDialog*>(dialog)->Accessible(id - kFirstId, wParam, result))
        return result;
    return DefSubclass(hwnd, msg, wParam, lParam, AnswerAccessible, id);
}

bool TDialog::Accessible(size_t row, WPARAM wParam, LRESULT& result) {
    const std::span<const ControlDesign> rows = design_.controls;
    TAccessibleControl::Told told{Widen(AccessibleName(rows, row))};
    if (rows[row].kind == TControlKind::Link) told.role = ROLE_SYSTEM_LINK;
    // A slider's value is what the label after it shows ("80 %").
    if (rows[row].kind == TControlKind::TrackBar && row + 1 < rows.size() &&
        rows[row + 1].kind == TControlKind::Label)
        told.valueLabel = controls_[row + 1];
    return accessible_.Answer(controls_[row], std::move(told), wParam, result);
}

void TDialog::Command(size_t, int) {}

LRESULT TDialog::OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT TDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; DpiMessage(msg, wParam, lParam, result)) return result;
    switch (msg) {
        case WM_COMMAND: {
            // Enter and Esc arrive as IDOK and IDCANCEL from the dialog manager,
            // from no control: the dialogs have no default or cancel button.
            const int row = LOWORD(wParam) - kFirstId;
            if (lParam != 0 && row >= 0 && row < static_cast<int>(controls_.size()))
                Command(static_cast<size_t>(row), HIWORD(wParam));
            return 0;
        }
        case WM_CLOSE:
            // Closing hides: the dialog is made once.
            Hide();
            return 0;
        case WM_ACTIVATE:
            // A dialog with nothing to focus leaves the focus to the system,
            // which gives it the dialog window itself.
            if (!takesFocus_) break;
            KeepFocus(wParam);
            return 0;
        case WM_CTLCOLORSTATIC:
            if (!IsLink(reinterpret_cast<HWND>(lParam))) break;
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            SetTextColor(reinterpret_cast<HDC>(wParam),
                         HighContrastOn() ? GetSysColor(COLOR_HOTLIGHT) : RGB(0, 0, 255));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        case WM_SYSCOLORCHANGE:
        case WM_SETTINGCHANGE:
            // A change of contrast shows at once, the link's colour too.
            InvalidateRect(Handle(), nullptr, TRUE);
            break;
        case WM_SETCURSOR:
            if (!IsLink(reinterpret_cast<HWND>(wParam))) break;
            SetCursor(HandCursor());
            return TRUE;
        default:
            break;
    }
    return OtherMessage(msg, wParam, lParam);
}

}  // namespace zv::win
