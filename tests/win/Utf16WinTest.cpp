// Russian text through the UTF-16 calls: the conversion itself, and what the
// Windows side hands to the system and reads back from it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "adapters/WinFileStore.h"
#include "adapters/WinRegistry.h"
#include "app/Startup_win.h"
#include "shell/Registry.h"
#include "tests/win/WinTestSupport.h"
#include "win32/Handles.h"
#include "win32/Utf16.h"
#include "win32/Window.h"

namespace zv::win {
namespace {

TEST(Utf16, WidenAndNarrow) {
    struct Case {
        const char* name;
        std::string utf8;
        std::wstring utf16;
        std::string back;  // what Narrow makes of utf16
    };
    const Case cases[] = {
        {"empty", "", L"", ""},
        {"ASCII", "Zvenoks.exe", L"Zvenoks.exe", "Zvenoks.exe"},
        {"Russian", "Говорящие часы",
         L"\u0413\u043e\u0432\u043e\u0440\u044f\u0449\u0438\u0435 "
         L"\u0447\u0430\u0441\u044b",
         "Говорящие часы"},
        {"ё and Ё", "ёЁ", L"\u0451\u0401", "ёЁ"},
        {"outside the basic plane", "😀", L"\xD83D\xDE00", "😀"},
        {"a cp1251 byte is replaced",
         "a\xC3"
         "b",
         L"a\xFFFD"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"a zero inside stays", std::string("a\0b", 3), std::wstring(L"a\0b", 3),
         std::string("a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Widen(c.utf8), c.utf16);
        EXPECT_EQ(Narrow(c.utf16), c.back);
    }
    EXPECT_EQ(Narrow(std::wstring(1, wchar_t(0xD800))), "\xEF\xBF\xBD");
}

class RussianFolder : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = Narrow(temp) + "zv-Говорящие часы-" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(Widen(folder_).c_str(), nullptr));
        wchar_t previous[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, previous);
        previous_ = previous;
    }
    void TearDown() override {
        SetCurrentDirectoryW(previous_.c_str());
        DeleteFileW(Widen(folder_ + "\\Настройки.cfg").c_str());
        RemoveDirectoryW(Widen(folder_).c_str());
    }
    std::string folder_;
    std::wstring previous_;
};

TEST_F(RussianFolder, FilesAndTheCurrentDirectoryKeepTheName) {
    TWinStartupPlatform platform(nullptr);
    ASSERT_TRUE(platform.ChangeDirectory(folder_));
    EXPECT_TRUE(SameFolder(platform.CurrentDirectory(), folder_));

    TWinFileStore files;
    files.WriteAll("Настройки.cfg", "Run=1\r\n");
    EXPECT_TRUE(platform.FileExists(folder_ + "\\Настройки.cfg"));
    EXPECT_NE(GetFileAttributesW(Widen(folder_ + "\\Настройки.cfg").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(files.ReadAll(folder_ + "\\Настройки.cfg"), "Run=1\r\n");
    EXPECT_TRUE(SameFolder(files.FullPath("Настройки.cfg"), folder_ + "\\Настройки.cfg"));
}

TEST(Utf16Registry, RussianValueIsStoredAsUtf16AndReadBackAsUtf8) {
    ASSERT_TRUE(test::EnsureCurrentUserRunKey());
    TWinRegistry registry;
    const std::string text = "\"C:\\Говорящие часы\\Zvenoks.exe\"";
    {
        auto key = registry.OpenKey(kHKeyCurrentUser, test::kRunKeyPath, kKeyAllAccess);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->SetStringValue("MyApplication", text));
        uint32_t type = 0, size = 0;
        ASSERT_TRUE(key->QueryValueInfo("MyApplication", type, size));
        EXPECT_EQ(type, kRegSz);
        EXPECT_EQ(size, text.size() + 1);
        std::string data(size, '\0');
        ASSERT_TRUE(key->QueryValueData("MyApplication", data));
        EXPECT_EQ(data, text + '\0');
        std::string shorter(4, '\0');  // reads no more than it is given room for
        ASSERT_TRUE(key->QueryValueData("MyApplication", shorter));
        EXPECT_EQ(shorter, text.substr(0, 4));
    }
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(test::kRunKeyPath).c_str(), 0, KEY_QUERY_VALUE,
                            &raw),
              ERROR_SUCCESS);
    UniqueKey key(raw);
    wchar_t stored[MAX_PATH] = {};
    DWORD bytes = sizeof stored;
    ASSERT_EQ(RegQueryValueExW(key.Get(), L"MyApplication", nullptr, nullptr,
                               reinterpret_cast<BYTE*>(stored), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(stored), Widen(text));
    EXPECT_EQ(bytes, (Widen(text).size() + 1) * sizeof(wchar_t));
    test::RemoveAutostartValue(HKEY_CURRENT_USER);
}

class CaptionWindow : public TWindow {
  public:
    explicit CaptionWindow(const char* caption) {
        RegisterClassOnce("ZvUtf16TestWindow", 0, nullptr, nullptr, nullptr);
        CreateHandle("ZvUtf16TestWindow", caption, 0, WS_POPUP, 0, 0, 10, 10, nullptr);
    }
};

TEST(Utf16Window, CaptionReadsBackThroughTheUnicodeCall) {
    for (const char* caption : {"Zvenoks", "Настройки", "О программе", ""}) {
        SCOPED_TRACE(caption);
        CaptionWindow window(caption);
        EXPECT_TRUE(IsWindowUnicode(window.Handle()));
        wchar_t text[64] = {};
        GetWindowTextW(window.Handle(), text, 64);
        EXPECT_EQ(std::wstring(text), Widen(caption));
    }
}

}  // namespace
}  // namespace zv::win
