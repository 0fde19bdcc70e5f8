// The microphone's use as the registry notes it, written in the test's own
// user hive and read back by the real adapter.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "adapters/WinMicrophone.h"

namespace zv::win {
namespace {

void SetQword(const std::wstring& key, const wchar_t* name, uint64_t value) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &h, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(
        RegSetValueExW(h, name, 0, REG_QWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
        ERROR_SUCCESS);
    RegCloseKey(h);
}

TEST(WinMicrophone, InUseWhileAProgramsUseHasStartedAndNotStopped) {
    const std::wstring store = kMicrophoneConsentKey;
    struct Row {
        const char* what;
        std::wstring app;  // under the consent store
        uint64_t start, stop;
        bool inUse;
    } rows[] = {
        {"no key at all", L"", 0, 0, false},
        {"a packaged app recording", L"\\Microsoft.SoundRecorder_8wekyb3d8bbwe", 5, 0, true},
        {"a packaged app done", L"\\Microsoft.SoundRecorder_8wekyb3d8bbwe", 5, 9, false},
        {"a program in a call", L"\\NonPackaged\\C:#Program Files#Call#call.exe", 7, 0, true},
        {"a program done", L"\\NonPackaged\\C:#Program Files#Call#call.exe", 7, 8, false},
        {"never used", L"\\NonPackaged\\C:#x.exe", 0, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        RegDeleteTreeW(HKEY_CURRENT_USER, store.c_str());
        if (!row.app.empty()) {
            SetQword(store + row.app, L"LastUsedTimeStart", row.start);
            SetQword(store + row.app, L"LastUsedTimeStop", row.stop);
        }
        EXPECT_EQ(TWinMicrophone{}.InUse(), row.inUse);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, store.c_str());
}

}  // namespace
}  // namespace zv::win
