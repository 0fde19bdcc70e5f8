// The global hotkey through the real adapter, on a real window.
#include <gtest/gtest.h>

#include <string>

#include "adapters/WinHotkey.h"
#include "settings/Hotkey.h"
#include "win32/Window.h"

namespace zv::win {
namespace {

constexpr const char* kHotkeyClass = "ZvHotkeyTestWindow";

class HotkeyWindow : public TWindow {
  public:
    HotkeyWindow() {
        RegisterClassOnce(kHotkeyClass, 0, nullptr, nullptr, nullptr);
        CreateHandle(kHotkeyClass, "Zvenoks", 0, WS_POPUP, 0, 0, 10, 10, nullptr);
    }
    int clicks = 0;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (HotkeyMessage(msg, wParam, [this] { ++clicks; })) return 0;
        return Default(msg, wParam, lParam);
    }
};

class NoControls : public ISettingsControls {
  public:
    void SetCheckBox1Checked(bool) override {}
    void SetComboBox1Text(const std::string&) override {}
    void SetComboBox2Text(const std::string&) override {}
};

// Whether another window could take the key now, which it cannot while we hold it.
bool KeyIsFree(unsigned vk) {
    HotkeyWindow other;
    if (!RegisterHotKey(other.Handle(), 1, 0, vk)) return false;
    UnregisterHotKey(other.Handle(), 1);
    return true;
}

class HotkeyWin : public testing::Test {
  protected:
    HotkeyWindow window;
    NoControls controls;
    std::string tip = "Время (F11)";
    TWinHotkey platform{window};
    THotkeyRegistration hotkey{platform, [this](const std::string& t) { tip = t; }};
};

TEST_F(HotkeyWin, StartupRegistersTheKeyAndItsMessageClicks) {
    hotkey.StartupPath("Hotkey=1\r\nKey=1\r\nRun=1\r\n", controls);
    EXPECT_TRUE(platform.Registered(101));
    EXPECT_FALSE(KeyIsFree(VK_F11));

    SendMessageA(window.Handle(), WM_HOTKEY, 101, MAKELPARAM(0, VK_F11));
    EXPECT_EQ(window.clicks, 1);
    SendMessageA(window.Handle(), WM_HOTKEY, 102, MAKELPARAM(0, VK_F11));
    EXPECT_EQ(window.clicks, 1);
}

TEST_F(HotkeyWin, SecondRowIsF10AfterAStartAndAfterAnApply) {
    hotkey.StartupPath("Hotkey=1\r\nKey=2\r\n", controls);
    EXPECT_TRUE(platform.Registered(101));
    EXPECT_FALSE(KeyIsFree(VK_F10));
    EXPECT_EQ(tip, "Время (F10)");

    std::uint16_t phase = 2;
    std::string text = "Hotkey=1\r\nKey=5\r\n";
    hotkey.Reregistration(phase, text, text, controls);
    EXPECT_TRUE(KeyIsFree(VK_F10));
    EXPECT_FALSE(KeyIsFree(VK_PAUSE));

    phase = 2;
    text = "Hotkey=1\r\nKey=2\r\n";
    hotkey.Reregistration(phase, text, text, controls);
    EXPECT_FALSE(KeyIsFree(VK_F10));
    EXPECT_TRUE(KeyIsFree(VK_PAUSE));
    EXPECT_EQ(phase, 0);
}

TEST_F(HotkeyWin, TurnedOffOrDestroyedTheKeyIsFreed) {
    hotkey.StartupPath("Hotkey=1\r\nKey=4\r\n", controls);
    ASSERT_FALSE(KeyIsFree(VK_SCROLL));
    std::uint16_t phase = 2;
    std::string off = "Hotkey=0\r\nKey=4\r\n";
    hotkey.Reregistration(phase, off, off, controls);
    EXPECT_TRUE(KeyIsFree(VK_SCROLL));
    EXPECT_FALSE(platform.Registered(101));

    {
        TWinHotkey scoped(window);
        scoped.Register(101, 0, VK_SNAPSHOT);
        ASSERT_TRUE(scoped.Registered(101));
        EXPECT_FALSE(KeyIsFree(VK_SNAPSHOT));
    }
    EXPECT_TRUE(KeyIsFree(VK_SNAPSHOT));
}

}  // namespace
}  // namespace zv::win
