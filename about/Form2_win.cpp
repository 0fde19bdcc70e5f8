#include "about/Form2_win.h"

#include <shellapi.h>

#include <string>

#include "core/Errors.h"
#include "resources/resource.h"
#include "resources/version.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"
#include "win32/Utf16.h"

namespace zv::win {

namespace {

constexpr char kClassName[] = "TForm2";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
constexpr int kClientWidth = 253;
constexpr int kClientHeight = 160;
constexpr int kFirstId = 1;

enum class Kind { Label, Link, Image };

struct ControlDesign {
    std::string_view name;
    Kind kind;
    int left, top;
    int width, height;  // Image1's; a label sizes itself to its text
    std::string_view text;
};

// The labels take no focus: the order is the order of creation only.
const ControlDesign kDesigns[] = {
    {"Label1", Kind::Label, 80, 16, 0, 0, "Zvenoks v." ZV_VERSION_TEXT},
    {"Label2", Kind::Label, 64, 128, 0, 0, "Екатеринбург, 2026"},
    {"Label3", Kind::Link, 56, 88, 0, 0, LinkText(kMakerUrl)},
    {"Label4", Kind::Label, 104, 56, 0, 0, "Zvenoks"},
    {"Label5", Kind::Label, 96, 112, 0, 0, "Россия, Урал"},
    // The icon stretched to its box, proportions kept.
    {"Image1", Kind::Image, 48, 48, 33, 33, ""},
};

// The system cursors, spelt for the W call (IDC_ARROW and IDC_HAND).
HCURSOR SystemCursor(WORD id) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}
constexpr WORD kArrow = 32512;
constexpr WORD kHand = 32649;

}  // namespace

TForm2::TForm2(TApplication& application) : application_(application) {}

void TForm2::Create() {
    HINSTANCE inst = GetModuleHandleW(nullptr);
    windowIcon_ = LoadIconW(inst, MAKEINTRESOURCEW(IDI_ABOUT_WINDOW));
    image1Icon_.Reset(static_cast<HICON>(
        LoadImageW(inst, MAKEINTRESOURCEW(IDI_ABOUT_IMAGE), IMAGE_ICON, 32, 32, 0)));
    RegisterClassOnce(kClassName, 0, windowIcon_, SystemCursor(kArrow),
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    CreateHandle(kClassName, "О программе", kExStyle, kStyle, 351, 220, frame.right - frame.left,
                 frame.bottom - frame.top, reinterpret_cast<HWND>(application_.WindowHandle()));
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_));

    dialogFont_ = CreateCyrillicFont({"MS Sans Serif", 11});
    linkFont_ = CreateCyrillicFont({"Times New Roman", 16, false, true});
    WindowDc dc(Handle());
    for (size_t i = 0; i < std::size(kDesigns); ++i) {
        const ControlDesign& d = kDesigns[i];
        if (d.kind == Kind::Image) {
            controls_.push_back(nullptr);
            continue;
        }
        const bool link = d.kind == Kind::Link;
        HFONT font = link ? linkFont_.Get() : dialogFont_.Get();
        // Labels size themselves to their text.
        const std::wstring text = Widen(d.text);
        SIZE size{};
        {
            Selection sel(dc.Get(), font);
            GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        }
        const DWORD style = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | (link ? SS_NOTIFY : 0);
        HWND h = CreateWindowExW(
            0, L"STATIC", text.c_str(), style, d.left, d.top, size.cx, size.cy, Handle(),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)), inst, nullptr);
        if (!h) throw Exception(SystemErrorText(GetLastError()));
        controls_.push_back(h);
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    application_.AddDialog(Handle());
}

HWND TForm2::Control(std::string_view name) const {
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (name == kDesigns[i].name) return controls_[i];
    }
    return nullptr;
}

bool TForm2::IsLink(HWND control) const {
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (kDesigns[i].kind == Kind::Link && control == controls_[i]) return true;
    }
    return false;
}

void TForm2::Show() {
    if (!placed_) {
        // Centred where the clock is the first time, not across monitors;
        // left where the user put it afterwards.
        CentreOnPrimaryWorkArea(Handle());
        placed_ = true;
    }
    if (visible_) return;
    visible_ = true;
    application_.FormShowing();
    ShowWindow(Handle(), SW_SHOW);
}

void TForm2::Hide() {
    if (!visible_) return;
    visible_ = false;
    ShowWindow(Handle(), SW_HIDE);
}

void TForm2::Label3Click() {
    // A missing browser or handler changes nothing: the user sees the address.
    ShellExecuteW(Handle(), nullptr, Widen(kMakerUrl).c_str(), nullptr, nullptr, SW_RESTORE);
}

LRESULT TForm2::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            Hide();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == STN_CLICKED && IsLink(reinterpret_cast<HWND>(lParam))) {
                Label3Click();
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, IsLink(reinterpret_cast<HWND>(lParam))
                                 ? RGB(0, 0, 255)
                                 : GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETCURSOR:
            if (IsLink(reinterpret_cast<HWND>(wParam))) {
                SetCursor(SystemCursor(kHand));
                return TRUE;
            }
            break;
        case WM_PAINT: {
            PaintDc dc(Handle());
            for (const ControlDesign& d : kDesigns) {
                if (d.kind == Kind::Image)
                    DrawIconEx(dc.Get(), d.left, d.top, image1Icon_.Get(), d.width, d.height, 0,
                               nullptr, DI_NORMAL);
            }
            return 0;
        }
        default:
            break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace zv::win
