// TForm3 with its real controls, the real registry of the test prefix and
// real files in a folder of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "adapters/WinFileStore.h"
#include "adapters/WinRegistry.h"
#include "settings/Form3Handlers.h"
#include "settings/Form3_win.h"
#include "settings/Memo.h"
#include "shell/AutoRunner.h"
#include "tests/unit/FakeRegistry.h"
#include "tests/win/WinTestSupport.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Read back through the UTF-16 call, whatever the process's code page.
std::string Text(HWND h) {
    wchar_t buffer[256] = {};
    GetWindowTextW(h, buffer, static_cast<int>(std::size(buffer)));
    return Narrow(buffer);
}

bool HasValue(HKEY root) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, kRun, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return false;
    UniqueKey key(raw);
    return RegQueryValueExA(key.Get(), "MyApplication", nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

void RemoveValues() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        zv::win::test::RemoveAutostartValue(root);
    }
}

std::string FileBytes(const std::string& name) {
    UniqueFile f(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                             nullptr));
    if (!f) return "<none>";
    std::string bytes(4096, '\0');
    DWORD n = 0;
    ReadFile(f.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    bytes.resize(n);
    return bytes;
}

std::vector<std::string> gShown;
void Record(const std::string& text) {
    gShown.push_back(text);
}

void Pump() {
    zv::win::test::PumpMessages();
}

class Form3WinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(zv::win::test::EnsureCurrentUserRunKey());
        RemoveValues();
        // A working folder of our own: Apply writes "config.cfg" by its bare name.
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "zv-form3-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(GetTickCount());
        ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
        GetCurrentDirectoryA(MAX_PATH, previous_);
        ASSERT_TRUE(SetCurrentDirectoryA(folder_.c_str()));
        gShown.clear();
        SetErrorSink(&Record);
    }
    void TearDown() override {
        dialog_.reset();
        SetErrorSink(nullptr);
        SetCurrentDirectoryA(previous_);
        DeleteFileA((folder_ + "\\config.cfg").c_str());
        RemoveDirectoryA((folder_ + "\\config.cfg").c_str());
        RemoveDirectoryA(folder_.c_str());
        RemoveValues();
    }
    // The main window's loading, then the dialog's creation.
    TForm3& Create(TDialogMaking making = TDialogMaking::Now) {
        form_.LoadComponents([&] { ApplyStoredValues(autoRunner1_); });
        dialog_ = std::make_unique<TForm3>(nullptr, memo1_, autoRunner1_, startupPhase_, making);
        return *dialog_;
    }
    HWND C(const char* name) { return dialog_->Control(name); }
    bool Checked(const char* name) {
        return SendMessageA(C(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    int Selected(const char* name) {
        return static_cast<int>(SendMessageA(C(name), CB_GETCURSEL, 0, 0));
    }
    void Click(const char* name) {
        SendMessageA(C(name), BM_CLICK, 0, 0);
        Pump();
    }

    std::string folder_;
    char previous_[MAX_PATH] = {};
    TWinRegistry registry_;
    TWinFileStore files_;
    TMemo memo1_{files_};
    TComponent form_{nullptr};
    TAutoRunner autoRunner1_{&form_, registry_, "C:\\Program Files\\Zvenoks\\Zvenoks.exe"};
    uint16_t startupPhase_ = 0;
    std::unique_ptr<TForm3> dialog_;
};

TEST_F(Form3WinTest, WindowAndControlsAreAsDesigned) {
    TForm3& dialog = Create();
    HWND h = dialog.Handle();
    EXPECT_EQ(Text(h), "Настройки");
    RECT client{};
    GetClientRect(h, &client);
    // Wider where a caption needs more room in the font the system gives.
    EXPECT_GE(client.right, 325);
    EXPECT_EQ(client.bottom, 257);
    auto style = static_cast<DWORD>(GetWindowLongPtrA(h, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(h, GWL_EXSTYLE));
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(dialog.Visible());

    struct Row {
        const char* name;
        const char* className;
        const char* parent;  // nullptr: the dialog
        int left, top, width, height;
        const char* text;
    } rows[] = {
        {"Bevel1", "Static", nullptr, 8, 8, 305, 49, ""},
        {"Label1", "Static", nullptr, 24, 32, 119, 13, "произнесения времени"},
        {"Bevel2", "Static", nullptr, 8, 64, 305, 145, ""},
        {"GroupBox2", "Button", nullptr, 32, 152, 257, 49, "Запуск"},
        {"ComboBox2", "ComboBox", "GroupBox2", 48, 16, 161, 21, "На весь экран"},
        {"GroupBox1", "Button", nullptr, 16, 104, 289, 41, "Запускать"},
        {"RadioButton2", "Button", "GroupBox1", 8, 16, 145, 17, "Только для меня"},
        {"RadioButton1", "Button", "GroupBox1", 128, 16, 153, 17, "Для всех пользователей"},
        {"CheckBox1", "Button", nullptr, 16, 16, 129, 17, "Горячая клавиша для"},
        {"ComboBox1", "ComboBox", nullptr, 184, 24, 97, 21, "F11"},
        {"CheckBox2", "Button", nullptr, 24, 80, 265, 17,
         "Автозапуск программы при загрузке Windows"},
        {"Button1", "Button", nullptr, 8, 216, 305, 25, "Применить"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND c = C(row.name);
        ASSERT_NE(c, nullptr);
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        EXPECT_STRCASEEQ(cls, row.className);
        HWND parent = row.parent ? C(row.parent) : h;
        EXPECT_EQ(GetParent(c), parent);
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, row.left);
        EXPECT_EQ(r.top, row.top);
        EXPECT_GE(r.right - r.left, row.width);
        EXPECT_EQ(r.bottom - r.top, row.height);
        EXPECT_EQ(Text(c), row.text);
    }

    const std::pair<const char*, std::vector<std::string_view>> lists[] = {
        {"ComboBox1", {"F11", "F10", "PrintScreen", "ScrollLock", "Pause/Break"}},
        {"ComboBox2", {"На весь экран", "В трее"}},
    };
    for (const auto& [name, items] : lists) {
        ASSERT_EQ(SendMessageW(C(name), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(items.size()));
        for (size_t i = 0; i < items.size(); ++i) {
            wchar_t item[64] = {};
            SendMessageW(C(name), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            EXPECT_EQ(Narrow(item), items[i]) << name << " " << i;
        }
    }

    // Design state, after FormCreate with no autostart value.
    EXPECT_TRUE(Checked("CheckBox1"));
    EXPECT_FALSE(Checked("CheckBox2"));
    EXPECT_EQ(Selected("ComboBox1"), -1);
    EXPECT_EQ(Selected("ComboBox2"), -1);
    EXPECT_TRUE(IsWindowEnabled(C("ComboBox1")));
    EXPECT_FALSE(IsWindowEnabled(C("RadioButton1")));
    EXPECT_FALSE(IsWindowEnabled(C("RadioButton2")));
    EXPECT_TRUE(Checked("RadioButton2"));
    EXPECT_FALSE(Checked("RadioButton1"));
}

TEST_F(Form3WinTest, TabWalksTheControlsInTheirOrder) {
    TForm3& dialog = Create();
    dialog.Show();
    Click("CheckBox2");  // enables the radio buttons
    // Of a group of radio buttons only the checked one is a tab stop.
    for (const char* radio : {"RadioButton2", "RadioButton1"}) {
        SCOPED_TRACE(radio);
        Click(radio);
        const char* order[] = {"CheckBox1", "ComboBox1", "CheckBox2", "Button1",
                               radio,       "ComboBox2", "CheckBox1"};
        SetFocus(C("CheckBox1"));
        for (size_t i = 1; i < std::size(order); ++i) {
            SCOPED_TRACE(order[i]);
            MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
            EXPECT_TRUE(dialog.TranslateDialogMessage(tab));
            Pump();
            // A combo's focus is in its edit field, a child of the combo.
            HWND focus = GetFocus();
            HWND expected = C(order[i]);
            EXPECT_TRUE(focus == expected || GetParent(focus) == expected) << Text(focus);
        }
    }
}

TEST_F(Form3WinTest, ApplyInTheDesignStateWritesTheTwentyFourBytes) {
    TForm3& dialog = Create();
    dialog.Show();
    Click("Button1");
    EXPECT_EQ(FileBytes("config.cfg"), "Hotkey=1\r\nKey=1\r\nRun=1\r\n");
    EXPECT_EQ(FileBytes("config.cfg").size(), 24u);
    EXPECT_EQ(startupPhase_, 2);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_TRUE(gShown.empty());
}

TEST_F(Form3WinTest, SettingAComboTextSelectsTheItemOfThatText) {
    TForm3& dialog = Create();
    dialog.SetComboBox1Text("PrintScreen");
    EXPECT_EQ(Selected("ComboBox1"), 2);
    EXPECT_EQ(Text(C("ComboBox1")), "PrintScreen");
    dialog.SetComboBox2Text("В трее");
    EXPECT_EQ(Selected("ComboBox2"), 1);
    dialog.Show();
    Click("Button1");
    EXPECT_EQ(FileBytes("config.cfg"), "Hotkey=1\r\nKey=3\r\nRun=2\r\n");

    // No item of that text: the text alone, and Apply's first rows.
    dialog.SetComboBox1Text("printscreen");
    EXPECT_EQ(Selected("ComboBox1"), -1);
    EXPECT_EQ(Text(C("ComboBox1")), "printscreen");
    dialog.SetComboBox2Text("");
    EXPECT_EQ(Selected("ComboBox2"), -1);
    EXPECT_EQ(Text(C("ComboBox2")), "");
    dialog.Show();
    Click("Button1");
    EXPECT_EQ(FileBytes("config.cfg"), "Hotkey=1\r\nKey=1\r\nRun=1\r\n");
}

TEST_F(Form3WinTest, CheckBoxesDecideWhatIsEnabled) {
    TForm3& dialog = Create();
    dialog.Show();
    Click("CheckBox1");
    EXPECT_FALSE(Checked("CheckBox1"));
    EXPECT_FALSE(IsWindowEnabled(C("ComboBox1")));
    dialog.SetCheckBox1Checked(true);
    EXPECT_TRUE(Checked("CheckBox1"));
    EXPECT_TRUE(IsWindowEnabled(C("ComboBox1")));
    dialog.SetCheckBox1Checked(false);
    EXPECT_FALSE(IsWindowEnabled(C("ComboBox1")));

    Click("CheckBox2");
    EXPECT_TRUE(IsWindowEnabled(C("RadioButton1")));
    EXPECT_TRUE(IsWindowEnabled(C("RadioButton2")));
    Click("CheckBox2");
    EXPECT_FALSE(IsWindowEnabled(C("RadioButton1")));
    EXPECT_FALSE(IsWindowEnabled(C("RadioButton2")));
    EXPECT_TRUE(Checked("RadioButton2"));
}

TEST_F(Form3WinTest, AutostartClicksWriteAndDeleteTheValueAtOnce) {
    TForm3& dialog = Create();
    dialog.Show();
    Click("CheckBox2");
    EXPECT_TRUE(Checked("CheckBox2"));
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER));
    EXPECT_FALSE(HasValue(HKEY_LOCAL_MACHINE));

    Click("RadioButton1");
    EXPECT_TRUE(Checked("RadioButton1"));
    EXPECT_FALSE(Checked("RadioButton2"));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER));
    EXPECT_TRUE(HasValue(HKEY_LOCAL_MACHINE));

    // Closing without Apply keeps what the clicks did.
    SendMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_TRUE(IsWindow(dialog.Handle()));
    EXPECT_TRUE(HasValue(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(FileBytes("config.cfg"), "<none>");

    dialog.Show();
    Click("CheckBox2");
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER));
    EXPECT_FALSE(HasValue(HKEY_LOCAL_MACHINE));
}

TEST_F(Form3WinTest, ARefusedAutostartChangeIsShownOnceAndTheControlsTellTheTruth) {
    // A standard user: the local machine's key opens for reading only.
    zv::test::TFakeRegistry refusing;
    refusing.AddKey(kHKeyLocalMachine).readOnly = true;
    refusing.PutString(kHKeyCurrentUser, "MyApplication", "\"C:\\Zvenoks\\Zvenoks.exe\"");
    TComponent owner(nullptr);
    TAutoRunner runner(&owner, refusing, "C:\\Zvenoks\\Zvenoks.exe");
    owner.LoadComponents([&] { ApplyStoredValues(runner); });
    TForm3 dialog(nullptr, memo1_, runner, startupPhase_);
    dialog.Show();
    HWND all = dialog.Control("RadioButton1");
    HWND me = dialog.Control("RadioButton2");
    ASSERT_EQ(SendMessageA(me, BM_GETCHECK, 0, 0), BST_CHECKED);

    SendMessageA(all, BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(gShown, std::vector<std::string>{AutostartRefusedText(TRegLocation::LocalMachine)});
    EXPECT_EQ(SendMessageA(all, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(me, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(dialog.Control("CheckBox2"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(refusing.StringAt(kHKeyCurrentUser, "MyApplication"), "\"C:\\Zvenoks\\Zvenoks.exe\"");
    EXPECT_EQ(runner.RegLocation(), TRegLocation::CurrentUser);
}

TEST_F(Form3WinTest, FormCreateShowsAValueFoundForAllUsers) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRun, 0, KEY_ALL_ACCESS, &raw), ERROR_SUCCESS);
    UniqueKey key(raw);
    const char data[] = "\"C:\\Program Files\\Zvenoks\\Zvenoks.exe\"";
    RegSetValueExA(key.Get(), "MyApplication", 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                   sizeof data);
    // Made at once, and as the program makes it: when first shown, with what
    // the start set on it meanwhile.
    for (TDialogMaking making : {TDialogMaking::Now, TDialogMaking::OnFirstShow}) {
        TForm3& dialog = Create(making);
        dialog.SetCheckBox1Checked(false);
        dialog.SetComboBox1Text("PrintScreen");
        dialog.Show();
        EXPECT_TRUE(Checked("CheckBox2"));
        EXPECT_TRUE(Checked("RadioButton1"));
        EXPECT_FALSE(Checked("RadioButton2"));
        EXPECT_TRUE(IsWindowEnabled(C("RadioButton1")));
        EXPECT_FALSE(IsWindowEnabled(C("ComboBox1")));
        EXPECT_EQ(Selected("ComboBox1"), 2);
    }
    // Shown as found, left as found.
    EXPECT_TRUE(HasValue(HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER));
}

TEST_F(Form3WinTest, AFailedSaveIsShownAndLeavesThePhase) {
    TForm3& dialog = Create();
    ASSERT_TRUE(CreateDirectoryA("config.cfg", nullptr));
    dialog.Show();
    Click("Button1");
    ASSERT_EQ(gShown.size(), 1u);
    const std::string start = "Cannot create file \"" + folder_ + "\\config.cfg\". ";
    EXPECT_EQ(gShown[0].substr(0, start.size()), start) << gShown[0];
    EXPECT_GT(gShown[0].size(), start.size() + 1) << "no system text";
    EXPECT_EQ(gShown[0].back(), '.');
    EXPECT_EQ(startupPhase_, 0);
    EXPECT_FALSE(dialog.Visible());
    EXPECT_EQ(memo1_.Text(), "Hotkey=1\r\nKey=1\r\nRun=1\r\n");
}

TEST_F(Form3WinTest, CentredTheFirstTimeThenWhereItWasLeft) {
    TForm3& dialog = Create();
    dialog.Show();
    EXPECT_TRUE(dialog.Visible());
    RECT r{};
    GetWindowRect(dialog.Handle(), &r);
    // On the primary monitor's work area, not across all monitors.
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_NEAR(r.left - work.left, work.right - r.right, 1);
    EXPECT_NEAR(r.top - work.top, work.bottom - r.bottom, 1);

    SetWindowPos(dialog.Handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.Hide();
    EXPECT_FALSE(dialog.Visible());
    dialog.Show();
    GetWindowRect(dialog.Handle(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
}

}  // namespace
}  // namespace zv::win
