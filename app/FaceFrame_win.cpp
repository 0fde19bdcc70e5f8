#include "app/FaceFrame_win.h"

#include <string>

#include "app/SkinPicture_win.h"
#include "app/SkinScaler.h"
#include "core/Errors.h"
#include "core/Geometry.h"
#include "resources/resource.h"
#include "win32/Contrast.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"
#include "win32/SystemError.h"
#include "win32/SystemFunctions.h"

namespace zv::win {

namespace {

constexpr COLORREF kLabelColour = RGB(255, 255, 0);
const wchar_t* const kCaptions[kCaptionLabels] = {L"ВРЕМЯ (F11)", L"СВЕРНУТЬ", L"ЗАКРЫТЬ"};
constexpr UINT kTextFlags = DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;

Rect AsRect(const Bounds& b) {
    return {b.left, b.top, b.left + b.width, b.top + b.height};
}

// The read-out boxes overlap (24 px wide, 20 and 15 px apart at 96 DPI), so
// "12:34:56" reads cleanly only while two digits take at most 15 px and two
// digits and a colon at most 20. The face's 13 px bold does so; for a wider
// substitute the regular weight is tried, then smaller sizes.
UniqueFont FitReadOutFont(int dpi) {
    TWindowDc screen(nullptr);
    const int digitsMax = ScaledHalfEven(15, dpi), withColonMax = ScaledHalfEven(20, dpi);
    for (int height = ScaledHalfEven(13, dpi); height > ScaledHalfEven(8, dpi); --height) {
        for (bool bold : {true, false}) {
            UniqueFont font = CreateCyrillicFont({"MS Sans Serif", height, bold});
            TSelection sel(screen.Get(), font.Get());
            SIZE digits{}, withColon{};
            GetTextExtentPoint32W(screen.Get(), L"00", 2, &digits);
            GetTextExtentPoint32W(screen.Get(), L"00:", 3, &withColon);
            if (digits.cx <= digitsMax && withColon.cx <= withColonMax) return font;
        }
    }
    return CreateCyrillicFont({"MS Sans Serif", ScaledHalfEven(9, dpi), true});
}

// A system colour that happens to be the key would be see-through.
COLORREF NotKey(COLORREF c) {
    return c == kKeyColour ? kKeyColour ^ RGB(1, 0, 0) : c;
}

}  // namespace

void ApplyColourKey(HWND window) {
    // Looked up at run time, as on systems without it the clock still runs,
    // only with a maroon background.
    const auto setLayered = SystemFunction<kSetLayeredWindowAttributes>();
    if (setLayered) setLayered(window, kKeyColour, 0, LWA_COLORKEY);
}

bool TFaceFrame::FollowContrast(bool highContrast) {
    if (!highContrast && !highContrast_) return false;
    highContrast_ = highContrast;
    labelColour_ = highContrast ? NotKey(GetSysColor(COLOR_WINDOWTEXT)) : kLabelColour;
    labelBack_.Reset(highContrast ? CreateSolidBrush(NotKey(GetSysColor(COLOR_WINDOW))) : nullptr);
    if (!frameDc_) return false;
    SetTextColor(frameDc_.Get(), labelColour_);
    ComposeBase();
    return true;
}

void TFaceFrame::SystemMessage(HWND window, UINT msg) {
    if (ColoursMayHaveChanged(msg) && FollowContrast(HighContrastOn()))
        InvalidateRect(window, nullptr, FALSE);
}

void TFaceFrame::Create() {
    keyBrush_.Reset(CreateSolidBrush(kKeyColour));
    labelColour_ = kLabelColour;
    FollowContrast(HighContrastOn());
    designSkin_ = TSkinPicture().FromResource(IDB_SKIN);
}

void TFaceFrame::SetReadOut(const TimeFields& now) {
    now_ = now;
    readOut_ = MakeReadOut(now);
}

void TFaceFrame::Place(const FormLayout& layout, HWND window) {
    layout_ = layout;
    Rect all = Unite(AsRect(layout_.image1), AsRect(layout_.image2));
    for (int i = 0; i < kLabels; ++i) all = Unite(all, AsRect(LabelBounds(layout_, i)));
    const RECT r{all.left, all.top, all.right, all.bottom};
    bool resized = r.right - r.left != faceRect_.right - faceRect_.left ||
                   r.bottom - r.top != faceRect_.bottom - faceRect_.top;
    faceRect_ = r;
    if (fontDpi_ != layout_.dpi) MakeFonts();
    if (resized || !frameDc_) CreateFrame(window);
    MeasureLabels();
    ComposeBase();
}

void TFaceFrame::ShowControls() {
    controlsVisible_ = true;
    ComposeBase();
}

void TFaceFrame::MakeFonts() {
    // Deselected first: the DC holds one of them.
    if (frameDc_) SelectObject(frameDc_.Get(), GetStockObject(SYSTEM_FONT));
    labelFont_ = CreateCyrillicFont({"MS Sans Serif", ScaledHalfEven(13, layout_.dpi), true});
    readOutFont_ = FitReadOutFont(layout_.dpi);
    fontDpi_ = layout_.dpi;
    if (frameDc_) SelectObject(frameDc_.Get(), labelFont_.Get());
}

// Where each label's text can reach: its box, or wider where a substitute
// font runs past it, and a little round it for the glyphs' smoothing.
void TFaceFrame::MeasureLabels() {
    const int margin = ScaledHalfEven(2, layout_.dpi);
    for (int i = 0; i < kLabels; ++i) {
        RECT box = ToRect(LabelBounds(layout_, i));
        if (i >= kReadOutLabels) {
            RECT text = box;
            SelectObject(frameDc_.Get(), labelFont_.Get());
            const std::wstring caption = kCaptions[i - kReadOutLabels];
            DrawTextW(frameDc_.Get(), caption.c_str(), static_cast<int>(caption.size()), &text,
                      DT_CALCRECT | DT_LEFT | kTextFlags);
            UnionRect(&box, &box, &text);
        }
        InflateRect(&box, margin, margin);
        OffsetRect(&box, -faceRect_.left, -faceRect_.top);
        ink_[static_cast<size_t>(i)] = ToGeometry(box);
    }
}

// One persistent DIB section the size of the controls' area; made again only
// when that size changes.
void TFaceFrame::CreateFrame(HWND window) {
    int w = faceRect_.right - faceRect_.left;
    int h = faceRect_.bottom - faceRect_.top;
    BITMAPINFO bi = TopDownDib(w, h);
    TWindowDc screen(window);
    frameDc_.Reset();  // releases the old bitmap's selection with the DC
    frameBitmap_.Reset(
        CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &frameBits_, nullptr, 0));
    if (!frameBitmap_) throw Exception(SystemErrorText(GetLastError()));
    frameDc_.Reset(CreateCompatibleDC(screen.Get()));
    SelectObject(frameDc_.Get(), frameBitmap_.Get());
    SelectObject(frameDc_.Get(), labelFont_.Get());
    SetBkMode(frameDc_.Get(), TRANSPARENT);
    SetTextColor(frameDc_.Get(), labelColour_);
}

// Image1's picture at the layout's DPI. At 96 it is the design skin; at any
// other the master is scaled once so that the dial centres exactly on the
// hands, wherever the rounding of the layout put them.
const Image& TFaceFrame::Skin() {
    if (layout_.dpi == kDesignDpi) return designSkin_;
    const double centre = HandsCentre(HandsAt(layout_.hub, layout_.dpi));
    const double x = layout_.hub.x + centre - layout_.image1.left;
    const double y = layout_.hub.y + centre - layout_.image1.top;
    if (scaledDpi_ != layout_.dpi || scaledX_ != x || scaledY_ != y) {
        const Image master = TSkinPicture().FromResource(IDB_SKIN_MASTER);
        SkinPlacement p;
        p.ratio = static_cast<double>(kSkinMasterScale) * kDesignDpi / layout_.dpi;
        p.masterX = kSkinDialX * kSkinMasterScale;
        p.masterY = kSkinDialY * kSkinMasterScale;
        p.x = x;
        p.y = y;
        p.width = ScaledHalfEven(designSkin_.width, layout_.dpi);
        p.height = ScaledHalfEven(designSkin_.height, layout_.dpi);
        scaledSkin_ = ScaleSkin(master, p);
        scaledDpi_ = layout_.dpi;
        scaledX_ = x;
        scaledY_ = y;
    }
    return scaledSkin_;
}

// The key colour and the skin change only with the layout; the hands and
// labels go over them, and each tick renews just what they changed.
void TFaceFrame::ComposeBase() {
    Image base(faceRect_.right - faceRect_.left, faceRect_.bottom - faceRect_.top, kKeyPixel);
    if (controlsVisible_) {
        CopyKeyed(base, Skin(), layout_.image1.left - faceRect_.left,
                  layout_.image1.top - faceRect_.top);
    }
    const Point hub{layout_.hub.x - faceRect_.left, layout_.hub.y - faceRect_.top};
    composer_.Reset(std::move(base), HandsAt(hub, layout_.dpi));
    DirtyRects all;
    if (controlsVisible_) {
        all = composer_.Update(TipsAt(now_, layout_.dpi));
    } else {
        composer_.ShowBase();
        all.Add(Rect{0, 0, Face().width, Face().height});
    }
    drawnReadOut_ = ReadOut{};
    Render(all);
}

RECT TFaceFrame::Tick(const TimeFields& now) {
    SetReadOut(now);
    changed_ = RECT{};
    if (controlsVisible_) Render(composer_.Update(TipsAt(now, layout_.dpi)));
    return changed_;
}

void TFaceFrame::Render(DirtyRects dirty) {
    const std::string* texts[] = {&readOut_.hours, &readOut_.minutes, &readOut_.seconds};
    const std::string* drawn[] = {&drawnReadOut_.hours, &drawnReadOut_.minutes,
                                  &drawnReadOut_.seconds};
    std::array<bool, kLabels> redraw{};
    if (controlsVisible_) {
        for (int i = 0; i < kReadOutLabels; ++i) {
            if (*texts[i] != *drawn[i]) dirty.Add(ink_[static_cast<size_t>(i)]);
        }
        // A label drawn again needs all of its box renewed first, which may
        // reach the next one (the read-out's boxes overlap): until none is new.
        for (bool grew = true; grew;) {
            grew = false;
            for (size_t i = 0; i < redraw.size(); ++i) {
                if (redraw[i] || !dirty.Intersects(ink_[i])) continue;
                redraw[i] = grew = true;
                dirty.Add(ink_[i]);
            }
        }
    }
    GdiFlush();  // the last text is in the bits before they are overwritten
    const Image& face = Face();
    auto* bits = static_cast<uint32_t*>(frameBits_);
    const Rect all{0, 0, face.width, face.height};
    changed_ = RECT{};
    for (int k = 0; k < dirty.count; ++k) {
        const Rect r = Intersect(dirty.rects[static_cast<size_t>(k)], all);
        if (r.Empty()) continue;
        for (int y = r.top; y < r.bottom; ++y) {
            const size_t at = static_cast<size_t>(y) * static_cast<size_t>(face.width) +
                              static_cast<size_t>(r.left);
            std::copy_n(face.pixels.data() + at, r.Width(), bits + at);
        }
        RECT w{r.left, r.top, r.right, r.bottom};
        OffsetRect(&w, faceRect_.left, faceRect_.top);
        if (IsRectEmpty(&changed_)) {
            changed_ = w;
        } else {
            UnionRect(&changed_, &changed_, &w);
        }
    }
    if (!controlsVisible_) return;
    // In high contrast every label drawn again stands on the window colour;
    // all of them before any text, as the read-out's boxes overlap.
    for (size_t i = 0; labelBack_ && i < redraw.size(); ++i) {
        const RECT back{ink_[i].left, ink_[i].top, ink_[i].right, ink_[i].bottom};
        if (redraw[i]) FillRect(frameDc_.Get(), &back, labelBack_.Get());
    }
    for (int i = 0; i < kLabels; ++i) {
        if (!redraw[static_cast<size_t>(i)]) continue;
        RECT r = ToRect(LabelBounds(layout_, i));
        OffsetRect(&r, -faceRect_.left, -faceRect_.top);
        if (i < kReadOutLabels) {
            // Digits and a colon, widened in place: no allocation in a tick.
            wchar_t digits[8];
            int n = 0;
            for (char c : *texts[i]) {
                if (n < 8) digits[n++] = static_cast<wchar_t>(static_cast<unsigned char>(c));
            }
            SelectObject(frameDc_.Get(), readOutFont_.Get());
            DrawTextW(frameDc_.Get(), digits, n, &r, DT_RIGHT | kTextFlags);
        } else {
            SelectObject(frameDc_.Get(), labelFont_.Get());
            DrawTextW(frameDc_.Get(), kCaptions[i - kReadOutLabels], -1, &r, DT_LEFT | kTextFlags);
        }
    }
    GdiFlush();
    drawnReadOut_ = readOut_;
}

void TFaceFrame::Paint(HDC dc, const RECT& client, const RECT& update) const {
    // Filled strip by strip: a region would be a GDI object made at every
    // tick. Only what is to be painted: a tick paints a little of the face.
    const Strips rest = Around(ToGeometry(client), ToGeometry(faceRect_));
    for (int i = 0; i < rest.count; ++i) {
        const Rect& g = rest.rects[static_cast<size_t>(i)];
        RECT r{g.left, g.top, g.right, g.bottom};
        if (IntersectRect(&r, &r, &update)) FillRect(dc, &r, keyBrush_.Get());
    }
    RECT face{};
    if (frameDc_ && IntersectRect(&face, &faceRect_, &update)) {
        BitBlt(dc, face.left, face.top, face.right - face.left, face.bottom - face.top,
               frameDc_.Get(), face.left - faceRect_.left, face.top - faceRect_.top, SRCCOPY);
    }
}

}  // namespace zv::win
