#include "app/Form1_win.h"

#include <utility>

#include "about/Form2_win.h"
#include "app/SingleInstance_win.h"
#include "app/Startup_win.h"
#include "core/Errors.h"
#include "resources/resource.h"
#include "schedule/AnnouncementsDialog_win.h"
#include "settings/Form3_win.h"
#include "win32/Dpi.h"
#include "win32/ErrorBox.h"
#include "win32/LocalTime.h"
#include "win32/Monitors.h"

namespace zv::win {

namespace {

// Arms the tick; out of timers, the previous one keeps its last interval.
void ArmTimer1(HWND window, uint32_t delayMs) {
    (void)SetTimer(window, TForm1::kTimer1, delayMs, nullptr);
}

}  // namespace

TForm1::TForm1(TApplication& application)
    : TComponent(nullptr),
      application_(application),
      AutoRunner1(this, registry_, application.ExeName(), &autoRunFiles_),
      DCMinTray1(this, trayPlatform_, application),
      hotkey_(hotkeyPlatform_, [this](const std::string& tip) { DCMinTray1.SetHint(tip); }),
      MediaPlayer1(
          mciDriver_,
          [this] { return reinterpret_cast<uintptr_t>(mediaPlayerWindow_.Ensure(Handle())); }),
      announcer_(MediaPlayer1, *this, clock_),
      announcements_(settings_, MediaPlayer1, *this, announcer_, clock_),
      captions_([this](TCaption caption) {
          if (caption == TCaption::Time) Button1Click();
          if (caption == TCaption::Hide) Button3Click();
          if (caption == TCaption::Close) Button2Click();
      }),
      dial_({[this] { Button1Click(); }, [this] { Button3Click(); },
             [this](POINT screen) { menus_.PopupMenu1(screen); }}),
      access_([this] { return announcer_.Style(); }, captions_),
      menus_(application, {[this] { Button1Click(); }, [this] { announcements_.SpeakDate(); },
                           [this] { Button3Click(); }, [this] { DCMinTray1.ShowOwner(); },
                           [this] { Button2Click(); },
                           [this](TAnnouncementsDialog& dialog) {
                               dialog.Load(announcements_.Settings(), announcements_.Packs());
                           },
                           [this](int percent) { SetSize(percent); },
                           [this] { return announcements_.Settings().size; }}),
      keys_([this] { Button1Click(); }, [this] { announcements_.SpeakDate(); }) {
    playerForWindow_ = &MediaPlayer1;
}

TForm1::~TForm1() {
    playerForWindow_ = nullptr;
}

void TForm1::Create() {
    RegisterClassOnce(kClockClassName, 0, nullptr, ArrowCursor(), nullptr);
    frame_.Create();

    // Layered from the start so that nothing but the colour key is ever seen
    // before the first tick fills the controls in. Made at the size it is
    // maximized to: Wine does not resize a layered window's surface later.
    CreateHandle(kClockClassName, "Zvenoks", WS_EX_LAYERED | WS_EX_TOPMOST,
                 WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0,
                 GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 reinterpret_cast<HWND>(application_.WindowHandle()));
    application_.FormCreated(this, Handle());
    // A second start at medium integrity reaches a clock run as administrator.
    AllowFromLowerIntegrity(Handle(), TSingleInstance::ComeForwardMessage());

    // The stored description: the components' design values, in the loading
    // state, then every component's AfterLoading (the tray hooks the window).
    LoadComponents([this] {
        ApplyStoredValues(AutoRunner1);
        DCMinTray1.SetHint("Время (F11)");
    });

    ApplyColourKey(Handle());

    menus_.Create(Handle());
    DCMinTray1.SetOnRightClick([this] { menus_.TrayIconMenu(IsWindowVisible(Handle()) != FALSE); });
    DCMinTray1.SetOnKeyMenu([this](int x, int y) {
        const POINT at{x, y};
        return menus_.TrayIconMenu(IsWindowVisible(Handle()) != FALSE, &at);
    });

    ArmTimer1(Handle(), DelayToNextSecond(LocalTime().millisecond));
    FormCreate();
}

void TForm1::FormCreate() {
    startupPhase_ = kPhaseStartup;
    dpi_ = WindowDpi(Handle());
    DCMinTray1.ShowIcon();
    now_ = LocalTime();
    frame_.SetReadOut(now_);
    ApplyLayout();
    SetVisible(false);
}

void TForm1::ShowOnStart(int showCommand) {
    minimizedStart_ = showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
                      showCommand == SW_SHOWMINNOACTIVE;
    SetVisible(true);
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
    if (m.Width() != layoutSize_.cx || m.Height() != layoutSize_.cy || FaceDpi() != layout_.dpi)
        ApplyLayout();
}

// A new resolution (a dock, a projector, a remote session): cover the
// primary monitor again and lay the face out for its new size, and its DPI
// if that came with it.
void TForm1::DisplayChanged() {
    const int dpi = WindowDpi(Handle());
    if (dpi != dpi_) {
        DpiChanged(dpi);
        return;
    }
    if (visible_ && !IsIconic(Handle())) CoverMonitor();
    FollowMonitorSize();
}

// The clock keeps covering the primary monitor rather than taking the
// rectangle Windows suggests for the new DPI: its size in pixels does not
// change with the DPI, and moving it elsewhere could change the DPI again.
void TForm1::DpiChanged(int dpi) {
    dpi_ = dpi;
    if (visible_ && !IsIconic(Handle())) CoverMonitor();
    FollowMonitorSize();
    DCMinTray1.UpdateIcon();
}

// The monitor's DPI with the dial's size from the menus.
int TForm1::FaceDpi() const {
    const Rect work = PrimaryWorkArea();
    return SizedDpi(dpi_, announcements_.Settings().size, work.Width(), work.Height());
}

// A size from the menus: kept in announce.cfg, and the face drawn at it.
void TForm1::SetSize(int percent) {
    AnnounceSettings settings = announcements_.Settings();
    settings.size = percent;
    announcements_.Apply(settings);
    FollowMonitorSize();
}

// Laid out for the size the clock is shown at, maximized over the primary
// monitor, whatever size the window has now: a window started minimized has
// next to none, and restoring it does not lay it out again.
void TForm1::ApplyLayout() {
    const Rect monitor = PrimaryMonitorRect();
    layoutSize_ = SIZE{monitor.Width(), monitor.Height()};
    layout_ = ::zv::ApplyLayout(monitor.Width(), monitor.Height(), FaceDpi());
    frame_.Place(layout_);
    captions_.SetLayout(layout_);
    dial_.SetLayout(layout_);
    access_.SetLayout(layout_);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TForm1::Paint() {
    TPaintDc dc(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    frame_.Paint(dc.Get(), client, dc.Info().rcPaint);
}

void TForm1::StartupWork() {
    TWinStartupPlatform platform(Handle(), &settings_);
    TStartupWork work(platform, *this, Memo1, settingsText_, startupPhase_, *form3_,
                      [this] { hotkey_.StartupPath(settingsText_, *form3_); });
    try {
        work.Run();
    } catch (...) {
        // A start-up that stopped at config.cfg still reads announce.cfg:
        // the schedule does not depend on the hotkey or the start mode.
        announcements_.Load();
        FollowMonitorSize();  // at the size announce.cfg keeps
        throw;
    }
    announcements_.Load();
    FollowMonitorSize();
}

void TForm1::HideApplicationWindow() {
    ShowWindow(reinterpret_cast<HWND>(application_.WindowHandle()), SW_HIDE);
}

void TForm1::ShowMainWindowAndControls() {
    SetVisible(true);
    frame_.ShowControls();
    captions_.SetActive(true);
    dial_.SetActive(true);
    access_.SetCaptionsShown(true);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TForm1::RefreshDisplay() {
    const RECT dirty = frame_.Tick(now_);
    if (!IsRectEmpty(&dirty)) InvalidateRect(Handle(), &dirty, FALSE);
}

void TForm1::Timer1Timer() {
    if (startupPhase_ == kPhaseStartup) StartupWork();
    settingsText_ = Memo1.Text();
    hotkey_.Reregistration(startupPhase_, settingsText_, Memo1.Text(), *form3_);
    now_ = LocalTime();
    tickSchedule_.Shown(now_);
    RefreshDisplay();
    access_.Tick(now_);
    announcements_.Tick(now_);
}

void TForm1::OnTimer1() {
    const TickPlan plan = tickSchedule_.OnTimer(LocalTime());
    // Armed before the tick's work, so that a tick that fails (its error is
    // shown) or waits in a dialog still leaves the next one on time.
    ArmTimer1(Handle(), plan.delayMs);
    if (plan.run) Timer1Timer();
}

void TForm1::Timer2Timer() {
    announcements_.Poll();
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

// The time of the moment asked, not the last tick's: the hotkey may be the
// first message after a resume from sleep.
void TForm1::Button1Click() {
    announcements_.SpeakNow(LocalTime());
}

void TForm1::Listen(const AnnounceSettings& choice) {
    announcements_.Listen(choice.voice, choice.style, LocalTime());
}

void TForm1::Button2Click() {
    PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TForm1::Button3Click() {
    SetVisible(false);
}

void TForm1::FormActivate() {
    menus_.HideDialogs();
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (keys_.Message(Handle(), msg, wParam, lParam)) return 0;
    if (dial_.Message(Handle(), msg, wParam, lParam)) return 0;
    frame_.SystemMessage(Handle(), msg);
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
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC) announcements_.Resumed();
            break;
        case WM_DISPLAYCHANGE:
            DisplayChanged();
            break;
        case WM_DPICHANGED:
            DpiChanged(LOWORD(wParam));
            return 0;
        case WM_SIZE:
            // Wine keeps the colour-key surface at the size the key was set
            // for; setting it again after a resize covers the whole window.
            ApplyColourKey(Handle());
            break;
        case WM_COMMAND:
            if (menus_.Command(LOWORD(wParam))) return 0;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
            break;
        case WM_SETCURSOR:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: {
            LRESULT result = 0;
            if (captions_.Message(Handle(), msg, wParam, lParam, result)) return result;
            break;
        }
        case WM_GETOBJECT:
            if (LRESULT r = 0; access_.Message(Handle(), msg, wParam, lParam, r)) return r;
            break;
        case WM_NCHITTEST:
            // No caption to drag: the whole window is client area.
            return HTCLIENT;
        case WM_DESTROY:
            KillTimer(Handle(), kTimer1);
            KillTimer(Handle(), kTimer2);
            PostQuitMessage(0);
            return 0;
        default:
            if (msg != 0 && msg == TSingleInstance::ComeForwardMessage()) {
                ComeForward();
                return 0;
            }
            break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace zv::win
