#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/Errors.h"
#include "settings/Hotkey.h"
#include "settings/HotkeyPresses.h"

namespace zv {
namespace {

using Log = std::vector<std::string>;

// Hotkey calls, dialog changes and tips, in one log so that their order shows.
struct Recorder : IHotkeyPlatform, ISettingsControls {
    void Unregister(int id) override { log.push_back("unregister " + std::to_string(id)); }
    void Register(int id, unsigned modifiers, unsigned vk) override {
        char flags[16];
        std::snprintf(flags, sizeof flags, "%#x", modifiers);
        log.push_back("register " + std::to_string(id) + " " + flags + " " + std::to_string(vk));
    }
    void SetCheckBox1Checked(bool checked) override {
        log.push_back(std::string("CheckBox1 ") + (checked ? "on" : "off"));
    }
    void SetComboBox1Text(const std::string& text) override {
        log.push_back("ComboBox1 '" + text + "'");
    }
    void SetComboBox2Text(const std::string& text) override {
        log.push_back("ComboBox2 '" + text + "'");
    }

    Log log;
    void Startup(std::string_view text) { hotkey.StartupPath(text, *this); }
    void Tick(std::uint16_t& phase, std::string& settings, std::string_view memo) {
        hotkey.Reregistration(phase, settings, memo, *this);
    }

    THotkeyRegistration hotkey{*this,
                               [this](const std::string& tip) { log.push_back("tip " + tip); }};
};

const std::string kBadKey = "'x' is not a valid integer value";

TEST(Hotkey, StartupPath) {
    struct Case {
        const char* name;
        std::string text;
        Log log;
        std::optional<std::string> error = std::nullopt;
    };
    const Case cases[] = {
        {"F11",
         "Hotkey=1\r\nKey=1\r\nRun=1\r\n",
         {"unregister 101", "ComboBox1 'F11'", "register 101 0x4000 122", "tip Время (F11)"}},
        {"F10, as the dialog names it",
         "Hotkey=1\r\nKey=2\r\nRun=1\r\n",
         {"unregister 101", "ComboBox1 'F10'", "register 101 0x4000 121", "tip Время (F10)"}},
        {"PrintScreen",
         "Hotkey=1\r\nKey=3\r\n",
         {"unregister 101", "ComboBox1 'PrintScreen'", "register 101 0x4000 44",
          "tip Время (PrintScreen)"}},
        {"ScrollLock",
         "Hotkey=1\r\nKey=4\r\n",
         {"unregister 101", "ComboBox1 'ScrollLock'", "register 101 0x4000 145",
          "tip Время (ScrollLock)"}},
        {"Pause",
         "Hotkey=1\r\nKey=5\r\n",
         {"unregister 101", "ComboBox1 'Pause/Break'", "register 101 0x4000 19",
          "tip Время (Pause/Break)"}},
        {"lines in another order",
         "Run=2\r\nKey=3\r\nHotkey=1\r\n",
         {"unregister 101", "ComboBox1 'PrintScreen'", "register 101 0x4000 44",
          "tip Время (PrintScreen)"}},
        {"two digits: the first counts",
         "Hotkey=1\r\nKey=12\r\n",
         {"unregister 101", "ComboBox1 'F11'", "register 101 0x4000 122", "tip Время (F11)"}},
        {"hotkey off", "Hotkey=0\r\nKey=3\r\n", {"unregister 101", "CheckBox1 off"}},
        {"both switches: unchecked and registered",
         "Hotkey=0\r\nHotkey=1\r\nKey=4\r\n",
         {"unregister 101", "CheckBox1 off", "ComboBox1 'ScrollLock'", "register 101 0x4000 145",
          "tip Время (ScrollLock)"}},
        {"hotkey on without Key=", "Hotkey=1\r\nRun=1\r\n", {"unregister 101"}},
        {"digit 0 has no row", "Hotkey=1\r\nKey=0\r\n", {"unregister 101", "ComboBox1 ''"}},
        {"digit 6 has no row", "Hotkey=1\r\nKey=6\r\n", {"unregister 101", "ComboBox1 ''"}},
        {"digit 9 has no row", "Hotkey=1\r\nKey=9\r\n", {"unregister 101", "ComboBox1 ''"}},
        {"lower-case switch", "hotkey=1\r\nKey=1\r\n", {"unregister 101"}},
        {"capital K in the switch", "HotKey=1\r\nKey=2\r\n", {"unregister 101"}},
        {"empty text", "", {"unregister 101"}},
        {"bad digit: nothing of the key happens",
         "Hotkey=1\r\nKey=x\r\n",
         {"unregister 101"},
         kBadKey},
        {"bad digit after the box was unchecked",
         "Hotkey=0\r\nHotkey=1\r\nKey=x\r\n",
         {"unregister 101", "CheckBox1 off"},
         kBadKey},
        {"a blank is read as the value",
         "Hotkey=1\r\nKey= 1\r\n",
         {"unregister 101"},
         "' ' is not a valid integer value"},
        {"Key= ends the text",
         "Hotkey=1\r\nKey=",
         {"unregister 101"},
         "'' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder r;
        std::optional<std::string> error;
        try {
            r.Startup(c.text);
        } catch (const EConvertError& e) {
            error = e.what();
        }
        EXPECT_EQ(r.log, c.log);
        EXPECT_EQ(error, c.error);
    }
}

TEST(Hotkey, Reregistration) {
    struct Case {
        const char* name;
        std::string settings;
        std::string memo;
        Log log;
        std::uint16_t phase;
        std::uint16_t phaseAfter;
        bool throws = false;
    };
    const std::string on2 = "Hotkey=1\r\nKey=2\r\nRun=1\r\n";
    const std::string off1 = "Hotkey=0\r\nKey=1\r\nRun=1\r\n";
    const Case cases[] = {
        {"nothing pending", on2, on2, {}, 0, 0},
        {"start-up pending", on2, on2, {}, 1, 1},
        {"Apply with the hotkey on: F10",
         on2,
         on2,
         {"unregister 101", "ComboBox1 'F10'", "register 101 0x4000 121", "tip Время (F10)"},
         2,
         0},
        {"Apply with the hotkey off: phase stays", off1, off1, {"unregister 101"}, 2, 2},
        {"digit without a row: phase back to 0 all the same",
         "Hotkey=1\r\nKey=7\r\n",
         "Hotkey=1\r\nKey=7\r\n",
         {"unregister 101", "ComboBox1 ''"},
         2,
         0},
        {"hotkey on without Key=", "Hotkey=1\r\n", "Hotkey=1\r\n", {}, 2, 2},
        {"hotkey off without Key=", "Hotkey=0\r\n", "Hotkey=0\r\n", {}, 2, 2},
        {"both switches",
         "Hotkey=0\r\nHotkey=1\r\nKey=3\r\n",
         "Hotkey=0\r\nHotkey=1\r\nKey=3\r\n",
         {"unregister 101", "unregister 101", "ComboBox1 'PrintScreen'", "register 101 0x4000 44",
          "tip Время (PrintScreen)"},
         2,
         0},
        {"the key is read from the memo copied again",
         "Hotkey=1\r\nKey=1\r\n",
         "Hotkey=1\r\nKey=5\r\n",
         {"unregister 101", "ComboBox1 'Pause/Break'", "register 101 0x4000 19",
          "tip Время (Pause/Break)"},
         2,
         0},
        {"bad digit: phase stays",
         "Hotkey=1\r\nKey=x\r\n",
         "Hotkey=1\r\nKey=x\r\n",
         {"unregister 101"},
         2,
         2,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorder r;
        std::uint16_t phase = c.phase;
        std::string settings = c.settings;
        bool threw = false;
        try {
            r.Tick(phase, settings, c.memo);
        } catch (const EConvertError&) {
            threw = true;
        }
        EXPECT_EQ(r.log, c.log);
        EXPECT_EQ(phase, c.phaseAfter);
        EXPECT_EQ(threw, c.throws);
        // The settings text is copied from the memo only on the way to a registration.
        bool copied = c.phase == 2 && c.settings.find("Hotkey=1") != std::string::npos &&
                      c.settings.find("Key=") != std::string::npos;
        EXPECT_EQ(settings, copied ? c.memo : c.settings);
    }
}

TEST(Hotkey, AfterAnApplyWithTheHotkeyOffEveryTickUnregistersUntilItIsOnAgain) {
    Recorder r;
    std::uint16_t phase = 2;
    std::string off = "Hotkey=0\r\nKey=1\r\nRun=1\r\n";
    for (int tick = 0; tick < 3; ++tick) r.Tick(phase, off, off);
    EXPECT_EQ(r.log, (Log{"unregister 101", "unregister 101", "unregister 101"}));
    EXPECT_EQ(phase, 2);

    r.log.clear();
    std::string on = "Hotkey=1\r\nKey=1\r\nRun=1\r\n";
    r.Tick(phase, on, on);
    r.Tick(phase, on, on);
    EXPECT_EQ(r.log, (Log{"unregister 101", "ComboBox1 'F11'", "register 101 0x4000 122",
                          "tip Время (F11)"}));
    EXPECT_EQ(phase, 0);
}

TEST(Hotkey, EveryRowRegistersTheSameKeyOnBothPaths) {
    for (int key = 1; key <= 5; ++key) {
        SCOPED_TRACE(key);
        std::string text = "Hotkey=1\r\nKey=" + std::to_string(key) + "\r\n";
        Recorder startup;
        startup.Startup(text);
        Recorder apply;
        std::uint16_t phase = 2;
        apply.Tick(phase, text, text);
        EXPECT_EQ(startup.log, apply.log);
        EXPECT_EQ(startup.log.size(), 4u);
    }
}

TEST(Hotkey, MessageClicksButton1OnlyForItsOwnId) {
    struct Case {
        std::uint32_t msg;
        std::uintptr_t id;
        bool isHotkey;
        int clicks;
    };
    const Case cases[] = {
        {0x0312, 101, true, 1},
        {0x0312, 102, true, 0},
        {0x0312, 0, true, 0},
        {0x0111, 101, false, 0},  // WM_COMMAND carrying the same number
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.msg << " " << c.id);
        int clicks = 0;
        EXPECT_EQ(HotkeyMessage(c.msg, c.id, [&] { ++clicks; }), c.isHotkey);
        EXPECT_EQ(clicks, c.clicks);
    }
}

// Once the time, twice within a second the date, a third press the time; a
// key held down, whatever Wine repeats meanwhile, is one press.
TEST(Hotkey, PressesSayTheTimeTheDateOnASecondPressAndIgnoreAHeldKey) {
    struct Press {
        int64_t ms;
        bool held;
        PressAction says;
    };
    struct Row {
        const char* what;
        std::vector<Press> presses;
    } rows[] = {
        {"one press", {{0, false, PressAction::Time}}},
        {"two within a second", {{0, false, PressAction::Time}, {1000, false, PressAction::Date}}},
        {"two a little more than a second apart",
         {{0, false, PressAction::Time}, {1001, false, PressAction::Time}}},
        {"a third starts over",
         {{0, false, PressAction::Time},
          {300, false, PressAction::Date},
          {600, false, PressAction::Time},
          {900, false, PressAction::Date}}},
        {"a held key repeats",
         {{0, false, PressAction::Time},
          {500, true, PressAction::Ignore},
          {530, true, PressAction::Ignore},
          {2000, true, PressAction::Ignore}}},
        {"released, pressed again after the repeats",
         {{0, false, PressAction::Time},
          {500, true, PressAction::Ignore},
          {800, false, PressAction::Date}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        THotkeyPresses presses;
        for (const Press& p : row.presses) EXPECT_EQ(presses.Press(p.ms, p.held), p.says) << p.ms;
    }
}

}  // namespace
}  // namespace zv
