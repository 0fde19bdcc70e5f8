#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/DCMinTray.h"

namespace zv {
namespace {

constexpr std::uintptr_t kFormWindow = 0x100;
constexpr std::uintptr_t kAppWindow = 0x200;
constexpr std::uintptr_t kAppIcon = 0x300;
constexpr std::intptr_t kPassedResult = 77;
constexpr unsigned kTaskbarCreated = 0xC123;

std::string Hex(std::uintptr_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%zx", static_cast<std::size_t>(v));
    return buf;
}

struct Notification {
    unsigned action;
    TrayIconRecord record;
};

// Records the traffic to the window system, and keeps each window's real
// visibility as ShowWindow leaves it.
class FakePlatform : public ITrayPlatform {
  public:
    std::vector<std::string> log;
    std::vector<Notification> notes;
    std::map<std::uintptr_t, bool> visible;
    unsigned taskbarCreated = kTaskbarCreated;

    void NotifyIcon(unsigned action, const TrayIconRecord& record) override {
        notes.push_back({action, record});
        log.push_back("notify " + std::to_string(action));
    }
    std::unique_ptr<IWindowHook> HookWindow(std::uintptr_t window,
                                            std::function<void(TMessage&)> handler) override;
    // What the window does with a message: the newest hook's handler has it
    // while hooked; otherwise it goes straight to the window's own procedure.
    TMessage Deliver(TMessage m) {
        if (!hooks.empty() && hooks.back().hooked) {
            hooks.back().handler(m);
        } else {
            m.Result = kPassedResult;
        }
        return m;
    }
    struct HookState {
        std::uintptr_t window;
        std::function<void(TMessage&)> handler;
        bool hooked = true;
        bool alive = true;
    };
    std::vector<HookState> hooks;
    void ShowWindow(std::uintptr_t window, int command) override {
        log.push_back("show " + Hex(window) + " " + std::to_string(command));
        visible[window] = command != kSwHide;
    }
    bool IsWindowVisible(std::uintptr_t window) override { return visible[window]; }
    unsigned RegisterMessage(std::string_view name) override {
        return name == "TaskbarCreated" ? taskbarCreated : 0;
    }
};

// A hook as the window system keeps one: it passes messages on for its window
// and logs what it is asked to do.
class FakeHook : public IWindowHook {
  public:
    FakeHook(FakePlatform& platform, std::size_t index) : platform_(platform), index_(index) {}
    ~FakeHook() override {
        auto& state = platform_.hooks[index_];
        platform_.log.push_back(state.hooked ? "free, unhooking" : "free");
        state.hooked = false;
        state.alive = false;
    }
    std::intptr_t PassOn(const TMessage& m) override {
        auto& state = platform_.hooks[index_];
        platform_.log.push_back("pass " + Hex(state.window) + " " + std::to_string(m.Msg) + " " +
                                std::to_string(m.WParam) + " " + std::to_string(m.LParam));
        return kPassedResult;
    }
    void Unhook() override {
        platform_.log.push_back("unhook");
        platform_.hooks[index_].hooked = false;
    }

  private:
    FakePlatform& platform_;
    std::size_t index_;
};

std::unique_ptr<IWindowHook> FakePlatform::HookWindow(std::uintptr_t window,
                                                      std::function<void(TMessage&)> handler) {
    log.push_back("hook " + Hex(window));
    hooks.push_back({window, std::move(handler)});
    return std::make_unique<FakeHook>(*this, hooks.size() - 1);
}

// A form whose Visible works as the framework's: assigning the value it already
// holds does nothing; another value shows or hides the window.
class FakeForm : public TComponent, public IForm {
  public:
    FakeForm(FakePlatform& platform, std::uintptr_t window)
        : TComponent(nullptr), platform_(platform), window_(window) {}

    std::uintptr_t WindowHandle() override { return window_; }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override {
        platform_.log.push_back(std::string("Visible := ") + (visible ? "true" : "false"));
        if (visible == visible_) return;
        visible_ = visible;
        platform_.visible[window_] = visible;
    }
    std::uintptr_t IconHandle() const override { return icon; }
    std::string Caption() const override { return caption; }

    // Shown as the framework shows it: flag and window agree.
    void Show() {
        visible_ = true;
        platform_.visible[window_] = true;
    }

    std::uintptr_t icon = 0;
    std::string caption = "Zvenoks";

  private:
    FakePlatform& platform_;
    std::uintptr_t window_;
    bool visible_ = false;
};

class FakeApplication : public IApplication {
  public:
    IForm* mainForm = nullptr;
    IForm* MainForm() const override { return mainForm; }
    std::uintptr_t WindowHandle() const override { return kAppWindow; }
    std::uintptr_t IconHandle() const override { return kAppIcon; }
    std::string ExeName() const override { return "C:\\Zvenoks\\Zvenoks.exe"; }
};

// The component on its form, built as the program builds it: the component
// loads with the form and attaches in AfterLoading, before the form becomes
// the main form.
struct Rig {
    Rig() {
        form.LoadComponents([] {});
        app.mainForm = &form;
    }
    void ShowIcon() {
        tray.ShowIcon();
        Clear();
    }
    void Clear() {
        platform.log.clear();
        platform.notes.clear();
    }
    TMessage Send(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
        TMessage m;
        m.Msg = msg;
        m.WParam = wParam;
        m.LParam = lParam;
        m.Result = -1;
        return platform.Deliver(m);
    }

    FakePlatform platform;
    FakeApplication app;
    FakeForm form{platform, kFormWindow};
    TDCMinTray tray{&form, platform, app};
};

std::string Tip(const TrayIconRecord& r) {
    return std::string(r.szTip);
}

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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.form.Show();
        rig.ShowIcon();
        TMessage m = rig.Send(static_cast<std::uint32_t>(c.msg), c.wParam, c.lParam);

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
    TMessage m = rig.Send(274, kScMinimize);
    EXPECT_EQ(m.Result, 0);
    EXPECT_EQ(rig.platform.log, (std::vector<std::string>{"show 100 0", "show 200 0", "notify 0"}));
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
        TMessage m;
        m.Msg = kWmDestroy;
        m = p.Deliver(m);
        EXPECT_EQ(m.Result, kPassedResult);
        EXPECT_FALSE(t->Hooked());
        EXPECT_FALSE(t->IconShown());
        EXPECT_EQ(p.log, c.log);
        // Later messages go straight to the window's own procedure.
        p.log.clear();
        EXPECT_EQ(p.Deliver(TMessage{15, 0, 0, -1}).Result, kPassedResult);
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

TEST(DCMinTray, TaskbarCreatedAddsTheIconAgainWhenItWasShown) {
    struct Case {
        const char* name;
        unsigned registered;
        bool shown;
        std::uint32_t msg;
        bool readds;
    };
    const Case cases[] = {
        {"shown", kTaskbarCreated, true, kTaskbarCreated, true},
        {"not shown", kTaskbarCreated, false, kTaskbarCreated, false},
        {"no number from the system, WM_NULL", 0, true, 0, false},
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
        p.log.clear();
        p.notes.clear();
        TMessage m;
        m.Msg = c.msg;
        p.Deliver(m);
        std::vector<std::string> expected;
        if (c.readds) expected.push_back("notify 0");
        expected.push_back("pass 100 " + std::to_string(c.msg) + " 0 0");
        EXPECT_EQ(p.log, expected);
        if (c.readds) {
            EXPECT_EQ(p.notes[0].record.uFlags, 7u);
        }
    }
}

TEST(DCMinTray, IconRecordLayoutIsTheShellsFirstForm) {
    // cbSize, then the window; uID, uFlags, uCallbackMessage; the icon at the
    // next pointer boundary; the tip; nothing after it. 88 bytes with 32-bit
    // handles, 104 with 64-bit ones.
    constexpr std::size_t p = sizeof(void*);
    constexpr std::size_t icon = (2 * p + 12 + p - 1) / p * p;
    EXPECT_EQ(offsetof(TrayIconRecord, hWnd), p);
    EXPECT_EQ(offsetof(TrayIconRecord, uID), 2 * p);
    EXPECT_EQ(offsetof(TrayIconRecord, uFlags), 2 * p + 4);
    EXPECT_EQ(offsetof(TrayIconRecord, uCallbackMessage), 2 * p + 8);
    EXPECT_EQ(offsetof(TrayIconRecord, hIcon), icon);
    EXPECT_EQ(offsetof(TrayIconRecord, szTip), icon + p);
    EXPECT_EQ(sizeof(TrayIconRecord), icon + p + 64);
    EXPECT_EQ(sizeof(TrayIconRecord), p == 4 ? 88u : 104u);
}

TEST(DCMinTray, ShowIconFillsTheRecord) {
    const std::string longCaption(70, 'c');
    struct Case {
        const char* name;
        std::uintptr_t formIcon;
        std::string hint;
        std::string caption;
        std::uintptr_t icon;
        std::string tip;
    };
    const Case cases[] = {
        {"hint, no form icon", 0, "Время (F11)", "Zvenoks", kAppIcon, "Время (F11)"},
        {"form icon wins", 0x400, "Время (F11)", "Zvenoks", 0x400, "Время (F11)"},
        {"empty hint takes the caption", 0, "", "Zvenoks", kAppIcon, "Zvenoks"},
        {"long caption is cut", 0, "", longCaption, kAppIcon, longCaption.substr(0, 63)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.form.icon = c.formIcon;
        rig.form.caption = c.caption;
        rig.tray.SetHint(c.hint);
        rig.tray.ShowIcon();
        const auto& notes = rig.platform.notes;
        ASSERT_EQ(notes.size(), 1u);
        const TrayIconRecord& r = notes[0].record;
        EXPECT_EQ(notes[0].action, kNimAdd);
        EXPECT_EQ(r.cbSize, sizeof(TrayIconRecord));  // 88 in the 32-bit program
        EXPECT_EQ(r.hWnd, kFormWindow);
        EXPECT_EQ(r.uID, 1u);
        EXPECT_EQ(r.uFlags, 7u);
        EXPECT_EQ(r.uCallbackMessage, 1025u);
        EXPECT_EQ(r.hIcon, c.icon);
        EXPECT_EQ(Tip(r), c.tip);
        EXPECT_TRUE(rig.tray.IconShown());
        EXPECT_EQ(rig.tray.Hint(), c.hint);
    }
}

TEST(DCMinTray, ShowIconWhileShownAddsAgain) {
    Rig rig;
    rig.ShowIcon();
    rig.tray.ShowIcon();
    EXPECT_EQ(rig.platform.log, std::vector<std::string>{"notify 0"});
}

TEST(DCMinTray, HintRule) {
    const std::string russian70 = [] {
        std::string s;
        for (int i = 0; i < 35; ++i) s += "Вр";
        return s;
    }();
    struct Case {
        const char* name;
        std::string newHint;
        bool shown;
        bool sends;
        std::string tip;
    };
    const Case cases[] = {
        {"same text, shown", "Время (F11)", true, false, ""},
        {"differs in case only", "время (F11)", true, true, "время (F11)"},
        {"new text, shown", "Время (F10)", true, true, "Время (F10)"},
        {"new text, not shown", "Время (F10)", false, false, ""},
        {"empty text gives an empty tip", "", true, true, ""},
        {"long text is cut to 63 bytes", std::string(70, 'x'), true, true, std::string(63, 'x')},
        {"Russian text is cut between letters", russian70, true, true, russian70.substr(0, 62)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.tray.SetHint("Время (F11)");
        if (c.shown) rig.tray.ShowIcon();
        const TrayIconRecord stored = rig.tray.IconRecord();
        rig.Clear();

        rig.tray.SetHint(c.newHint);
        EXPECT_EQ(rig.tray.Hint(), c.newHint);
        const auto& notes = rig.platform.notes;
        ASSERT_EQ(notes.size(), c.sends ? 1u : 0u);
        if (c.sends) {
            const TrayIconRecord& r = notes[0].record;
            EXPECT_EQ(notes[0].action, kNimModify);
            EXPECT_EQ(r.uFlags, kNifTip);
            EXPECT_EQ(Tip(r), c.tip);
            EXPECT_EQ(r.cbSize, sizeof(TrayIconRecord));
            EXPECT_EQ(r.hWnd, stored.hWnd);
            EXPECT_EQ(r.uID, stored.uID);
            EXPECT_EQ(r.hIcon, stored.hIcon);
        }
        // The stored record keeps what ShowIcon made.
        EXPECT_EQ(rig.tray.IconRecord().uFlags, stored.uFlags);
        EXPECT_EQ(Tip(rig.tray.IconRecord()), Tip(stored));
    }
}

TEST(DCMinTray, HintSetWhileHiddenIsUsedByTheNextShowIcon) {
    Rig rig;
    rig.tray.SetHint("Время (Pause)");
    EXPECT_TRUE(rig.platform.notes.empty());
    rig.tray.ShowIcon();
    ASSERT_EQ(rig.platform.notes.size(), 1u);
    EXPECT_EQ(Tip(rig.platform.notes[0].record), "Время (Pause)");
}

TEST(TipText, NeverSplitsAUtf8Character) {
    const std::string ru = "В";     // 2 bytes
    const std::string euro = "€";   // 3 bytes
    const std::string emoji = "😀";  // 4 bytes
    auto repeat = [](const std::string& s, int n) {
        std::string r;
        for (int i = 0; i < n; ++i) r += s;
        return r;
    };
    struct Case {
        const char* name;
        std::string text;
        std::size_t bytes;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"63 ASCII", std::string(63, 'a'), 63},
        {"64 ASCII", std::string(64, 'a'), 63},
        {"31 letters and one byte fit", "a" + repeat(ru, 32), 63},
        {"a letter across the limit", "ab" + repeat(ru, 31), 62},
        {"32 letters", repeat(ru, 32), 62},
        {"3-byte characters", repeat(euro, 22), 63},
        {"3-byte character across the limit", "a" + repeat(euro, 22), 61},
        {"4-byte character across the limit", std::string(61, 'a') + emoji, 61},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string_view cut = TipText(c.text);
        EXPECT_EQ(cut.size(), c.bytes);
        EXPECT_EQ(cut, std::string_view(c.text).substr(0, c.bytes));
    }
}

TEST(DCMinTray, OnePressAlwaysToggles) {
    enum Start { Shown, HiddenByVisible, HiddenByMinimize };
    struct Case {
        const char* name;
        Start start;
        bool shownAfter;
    };
    const Case cases[] = {
        {"shown", Shown, false},
        {"hidden by Visible := false", HiddenByVisible, true},
        {"hidden by a minimize command", HiddenByMinimize, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.tray.ShowIcon();
        if (c.start != HiddenByVisible) rig.form.Show();
        if (c.start == HiddenByMinimize) rig.Send(274, kScMinimize);
        for (bool expected : {c.shownAfter, !c.shownAfter, c.shownAfter}) {
            rig.Send(1025, 1, 513);
            EXPECT_EQ(rig.platform.visible[kFormWindow], expected);
            EXPECT_EQ(rig.form.Visible(), expected);
            EXPECT_FALSE(rig.platform.visible[kAppWindow]);
        }
    }
}

TEST(DCMinTray, ToggleOrderOfCalls) {
    Rig rig;
    rig.Clear();
    rig.Send(1025, 1, 513);  // hidden: show
    EXPECT_EQ(rig.platform.log, (std::vector<std::string>{"show 100 0", "Visible := true",
                                                          "show 200 0", "pass 100 1025 1 513"}));
    rig.Clear();
    rig.Send(1025, 1, 513);  // shown: hide
    EXPECT_EQ(rig.platform.log, (std::vector<std::string>{"show 100 5", "Visible := false",
                                                          "show 200 0", "pass 100 1025 1 513"}));
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

TEST(DCMinTray, OnlyARightClickOnTheIconCallsTheRightClickHandler) {
    struct Case {
        const char* name;
        std::uint32_t msg;
        std::intptr_t lParam;
        int calls;
    };
    const Case cases[] = {
        {"right release", 1025, 517, 1},    {"context menu", 1025, 123, 1},
        {"right press", 1025, 516, 0},      {"right double-click", 1025, 518, 0},
        {"left press", 1025, 513, 0},       {"mouse move", 1025, 512, 0},
        {"WM_RBUTTONUP itself", 517, 0, 0}, {"WM_CONTEXTMENU itself", 123, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.form.Show();
        rig.ShowIcon();
        int calls = 0;
        rig.tray.SetOnRightClick([&] { ++calls; });
        TMessage m = rig.Send(c.msg, 1, c.lParam);
        EXPECT_EQ(calls, c.calls);
        // The message still reaches the window, and the clock is left as it was.
        EXPECT_EQ(m.Result, kPassedResult);
        if (c.lParam != 513) {
            EXPECT_TRUE(rig.platform.visible[kFormWindow]);
        }
    }
    // No handler: a right click is passed on and changes nothing.
    Rig rig;
    rig.form.Show();
    EXPECT_EQ(rig.Send(1025, 1, 517).Result, kPassedResult);
    EXPECT_TRUE(rig.platform.visible[kFormWindow]);
}

}  // namespace
}  // namespace zv
