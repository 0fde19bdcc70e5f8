#include <gtest/gtest.h>

#include <functional>

#include "shell/AutoRunner.h"
#include "tests/unit/FakeRegistry.h"

namespace zv {
namespace {

using test::TFakeRegistry;
using Log = std::vector<std::string>;

const std::string kExe = "C:\\Program Files\\Zvenoks\\Zvenoks.exe";
const std::string kQuoted = "\"" + kExe + "\"";
const std::string kRunServices = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";

// The calls of one read-back under a root that holds a readable string value.
Log ReadFound(const std::string& root) {
    return {"open " + root + " Run read", "query MyApplication", "read MyApplication", "close"};
}
Log ReadMissing(const std::string& root) {
    return {"open " + root + " Run read", "query MyApplication", "close"};
}
// A delete under one root.
Log Delete(const std::string& root, const std::string& key = "Run") {
    return {"open " + root + " " + key + " all", "delete MyApplication", "close"};
}
Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::string kOther = "C:\\Program Files\\Other\\other.exe";
const std::string kOldCopy = "D:\\Old\\Zvenoks.exe";

// Every path a file of its own; the exe replaceable by users when told.
struct TFakeFiles final : IAutoRunFiles {
    bool replaceable = false;
    std::string FinalPath(const std::string& path) override { return path; }
    bool UsersMayReplace(const std::string&) override { return replaceable; }
};

class AutoRunnerTest : public ::testing::Test {
  protected:
    AutoRunnerTest() {
        registry.AddKey(kHKeyCurrentUser);
        registry.AddKey(kHKeyLocalMachine);
    }
    // The main window's stored description being applied.
    void Load() {
        form.LoadComponents([&] { ApplyStoredValues(runner); });
    }
    // Loads, then forgets the read-back's traffic.
    void LoadQuietly() {
        Load();
        registry.log.clear();
    }

    TFakeRegistry registry;
    TComponent form{nullptr};
    TAutoRunner runner{&form, registry, kExe};
};

TEST_F(AutoRunnerTest, ReadBackAtLoadingFindsTheValueAndWritesNothing) {
    struct Case {
        const char* what;
        std::function<void(TFakeRegistry&)> arrange;
        bool autoRun;
        TRegLocation location;
        Log log;
    } cases[] = {
        {"no value anywhere", [](TFakeRegistry&) {}, false, TRegLocation::CurrentUser,
         ReadMissing("HKCU") + ReadMissing("HKLM")},
        {"the current user's value; the local machine is not looked at",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", kQuoted);
             r.PutString(kHKeyLocalMachine, "MyApplication", kQuoted);
         },
         true, TRegLocation::CurrentUser, ReadFound("HKCU")},
        {"the local machine's value",
         [](TFakeRegistry& r) { r.PutString(kHKeyLocalMachine, "MyApplication", kQuoted); }, true,
         TRegLocation::LocalMachine, ReadMissing("HKCU") + ReadFound("HKLM")},
        {"a local machine key a standard user can only read",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyLocalMachine, "MyApplication", kQuoted);
             r.Find(kHKeyLocalMachine)->readOnly = true;
         },
         true, TRegLocation::LocalMachine, ReadMissing("HKCU") + ReadFound("HKLM")},
        {"an empty text counts as absent",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", "");
             r.PutString(kHKeyLocalMachine, "MyApplication", kQuoted);
         },
         true, TRegLocation::LocalMachine, ReadFound("HKCU") + ReadFound("HKLM")},
        {"a value of zero length",
         [](TFakeRegistry& r) {
             r.AddKey(kHKeyCurrentUser).values["MyApplication"] = {kRegSz, ""};
         },
         false, TRegLocation::CurrentUser, ReadMissing("HKCU") + ReadMissing("HKLM")},
        {"a number",
         [](TFakeRegistry& r) {
             r.AddKey(kHKeyCurrentUser).values["MyApplication"] = {4, std::string("\1\0\0\0", 4)};
         },
         false, TRegLocation::CurrentUser, ReadMissing("HKCU") + ReadMissing("HKLM")},
        {"an expandable string, taken as it is: a Zvenoks.exe elsewhere",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", "%ProgramFiles%\\Zvenoks.exe",
                         kRegExpandSz);
         },
         false, TRegLocation::CurrentUser, ReadFound("HKCU") + ReadMissing("HKLM")},
        {"another program's value is not the clock's autostart",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", "\"" + kOther + "\" /tray");
             r.PutString(kHKeyLocalMachine, "MyApplication", kQuoted);
         },
         true, TRegLocation::LocalMachine, ReadFound("HKCU") + ReadFound("HKLM")},
        {"an unquoted path written before still counts",
         [](TFakeRegistry& r) { r.PutString(kHKeyCurrentUser, "MyApplication", kExe); }, true,
         TRegLocation::CurrentUser, ReadFound("HKCU")},
        {"text ends at its first zero byte",
         [](TFakeRegistry& r) {
             r.AddKey(kHKeyCurrentUser).values["MyApplication"] = {kRegSz, std::string("\0x", 2)};
         },
         false, TRegLocation::CurrentUser, ReadFound("HKCU") + ReadMissing("HKLM")},
        {"the current user's key does not open",
         [](TFakeRegistry& r) {
             r = TFakeRegistry();
             r.PutString(kHKeyLocalMachine, "MyApplication", kQuoted);
         },
         true, TRegLocation::LocalMachine, Log{"open HKCU Run read refused"} + ReadFound("HKLM")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeRegistry registry;
        registry.AddKey(kHKeyCurrentUser);
        registry.AddKey(kHKeyLocalMachine);
        c.arrange(registry);
        TComponent form(nullptr);
        TAutoRunner runner(&form, registry, kExe);
        form.LoadComponents([&] { ApplyStoredValues(runner); });
        EXPECT_EQ(runner.AutoRun(), c.autoRun);
        EXPECT_EQ(runner.RegLocation(), c.location);
        EXPECT_EQ(runner.AppName(), "MyApplication");
        EXPECT_TRUE(runner.IsRunTime());
        EXPECT_EQ(registry.log, c.log);
    }
}

TEST_F(AutoRunnerTest, RunTimeAssignmentsWriteTheRegistryAtOnce) {
    const Log setCu{"open HKCU Run all", "set MyApplication=" + kQuoted, "close"};
    const Log setLm{"open HKLM Run all", "set MyApplication=" + kQuoted, "close"};
    struct Case {
        const char* what;
        std::function<void(TFakeRegistry&)> arrange;
        std::function<bool(TAutoRunner&)> act;
        Log log;
        std::string currentUser, localMachine;  // the values afterwards
        bool done, autoRun;
        TRegLocation location;  // the properties afterwards
        bool replaceable = false;
        TAutoRunRefusal refusal = TAutoRunRefusal::None;
    } cases[] = {
        {"AutoRun on writes the quoted path under the current user, then deletes elsewhere",
         [](TFakeRegistry&) {}, [](TAutoRunner& r) { return r.SetAutoRun(true); },
         ReadMissing("HKCU") + setCu + ReadMissing("HKLM") + Delete("HKLM"), kQuoted, "<none>",
         true, true, TRegLocation::CurrentUser},
        {"AutoRun off deletes under both roots",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", kExe);
             r.PutString(kHKeyLocalMachine, "MyApplication", kExe);
         },
         [](TAutoRunner& r) { return r.SetAutoRun(false); },
         ReadFound("HKCU") + Delete("HKCU") + ReadFound("HKLM") + Delete("HKLM"), "<none>",
         "<none>", true, false, TRegLocation::CurrentUser},
        {"LocalMachine with AutoRun on writes there first, then deletes the old value",
         [](TFakeRegistry& r) { r.PutString(kHKeyCurrentUser, "MyApplication", kExe); },
         [](TAutoRunner& r) { return r.SetRegLocation(TRegLocation::LocalMachine); },
         ReadMissing("HKLM") + setLm + ReadFound("HKCU") + Delete("HKCU"), "<none>", kQuoted, true,
         true, TRegLocation::LocalMachine},
        {"a new location with AutoRun off only deletes",
         [](TFakeRegistry& r) { r.PutString(kHKeyCurrentUser, "MyApplication", ""); },
         [](TAutoRunner& r) { return r.SetRegLocation(TRegLocation::LocalMachine); },
         ReadFound("HKCU") + Delete("HKCU") + ReadMissing("HKLM") + Delete("HKLM"), "<none>",
         "<none>", true, false, TRegLocation::LocalMachine},
        {"a refused write deletes nothing and reads the truth back",
         [](TFakeRegistry& r) {
             r.Find(kHKeyCurrentUser)->refuseWrites = true;
             r.PutString(kHKeyLocalMachine, "Other", kExe);
         },
         [](TAutoRunner& r) { return r.SetAutoRun(true); },
         ReadMissing("HKCU") + setCu + ReadMissing("HKCU") + ReadMissing("HKLM"), "<none>",
         "<none>", false, false, TRegLocation::CurrentUser},
        {"a key that does not open is a refusal",
         [](TFakeRegistry& r) {
             r = TFakeRegistry();
             r.AddKey(kHKeyLocalMachine);
         },
         [](TAutoRunner& r) { return r.SetAutoRun(true); },
         Log{"open HKCU Run read refused", "open HKCU Run all refused",
             "open HKCU Run read refused"} +
             ReadMissing("HKLM"),
         "<none>", "<none>", false, false, TRegLocation::CurrentUser},
        {"a standard user choosing LocalMachine keeps the current user's value",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", kExe);
             r.Find(kHKeyLocalMachine)->readOnly = true;
         },
         [](TAutoRunner& r) { return r.SetRegLocation(TRegLocation::LocalMachine); },
         ReadMissing("HKLM") + Log{"open HKLM Run all refused"} + ReadFound("HKCU"), kExe, "<none>",
         false, true, TRegLocation::CurrentUser},
        {"a standard user cannot switch off autostart for all users",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyLocalMachine, "MyApplication", kExe);
             r.Find(kHKeyLocalMachine)->readOnly = true;
         },
         [](TAutoRunner& r) { return r.SetAutoRun(false); },
         ReadMissing("HKCU") + Delete("HKCU") + ReadFound("HKLM") +
             Log{"open HKLM Run all refused"} + ReadMissing("HKCU") + ReadFound("HKLM"),
         "<none>", kExe, false, true, TRegLocation::LocalMachine},
        {"a standard user moving to the current user: the old value only stays behind",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyLocalMachine, "MyApplication", kExe);
             r.Find(kHKeyLocalMachine)->readOnly = true;
         },
         [](TAutoRunner& r) { return r.SetRegLocation(TRegLocation::CurrentUser); },
         ReadMissing("HKCU") + setCu + ReadFound("HKLM") + Log{"open HKLM Run all refused"},
         kQuoted, kExe, true, true, TRegLocation::CurrentUser},
        {"another program's value is neither written over nor deleted",
         [](TFakeRegistry& r) { r.PutString(kHKeyCurrentUser, "MyApplication", kOther); },
         [](TAutoRunner& r) { return r.SetAutoRun(true); },
         ReadFound("HKCU") + ReadFound("HKCU") + ReadMissing("HKLM"), kOther, "<none>", false,
         false, TRegLocation::CurrentUser, false, TAutoRunRefusal::ForeignValue},
        {"switching off leaves another program's value under the other root",
         [](TFakeRegistry& r) {
             r.PutString(kHKeyCurrentUser, "MyApplication", kQuoted);
             r.PutString(kHKeyLocalMachine, "MyApplication", kOther);
         },
         [](TAutoRunner& r) { return r.SetAutoRun(false); },
         ReadFound("HKCU") + Delete("HKCU") + ReadFound("HKLM"), "<none>", kOther, true, false,
         TRegLocation::CurrentUser},
        {"a copy of the clock elsewhere is written over",
         [](TFakeRegistry& r) { r.PutString(kHKeyCurrentUser, "MyApplication", kOldCopy); },
         [](TAutoRunner& r) { return r.SetAutoRun(true); },
         ReadFound("HKCU") + setCu + ReadMissing("HKLM") + Delete("HKLM"), kQuoted, "<none>", true,
         true, TRegLocation::CurrentUser},
        {"all users for an exe standard users may replace: nothing written",
         [](TFakeRegistry& r) { r.PutString(kHKeyCurrentUser, "MyApplication", kQuoted); },
         [](TAutoRunner& r) { return r.SetRegLocation(TRegLocation::LocalMachine); },
         ReadMissing("HKLM") + ReadFound("HKCU"), kQuoted, "<none>", false, true,
         TRegLocation::CurrentUser, true, TAutoRunRefusal::ReplaceableExe},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TFakeRegistry registry;
        registry.AddKey(kHKeyCurrentUser);
        registry.AddKey(kHKeyLocalMachine);
        c.arrange(registry);
        TFakeFiles files;
        files.replaceable = c.replaceable;
        TComponent form(nullptr);
        TAutoRunner runner(&form, registry, kExe, &files);
        form.LoadComponents([&] { ApplyStoredValues(runner); });
        registry.log.clear();
        EXPECT_EQ(c.act(runner), c.done);
        EXPECT_EQ(registry.log, c.log);
        EXPECT_EQ(registry.StringAt(kHKeyCurrentUser, "MyApplication"), c.currentUser);
        EXPECT_EQ(registry.StringAt(kHKeyLocalMachine, "MyApplication"), c.localMachine);
        EXPECT_EQ(runner.AutoRun(), c.autoRun);
        EXPECT_EQ(runner.RegLocation(), c.location);
        if (c.refusal != TAutoRunRefusal::None) {
            EXPECT_EQ(runner.Refusal(), c.refusal);
        }
    }
}

TEST_F(AutoRunnerTest, EqualAssignmentsAndRunTimeNamesSendNothing) {
    registry.PutString(kHKeyCurrentUser, "MyApplication", kQuoted);
    LoadQuietly();
    runner.SetAutoRun(true);
    runner.SetRegLocation(TRegLocation::CurrentUser);
    runner.SetAutoRunWhere(TAutoRunWhere::Run);
    runner.SetAppName("MyApplication");
    runner.SetAppName("Other");
    EXPECT_TRUE(registry.log.empty()) << registry.log.front();
    EXPECT_EQ(runner.AppName(), "MyApplication");
}

TEST_F(AutoRunnerTest, RunServicesBelongsToTheLocalMachineOnly) {
    LoadQuietly();
    const std::string prefix = "\\Software\\Microsoft\\Windows\\CurrentVersion\\";
    EXPECT_EQ(runner.KeyPath(), prefix + "Run");

    for (auto where : {TAutoRunWhere::RunServices, TAutoRunWhere::RunServicesOnce}) {
        runner.SetAutoRunWhere(where);
        EXPECT_EQ(runner.AutoRunWhere(), TAutoRunWhere::Run);
        EXPECT_EQ(runner.KeyPath(), prefix + "Run");
    }
    runner.SetAutoRunWhere(TAutoRunWhere::RunOnce);
    EXPECT_EQ(runner.KeyPath(), prefix + "RunOnce");
    EXPECT_TRUE(registry.log.empty());

    // Under the local machine RunServices stays, and a move back to the
    // current user resets the field but not the path the writes use.
    registry.AddKey(kHKeyCurrentUser, kRunServices);
    registry.AddKey(kHKeyLocalMachine, kRunServices);
    runner.SetRegLocation(TRegLocation::LocalMachine);
    runner.SetAutoRunWhere(TAutoRunWhere::RunServices);
    EXPECT_EQ(runner.KeyPath(), prefix + "RunServices");
    runner.SetAutoRun(true);
    registry.log.clear();
    runner.SetRegLocation(TRegLocation::CurrentUser);
    EXPECT_EQ(runner.AutoRunWhere(), TAutoRunWhere::Run);
    EXPECT_EQ(runner.KeyPath(), prefix + "RunServices");
    const Log written{"open HKCU RunServices read",
                      "query MyApplication",
                      "close",
                      "open HKCU RunServices all",
                      "set MyApplication=" + kQuoted,
                      "close",
                      "open HKLM RunServices read",
                      "query MyApplication",
                      "read MyApplication",
                      "close"};
    EXPECT_EQ(registry.log, written + Delete("HKLM", "RunServices"));
    EXPECT_EQ(registry.StringAt(kHKeyCurrentUser, "MyApplication", kRunServices), kQuoted);
}

TEST_F(AutoRunnerTest, LoadingStoresWithoutRegistryAccessAndDropsAutoRun) {
    form.LoadComponents([&] {
        runner.SetRegLocation(TRegLocation::LocalMachine);
        runner.SetAutoRunWhere(TAutoRunWhere::RunOnce);
        runner.SetAutoRun(true);
        EXPECT_FALSE(runner.AutoRun());
        EXPECT_TRUE(registry.log.empty());
        EXPECT_FALSE(runner.IsRunTime());
        runner.SetAutoRunWhere(TAutoRunWhere::Run);
        runner.SetAppName("MyApplication");
    });
    // Nothing found: the stored location stays.
    EXPECT_FALSE(runner.AutoRun());
    EXPECT_EQ(runner.RegLocation(), TRegLocation::LocalMachine);
    EXPECT_EQ(registry.log, ReadMissing("HKCU") + ReadMissing("HKLM"));
}

TEST_F(AutoRunnerTest, DesigningStoresNamesAndLocationsButTouchesNoRegistry) {
    EXPECT_EQ(runner.AppName(), "");
    runner.SetDesigning(true);
    EXPECT_FALSE(runner.IsRunTime());
    runner.SetAppName("");
    EXPECT_EQ(runner.AppName(), "");
    runner.SetAppName("MyApplication");
    EXPECT_EQ(runner.AppName(), "MyApplication");
    runner.SetRegLocation(TRegLocation::LocalMachine);
    runner.SetAutoRun(true);
    runner.WriteAutoRun(TRegLocation::CurrentUser);
    EXPECT_EQ(runner.RegLocation(), TRegLocation::LocalMachine);
    EXPECT_FALSE(runner.AutoRun());
    EXPECT_TRUE(registry.log.empty());
}

}  // namespace
}  // namespace zv
