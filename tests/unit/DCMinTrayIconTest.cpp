#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TrayRig.h"

namespace zv {
namespace {

using namespace test::tray;

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

TEST(DCMinTray, ShowIconWhileShownAddsAgainThenChangesTheIconTheShellHolds) {
    Rig rig;
    rig.ShowIcon();
    rig.tray.ShowIcon();
    EXPECT_EQ(rig.platform.log, (std::vector<std::string>{"notify 0", "notify 1"}));
    EXPECT_TRUE(rig.platform.timers.empty());
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

// A new DPI: the owner's icon, reloaded at that DPI's size, replaces the
// shown one; the tip and the rest of the record stay; nothing is sent while
// no icon is shown.
TEST(DCMinTray, UpdateIconSendsTheOwnersIconAlone) {
    struct Case {
        const char* name;
        bool shown;
        std::uintptr_t newIcon;
        std::uintptr_t sent;  // 0: nothing sent
    };
    const Case cases[] = {
        {"shown, a new form icon", true, 0x500, 0x500},
        {"shown, the form has none", true, 0, kAppIcon},
        {"not shown", false, 0x500, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.form.icon = 0x400;
        rig.tray.SetHint("Время (F11)");
        if (c.shown) rig.ShowIcon();
        rig.form.icon = c.newIcon;
        rig.tray.UpdateIcon();
        const auto& notes = rig.platform.notes;
        ASSERT_EQ(notes.size(), c.sent ? 1u : 0u);
        if (!c.sent) continue;
        EXPECT_EQ(notes[0].action, kNimModify);
        EXPECT_EQ(notes[0].record.uFlags, kNifIcon);
        EXPECT_EQ(notes[0].record.hIcon, c.sent);
        EXPECT_EQ(notes[0].record.hWnd, kFormWindow);
        EXPECT_EQ(notes[0].record.uID, 1u);
        // A restarted shell gets the new icon, and the tip as it was.
        EXPECT_EQ(rig.tray.IconRecord().hIcon, c.sent);
        EXPECT_EQ(rig.tray.IconRecord().uFlags, 7u);
        EXPECT_EQ(Tip(rig.tray.IconRecord()), "Время (F11)");
    }
}

TEST(DCMinTray, HintSetWhileHiddenIsUsedByTheNextShowIcon) {
    Rig rig;
    rig.tray.SetHint("Время (Pause/Break)");
    EXPECT_TRUE(rig.platform.notes.empty());
    rig.tray.ShowIcon();
    ASSERT_EQ(rig.platform.notes.size(), 1u);
    EXPECT_EQ(Tip(rig.platform.notes[0].record), "Время (Pause/Break)");
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
        WindowMessage m = rig.Send(c.msg, 1, c.lParam);
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

// Where the shell takes the fourth form, the event is the low word of the
// long parameter and the icon's place the word parameter: the mouse acts as
// in the first form, Enter, Space and a menu key reach the icon too, and a
// keyboard menu closed without a command gives the focus back to the tray.
TEST(DCMinTray, FourthFormMessages) {
    constexpr std::uintptr_t kAnchor = (1070u << 16) | 0xFFFBu;  // (-5, 1070)
    struct Case {
        const char* name;
        std::vector<std::uint32_t> events;
        bool commandChosen;
        int toggles, rightClicks, keyMenus, focusBack;
    };
    const Case cases[] = {
        {"a click: press, release, select", {513, 514, 0x400}, false, 1, 0, 0, 0},
        {"a double-click", {513, 514, 0x400, 515, 514, 0x400}, false, 1, 0, 0, 0},
        {"Space or Enter", {0x401}, false, 1, 0, 0, 0},
        {"a select with no press before it", {0x400}, false, 1, 0, 0, 0},
        {"a right click: release, then the menu", {516, 517, 123}, false, 0, 1, 0, 0},
        {"a right release alone", {517}, false, 0, 0, 0, 0},
        {"Shift+F10, closed with Esc", {123}, false, 0, 0, 1, 1},
        {"Shift+F10, a command chosen", {123}, true, 0, 0, 1, 0},
        {"a right click, then Shift+F10", {517, 123, 123}, false, 0, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.platform.takesVersion4 = true;
        rig.form.Show();
        rig.ShowIcon();
        int rightClicks = 0, keyMenus = 0;
        rig.tray.SetOnRightClick([&] { ++rightClicks; });
        rig.tray.SetOnKeyMenu([&](int x, int y) {
            ++keyMenus;
            EXPECT_EQ(x, -5);
            EXPECT_EQ(y, 1070);
            return c.commandChosen;
        });
        for (std::uint32_t event : c.events) {
            WindowMessage m =
                rig.Send(1025, kAnchor, static_cast<std::intptr_t>((1u << 16) | event));
            EXPECT_EQ(m.Result, kPassedResult);
        }
        const auto& log = rig.platform.log;
        EXPECT_EQ(std::count(log.begin(), log.end(), "show 200 0"), c.toggles);
        EXPECT_EQ(rightClicks, c.rightClicks);
        EXPECT_EQ(keyMenus, c.keyMenus);
        EXPECT_EQ(std::count(log.begin(), log.end(), "notify 3"), c.focusBack);
    }
    // Refused, the first form stays: a right release opens the menu by itself.
    Rig rig;
    rig.form.Show();
    rig.ShowIcon();
    int rightClicks = 0;
    rig.tray.SetOnRightClick([&] { ++rightClicks; });
    rig.Send(1025, 1, 517);
    EXPECT_EQ(rightClicks, 1);
}

}  // namespace
}  // namespace zv
