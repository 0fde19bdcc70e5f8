// The real clock window when it is shown again, when the display changes,
// when the application window is activated, and what a painted tick costs.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "app/ClockFace.h"
#include "app/ClockMenus_win.h"
#include "app/FaceFrame_win.h"
#include "app/Layout.h"
#include "app/SingleInstance_win.h"
#include "tests/win/ProgramFixture.h"

namespace zv::win {
namespace {

using test::Program;
using test::PumpMessages;

class ClockWindowWinTest : public test::ProgramFolderTest {};

RECT WindowRectOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

// The clock covers the primary monitor and its face is laid out for that
// size, which is what a user sees centred.
void ExpectShownCovering(Program& program, const char* how) {
    HWND clock = program.form1.Handle();
    const RECT m = test::PrimaryMonitor();
    const RECT r = WindowRectOf(clock);
    EXPECT_TRUE(IsWindowVisible(clock)) << how;
    EXPECT_FALSE(IsIconic(clock)) << how;
    EXPECT_TRUE(EqualRect(&r, &m)) << how << ": the clock is at " << r.left << "," << r.top << " "
                                   << r.right - r.left << "x" << r.bottom - r.top;
    const FormLayout want =
        ApplyLayout(m.right - m.left, m.bottom - m.top, program.form1.Layout().dpi);
    EXPECT_EQ(program.form1.Layout().image1, want.image1)
        << how << ": the dial is at " << program.form1.Layout().image1.left << ","
        << program.form1.Layout().image1.top << ", not " << want.image1.left << ","
        << want.image1.top;
    EXPECT_EQ(program.form1.Layout().label6, want.label6) << how;
}

TEST_F(ClockWindowWinTest, StartedMinimizedThenShownIsLaidOutForTheMonitor) {
    struct Case {
        const char* how;
        std::function<void(Program&)> bringBack;
    };
    const Case cases[] = {
        {"two presses on the tray icon",
         [](Program& p) {
             // The first press hides the minimized clock, the second shows it.
             for (int i = 0; i < 2; ++i) {
                 SendMessageA(p.form1.Handle(), WM_USER + 1, 1, WM_LBUTTONDOWN);
                 PumpMessages();
             }
         }},
        {"a second start",
         [](Program& p) {
             PostMessageW(p.form1.Handle(), TSingleInstance::ComeForwardMessage(), 0, 0);
             PumpMessages();
         }},
    };
    for (const Case& c : cases) {
        Program program(SW_SHOWMINNOACTIVE);
        ASSERT_TRUE(IsIconic(program.form1.Handle())) << c.how;
        // The first tick's start-up work lays the face out while minimized.
        program.form1.Timer1Timer();
        PumpMessages();
        ASSERT_EQ(program.form1.StartupPhase(), 0) << c.how;
        c.bringBack(program);
        ExpectShownCovering(program, c.how);
        // And it stays so at the next tick.
        program.form1.Timer1Timer();
        PumpMessages();
        ExpectShownCovering(program, c.how);
    }
}

TEST_F(ClockWindowWinTest, ADisplayChangeCoversThePrimaryMonitorAgain) {
    Program program;
    program.form1.Timer1Timer();
    PumpMessages();
    HWND clock = program.form1.Handle();
    ExpectShownCovering(program, "before");
    // What a new resolution leaves behind: the window at its old place and size.
    SetWindowPos(clock, nullptr, 40, 30, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT m = test::PrimaryMonitor();
    SendMessageA(clock, WM_DISPLAYCHANGE, 32, MAKELPARAM(m.right - m.left, m.bottom - m.top));
    PumpMessages();
    ExpectShownCovering(program, "after WM_DISPLAYCHANGE");

    // Hidden in the tray, it is not shown by the change, and covers the
    // monitor when it comes back.
    program.form1.Button3Click();
    SendMessageA(clock, WM_DISPLAYCHANGE, 32, MAKELPARAM(m.right - m.left, m.bottom - m.top));
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(clock));
    SendMessageA(clock, WM_USER + 1, 1, WM_LBUTTONDOWN);
    PumpMessages();
    ExpectShownCovering(program, "back from the tray");
}

// A new DPI for the monitor: the face is laid out and drawn for it, the clock
// still covers the monitor (not the rectangle Windows suggests), the tray
// icon takes that DPI's size; and back at 96 everything is as it was.
TEST_F(ClockWindowWinTest, ADpiChangeLaysOutAndDrawsAgain) {
    Program program;
    program.form1.Timer1Timer();
    PumpMessages();
    HWND clock = program.form1.Handle();
    const RECT m = test::PrimaryMonitor();
    const int w = m.right - m.left, h = m.bottom - m.top;
    ASSERT_EQ(program.form1.Layout().dpi, 96) << "the tests' prefix runs at 96 DPI";
    const Image before = program.form1.Face();
    ASSERT_EQ(test::IconSide(reinterpret_cast<HICON>(program.form1.Tray().IconRecord().hIcon)), 16);

    const struct { int dpi, icon; } steps[] = {{144, 24}, {192, 32}, {120, 20}, {96, 16}};
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << step.dpi << " dpi");
        RECT suggested{10, 20, 10 + w / 2, 20 + h / 2};
        SendMessageW(clock, WM_DPICHANGED, MAKEWPARAM(step.dpi, step.dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpMessages();
        ExpectShownCovering(program, "after WM_DPICHANGED");
        EXPECT_EQ(program.form1.Layout(), ApplyLayout(w, h, step.dpi));
        EXPECT_EQ(test::IconSide(reinterpret_cast<HICON>(program.form1.Tray().IconRecord().hIcon)),
                  step.icon);
        EXPECT_EQ(program.form1.Tray().IconRecord().hIcon, program.form1.IconHandle());
        program.form1.Timer1Timer();
        PumpMessages();
    }
    // The same face again: nothing of the other scales stayed behind.
    const Image after = program.form1.Face();
    ASSERT_EQ(after.width, before.width);
    ASSERT_EQ(after.height, before.height);
    int differing = 0;
    for (size_t i = 0; i < after.pixels.size(); ++i) {
        // Only the hands may have moved since.
        const uint32_t a = after.pixels[i], b = before.pixels[i];
        const auto hand = [](uint32_t c) {
            return c == kSecondHandColour || c == kMinuteHandColour || c == kHourHandColour;
        };
        differing += a != b && !hand(a) && !hand(b);
    }
    EXPECT_EQ(differing, 0);
}

// The captions' click areas are where the scaled face draws them: at
// 144 DPI "СВЕРНУТЬ" hides the clock from its new place, not its old one.
TEST_F(ClockWindowWinTest, CaptionsClickWhereTheyAreDrawnAtTheNewDpi) {
    Program program;
    program.form1.Timer1Timer();
    PumpMessages();
    HWND clock = program.form1.Handle();
    const Bounds before = program.form1.Layout().label5;
    SendMessageW(clock, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
    PumpMessages();
    const Bounds after = program.form1.Layout().label5;
    auto click = [&](int x, int y) {
        SendMessageW(clock, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageW(clock, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        PumpMessages();
    };
    // The old caption's top-left corner lies outside the new one.
    const RECT now = ToRect(after);
    ASSERT_FALSE(PtInRect(&now, POINT{before.left + 1, before.top + 1}));
    click(before.left + 1, before.top + 1);
    EXPECT_TRUE(IsWindowVisible(clock)) << "the old place still clicks";
    click(after.left + after.width - 2, after.top + after.height - 2);
    EXPECT_FALSE(IsWindowVisible(clock)) << "the new place does not click";
}

TEST_F(ClockWindowWinTest, ActivatingTheApplicationWindowBringsTheOpenDialogForward) {
    struct Case {
        const char* dialog;
        std::function<void(Program&)> open;
        std::function<HWND(Program&)> window;
    };
    const Case cases[] = {
        {"Настройки", [](Program& p) { p.form1.N7Click(); },
         [](Program& p) { return p.form3.Handle(); }},
        {"О программе", [](Program& p) { p.form1.N4Click(); },
         [](Program& p) { return p.form2.Handle(); }},
    };
    for (const Case& c : cases) {
        Program program;
        program.form1.Timer1Timer();
        PumpMessages();
        SetForegroundWindow(program.form1.Handle());
        PumpMessages();
        c.open(program);
        PumpMessages();
        HWND dialog = c.window(program);
        ASSERT_TRUE(IsWindowVisible(dialog)) << c.dialog;
        // The taskbar button, which the open dialog brought back, is clicked.
        ASSERT_TRUE(IsWindowVisible(program.ApplicationWindow())) << c.dialog;
        SetForegroundWindow(program.ApplicationWindow());
        PumpMessages();
        EXPECT_TRUE(IsWindowVisible(dialog)) << c.dialog << ": the taskbar button hid it";
        EXPECT_EQ(GetForegroundWindow(), dialog) << c.dialog;

        // Activating the clock itself (a click on the dial) still hides it.
        SetForegroundWindow(program.form1.Handle());
        PumpMessages();
        EXPECT_FALSE(IsWindowVisible(dialog)) << c.dialog;
        // With no dialog open the taskbar button brings the clock forward.
        SetForegroundWindow(program.ApplicationWindow());
        PumpMessages();
        EXPECT_EQ(GetForegroundWindow(), program.form1.Handle()) << c.dialog;
    }
}

// What opened over the clock while a key was handled: the menu's place. Seen
// by a hook on the test's thread, which closes the menu at once.
// GDI objects made and freed between two probes show in the second probe's
// handles: the process's handle table hands freed entries out again, last
// freed first, with a new generation each time (Wine's does). The probe makes eight
// objects and frees them last first, so that the next eight objects made,
// whoever makes them, take those entries in order. Where handles are not
// made so (Windows), the test says so and is skipped.
constexpr int kProbeDepth = 8;
using Probe = std::array<uintptr_t, kProbeDepth>;

Probe ProbeHandles() {
    std::array<HBRUSH, kProbeDepth> brushes{};
    for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
    for (int i = kProbeDepth - 1; i >= 0; --i) DeleteObject(brushes[static_cast<size_t>(i)]);
    Probe handles{};
    for (int i = 0; i < kProbeDepth; ++i) {
        handles[static_cast<size_t>(i)] =
            reinterpret_cast<uintptr_t>(brushes[static_cast<size_t>(i)]);
    }
    return handles;
}

// A window like the clock that paints nothing of its own: what the system
// itself makes for a paint (Wine makes the update region a GDI object).
class Bare final : public TWindow {
  public:
    explicit Bare(const RECT& r) {
        RegisterClassOnce("ZvBare", 0, nullptr, nullptr, nullptr);
        CreateHandle("ZvBare", "", WS_EX_LAYERED | WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE, r.left,
                     r.top, r.right - r.left, r.bottom - r.top, nullptr);
        SetLayeredWindowAttributes(Handle(), RGB(128, 0, 0), 0, LWA_COLORKEY);
    }
    int paints = 0;

  private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_PAINT) ++paints;
        return Default(msg, wParam, lParam);
    }
};

TEST_F(ClockWindowWinTest, APaintedTickMakesNoGdiObject) {
    Program program;
    HWND clock = program.form1.Handle();
    Bare bare(test::PrimaryMonitor());
    auto paint = [](HWND w) {
        // The whole window, so that the strips round the face are painted too.
        InvalidateRect(w, nullptr, FALSE);
        UpdateWindow(w);
    };
    auto paintedTicks = [&](int n) {
        for (int i = 0; i < n; ++i) {
            program.form1.Timer1Timer();
            paint(clock);
        }
    };
    auto barePaints = [&](int n) {
        for (int i = 0; i < n; ++i) paint(bare.Handle());
    };
    paintedTicks(20);
    barePaints(20);
    PumpMessages();
    const Probe a = ProbeHandles();
    const Probe b = ProbeHandles();
    const uintptr_t step = b[0] - a[0];
    for (int i = 0; i < kProbeDepth; ++i) {
        if (step == 0 || b[static_cast<size_t>(i)] - a[static_cast<size_t>(i)] != step)
            GTEST_SKIP() << "handles are not made so here";
    }
    // How many of the probe's entries `work` used, that is how many GDI
    // objects it had alive at once at most (up to eight). Counted by entry,
    // not by generation, which wraps round.
    auto made = [&](const std::function<void()>& work) {
        const Probe before = ProbeHandles();
        work();
        const Probe after = ProbeHandles();
        long n = 0;
        for (int i = 0; i < kProbeDepth; ++i) {
            n += after[static_cast<size_t>(i)] - before[static_cast<size_t>(i)] != step;
        }
        return n;
    };
    // A tick that makes an object of its own does so every time; one that
    // Wine's other threads made meanwhile (slow under an emulator) does not
    // come back in every round: up to three rounds, and one that agrees will do.
    long bare5 = 0, ticks5 = 0;
    for (int round = 0; round < 3; ++round) {
        bare5 = made([&] { barePaints(5); });
        ticks5 = made([&] { paintedTicks(5); });
        if (ticks5 == bare5) break;
    }
    // The probe's own check is open to those threads alike.
    long regions5 = 0;
    for (int round = 0; round < 3 && regions5 != 2; ++round) {
        regions5 = made([&] {
            for (int i = 0; i < 5; ++i) {
                RECT r{0, 0, 10, 10};
                HRGN x = CreateRectRgnIndirect(&r);
                HRGN y = CreateRectRgnIndirect(&r);
                DeleteObject(y);
                DeleteObject(x);
            }
        });
    }
    ASSERT_EQ(regions5, 2) << "the probes do not count what is made";
    std::printf("[  GDI     ] GDI objects alive at once: 5 painted ticks %ld, 5 bare paints %ld\n",
                ticks5, bare5);
    EXPECT_EQ(ticks5, bare5) << "GDI objects made and freed by 5 painted ticks beyond the "
                                "system's own for 5 paints";
}

}  // namespace
}  // namespace zv::win
