#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TrayRig.h"

namespace zv {
namespace {

using namespace test::tray;

TEST(DCMinTray, AttachesOnlyToTheMainFormOrToAFormMadeBeforeIt) {
    enum Owner { TheForm, PlainComponent, NoOwner };
    enum Main { NoMainForm, OwnerIsMain, OtherIsMain };
    struct Case {
        const char* name;
        Owner owner;
        Main main;
        bool designing;
        bool hooked;
    };
    const Case cases[] = {
        {"form, no main form yet", TheForm, NoMainForm, false, true},
        {"form that is the main form", TheForm, OwnerIsMain, false, true},
        {"form while another is main", TheForm, OtherIsMain, false, false},
        {"designing", TheForm, NoMainForm, true, false},
        {"owner not a form", PlainComponent, NoMainForm, false, false},
        {"no owner", NoOwner, NoMainForm, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        FakeApplication a;
        FakeForm owner(p, kFormWindow);
        FakeForm other(p, 0x999);
        TComponent plain(nullptr);
        TComponent* ownerComponent = c.owner == TheForm          ? &owner
                                     : c.owner == PlainComponent ? &plain
                                                                 : nullptr;
        a.mainForm = c.main == OwnerIsMain ? &owner : c.main == OtherIsMain ? &other : nullptr;
        auto t = std::make_unique<TDCMinTray>(ownerComponent, p, a);
        t->SetDesigning(c.designing);
        t->BeginLoading();
        t->AfterLoading();

        EXPECT_FALSE(t->Has(TComponent::csLoading));
        EXPECT_EQ(t->Hooked(), c.hooked);
        std::vector<std::string> expected;
        if (c.hooked) expected = {"hook 100"};
        EXPECT_EQ(p.log, expected);
        // Attaching adds no icon; a detached component has no window for one.
        EXPECT_TRUE(p.notes.empty());
        t->ShowIcon();
        EXPECT_EQ(p.notes.size(), c.hooked ? 1u : 0u);
    }
}

TEST(DCMinTray, MessageTable) {
    struct Case {
        const char* name;
        std::uintptr_t msg;
        std::uintptr_t wParam;
        std::intptr_t lParam;
        bool passedOn;
        bool toggles;
    };
    const Case cases[] = {
        {"SC_MINIMIZE", 274, 0xF020, 0, false, false},
        {"SC_DEFAULT", 274, 0xF160, 0, false, false},
        {"SC_MINIMIZE with low bits", 274, 0xF021, 0, true, false},
        {"SC_DEFAULT with low bits", 274, 0xF162, 0, true, false},
        {"SC_CLOSE", 274, 0xF060, 0, true, false},
        {"SC_RESTORE", 274, 0xF120, 0, true, false},
        {"left press on the icon", 1025, 1, 513, true, true},
        {"left press, another icon id", 1025, 7, 513, true, true},
        {"left release", 1025, 1, 514, true, false},
        {"left double-click", 1025, 1, 515, true, false},
        {"right press", 1025, 1, 516, true, false},
        {"mouse move", 1025, 1, 512, true, false},
        {"WM_LBUTTONDOWN itself", 513, 0, 513, true, false},
        {"hotkey", 0x0312, 101, 0x7A0000, true, false},
        {"paint", 15, 0, 0, true, false},
        {"a timer of the form", 0x0113, 1, 0, true, false},
        {"the icon's retry timer, late", 0x0113, 0x7452, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.form.Show();
        rig.ShowIcon();
        WindowMessage m = rig.Send(static_cast<std::uint32_t>(c.msg), c.wParam, c.lParam);

        const auto& log = rig.platform.log;
        std::string pass = "pass 100 " + std::to_string(c.msg) + " " + std::to_string(c.wParam) +
                           " " + std::to_string(c.lParam);
        EXPECT_EQ(!log.empty() && log.back() == pass, c.passedOn);
        EXPECT_EQ(m.Result, c.passedOn ? kPassedResult : 0);
        EXPECT_EQ(log.size() > 1 && log.front() == "show 100 5", c.toggles);
    }
}

TEST(DCMinTray, MinimizeHidesWindowAndTaskbarButtonAndAddsTheIconAgain) {
    Rig rig;
    rig.form.Show();
    rig.ShowIcon();
    WindowMessage m = rig.Send(274, kScMinimize);
    EXPECT_EQ(m.Result, 0);
    // The shell holds the icon already: the add fails and the icon is changed instead.
    EXPECT_EQ(rig.platform.log,
              (std::vector<std::string>{"show 100 0", "show 200 0", "notify 0", "notify 1"}));
    EXPECT_TRUE(rig.form.Visible());
    EXPECT_FALSE(rig.platform.visible[kFormWindow]);
}

TEST(DCMinTray, DestroyRemovesTheIconThenRestoresThenPassesOn) {
    struct Case {
        const char* name;
        bool shown;
        std::vector<std::string> log;
    };
    const Case cases[] = {
        {"icon shown", true, {"notify 2", "unhook", "pass 100 2 0 0"}},
        {"icon not shown", false, {"unhook", "pass 100 2 0 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        FakeApplication a;
        FakeForm f(p, kFormWindow);
        auto t = std::make_unique<TDCMinTray>(&f, p, a);
        f.LoadComponents([] {});
        a.mainForm = &f;
        if (c.shown) t->ShowIcon();
        p.log.clear();
        WindowMessage m;
        m.Msg = kWmDestroy;
        m = p.Deliver(m);
        EXPECT_EQ(m.Result, kPassedResult);
        EXPECT_FALSE(t->Hooked());
        EXPECT_FALSE(t->IconShown());
        EXPECT_EQ(p.log, c.log);
        // Later messages go straight to the window's own procedure.
        p.log.clear();
        EXPECT_EQ(p.Deliver(WindowMessage{15, 0, 0, -1}).Result, kPassedResult);
        EXPECT_TRUE(p.log.empty());
        // Everything went with the window: destroying the component only frees the hook.
        t.reset();
        EXPECT_EQ(p.log, std::vector<std::string>{"free"});
    }
}

TEST(DCMinTray, ComponentOutlivedByItsWindowRemovesTheIconThenReleasesTheBinding) {
    // A start-up that fails after the component attached: the form's parts go
    // before its window, and no WM_DESTROY will reach the component.
    struct Case {
        const char* name;
        bool shown;
        std::vector<std::string> log;
    } cases[] = {
        {"icon shown", true, {"notify 2", "free, unhooking"}},
        {"icon not shown", false, {"free, unhooking"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        FakeApplication a;
        FakeForm f(p, kFormWindow);
        {
            TDCMinTray t(&f, p, a);
            f.LoadComponents([] {});
            if (c.shown) t.ShowIcon();
            p.log.clear();
            p.notes.clear();
        }
        EXPECT_EQ(p.log, c.log);
        if (c.shown) {
            ASSERT_EQ(p.notes.size(), 1u);
            EXPECT_EQ(p.notes[0].record.hWnd, kFormWindow);
            EXPECT_EQ(p.notes[0].record.uID, 1u);
            EXPECT_EQ(p.notes[0].record.cbSize, sizeof(TrayIconRecord));
        }
    }
}

TEST(DCMinTray, TaskbarCreatedPutsTheIconBackWhenItWasShown) {
    struct Case {
        const char* name;
        unsigned registered;
        bool shown;
        std::uint32_t msg;
        std::vector<std::string> notes;
        bool shellLostIcon = true;
    };
    const Case cases[] = {
        {"shell restarted", kTaskbarCreated, true, kTaskbarCreated, {"notify 1", "notify 0"}},
        {"shell kept the icon", kTaskbarCreated, true, kTaskbarCreated, {"notify 1"}, false},
        {"not shown", kTaskbarCreated, false, kTaskbarCreated, {}},
        {"no number from the system, WM_NULL", 0, true, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        p.taskbarCreated = c.registered;
        FakeApplication a;
        FakeForm f(p, kFormWindow);
        TDCMinTray t(&f, p, a);
        f.LoadComponents([] {});
        a.mainForm = &f;
        if (c.shown) t.ShowIcon();
        p.shellHasIcon = !c.shellLostIcon;
        p.log.clear();
        p.notes.clear();
        WindowMessage m;
        m.Msg = c.msg;
        p.Deliver(m);
        std::vector<std::string> expected = c.notes;
        expected.push_back("pass 100 " + std::to_string(c.msg) + " 0 0");
        EXPECT_EQ(p.log, expected);
        for (const Notification& n : p.notes) EXPECT_EQ(n.record.uFlags, 7u);
        EXPECT_EQ(p.shellHasIcon, c.shown && c.registered != 0);
        // Explorer's broadcast must pass the filter of a clock run as administrator.
        EXPECT_EQ(p.allowed[kFormWindow],
                  c.registered ? std::vector<unsigned>{c.registered} : std::vector<unsigned>{});
    }
}

// At logon the shell may not run yet when the clock puts its icon up.
TEST(DCMinTray, AnIconTheShellRefusedIsTriedAgainEveryTwoSecondsForTwoMinutes) {
    struct Case {
        const char* name;
        int shellRunsAfter;  // retry ticks
        bool announces;      // the starting shell sends TaskbarCreated
        int ticks;           // until the timer is killed
    } cases[] = {
        {"the third try", 2, false, 3},
        {"the shell announces itself", 2, true, 2},
        {"no shell for two minutes", 1000, false, 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.platform.shellRuns = false;
        rig.tray.ShowIcon();
        rig.tray.SetHint("Время (F10)");  // the shell gets the tip set meanwhile
        ASSERT_EQ(rig.platform.timers,
                  (std::map<std::uintptr_t, unsigned>{{kTrayRetryTimer, 2000}}));
        int ticks = 0;
        for (int t = 0; t < 100 && !rig.platform.timers.empty(); ++t) {
            rig.platform.shellRuns = t >= c.shellRunsAfter;
            if (rig.platform.shellRuns && c.announces) rig.Send(kTaskbarCreated);
            if (rig.platform.timers.empty()) break;
            rig.Send(kWmTimer, kTrayRetryTimer);
            ++ticks;
        }
        EXPECT_EQ(ticks, c.ticks);
        EXPECT_EQ(rig.platform.shellHasIcon, c.ticks < 60);
        EXPECT_EQ(Tip(rig.platform.notes.back().record), "Время (F10)");
    }
}

}  // namespace
}  // namespace zv
