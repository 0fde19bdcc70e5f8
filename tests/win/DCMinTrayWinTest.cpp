// The tray component on a real top-level window, through the real adapter.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "adapters/WinTrayPlatform.h"
#include "adapters/WinWindowHook.h"
#include "shell/DCMinTray.h"
#include "win32/Window.h"

namespace zv::win {
namespace {

constexpr const char* kFormClass = "ZvTrayTestForm";

// The hidden top-level window that carries the taskbar button, and the
// application object around it.
class TestApplication : public IApplication {
  public:
    TestApplication()
        : window_(CreateWindowExA(0, "STATIC", "Zvenoks", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr)) {}
    ~TestApplication() override { DestroyWindow(window_); }
    TestApplication(const TestApplication&) = delete;
    TestApplication& operator=(const TestApplication&) = delete;

    IForm* MainForm() const override { return mainForm; }
    std::uintptr_t WindowHandle() const override {
        return reinterpret_cast<std::uintptr_t>(window_);
    }
    std::uintptr_t IconHandle() const override {
        return reinterpret_cast<std::uintptr_t>(LoadIconA(nullptr, IDI_APPLICATION));
    }
    std::string ExeName() const override { return "win_tests.exe"; }

    HWND Window() const { return window_; }
    IForm* mainForm = nullptr;

  private:
    HWND window_;
};

// A form owned by the application window, whose Visible works as the
// framework's: assigning the value it holds does nothing.
class TestForm : public TComponent, public IForm, public TWindow {
  public:
    explicit TestForm(TestApplication& app) : TComponent(nullptr), app_(app) {}

    std::uintptr_t WindowHandle() override {
        if (Handle() == nullptr) {
            RegisterClassOnce(kFormClass, 0, nullptr, ArrowCursor(), nullptr);
            CreateHandle(kFormClass, "Zvenoks", 0, WS_POPUP, 0, 0, 200, 100, app_.Window());
        }
        return reinterpret_cast<std::uintptr_t>(Handle());
    }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override {
        if (visible == visible_) return;
        visible_ = visible;
        ::ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
    }
    std::uintptr_t IconHandle() const override { return 0; }
    std::string Caption() const override { return "Zvenoks"; }

    HWND Hwnd() { return reinterpret_cast<HWND>(WindowHandle()); }
    bool Received(UINT msg) const {
        return std::find(received_.begin(), received_.end(), msg) != received_.end();
    }
    void Forget() { received_.clear(); }

    LONG_PTR procAtDestroy = 0;
    bool propAtDestroy = true;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        received_.push_back(msg);
        if (msg == WM_DESTROY) {
            procAtDestroy = GetWindowLongPtrW(Handle(), GWLP_WNDPROC);
            propAtDestroy = GetPropW(Handle(), TWinWindowHook::kPropName) != nullptr;
        }
        return Default(msg, wParam, lParam);
    }

  private:
    TestApplication& app_;
    bool visible_ = false;
    std::vector<UINT> received_;
};

// The real platform, keeping what the shell answered; it can refuse the
// first notifications as a shell that is still starting does.
class CheckedPlatform : public TWinTrayPlatform {
  public:
    struct Answer {
        unsigned action;
        bool ok;
    };
    bool NotifyIcon(unsigned action, const TrayIconRecord& record) override {
        if (refuse > 0) {
            --refuse;
            answers.push_back({action, false});
            return false;
        }
        answers.push_back({action, Notify(action, record)});
        if (action == kNimDelete) {
            auto window = reinterpret_cast<HWND>(record.hWnd);
            hookedAtDelete = GetWindowLongPtrW(window, GWLP_WNDPROC) ==
                             reinterpret_cast<LONG_PTR>(TWinWindowHook::Procedure());
        }
        return answers.back().ok;
    }
    int refuse = 0;
    std::vector<Answer> answers;
    bool hookedAtDelete = false;
};

class TrayWin : public testing::Test {
  protected:
    void SetUp() override {
        hwnd = form.Hwnd();
        original = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
        form.LoadComponents([] {});
        app.mainForm = &form;
    }
    void TearDown() override {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(hwnd, msg, wParam, lParam);
    }
    void Click() { Send(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN); }
    bool Shown() { return IsWindowVisible(hwnd) != FALSE; }

    TestApplication app;
    TestForm form{app};
    CheckedPlatform platform;
    std::unique_ptr<TDCMinTray> trayOwner = std::make_unique<TDCMinTray>(&form, platform, app);
    TDCMinTray& tray = *trayOwner;
    HWND hwnd = nullptr;
    LONG_PTR original = 0;
};

TEST_F(TrayWin, HooksTheWindowAndRestoresItOnDestroy) {
    ASSERT_TRUE(tray.Hooked());
    EXPECT_NE(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
    EXPECT_NE(GetPropW(hwnd, TWinWindowHook::kPropName), nullptr);

    tray.ShowIcon();
    DestroyWindow(hwnd);

    EXPECT_TRUE(form.Received(WM_DESTROY));  // passed on
    EXPECT_EQ(form.procAtDestroy, original);
    EXPECT_FALSE(form.propAtDestroy);
    EXPECT_FALSE(tray.Hooked());
    ASSERT_EQ(platform.answers.size(), 2u);
    EXPECT_EQ(platform.answers[0].action, kNimAdd);
    EXPECT_TRUE(platform.answers[0].ok);
    EXPECT_EQ(platform.answers[1].action, kNimDelete);
    EXPECT_TRUE(platform.answers[1].ok);
    EXPECT_TRUE(platform.hookedAtDelete);  // the icon goes first
}

TEST_F(TrayWin, AnotherHookAboveTheTrayChainsWithIt) {
    std::vector<UINT> seen;
    std::unique_ptr<TWinWindowHook> other;
    other = std::make_unique<TWinWindowHook>(hwnd, [&](WindowMessage& m) {
        seen.push_back(m.Msg);
        m.Result = other->PassOn(m);
    });
    tray.ShowIcon();
    form.SetVisible(true);

    Click();
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(form.Received(kTrayCallbackMessage));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), kTrayCallbackMessage), 1);

    // The tray comes off from under the other hook; both still see the end.
    DestroyWindow(hwnd);
    EXPECT_FALSE(tray.Hooked());
    EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_DESTROY), 1);
    EXPECT_TRUE(form.Received(WM_DESTROY));
    ASSERT_EQ(platform.answers.size(), 2u);
    EXPECT_EQ(platform.answers[1].action, kNimDelete);
}

TEST_F(TrayWin, ComponentDestroyedFirstUnhooksTheWindow) {
    trayOwner.reset();
    EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
    EXPECT_EQ(GetPropW(hwnd, TWinWindowHook::kPropName), nullptr);
    Send(WM_HOTKEY, 101, 0);
    EXPECT_TRUE(form.Received(WM_HOTKEY));
}

TEST_F(TrayWin, PassesOtherMessagesOnAndKeepsTheMinimizeCommand) {
    form.SetVisible(true);
    Send(WM_HOTKEY, 101, MAKELPARAM(0, VK_F11));
    EXPECT_TRUE(form.Received(WM_HOTKEY));

    form.Forget();
    EXPECT_EQ(Send(WM_SYSCOMMAND, SC_MINIMIZE, 0), 0);
    EXPECT_FALSE(form.Received(WM_SYSCOMMAND));
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_TRUE(form.Visible());
    ASSERT_EQ(platform.answers.size(), 1u);
    EXPECT_EQ(platform.answers[0].action, kNimAdd);
    EXPECT_TRUE(platform.answers[0].ok);

    Send(WM_SYSCOMMAND, SC_MINIMIZE | 1, 0);
    EXPECT_TRUE(form.Received(WM_SYSCOMMAND));
}

TEST_F(TrayWin, OneClickTogglesTheWindow) {
    tray.ShowIcon();
    form.SetVisible(true);
    ::ShowWindow(app.Window(), SW_SHOW);

    Click();
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(IsWindowVisible(app.Window()));
    Click();
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(IsWindowVisible(app.Window()));

    // Hidden behind the framework's back: one click still brings it back.
    Send(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_FALSE(Shown());
    Click();
    EXPECT_TRUE(Shown());
    EXPECT_TRUE(form.Visible());

    // A double-click's second press is a different mouse message.
    Send(kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(Shown());

    // Posted, as the shell does.
    form.Forget();
    PostMessageA(hwnd, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDOWN);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_FALSE(Shown());
    EXPECT_TRUE(form.Received(kTrayCallbackMessage));
}

TEST_F(TrayWin, ShellTakesTheTipAndTheIconAgainAfterARestart) {
    tray.SetHint("Время (F11)");
    tray.ShowIcon();
    tray.SetHint("Время (PrintScreen)");
    // Announced while the shell still holds the icon: changed in place.
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    Send(taskbarCreated, 0, 0);
    // The shell forgets the icon as a restarted one would, then announces itself.
    ASSERT_TRUE(TWinTrayPlatform::Notify(kNimDelete, tray.IconRecord()));
    Send(taskbarCreated, 0, 0);
    tray.SetHint("Время (Pause/Break)");

    const CheckedPlatform::Answer expected[] = {
        {kNimAdd, true},     {kNimModify, true}, {kNimModify, true},
        {kNimModify, false}, {kNimAdd, true},    {kNimModify, true},
    };
    ASSERT_EQ(platform.answers.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(platform.answers[i].action, expected[i].action);
        EXPECT_EQ(platform.answers[i].ok, expected[i].ok);
    }
}

TEST_F(TrayWin, AnIconTheShellRefusedComesWithTheRetryTimer) {
    platform.refuse = 2;  // the add and the change after it
    tray.ShowIcon();
    const DWORD start = GetTickCount();
    for (MSG msg; platform.answers.size() < 3 && GetTickCount() - start < 10000; Sleep(10)) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    ASSERT_EQ(platform.answers.size(), 3u);
    EXPECT_TRUE(platform.answers[2].action == kNimAdd && platform.answers[2].ok);
    EXPECT_GE(GetTickCount() - start, 1900u);
    EXPECT_FALSE(KillTimer(hwnd, kTrayRetryTimer));  // gone once the icon is in
}

// The shell takes the fourth form of the icon's messages: Space or Enter on
// the icon toggles the clock, a menu key asks for the menu at the icon, and
// a menu closed so gives the focus back to the notification area.
TEST_F(TrayWin, TheKeyboardReachesTheIconInTheFourthForm) {
    tray.ShowIcon();
    form.SetVisible(true);
    int menus = 0;
    POINT at{};
    tray.SetOnKeyMenu([&](int x, int y) {
        ++menus;
        at = POINT{x, y};
        return false;
    });
    const WPARAM anchor = MAKEWPARAM(640, 1000);
    Send(kTrayCallbackMessage, anchor, MAKELPARAM(kNinKeySelect, kTrayIconId));
    EXPECT_FALSE(Shown()) << "the shell did not take the fourth form";
    Send(kTrayCallbackMessage, anchor, MAKELPARAM(kNinSelect, kTrayIconId));
    EXPECT_TRUE(Shown());
    // The mouse as before: a press toggles, the select after its release not.
    Send(kTrayCallbackMessage, anchor, MAKELPARAM(WM_LBUTTONDOWN, kTrayIconId));
    Send(kTrayCallbackMessage, anchor, MAKELPARAM(kNinSelect, kTrayIconId));
    EXPECT_FALSE(Shown());

    Send(kTrayCallbackMessage, anchor, MAKELPARAM(WM_CONTEXTMENU, kTrayIconId));
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(at.x, 640);
    EXPECT_EQ(at.y, 1000);
    ASSERT_FALSE(platform.answers.empty());
    EXPECT_EQ(platform.answers.back().action, kNimSetFocus);
}

}  // namespace
}  // namespace zv::win
