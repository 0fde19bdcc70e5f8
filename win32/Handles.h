#pragma once
// Scoped owners of Windows handles. None can be copied, so none can be freed twice.
#include <windows.h>

#include <utility>

namespace zv::win {

template <class H, class Traits>
class Unique {
  public:
    Unique() = default;
    explicit Unique(H h) : h_(h) {}
    ~Unique() { Reset(); }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    Unique& operator=(Unique&& o) noexcept {
        if (this != &o) Reset(std::exchange(o.h_, Traits::Invalid()));
        return *this;
    }
    void Reset(H h = Traits::Invalid()) {
        if (h_ != Traits::Invalid()) Traits::Close(h_);
        h_ = h;
    }
    H Get() const { return h_; }
    H Release() { return std::exchange(h_, Traits::Invalid()); }
    explicit operator bool() const { return h_ != Traits::Invalid(); }

  private:
    H h_ = Traits::Invalid();
};

template <class T>
struct GdiTraitsOf {
    static T Invalid() { return nullptr; }
    static void Close(T h) { DeleteObject(h); }
};
using UniqueBitmap = Unique<HBITMAP, GdiTraitsOf<HBITMAP>>;
using UniqueFont = Unique<HFONT, GdiTraitsOf<HFONT>>;
using UniqueBrush = Unique<HBRUSH, GdiTraitsOf<HBRUSH>>;

// A DIB section's header: 32 bits a pixel, first row at the top, as the
// face's images are laid out.
inline BITMAPINFO TopDownDib(int width, int height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return bi;
}

struct MemDcTraits {
    static HDC Invalid() { return nullptr; }
    static void Close(HDC h) { DeleteDC(h); }
};
using UniqueMemDc = Unique<HDC, MemDcTraits>;

struct KeyTraits {
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY h) { RegCloseKey(h); }
};
using UniqueKey = Unique<HKEY, KeyTraits>;

struct ModuleTraits {
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE h) { FreeLibrary(h); }
};
using UniqueModule = Unique<HMODULE, ModuleTraits>;

struct FileTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
using UniqueFile = Unique<HANDLE, FileTraits>;

struct FindTraits {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { FindClose(h); }
};
using UniqueFind = Unique<HANDLE, FindTraits>;

struct HandleTraits {
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE h) { CloseHandle(h); }
};
using UniqueHandle = Unique<HANDLE, HandleTraits>;

struct IconTraits {
    static HICON Invalid() { return nullptr; }
    static void Close(HICON h) { DestroyIcon(h); }
};
using UniqueIcon = Unique<HICON, IconTraits>;

struct MenuTraits {
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU h) { DestroyMenu(h); }
};
using UniqueMenu = Unique<HMENU, MenuTraits>;

struct AccelTraits {
    static HACCEL Invalid() { return nullptr; }
    static void Close(HACCEL h) { DestroyAcceleratorTable(h); }
};
using UniqueAccel = Unique<HACCEL, AccelTraits>;

// A window DC, released to its window.
class TWindowDc {
  public:
    explicit TWindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~TWindowDc() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    TWindowDc(const TWindowDc&) = delete;
    TWindowDc& operator=(const TWindowDc&) = delete;
    HDC Get() const { return dc_; }

  private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint.
class TPaintDc {
  public:
    explicit TPaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~TPaintDc() { EndPaint(hwnd_, &ps_); }
    TPaintDc(const TPaintDc&) = delete;
    TPaintDc& operator=(const TPaintDc&) = delete;
    HDC Get() const { return dc_; }
    // rcPaint: what the paint must renew, no more.
    const PAINTSTRUCT& Info() const { return ps_; }

  private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// SelectObject undone at scope end.
class TSelection {
  public:
    TSelection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~TSelection() {
        if (old_) SelectObject(dc_, old_);
    }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace zv::win
