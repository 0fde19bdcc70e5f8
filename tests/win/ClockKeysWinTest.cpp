// The clock window from the keyboard and at another size: Enter, Space, Esc
// and the menu keys reach its commands; "Размер" draws the dial at the size
// chosen and keeps it.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/ClockFace.h"
#include "app/ClockMenus_win.h"
#include "app/FaceFrame_win.h"
#include "app/Layout.h"
#include "tests/win/ProgramFixture.h"

namespace zv::win {
namespace {

using test::Program;
using test::PumpMessages;

class ClockKeysWinTest : public test::ProgramFolderTest {};

struct MenuSeen {
    int opened = 0;
    RECT at{};
};
MenuSeen* g_menuSeen = nullptr;

LRESULT CALLBACK SeeMenu(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && g_menuSeen && m->message == WM_ENTERIDLE && m->wParam == MSGF_MENU) {
        auto menu = reinterpret_cast<HWND>(m->lParam);
        if (g_menuSeen->opened++ == 0) GetWindowRect(menu, &g_menuSeen->at);
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Enter and Space speak as "ВРЕМЯ (F11)" does, Esc hides as "СВЕРНУТЬ" does,
// Shift+F10 and the Applications key open the dial's menu at its centre; a
// key held down acts once; before the face is shown no key acts.
TEST_F(ClockKeysWinTest, KeysOnTheClockReachItsCommands) {
    ASSERT_EQ(test::WriteStandardVoiceTones(30), "");
    enum Effect { kNothing, kSpeaks, kHides, kMenu };
    struct Case {
        const char* name;
        UINT msg;
        WPARAM key;
        bool shift;
        LPARAM lParam;
        Effect effect;
        bool shown = true;
    };
    const Case cases[] = {
        {"Enter", WM_KEYDOWN, VK_RETURN, false, 1, kSpeaks},
        {"Space", WM_KEYDOWN, VK_SPACE, false, 1, kSpeaks},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, false, 1, kHides},
        {"Shift+F10", WM_SYSKEYDOWN, VK_F10, true, 1, kMenu},
        {"the Applications key", WM_KEYDOWN, VK_APPS, false, 1, kMenu},
        {"the system's keyboard menu", WM_CONTEXTMENU, 0, false, -1, kMenu},
        {"Enter held down", WM_KEYDOWN, VK_RETURN, false, 0x40000001, kNothing},
        {"Esc held down", WM_KEYDOWN, VK_ESCAPE, false, 0x40000001, kNothing},
        {"Shift+Alt+F10", WM_SYSKEYDOWN, VK_F10, true, 0x20000001, kNothing},
        {"Enter before the first tick", WM_KEYDOWN, VK_RETURN, false, 1, kNothing, false},
        {"Esc before the first tick", WM_KEYDOWN, VK_ESCAPE, false, 1, kNothing, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program program;
        HWND clock = program.form1.Handle();
        if (c.shown) {
            program.form1.Timer1Timer();
        } else {
            // No first tick from the timer meanwhile.
            KillTimer(clock, TForm1::kTimer1);
            if (program.form1.StartupPhase() == 0) continue;  // it came already
        }
        PumpMessages();
        ASSERT_TRUE(IsWindowVisible(clock));
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = c.shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MenuSeen seen;
        g_menuSeen = &seen;
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, SeeMenu, nullptr, GetCurrentThreadId());
        SendMessageW(clock, c.msg, c.key, c.lParam);
        UnhookWindowsHookEx(hook);
        g_menuSeen = nullptr;
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        PumpMessages();

        EXPECT_EQ(program.form1.Announcer().Polling(), c.effect == kSpeaks);
        EXPECT_EQ(IsWindowVisible(clock) == FALSE, c.effect == kHides);
        EXPECT_EQ(seen.opened, c.effect == kMenu ? 1 : 0);
        if (c.effect == kMenu) {
            POINT hub{program.form1.Layout().hub.x, program.form1.Layout().hub.y};
            ClientToScreen(clock, &hub);
            EXPECT_EQ(seen.at.left, hub.x);
            EXPECT_EQ(seen.at.top, hub.y);
        }
        program.form1.Announcer().Cancel();
    }
}

// A size from the dial's menu lays the face out at it on top of the DPI,
// no larger than the work area holds; announce.cfg keeps it for the next
// start, and 100 % is the face as it was.
TEST_F(ClockKeysWinTest, ASizeFromTheMenuDrawsTheDialAtItAndIsKept) {
    const RECT m = test::PrimaryMonitor();
    const int w = m.right - m.left, h = m.bottom - m.top;
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const int workW = mi.rcWork.right - mi.rcWork.left, workH = mi.rcWork.bottom - mi.rcWork.top;
    auto kept = [] {
        std::ifstream in("announce.cfg", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const size_t at = text.find("Size=");
        return at == std::string::npos ? std::string() : text.substr(at, text.find('\r', at) - at);
    };
    {
        Program program;
        program.form1.Timer1Timer();
        PumpMessages();
        const FormLayout before = program.form1.Layout();
        for (int i = 0; i < 5; ++i) {
            const int size = kFaceSizes[i];
            SCOPED_TRACE(size);
            SendMessageW(program.form1.Handle(), WM_COMMAND, TClockMenus::kFirstSize + i, 0);
            PumpMessages();
            EXPECT_EQ(program.form1.Layout(), ApplyLayout(w, h, SizedDpi(96, size, workW, workH)));
            EXPECT_EQ(kept(), "Size=" + std::to_string(size));
        }
        SendMessageW(program.form1.Handle(), WM_COMMAND, TClockMenus::kFirstSize, 0);  // 75 %
        PumpMessages();
        EXPECT_EQ(program.form1.Layout().dpi, 72);
        SendMessageW(program.form1.Handle(), WM_COMMAND, TClockMenus::kFirstSize + 1, 0);
        PumpMessages();
        EXPECT_EQ(program.form1.Layout(), before);
        SendMessageW(program.form1.Handle(), WM_COMMAND, TClockMenus::kFirstSize, 0);
        PumpMessages();
        // The announcements dialog, which has no size, leaves it as it is.
        program.form1.ApplyAnnouncements(AnnounceSettings{});
        PumpMessages();
        EXPECT_EQ(kept(), "Size=75");
        EXPECT_EQ(program.form1.Layout().dpi, 72);
    }
    // The next start lays the face out at the size kept.
    Program program;
    program.form1.Timer1Timer();
    PumpMessages();
    EXPECT_EQ(program.form1.Layout(), ApplyLayout(w, h, 72));
}

}  // namespace
}  // namespace zv::win
