// TAutoRunner against the real registry and files of the test prefix.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "adapters/WinAutoRunFiles.h"
#include "adapters/WinFileStore.h"
#include "adapters/WinRegistry.h"
#include "settings/Form3Handlers.h"
#include "settings/Form3_win.h"
#include "settings/Memo.h"
#include "shell/AutoRunner.h"
#include "tests/win/WinTestSupport.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"
#include "win32/ModulePath.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr const char* kRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kExe = "C:\\Program Files\\Zvenoks\\Zvenoks.exe";

struct Stored {
    bool present = false;
    DWORD type = 0;
    std::string data;  // every byte, the terminating zero included
};

Stored Query(HKEY root, const char* path = kRun) {
    Stored s;
    HKEY raw = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return s;
    UniqueKey key(raw);
    DWORD size = 0;
    if (RegQueryValueExA(key.Get(), "MyApplication", nullptr, &s.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return s;
    s.data.resize(size);
    RegQueryValueExA(key.Get(), "MyApplication", nullptr, nullptr,
                     reinterpret_cast<BYTE*>(s.data.data()), &size);
    s.present = true;
    return s;
}

void Put(HKEY root, DWORD type, const std::string& data) {
    HKEY raw = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, kRun, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &raw, nullptr),
              ERROR_SUCCESS);
    UniqueKey key(raw);
    ASSERT_EQ(
        RegSetValueExA(key.Get(), "MyApplication", 0, type,
                       reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())),
        ERROR_SUCCESS);
}

void Remove(HKEY root) {
    zv::win::test::RemoveAutostartValue(root);
}

class AutoRunnerWinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(zv::win::test::EnsureCurrentUserRunKey());
        Remove(HKEY_CURRENT_USER);
        Remove(HKEY_LOCAL_MACHINE);
    }
    void TearDown() override {
        Remove(HKEY_CURRENT_USER);
        Remove(HKEY_LOCAL_MACHINE);
    }
    // A component as the main window makes it at start-up.
    struct Loaded {
        explicit Loaded(TWinRegistry& registry) : runner(&form, registry, kExe) {
            form.LoadComponents([&] { ApplyStoredValues(runner); });
        }
        TComponent form{nullptr};
        TAutoRunner runner;
    };

    TWinRegistry registry;
};

TEST_F(AutoRunnerWinTest, WritesTheQuotedPathReadsItBackAndDeletesIt) {
    Loaded first(registry);
    EXPECT_FALSE(first.runner.AutoRun());

    first.runner.SetAutoRun(true);
    Stored s = Query(HKEY_CURRENT_USER);
    ASSERT_TRUE(s.present);
    EXPECT_EQ(s.type, static_cast<DWORD>(REG_SZ));
    // The length counts the terminating zero.
    EXPECT_EQ(s.data, std::string("\"" + kExe + "\"") + '\0');
    EXPECT_FALSE(Query(HKEY_LOCAL_MACHINE).present);

    Loaded second(registry);
    EXPECT_TRUE(second.runner.AutoRun());
    EXPECT_EQ(second.runner.RegLocation(), TRegLocation::CurrentUser);

    second.runner.SetAutoRun(false);
    EXPECT_FALSE(Query(HKEY_CURRENT_USER).present);
    EXPECT_FALSE(Loaded(registry).runner.AutoRun());
}

TEST_F(AutoRunnerWinTest, MovesTheValueBetweenTheRoots) {
    Loaded first(registry);
    first.runner.SetAutoRun(true);
    first.runner.SetRegLocation(TRegLocation::LocalMachine);
    EXPECT_FALSE(Query(HKEY_CURRENT_USER).present);
    EXPECT_EQ(Query(HKEY_LOCAL_MACHINE).data, std::string("\"" + kExe + "\"") + '\0');

    Loaded second(registry);
    EXPECT_TRUE(second.runner.AutoRun());
    EXPECT_EQ(second.runner.RegLocation(), TRegLocation::LocalMachine);

    second.runner.SetRegLocation(TRegLocation::CurrentUser);
    EXPECT_TRUE(Query(HKEY_CURRENT_USER).present);
    EXPECT_FALSE(Query(HKEY_LOCAL_MACHINE).present);
}

TEST_F(AutoRunnerWinTest, ReadBackTakesStringsOnly) {
    struct Case {
        const char* what;
        DWORD type;
        std::string data;
        bool autoRun;
    } cases[] = {
        {"an unquoted path written before", REG_SZ, kExe + '\0', true},
        {"an expandable string", REG_EXPAND_SZ, kExe + '\0', true},
        {"a Zvenoks.exe elsewhere", REG_SZ, std::string("%ProgramFiles%\\Zvenoks.exe") + '\0',
         false},
        {"an empty string", REG_SZ, std::string(1, '\0'), false},
        {"a number", REG_DWORD, std::string("\x01\x00\x00\x00", 4), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Put(HKEY_CURRENT_USER, c.type, c.data);
        Loaded loaded(registry);
        EXPECT_EQ(loaded.runner.AutoRun(), c.autoRun);
        EXPECT_EQ(loaded.runner.RegLocation(), TRegLocation::CurrentUser);
    }
}

TEST_F(AutoRunnerWinTest, AKeyThatDoesNotExistIsNeverCreated) {
    const char* kMissing = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kMissing, 0, KEY_QUERY_VALUE, &raw) == ERROR_SUCCESS) {
        RegCloseKey(raw);
        GTEST_SKIP() << "this user has a RunOnce key";
    }
    Loaded loaded(registry);
    loaded.runner.SetAutoRunWhere(TAutoRunWhere::RunOnce);
    // Refused: the component says so and reads the truth back.
    EXPECT_FALSE(loaded.runner.SetAutoRun(true));
    EXPECT_FALSE(loaded.runner.AutoRun());
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kMissing, 0, KEY_QUERY_VALUE, &raw), ERROR_SUCCESS);
    EXPECT_FALSE(Query(HKEY_CURRENT_USER).present);
}

// The dialog over the real registry and the real files: an exe that standard
// users may replace (another program's value is the e2e case autostart_foreign).
class AutostartFilesWinTest : public AutoRunnerWinTest {
  protected:
    void SetUp() override {
        AutoRunnerWinTest::SetUp();
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::wstring(temp) + L"zv-autostart-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        exe_ = Narrow(folder_) + "\\Zvenoks.exe";
        ASSERT_TRUE(CopyFileW(Widen(ModulePath()).c_str(), Widen(exe_).c_str(), FALSE));
        shown_.clear();
        SetErrorSink([](const std::string& text) { shown_.push_back(text); });
    }
    void TearDown() override {
        SetErrorSink(nullptr);
        DeleteFileW(Widen(exe_).c_str());
        RemoveDirectoryW(folder_.c_str());
        AutoRunnerWinTest::TearDown();
    }
    // The program's component and dialog, as at start-up.
    struct Clock {
        Clock(TWinRegistry& registry, const std::string& exe)
            : runner(&form, registry, FinalPath(exe), &files) {
            form.LoadComponents([&] { ApplyStoredValues(runner); });
            dialog = std::make_unique<TForm3>(nullptr, memo1, runner, phase);
            dialog->Show();
        }
        bool Checked(const char* name) {
            return SendMessageA(dialog->Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
        }
        void Click(const char* name) {
            SendMessageA(dialog->Control(name), BM_CLICK, 0, 0);
            zv::win::test::PumpMessages();
        }
        TWinAutoRunFiles files;
        TWinFileStore store;
        TMemo memo1{store};
        uint16_t phase = 0;
        TComponent form{nullptr};
        TAutoRunner runner;
        std::unique_ptr<TForm3> dialog;
    };

    std::wstring folder_;
    std::string exe_;
    static inline std::vector<std::string> shown_;
};

TEST_F(AutostartFilesWinTest, AllUsersOnlyForAnExeStandardUsersCannotReplace) {
    Clock clock(registry, exe_);
    clock.Click("CheckBox2");
    clock.Click("RadioButton1");
    EXPECT_TRUE(shown_.empty());
    EXPECT_TRUE(Query(HKEY_LOCAL_MACHINE).present);
    clock.Click("CheckBox2");
    ASSERT_FALSE(Query(HKEY_LOCAL_MACHINE).present);
    ASSERT_TRUE(clock.Checked("RadioButton1"));

    // As a folder on a second drive: everyone may write in it.
    ASSERT_TRUE(zv::win::test::GrantEveryoneWrite(folder_));
    clock.Click("CheckBox2");
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0], AutostartRefusedText(TRegLocation::LocalMachine,
                                              TAutoRunRefusal::ReplaceableExe, ""));
    EXPECT_FALSE(clock.Checked("CheckBox2"));
    EXPECT_TRUE(clock.Checked("RadioButton1"));  // the choice stays as it was
    EXPECT_FALSE(Query(HKEY_LOCAL_MACHINE).present);
    EXPECT_FALSE(Query(HKEY_CURRENT_USER).present);
}

}  // namespace
}  // namespace zv::win
