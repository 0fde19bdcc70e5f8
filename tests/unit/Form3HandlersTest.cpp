#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

#include "core/Errors.h"
#include "settings/Form3Handlers.h"
#include "settings/Memo.h"
#include "shell/AutoRunner.h"
#include "tests/unit/FakeRegistry.h"
#include "tests/unit/TempFiles.h"

namespace zv {
namespace {

using test::TFakeRegistry;
using test::TTempFiles;
using C = TForm3Control;

// The dialog's controls in their design state.
class TFakeControls final : public IForm3Controls {
  public:
    std::map<C, bool> checked{{Form3Control("CheckBox1"), true}};
    std::map<C, bool> enabled{
        {Form3Control("CheckBox1"), true},    {Form3Control("CheckBox2"), true},
        {Form3Control("RadioButton1"), true}, {Form3Control("RadioButton2"), true},
        {Form3Control("ComboBox1"), true},    {Form3Control("ComboBox2"), true}};
    std::map<C, int> itemIndex{{Form3Control("ComboBox1"), -1}, {Form3Control("ComboBox2"), -1}};
    std::map<C, std::string> text{{Form3Control("ComboBox1"), "F11"},
                                  {Form3Control("ComboBox2"), "На весь экран"}};
    int hides = 0;

    bool Checked(C c) const override { return checked.count(c) && checked.at(c); }
    void SetCheckState(C c, bool on) override { checked[c] = on; }
    void SetEnabled(C c, bool on) override { enabled[c] = on; }
    int ItemIndex(C c) const override { return itemIndex.at(c); }
    void SetComboText(C c, const std::string& t, int index) override {
        text[c] = t;
        itemIndex[c] = index;
    }
    void HideDialog() override { ++hides; }
};

class Form3HandlersTest : public ::testing::Test {
  protected:
    Form3HandlersTest() {
        registry.AddKey(kHKeyCurrentUser);
        registry.AddKey(kHKeyLocalMachine);
    }
    // The main window's loading, then the dialog's creation.
    void Create() {
        form.LoadComponents([&] { ApplyStoredValues(autoRunner1); });
        registry.log.clear();
        logic.FormCreate();
    }
    std::string Value(uint32_t root) { return registry.StringAt(root, "MyApplication"); }

    TTempFiles files;
    TMemo memo1{files};
    TFakeRegistry registry;
    TComponent form{nullptr};
    TAutoRunner autoRunner1{&form, registry, "C:\\Zvenoks\\Zvenoks.exe"};
    uint16_t startupPhase = 0;
    TFakeControls controls;
    TForm3Handlers logic{controls, memo1, autoRunner1, startupPhase};
};

TEST_F(Form3HandlersTest, FormCreateShowsTheAutostartStateAndWritesNothing) {
    struct Case {
        const char* what;
        uint32_t valueUnder;  // 0: no value
        bool checkBox2, radioButton1, radioButton2;
    } cases[] = {
        {"no autostart", 0, false, false, true},
        {"for the current user", kHKeyCurrentUser, true, false, true},
        {"for all users", kHKeyLocalMachine, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeRegistry registry;
        registry.AddKey(kHKeyCurrentUser);
        registry.AddKey(kHKeyLocalMachine);
        if (c.valueUnder) registry.PutString(c.valueUnder, "MyApplication", "\"C:\\Z.exe\"");
        TComponent form(nullptr);
        TAutoRunner runner(&form, registry, "C:\\Z.exe");
        form.LoadComponents([&] { ApplyStoredValues(runner); });
        registry.log.clear();
        TFakeControls controls;
        TForm3Handlers logic(controls, memo1, runner, startupPhase);
        logic.FormCreate();
        EXPECT_EQ(controls.Checked(Form3Control("CheckBox2")), c.checkBox2);
        EXPECT_EQ(controls.enabled[Form3Control("RadioButton1")], c.checkBox2);
        EXPECT_EQ(controls.enabled[Form3Control("RadioButton2")], c.checkBox2);
        EXPECT_EQ(controls.Checked(Form3Control("RadioButton1")), c.radioButton1);
        EXPECT_EQ(controls.Checked(Form3Control("RadioButton2")), c.radioButton2);
        EXPECT_TRUE(registry.log.empty()) << registry.log.front();
    }
}

TEST_F(Form3HandlersTest, ApplyWritesTheThreeLinesAndAsksForReRegistration) {
    struct Case {
        bool checkBox1;
        int key, run;
        const char* file;
    } cases[] = {
        {true, -1, -1, "Hotkey=1\r\nKey=1\r\nRun=1\r\n"},
        {true, 0, 0, "Hotkey=1\r\nKey=1\r\nRun=1\r\n"},
        {false, 1, 1, "Hotkey=0\r\nKey=2\r\nRun=2\r\n"},
        {false, 2, -1, "Hotkey=0\r\nKey=3\r\nRun=1\r\n"},
        {true, 3, 1, "Hotkey=1\r\nKey=4\r\nRun=2\r\n"},
        {true, 4, 0, "Hotkey=1\r\nKey=5\r\nRun=1\r\n"},
    };
    Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        controls.checked[Form3Control("CheckBox1")] = c.checkBox1;
        controls.itemIndex[Form3Control("ComboBox1")] = c.key;
        controls.itemIndex[Form3Control("ComboBox2")] = c.run;
        startupPhase = 0;
        int hides = controls.hides;
        logic.Button1Click();
        EXPECT_EQ(controls.hides, hides + 1);
        EXPECT_EQ(memo1.Text(), c.file);
        EXPECT_EQ(TTempFiles::Get(files.Root() / "config.cfg"), c.file);
        EXPECT_EQ(startupPhase, 2);
    }
}

TEST_F(Form3HandlersTest, FailedApplyHidesFillsMemo1AndLeavesThePhase) {
    Create();
    std::filesystem::create_directory(files.Root() / "config.cfg");
    startupPhase = 0;
    try {
        logic.Button1Click();
        FAIL() << "saved over a folder";
    } catch (const EFileError& e) {
        EXPECT_STREQ(e.what(), ("Cannot create file \"" + (files.Root() / "config.cfg").string() +
                                "\". Is a directory")
                                   .c_str());
    }
    EXPECT_EQ(controls.hides, 1);
    EXPECT_EQ(memo1.Text(), "Hotkey=1\r\nKey=1\r\nRun=1\r\n");
    EXPECT_EQ(startupPhase, 0);
}

TEST_F(Form3HandlersTest, ComboTextSelectsTheItemOfExactlyThatText) {
    struct Case {
        const char* text;
        bool first;  // ComboBox1, else ComboBox2
        int index;
    } cases[] = {
        {"PrintScreen", true, 2},  {"F10", true, 1},
        {"printscreen", true, -1}, {"", true, -1},
        {"Pause/Break", true, 4},  {"В трее", false, 1},
        {"", false, -1},           {"На весь экран", false, 0},
    };
    Create();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        C combo = c.first ? Form3Control("ComboBox1") : Form3Control("ComboBox2");
        // From a selection that differs, so a kept one would show.
        controls.itemIndex[combo] = 3;
        if (c.first) {
            logic.SetComboBox1Text(c.text);
        } else {
            logic.SetComboBox2Text(c.text);
        }
        EXPECT_EQ(controls.text[combo], c.text);
        EXPECT_EQ(controls.itemIndex[combo], c.index);
    }
}

TEST_F(Form3HandlersTest, CheckBox1EnablesComboBox1WhetherUserOrProgramChangesIt) {
    Create();
    logic.UserClicked(Form3Control("CheckBox1"));
    EXPECT_FALSE(controls.Checked(Form3Control("CheckBox1")));
    EXPECT_FALSE(controls.enabled[Form3Control("ComboBox1")]);
    logic.UserClicked(Form3Control("CheckBox1"));
    EXPECT_TRUE(controls.enabled[Form3Control("ComboBox1")]);
    logic.SetCheckBox1Checked(false);
    EXPECT_FALSE(controls.Checked(Form3Control("CheckBox1")));
    EXPECT_FALSE(controls.enabled[Form3Control("ComboBox1")]);
    // Apply still writes the disabled combo's key.
    controls.itemIndex[Form3Control("ComboBox1")] = 4;
    logic.Button1Click();
    EXPECT_EQ(memo1.Text(), "Hotkey=0\r\nKey=5\r\nRun=1\r\n");
}

TEST_F(Form3HandlersTest, OfTheOtherControlsOnlyButton1AnswersAClick) {
    // Check boxes and radio buttons have their own cases above.
    Create();
    const auto config = files.Root() / "config.cfg";
    for (size_t i = 0; i < kForm3ControlCount; ++i) {
        const ControlDesign& d = kForm3Controls[i];
        if (d.kind == TControlKind::CheckBox || d.kind == TControlKind::RadioButton) continue;
        SCOPED_TRACE(std::string(d.name));
        const auto state = [&] {
            return std::make_tuple(controls.checked, controls.enabled, controls.itemIndex,
                                   controls.text);
        };
        const auto before = state();
        const int hides = controls.hides;
        registry.log.clear();
        logic.UserClicked(static_cast<TForm3Control>(i));
        const bool applies = d.name == "Button1";
        EXPECT_EQ(controls.hides, hides + (applies ? 1 : 0));
        EXPECT_EQ(std::filesystem::exists(config), applies);
        EXPECT_TRUE(state() == before);
        EXPECT_TRUE(registry.log.empty());
        std::filesystem::remove(config);
    }
}

TEST_F(Form3HandlersTest, AutostartClicksWriteTheRegistryAtOnce) {
    Create();
    EXPECT_FALSE(controls.enabled[Form3Control("RadioButton1")]);
    // Radio buttons of an unchecked CheckBox2 change nothing in the registry.
    logic.UserClicked(Form3Control("RadioButton1"));
    EXPECT_TRUE(controls.Checked(Form3Control("RadioButton1")));
    EXPECT_FALSE(controls.Checked(Form3Control("RadioButton2")));
    EXPECT_EQ(autoRunner1.RegLocation(), TRegLocation::CurrentUser);
    EXPECT_TRUE(registry.log.empty());
    logic.UserClicked(Form3Control("RadioButton2"));

    logic.UserClicked(Form3Control("CheckBox2"));
    EXPECT_TRUE(autoRunner1.AutoRun());
    EXPECT_TRUE(controls.enabled[Form3Control("RadioButton1")] &&
                controls.enabled[Form3Control("RadioButton2")]);
    EXPECT_EQ(Value(kHKeyCurrentUser), "\"C:\\Zvenoks\\Zvenoks.exe\"");

    logic.UserClicked(Form3Control("RadioButton1"));
    EXPECT_EQ(autoRunner1.RegLocation(), TRegLocation::LocalMachine);
    EXPECT_EQ(Value(kHKeyCurrentUser), "<none>");
    EXPECT_EQ(Value(kHKeyLocalMachine), "\"C:\\Zvenoks\\Zvenoks.exe\"");

    // A second click on the checked radio button sends nothing.
    registry.log.clear();
    logic.UserClicked(Form3Control("RadioButton1"));
    EXPECT_TRUE(registry.log.empty());

    logic.UserClicked(Form3Control("CheckBox2"));
    EXPECT_FALSE(autoRunner1.AutoRun());
    EXPECT_EQ(Value(kHKeyLocalMachine), "<none>");
    // Disabled, and the checked one stays checked.
    EXPECT_FALSE(controls.enabled[Form3Control("RadioButton1")] ||
                 controls.enabled[Form3Control("RadioButton2")]);
    EXPECT_TRUE(controls.Checked(Form3Control("RadioButton1")));
}

TEST_F(Form3HandlersTest, RefusedAutostartChangesShowTheTruthAndSayWhyOnce) {
    const std::string quoted = "\"C:\\Zvenoks\\Zvenoks.exe\"";
    const std::string admin =
        "Автозапуск для всех пользователей не изменён: для этого нужны права администратора. "
        "Запустите Zvenoks от имени администратора или выберите «Только для меня».";
    const std::string cannot =
        "Не удалось записать настройку автозапуска в реестр; автозапуск остался прежним.";
    struct Case {
        const char* what;
        std::function<void(TFakeRegistry&)> arrange;
        C click;
        std::string message;
        bool checkBox2, radioButton1;  // the controls afterwards
        std::string currentUser, localMachine;
        bool replaceable = false;  // standard users may replace the exe
    } cases[] = {
        {"a standard user picks all users: the current user's autostart stays",
         [&](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", quoted);
             r.Find(kHKeyLocalMachine)->readOnly = true;
         },
         Form3Control("RadioButton1"), admin, true, false, quoted, "<none>"},
        {"switching on is refused under the current user",
         [](TFakeRegistry& r) { r.Find(kHKeyCurrentUser)->refuseWrites = true; },
         Form3Control("CheckBox2"), cannot, false, false, "<none>", "<none>"},
        {"a standard user cannot switch off autostart for all users",
         [&](TFakeRegistry& r) {
             r.PutString(kHKeyLocalMachine, "MyApplication", quoted);
             r.Find(kHKeyLocalMachine)->readOnly = true;
         },
         Form3Control("CheckBox2"), admin, true, true, "<none>", quoted},
        {"another program's value: named, and left as it was",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", "\"C:\\Tools\\tool.exe\" -q");
         },
         Form3Control("CheckBox2"),
         "Автозапуск не включён: под именем «MyApplication» в автозапуске Windows уже записана "
         "другая программа: C:\\Tools\\tool.exe. Zvenoks не меняет и не удаляет чужую запись.",
         false, false, "\"C:\\Tools\\tool.exe\" -q", "<none>"},
        {"all users for an exe standard users may replace: the current user's stays",
         [&](TFakeRegistry& r) { r.PutString(kHKeyCurrentUser, "MyApplication", quoted); },
         Form3Control("RadioButton1"),
         "Автозапуск для всех пользователей не включён: Zvenoks.exe или его папку могут изменить "
         "обычные пользователи, и подменённая программа запустилась бы с правами администратора, "
         "когда он войдёт в Windows. Установите Zvenoks в папку «Program Files» (например, "
         "C:\\Program Files\\Zvenoks) и включите автозапуск оттуда или выберите «Только для "
         "меня».",
         true, false, quoted, "<none>", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeRegistry registry;
        registry.AddKey(kHKeyCurrentUser);
        registry.AddKey(kHKeyLocalMachine);
        c.arrange(registry);
        struct : IAutoRunFiles {
            bool replaceable = false;
            std::string FinalPath(const std::string& path) override { return path; }
            bool UsersMayReplace(const std::string&) override { return replaceable; }
        } files;
        files.replaceable = c.replaceable;
        TComponent owner(nullptr);
        TAutoRunner runner(&owner, registry, "C:\\Zvenoks\\Zvenoks.exe", &files);
        owner.LoadComponents([&] { ApplyStoredValues(runner); });
        TFakeControls fake;
        TForm3Handlers dialog(fake, memo1, runner, startupPhase);
        dialog.FormCreate();

        int thrown = 0;
        try {
            dialog.UserClicked(c.click);
        } catch (const Exception& e) {
            ++thrown;
            EXPECT_EQ(e.what(), c.message);
        }
        EXPECT_EQ(thrown, 1);
        EXPECT_EQ(fake.Checked(Form3Control("CheckBox2")), c.checkBox2);
        EXPECT_EQ(fake.Checked(Form3Control("RadioButton1")), c.radioButton1);
        EXPECT_EQ(fake.Checked(Form3Control("RadioButton2")), !c.radioButton1);
        EXPECT_EQ(fake.enabled[Form3Control("RadioButton1")], c.checkBox2);
        EXPECT_EQ(registry.StringAt(kHKeyCurrentUser, "MyApplication"), c.currentUser);
        EXPECT_EQ(registry.StringAt(kHKeyLocalMachine, "MyApplication"), c.localMachine);

        // The controls agree with the component again: a second click tries anew.
        EXPECT_EQ(runner.AutoRun(), c.checkBox2);
        EXPECT_THROW(dialog.UserClicked(c.click), Exception);
    }
}

TEST(Form3Lines, IndexesOutsideTheItemsWriteTheFirstRow) {
    EXPECT_EQ(KeyLine(5), "Key=1");
    EXPECT_EQ(KeyLine(-2), "Key=1");
    EXPECT_EQ(RunLine(2), "Run=1");
}

}  // namespace
}  // namespace zv
