#include "app/FaceFrame_win.h"

#include <string>
#include <utility>

#include "app/SkinPicture_win.h"
#include "app/SkinScaler.h"
#include "core/Geometry.h"
#include "resources/resource.h"
#include "win32/Contrast.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"
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
    // The labels take their colours as they are painted: the face stays.
    return !Face().pixels.empty();
}

void TFaceFrame::SystemMessage(HWND window, UINT msg) {
    if (ColoursMayHaveChanged(msg) && FollowContrast(HighContrastOn()))
        InvalidateRect(window, nullptr, FALSE);
}

void TFaceFrame::Create() {
    keyBrush_.Reset(CreateSolidBrush(kKeyColour));
    labelColour_ = kLabelColour;
    FollowContrast(HighContrastOn());
    // Decoded now, so that a skin that cannot be read stops the start; held
    // only until the first face is composed of it.
    designSkin_ = TSkinPicture().FromResource(IDB_SKIN);
}

void TFaceFrame::SetReadOut(const TimeFields& now) {
    now_ = now;
    readOut_ = MakeReadOut(now);
}

void TFaceFrame::Place(const FormLayout& layout) {
    layout_ = layout;
    if (fontDpi_ != layout_.dpi) MakeFonts();
    // The face holds every label's text whole, so that painting needs no
    // clipping of its own: the paint's is the update region's.
    const std::array<Rect, kLabels> ink = MeasureLabels();
    Rect all = Unite(AsRect(layout_.image1), AsRect(layout_.image2));
    for (const Rect& r : ink) all = Unite(all, r);
    faceRect_ = RECT{all.left, all.top, all.right, all.bottom};
    for (size_t i = 0; i < ink.size(); ++i) {
        ink_[i] = Rect{ink[i].left - all.left, ink[i].top - all.top, ink[i].right - all.left,
                       ink[i].bottom - all.top};
    }
    ComposeBase();
}

void TFaceFrame::ShowControls() {
    if (controlsVisible_) {
        // Shown already: the skin under the hands is as it was.
        composer_.Renew();
        composer_.Update(TipsAt(now_, layout_.dpi));
        shownReadOut_ = readOut_;
        return;
    }
    controlsVisible_ = true;
    ComposeBase();
}

void TFaceFrame::MakeFonts() {
    labelFont_ = CreateCyrillicFont({"MS Sans Serif", ScaledHalfEven(13, layout_.dpi), true});
    readOutFont_ = FitReadOutFont(layout_.dpi);
    fontDpi_ = layout_.dpi;
}

// Where each label's text can reach, in the window: its box, or wider where
// a substitute font runs past it, and a little round it for the glyphs'
// smoothing.
std::array<Rect, kLabels> TFaceFrame::MeasureLabels() const {
    const int margin = ScaledHalfEven(2, layout_.dpi);
    TWindowDc screen(nullptr);
    TSelection sel(screen.Get(), labelFont_.Get());
    std::array<Rect, kLabels> ink{};
    for (int i = 0; i < kLabels; ++i) {
        RECT box = ToRect(LabelBounds(layout_, i));
        if (i >= kReadOutLabels) {
            RECT text = box;
            const std::wstring caption = kCaptions[i - kReadOutLabels];
            DrawTextW(screen.Get(), caption.c_str(), static_cast<int>(caption.size()), &text,
                      DT_CALCRECT | DT_LEFT | kTextFlags);
            UnionRect(&box, &box, &text);
        }
        InflateRect(&box, margin, margin);
        ink[static_cast<size_t>(i)] = ToGeometry(box);
    }
    return ink;
}

// Image1's picture at the layout's DPI, made for one compose and not kept.
// At 96 it is the design skin; at any other the master is scaled so that the
// dial centres exactly on the hands, wherever the rounding of the layout
// put them.
Image TFaceFrame::Skin() {
    Image design = std::move(designSkin_);
    designSkin_ = Image{};
    if (layout_.dpi == kDesignDpi)
        return design.pixels.empty() ? TSkinPicture().FromResource(IDB_SKIN) : design;
    const double centre = HandsCentre(HandsAt(layout_.hub, layout_.dpi));
    SkinPlacement p;
    p.ratio = static_cast<double>(kSkinMasterScale) * kDesignDpi / layout_.dpi;
    p.masterX = kSkinDialX * kSkinMasterScale;
    p.masterY = kSkinDialY * kSkinMasterScale;
    p.x = layout_.hub.x + centre - layout_.image1.left;
    p.y = layout_.hub.y + centre - layout_.image1.top;
    p.width = ScaledHalfEven(kSkinWidth, layout_.dpi);
    p.height = ScaledHalfEven(kSkinHeight, layout_.dpi);
    return ScaleSkin(TSkinPicture().FromResource(IDB_SKIN_MASTER), p);
}

// The key colour and the skin change only with the layout; the hands go over
// them, and each tick renews just what the hands changed.
void TFaceFrame::ComposeBase() {
    Image base(faceRect_.right - faceRect_.left, faceRect_.bottom - faceRect_.top, kKeyPixel);
    if (controlsVisible_) {
        CopyKeyed(base, Skin(), layout_.image1.left - faceRect_.left,
                  layout_.image1.top - faceRect_.top);
    }
    const Point hub{layout_.hub.x - faceRect_.left, layout_.hub.y - faceRect_.top};
    composer_.Reset(std::move(base), HandsAt(hub, layout_.dpi));
    if (controlsVisible_) {
        composer_.Update(TipsAt(now_, layout_.dpi));
    } else {
        composer_.ShowBase();
    }
    shownReadOut_ = readOut_;
}

RECT TFaceFrame::Tick(const TimeFields& now) {
    SetReadOut(now);
    if (!controlsVisible_) return RECT{};
    const RECT changed = Changed(composer_.Update(TipsAt(now, layout_.dpi)));
    shownReadOut_ = readOut_;
    return changed;
}

RECT TFaceFrame::Changed(const DirtyRects& dirty) const {
    const std::string* texts[] = {&readOut_.hours, &readOut_.minutes, &readOut_.seconds};
    const std::string* shown[] = {&shownReadOut_.hours, &shownReadOut_.minutes,
                                  &shownReadOut_.seconds};
    Rect all{};
    for (int k = 0; k < dirty.count; ++k) all = Unite(all, dirty.rects[static_cast<size_t>(k)]);
    for (int i = 0; i < kReadOutLabels; ++i) {
        if (*texts[i] != *shown[i]) all = Unite(all, ink_[static_cast<size_t>(i)]);
    }
    all = Intersect(all, Rect{0, 0, Face().width, Face().height});
    if (all.Empty()) return RECT{};
    RECT r{all.left, all.top, all.right, all.bottom};
    OffsetRect(&r, faceRect_.left, faceRect_.top);
    return r;
}

// The labels whose text reaches into `update`, in their order: the
// read-out's boxes overlap. Drawn through the paint's own clipping, which
// keeps each pixel outside the update region as it is.
void TFaceFrame::DrawLabels(HDC dc, const RECT& update) const {
    std::array<RECT, kLabels> ink{};
    std::array<bool, kLabels> drawn{};
    for (size_t i = 0; i < ink.size(); ++i) {
        ink[i] = RECT{ink_[i].left, ink_[i].top, ink_[i].right, ink_[i].bottom};
        OffsetRect(&ink[i], faceRect_.left, faceRect_.top);
        RECT meet{};
        drawn[i] = IntersectRect(&meet, &ink[i], &update) != FALSE;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, labelColour_);
    // In high contrast every label stands on the window colour; all of them
    // before any text, as the read-out's boxes overlap.
    for (size_t i = 0; labelBack_ && i < ink.size(); ++i) {
        if (drawn[i]) FillRect(dc, &ink[i], labelBack_.Get());
    }
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const std::string* texts[] = {&readOut_.hours, &readOut_.minutes, &readOut_.seconds};
    for (int i = 0; i < kLabels; ++i) {
        if (!drawn[static_cast<size_t>(i)]) continue;
        RECT r = ToRect(LabelBounds(layout_, i));
        if (i < kReadOutLabels) {
            // Digits and a colon, widened in place: no allocation in a tick.
            wchar_t digits[8];
            int n = 0;
            for (char c : *texts[i]) {
                if (n < 8) digits[n++] = static_cast<wchar_t>(static_cast<unsigned char>(c));
            }
            SelectObject(dc, readOutFont_.Get());
            DrawTextW(dc, digits, n, &r, DT_RIGHT | kTextFlags);
        } else {
            SelectObject(dc, labelFont_.Get());
            DrawTextW(dc, kCaptions[i - kReadOutLabels], -1, &r, DT_LEFT | kTextFlags);
        }
    }
    SelectObject(dc, font);
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
    const Image& f = Face();
    RECT face{};
    if (f.pixels.empty() || !IntersectRect(&face, &faceRect_, &update)) return;
    const int w = face.right - face.left, h = face.bottom - face.top;
    // Handed over from its first row to paint: a source rectangle of all the
    // rows reads the same whether it counts from the top or the bottom.
    const BITMAPINFO rows = TopDownDib(f.width, h);
    StretchDIBits(dc, face.left, face.top, w, h, face.left - faceRect_.left, 0, w, h,
                  f.pixels.data() + static_cast<size_t>(face.top - faceRect_.top) * f.width, &rows,
                  DIB_RGB_COLORS, SRCCOPY);
    if (controlsVisible_) DrawLabels(dc, face);
}

}  // namespace zv::win
