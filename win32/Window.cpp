#include "win32/Window.h"

#include "core/Errors.h"
#include "win32/ErrorBox.h"
#include "win32/SystemError.h"
#include "win32/SystemFunctions.h"
#include "win32/Utf16.h"

namespace zv::win {

TWindow::~TWindow() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void TWindow::RegisterClassOnce(const char* className, UINT style, HICON icon, HCURSOR cursor,
                                HBRUSH background) {
    const std::wstring name = Widen(className);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = &TWindow::StaticWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszClassName = name.c_str();
    if (!RegisterClassExW(&wc)) throw Exception(SystemErrorText(GetLastError()));
}

void TWindow::CreateHandle(const char* className, const char* caption, DWORD exStyle, DWORD style,
                           int x, int y, int width, int height, HWND parent, HMENU menu) {
    HWND h =
        CreateWindowExW(exStyle, Widen(className).c_str(), Widen(caption ? caption : "").c_str(),
                        style, x, y, width, height, parent, menu, GetModuleHandleW(nullptr), this);
    if (!h) throw Exception(SystemErrorText(GetLastError()));
    hwnd_ = h;
}

LRESULT TWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT CALLBACK TWindow::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* self = static_cast<TWindow*>(cs->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    bool handled = false;
    Guarded([&] {
        result = self->HandleMessage(msg, wParam, lParam);
        handled = true;
    });
    // A handler that failed ends there; the message still gets its default
    // treatment so that creation and painting do not stall.
    if (!handled) result = DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

// The IDC_ names are spelt for the A call without UNICODE defined.
HCURSOR ArrowCursor() {
    return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
}

HCURSOR HandCursor() {
    return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
}

void AllowFromLowerIntegrity(HWND window, UINT message) {
    const auto filter = SystemFunction<kChangeWindowMessageFilterEx>();
    // A refusal leaves the filter as it was: the message then reaches the
    // clock only from processes of its own integrity, as before.
    if (filter && message != 0) (void)filter(window, message, MSGFLT_ALLOW, nullptr);
}

}  // namespace zv::win
