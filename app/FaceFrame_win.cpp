#include "app/FaceFrame_win.h"

#include <cstring>
#include <string>

#include "app/FrameComposer.h"
#include "app/SkinPicture_win.h"
#include "core/Errors.h"
#include "core/Geometry.h"
#include "resources/resource.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"
#include "win32/Window.h"

namespace zv::win {

namespace {

constexpr uint32_t kKeyPixel = Rgb(128, 0, 0);
constexpr COLORREF kLabelColour = RGB(255, 255, 0);

void Unite(RECT& r, const Bounds& b) {
    RECT o = ToRect(b);
    if (IsRectEmpty(&r)) {
        r = o;
    } else {
        UnionRect(&r, &r, &o);
    }
}

// The read-out boxes overlap (24 px wide, 20 and 15 px apart), so "12:34:56"
// reads cleanly only while two digits take at most 15 px and two digits and a
// colon at most 20. The face's 13 px bold does so; for a wider substitute the
// regular weight is tried, then smaller sizes.
UniqueFont FitReadOutFont() {
    WindowDc screen(nullptr);
    for (int height = 13; height > 8; --height) {
        for (bool bold : {true, false}) {
            UniqueFont font = CreateCyrillicFont({"MS Sans Serif", height, bold});
            Selection sel(screen.Get(), font.Get());
            SIZE digits{}, withColon{};
            GetTextExtentPoint32W(screen.Get(), L"00", 2, &digits);
            GetTextExtentPoint32W(screen.Get(), L"00:", 3, &withColon);
            if (digits.cx <= 15 && withColon.cx <= 20) return font;
        }
    }
    return CreateCyrillicFont({"MS Sans Serif", 9, true});
}

}  // namespace

const Bounds& LabelBounds(const FormLayout& l, int i) {
    const Bounds* all[] = {&l.label1, &l.label2, &l.label3, &l.label4, &l.label5, &l.label6};
    return *all[i];
}

void TFaceFrame::Create() {
    keyBrush_.Reset(CreateSolidBrush(kKeyColour));
    skin_ = SkinPicture().FromResource(IDB_SKIN);
    image3_ = Image(kSheetWidth, kSheetHeight, kSheetColour);
    sheet_ = image3_;
    labelFont_ = CreateCyrillicFont({"MS Sans Serif", 13, true});
    readOutFont_ = FitReadOutFont();
}

void TFaceFrame::Place(const FormLayout& layout, HWND window) {
    layout_ = layout;
    RECT r{};
    Unite(r, layout_.image1);
    Unite(r, layout_.image2);
    for (int i = 0; i < 6; ++i) Unite(r, LabelBounds(layout_, i));
    bool resized = r.right - r.left != faceRect_.right - faceRect_.left ||
                   r.bottom - r.top != faceRect_.bottom - faceRect_.top;
    faceRect_ = r;
    if (resized || !frameDc_) {
        CreateFrame(window);
    } else {
        ComposeBase();
    }
}

void TFaceFrame::ShowControls() {
    controlsVisible_ = true;
    ComposeBase();
}

RECT TFaceFrame::Tick(const TimeFields& now) {
    readOut_ = MakeReadOut(now);
    sheet_.pixels = image3_.pixels;  // same size: no allocation
    DrawHands(sheet_, now);
    Compose(false);
    RECT dirty = dirty_;
    OffsetRect(&dirty, faceRect_.left, faceRect_.top);
    return dirty;
}

void TFaceFrame::Paint(HDC dc, const RECT& client) const {
    // Filled strip by strip: a region would be a GDI object made at every tick.
    const Strips rest = Around(ToGeometry(client), ToGeometry(faceRect_));
    for (int i = 0; i < rest.count; ++i) {
        const Rect& g = rest.rects[static_cast<size_t>(i)];
        RECT r{g.left, g.top, g.right, g.bottom};
        FillRect(dc, &r, keyBrush_.Get());
    }
    if (frameDc_) {
        BitBlt(dc, faceRect_.left, faceRect_.top, faceRect_.right - faceRect_.left,
               faceRect_.bottom - faceRect_.top, frameDc_.Get(), 0, 0, SRCCOPY);
    }
}

// One persistent DIB section the size of the controls' area; made again only
// when that size changes.
void TFaceFrame::CreateFrame(HWND window) {
    int w = faceRect_.right - faceRect_.left;
    int h = faceRect_.bottom - faceRect_.top;
    face_ = Image(w, h, kKeyPixel);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(window);
    frameDc_.Reset();  // releases the old bitmap's selection with the DC
    frameBitmap_.Reset(
        CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &frameBits_, nullptr, 0));
    if (!frameBitmap_) throw Exception(SystemErrorText(GetLastError()));
    frameDc_.Reset(CreateCompatibleDC(screen.Get()));
    SelectObject(frameDc_.Get(), frameBitmap_.Get());
    SelectObject(frameDc_.Get(), labelFont_.Get());
    SetBkMode(frameDc_.Get(), TRANSPARENT);
    SetTextColor(frameDc_.Get(), kLabelColour);
    ComposeBase();
}

// The face area holds the key colour and the skin, which change only with
// the layout; each tick renews just the rectangle the hands and labels cover.
void TFaceFrame::ComposeBase() {
    base_ = Image(face_.width, face_.height, kKeyPixel);
    if (controlsVisible_) {
        CopyKeyed(base_, skin_, layout_.image1.left - faceRect_.left,
                  layout_.image1.top - faceRect_.top);
    }
    RECT sheet{layout_.image2.left, layout_.image2.top, layout_.image2.left + sheet_.width,
               layout_.image2.top + sheet_.height};
    RECT dirty = sheet;
    for (int i = 0; i < 6; ++i) {
        RECT r = ToRect(LabelBounds(layout_, i));
        UnionRect(&dirty, &dirty, &r);
    }
    IntersectRect(&dirty, &dirty, &faceRect_);
    OffsetRect(&dirty, -faceRect_.left, -faceRect_.top);
    dirty_ = dirty;
    Compose(true);
}

void TFaceFrame::Compose(bool whole) {
    RECT area = whole ? RECT{0, 0, face_.width, face_.height} : dirty_;
    if (IsRectEmpty(&area)) return;
    const size_t rowBytes = static_cast<size_t>(area.right - area.left) * sizeof(uint32_t);
    auto at = [](Image& img, LONG x, LONG y) {
        return img.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(img.width) +
               static_cast<size_t>(x);
    };
    for (LONG y = area.top; y < area.bottom; ++y) {
        std::memcpy(at(face_, area.left, y), at(base_, area.left, y), rowBytes);
    }
    if (controlsVisible_) {
        CopyKeyed(face_, sheet_, layout_.image2.left - faceRect_.left,
                  layout_.image2.top - faceRect_.top);
    }
    GdiFlush();
    auto* bits = static_cast<uint32_t*>(frameBits_);
    for (LONG y = area.top; y < area.bottom; ++y) {
        size_t offset = static_cast<size_t>(y) * static_cast<size_t>(face_.width) +
                        static_cast<size_t>(area.left);
        std::memcpy(bits + offset, face_.pixels.data() + offset, rowBytes);
    }
    if (!controlsVisible_) return;
    const std::string* readOut[] = {&readOut_.hours, &readOut_.minutes, &readOut_.seconds};
    static const std::wstring captions[] = {L"ВРЕМЯ (F11)", L"СВЕРНУТЬ", L"ЗАКРЫТЬ"};
    constexpr UINT kFlags = DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    for (int i = 0; i < 6; ++i) {
        RECT r = ToRect(LabelBounds(layout_, i));
        OffsetRect(&r, -faceRect_.left, -faceRect_.top);
        if (i < 3) {
            // Digits and a colon, widened in place: no allocation in a tick.
            wchar_t digits[8];
            int n = 0;
            for (char c : *readOut[i]) {
                if (n < 8) digits[n++] = static_cast<wchar_t>(static_cast<unsigned char>(c));
            }
            SelectObject(frameDc_.Get(), readOutFont_.Get());
            DrawTextW(frameDc_.Get(), digits, n, &r, DT_RIGHT | kFlags);
        } else {
            const std::wstring& text = captions[i - 3];
            SelectObject(frameDc_.Get(), labelFont_.Get());
            DrawTextW(frameDc_.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                      DT_LEFT | kFlags);
        }
    }
    GdiFlush();
}

}  // namespace zv::win
