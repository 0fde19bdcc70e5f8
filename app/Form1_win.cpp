#include "app/Form1_win.h"

#include <algorithm>
#include <cstring>

#include "about/Form2_win.h"
#include "app/FrameComposer.h"
#include "app/PackedImage.h"
#include "app/Startup_win.h"
#include "core/Errors.h"
#include "resources/resource.h"
#include "settings/Form3_win.h"
#include "win32/ErrorBox.h"
#include "win32/Fonts.h"
#include "win32/Monitors.h"

namespace zv::win {

namespace {

constexpr char kFormClass[] = "TForm1";
constexpr char kPlayerClass[] = "TMediaPlayer";
constexpr COLORREF kKeyColour = RGB(128, 0, 0);
constexpr uint32_t kKeyPixel = Rgb(128, 0, 0);
constexpr COLORREF kLabelColour = RGB(255, 255, 0);
constexpr UINT kMciNotify = 0x03B9;

// Labels in the order Label1..Label6; 1..3 are right-aligned read-out boxes.
const Bounds& LabelBounds(const FormLayout& l, int i) {
    const Bounds* all[] = {&l.label1, &l.label2, &l.label3, &l.label4, &l.label5, &l.label6};
    return *all[i];
}

RECT ToRect(const Bounds& b) {
    return RECT{b.left, b.top, b.left + b.width, b.top + b.height};
}
Rect ToGeometry(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Arms the tick. Fails only when the system is out of timers; then the
// previous timer, if any, keeps firing at its last interval.
void ArmTimer1(HWND window, uint32_t delayMs) {
    (void)SetTimer(window, TForm1::kTimer1, delayMs, nullptr);
}

void Unite(RECT& r, const Bounds& b) {
    RECT o = ToRect(b);
    if (IsRectEmpty(&r)) {
        r = o;
    } else {
        UnionRect(&r, &r, &o);
    }
}

std::wstring Widen(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// The skin from the resources, as 0x00RRGGBB pixels: packed, as the BMP
// would be most of the program's size.
Image LoadSkin() {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found =
        FindResourceA(self, MAKEINTRESOURCEA(IDB_SKIN), MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(self, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) throw Exception("The skin picture is missing from the program");
    // A resource lives as long as the module: nothing to free.
    return UnpackImage({static_cast<const uint8_t*>(data), SizeofResource(self, found)});
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
            GetTextExtentPoint32A(screen.Get(), "00", 2, &digits);
            GetTextExtentPoint32A(screen.Get(), "00:", 3, &withColon);
            if (digits.cx <= 15 && withColon.cx <= 20) return font;
        }
    }
    return CreateCyrillicFont({"MS Sans Serif", 9, true});
}

}  // namespace

HWND TMediaPlayerWindow::Ensure(HWND parent) {
    if (!Handle()) {
        RegisterClassOnce(kPlayerClass, 0, nullptr, nullptr, nullptr);
        CreateHandle(kPlayerClass, "", 0, WS_CHILD, 8, 88, 253, 30, parent);
    }
    return Handle();
}

LRESULT TMediaPlayerWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kMciNotify && player_) {
        player_->OnMciNotify(static_cast<uint32_t>(wParam));
        return 0;
    }
    return Default(msg, wParam, lParam);
}

TForm1::TForm1(TApplication& application)
    : TComponent(nullptr),
      application_(application),
      AutoRunner1(this, registry_, application.ExeName()),
      DCMinTray1(this, trayPlatform_, application),
      hotkey_(hotkeyPlatform_, [this](const std::string& tip) { DCMinTray1.SetHint(tip); }),
      MediaPlayer1(
          mciDriver_,
          [this] { return reinterpret_cast<uintptr_t>(mediaPlayerWindow_.Ensure(Handle())); }),
      announcer_(MediaPlayer1, *this, now_) {
    playerForWindow_ = &MediaPlayer1;
}

TForm1::~TForm1() {
    playerForWindow_ = nullptr;
}

void TForm1::Create() {
    RegisterClassOnce(kFormClass, 0, nullptr, LoadCursorA(nullptr, IDC_ARROW), nullptr);
    keyBrush_.Reset(CreateSolidBrush(kKeyColour));
    skin_ = LoadSkin();
    image3_ = Image(kSheetWidth, kSheetHeight, kSheetColour);
    sheet_ = image3_;
    labelFont_ = CreateCyrillicFont({"MS Sans Serif", 13, true});
    readOutFont_ = FitReadOutFont();

    // Layered from the start so that nothing but the colour key is ever seen
    // before the first tick fills the controls in. Made at the size it is
    // maximized to: Wine does not resize a layered window's surface later.
    CreateHandle(kFormClass, "Zvenoks", WS_EX_LAYERED | WS_EX_TOPMOST,
                 WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0,
                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 reinterpret_cast<HWND>(application_.WindowHandle()));
    application_.FormCreated(this, Handle());

    // The stored description: the components' design values, in the loading
    // state, then every component's AfterLoading (the tray hooks the window).
    LoadComponents([this] {
        ApplyStoredValues(AutoRunner1);
        DCMinTray1.SetHint("Время (F11)");
    });

    ApplyColourKey();

    HINSTANCE inst = GetModuleHandleA(nullptr);
    auto makeButton = [&](const char* caption, int id, int x, int y) {
        return CreateWindowExA(0, "BUTTON", caption, WS_CHILD | BS_PUSHBUTTON, x, y, 65, 33,
                               Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst,
                               nullptr);
    };
    button1_ = makeButton("Время", kButton1, 216, 128);
    button2_ = makeButton("Закрыть", kButton2, 536, 409);
    button3_ = makeButton("Свернуть", kButton3, 232, 408);

    popupMenu1_.Reset(CreatePopupMenu());
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN7, L"Настройки");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN4, L"О программе");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN2, L"Свернуть");
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN3, L"Время");
    AppendMenuW(popupMenu1_.Get(), MF_SEPARATOR, kN5, nullptr);
    AppendMenuW(popupMenu1_.Get(), MF_STRING, kN6, L"Выход");

    // MainMenu1's hidden N1 "Сказать": only its F11 shortcut is used.
    ACCEL f11{FVIRTKEY, VK_F11, kN1};
    accelerators_.Reset(CreateAcceleratorTableA(&f11, 1));
    application_.SetAccelerators(accelerators_.Get(), Handle());

    SYSTEMTIME st{};
    GetLocalTime(&st);
    ArmTimer1(Handle(), DelayToNextSecond(st.wMilliseconds));
    FormCreate();
}

void TForm1::ApplyColourKey() {
    using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    // Looked up at run time, as on systems without it the clock still runs,
    // only with a maroon background.
    static const auto setLayered = reinterpret_cast<SetLayered>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetLayeredWindowAttributes")));
    if (setLayered) setLayered(Handle(), kKeyColour, 0, LWA_COLORKEY);
}

void TForm1::FormCreate() {
    startupPhase_ = 1;
    DCMinTray1.ShowIcon();
    DecodeTime();
    readOut_ = MakeReadOut(now_);
    ApplyLayout();
    SetVisible(false);
}

void TForm1::ShowOnStart(int showCommand) {
    minimizedStart_ = showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
                      showCommand == SW_SHOWMINNOACTIVE;
    SetVisible(true);
}

HWND TForm1::FindRunning() {
    return FindWindowA(kFormClass, "Zvenoks");
}

UINT TForm1::ComeForwardMessage() {
    // Zero only when the system is out of atoms; then no message matches it
    // and a second start cannot bring the clock up.
    static const UINT message = RegisterWindowMessageA("Zvenoks.ComeForward");
    return message;
}

// Back from the tray the way a click on its icon brings it back; then in front.
void TForm1::ComeForward() {
    if (!IsWindowVisible(Handle()) || IsIconic(Handle())) DCMinTray1.ShowOwner();
    // Refused when another program holds the foreground; the clock is shown
    // and topmost all the same.
    (void)SetForegroundWindow(Handle());
}

void TForm1::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (visible) {
        application_.FormShowing();
        if (minimizedStart_) {
            ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
            minimizedStart_ = false;
        } else {
            ShowWindow(Handle(), SW_SHOWMAXIMIZED);
            CoverMonitor();
            FollowMonitorSize();
        }
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
}

// A maximized pop-up covers its monitor. Where no window manager carries
// the maximize out (Wine on a bare X server) the window would keep its
// design size, so it is given the monitor's rectangle itself.
void TForm1::CoverMonitor() {
    const Rect m = PrimaryMonitorRect();
    RECT now{};
    GetWindowRect(Handle(), &now);
    if (ToGeometry(now) == m) return;
    SetWindowPos(Handle(), HWND_TOPMOST, m.left, m.top, m.Width(), m.Height(), SWP_NOACTIVATE);
}

void TForm1::FollowMonitorSize() {
    const Rect m = PrimaryMonitorRect();
    if (m.Width() != layoutSize_.cx || m.Height() != layoutSize_.cy) ApplyLayout();
}

// A new resolution (a dock, a projector, a remote session): cover the
// primary monitor again and lay the face out for its new size.
void TForm1::DisplayChanged() {
    if (visible_ && !IsIconic(Handle())) CoverMonitor();
    FollowMonitorSize();
}

// Laid out for the size the clock is shown at, maximized over the primary
// monitor, whatever size the window has now: a window started minimized has
// next to none, and restoring it does not lay it out again.
void TForm1::ApplyLayout() {
    const Rect monitor = PrimaryMonitorRect();
    layoutSize_ = SIZE{monitor.Width(), monitor.Height()};
    layout_ = ::zv::ApplyLayout(monitor.Width(), monitor.Height());
    RECT r{};
    Unite(r, layout_.image1);
    Unite(r, layout_.image2);
    for (int i = 0; i < 6; ++i) Unite(r, LabelBounds(layout_, i));
    bool resized = r.right - r.left != faceRect_.right - faceRect_.left ||
                   r.bottom - r.top != faceRect_.bottom - faceRect_.top;
    faceRect_ = r;
    if (resized || !frameDc_) {
        CreateFrame();
    } else {
        ComposeBase();
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

// One persistent DIB section the size of the controls' area; made again only
// when that size changes.
void TForm1::CreateFrame() {
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
    WindowDc screen(Handle());
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
void TForm1::ComposeBase() {
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

void TForm1::Compose(bool whole) {
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
    static const std::wstring captions[] = {Widen("ВРЕМЯ (F11)"), Widen("СВЕРНУТЬ"),
                                            Widen("ЗАКРЫТЬ")};
    constexpr UINT kFlags = DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
    for (int i = 0; i < 6; ++i) {
        RECT r = ToRect(LabelBounds(layout_, i));
        OffsetRect(&r, -faceRect_.left, -faceRect_.top);
        if (i < 3) {
            // Digits and a colon: the same bytes in any code page.
            SelectObject(frameDc_.Get(), readOutFont_.Get());
            DrawTextA(frameDc_.Get(), readOut[i]->c_str(), static_cast<int>(readOut[i]->size()), &r,
                      DT_RIGHT | kFlags);
        } else {
            const std::wstring& text = captions[i - 3];
            SelectObject(frameDc_.Get(), labelFont_.Get());
            DrawTextW(frameDc_.Get(), text.c_str(), static_cast<int>(text.size()), &r,
                      DT_LEFT | kFlags);
        }
    }
    GdiFlush();
}

void TForm1::Paint() {
    PaintDc dc(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    // Everything outside the controls is the colour key: filled strip by
    // strip, as a region would be a GDI object made at every tick.
    const Strips rest = Around(ToGeometry(client), ToGeometry(faceRect_));
    for (int i = 0; i < rest.count; ++i) {
        const Rect& g = rest.rects[static_cast<size_t>(i)];
        RECT r{g.left, g.top, g.right, g.bottom};
        FillRect(dc.Get(), &r, keyBrush_.Get());
    }
    if (frameDc_) {
        BitBlt(dc.Get(), faceRect_.left, faceRect_.top, faceRect_.right - faceRect_.left,
               faceRect_.bottom - faceRect_.top, frameDc_.Get(), 0, 0, SRCCOPY);
    }
}

void TForm1::StartupWork() {
    TWinStartupPlatform platform(Handle());
    TStartupWork work(platform, *this, Memo1, settingsText_, startupPhase_, *this,
                      [this] { hotkey_.StartupPath(settingsText_, *this); });
    work.Run();
}

void TForm1::HideApplicationWindow() {
    ShowWindow(reinterpret_cast<HWND>(application_.WindowHandle()), SW_HIDE);
}

void TForm1::ShowMainWindowAndControls() {
    SetVisible(true);
    controlsVisible_ = true;
    ComposeBase();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TForm1::SetCheckBox1Checked(bool checked) {
    if (form3_) form3_->SetCheckBox1Checked(checked);
}

void TForm1::SetComboBox1Text(const std::string& text) {
    if (form3_) form3_->SetComboBox1Text(text);
}

void TForm1::SetComboBox2Text(const std::string& text) {
    if (form3_) form3_->SetComboBox2Text(text);
}

void TForm1::DecodeTime() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    now_.hour = st.wHour;
    now_.minute = st.wMinute;
    now_.second = st.wSecond;
    now_.millisecond = st.wMilliseconds;
}

void TForm1::RefreshDisplay() {
    readOut_ = MakeReadOut(now_);
    sheet_.pixels = image3_.pixels;  // same size: no allocation
    DrawHands(sheet_, now_);
    Compose(false);
    RECT dirty = dirty_;
    OffsetRect(&dirty, faceRect_.left, faceRect_.top);
    InvalidateRect(Handle(), &dirty, FALSE);
}

void TForm1::Timer1Timer() {
    if (startupPhase_ == 1) StartupWork();
    settingsText_ = Memo1.Text();
    hotkey_.Reregistration(startupPhase_, settingsText_, Memo1.Text(), *this);
    DecodeTime();
    RefreshDisplay();
}

void TForm1::OnTimer1() {
    SYSTEMTIME st{};
    GetLocalTime(&st);
    const TickPlan plan =
        tickSchedule_.OnTimer(TimeFields{st.wHour, st.wMinute, st.wSecond, st.wMilliseconds});
    // Armed before the tick's work, so that a tick that fails (its error is
    // shown) or waits in a dialog still leaves the next one on time.
    ArmTimer1(Handle(), plan.delayMs);
    if (plan.run) Timer1Timer();
}

void TForm1::Timer2Timer() {
    announcer_.Poll();
}

void TForm1::SetEnabled(bool on) {
    if (on == timer2Enabled_) return;
    timer2Enabled_ = on;
    if (on) {
        // Asked for 1 ms; the system raises it to its minimum interval.
        SetTimer(Handle(), kTimer2, 1, nullptr);
    } else {
        KillTimer(Handle(), kTimer2);
    }
}

void TForm1::Button1Click() {
    announcer_.Start();
}

void TForm1::Button2Click() {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::Button3Click() {
    SetVisible(false);
}

void TForm1::FormActivate() {
    if (form2_) form2_->Hide();
    if (form3_) form3_->Hide();
}

void TForm1::N4Click() {
    if (form2_) form2_->Show();
}

void TForm1::N7Click() {
    if (form3_) {
        application_.FormShowing();
        form3_->Show();
    }
}

void TForm1::PopupMenu1(POINT client) {
    RECT image2 = ToRect(layout_.image2);
    if (!controlsVisible_ || !PtInRect(&image2, client)) return;
    POINT screen = client;
    ClientToScreen(Handle(), &screen);
    // The owner must be in front for the menu to close on a click elsewhere.
    SetForegroundWindow(Handle());
    TrackPopupMenu(popupMenu1_.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x,
                   screen.y, 0, Handle(), nullptr);
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

int TForm1::LabelAt(POINT p) const {
    if (!controlsVisible_) return -1;
    for (int i = 3; i < 6; ++i) {
        RECT r = ToRect(LabelBounds(layout_, i));
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kTimer1) {
                OnTimer1();
            } else if (wParam == kTimer2 && timer2Enabled_) {
                Timer2Timer();
            }
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_DISPLAYCHANGE:
            DisplayChanged();
            break;
        case WM_SIZE:
            // Wine keeps the colour-key surface at the size the key was set
            // for; setting it again after a resize covers the whole window.
            ApplyColourKey();
            break;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kButton1:
                case kN1:
                    ClickButton1();
                    return 0;
                case kN2:
                    N2Click();
                    return 0;
                case kN3:
                    N3Click();
                    return 0;
                case kN4:
                    N4Click();
                    return 0;
                case kN6:
                    N6Click();
                    return 0;
                case kN7:
                    N7Click();
                    return 0;
                case kButton2:
                    Button2Click();
                    return 0;
                case kButton3:
                    Button3Click();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT p;
                GetCursorPos(&p);
                ScreenToClient(Handle(), &p);
                if (LabelAt(p) >= 0) {
                    SetCursor(LoadCursorA(nullptr, IDC_HAND));
                    return TRUE;
                }
            }
            break;
        case WM_LBUTTONDOWN: {
            POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            pressedLabel_ = LabelAt(p);
            if (pressedLabel_ >= 0) SetCapture(Handle());
            return 0;
        }
        case WM_LBUTTONUP: {
            POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            int pressed = std::exchange(pressedLabel_, -1);
            if (GetCapture() == Handle()) ReleaseCapture();
            if (pressed < 0 || LabelAt(p) != pressed) return 0;
            if (pressed == 3) Button1Click();
            if (pressed == 4) Button3Click();
            if (pressed == 5) Button2Click();
            return 0;
        }
        case WM_RBUTTONUP: {
            POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            PopupMenu1(p);
            return 0;
        }
        case WM_HOTKEY:
            HotkeyMessage(kWmHotkey, wParam, [this] { ClickButton1(); });
            return 0;
        case WM_NCHITTEST:
            // No caption to drag: the whole window is client area.
            return HTCLIENT;
        case WM_DESTROY:
            KillTimer(Handle(), kTimer1);
            KillTimer(Handle(), kTimer2);
            PostQuitMessage(0);
            return 0;
        default:
            if (msg != 0 && msg == ComeForwardMessage()) {
                ComeForward();
                return 0;
            }
            break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace zv::win
