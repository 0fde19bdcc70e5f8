// A right click on the tray icon opens the menu, through the real tray
// component on a real window: which items, which one the user picks.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "adapters/WinTrayPlatform.h"
#include "shell/DCMinTray.h"
#include "shell/TrayMenu_win.h"
#include "tests/win/WinTestSupport.h"
#include "win32/Utf16.h"
#include "win32/Window.h"

namespace zv::win {
namespace {

class MenuApplication : public IApplication {
  public:
    MenuApplication()
        : window_(CreateWindowExW(0, L"STATIC", L"Zvenoks", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr)) {}
    ~MenuApplication() override { DestroyWindow(window_); }
    MenuApplication(const MenuApplication&) = delete;
    MenuApplication& operator=(const MenuApplication&) = delete;

    IForm* MainForm() const override { return mainForm; }
    std::uintptr_t WindowHandle() const override {
        return reinterpret_cast<std::uintptr_t>(window_);
    }
    std::uintptr_t IconHandle() const override { return 0; }
    std::string ExeName() const override { return "win_tests.exe"; }

    HWND Window() const { return window_; }
    IForm* mainForm = nullptr;

  private:
    HWND window_;
};

// The clock's stand-in: it reads the menu while it is open, and presses the
// keys it was given, as a user would.
class MenuForm : public TComponent, public IForm, public TWindow {
  public:
    explicit MenuForm(MenuApplication& app) : TComponent(nullptr) {
        RegisterClassOnce("ZvTrayMenuTestForm", 0, nullptr, ArrowCursor(), nullptr);
        CreateHandle("ZvTrayMenuTestForm", "Zvenoks", 0, WS_POPUP, 100, 100, 200, 100,
                     app.Window());
    }
    std::uintptr_t WindowHandle() override { return reinterpret_cast<std::uintptr_t>(Handle()); }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override {
        visible_ = visible;
        ::ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
    }
    std::uintptr_t IconHandle() const override { return 0; }
    std::string Caption() const override { return "Zvenoks"; }

    std::vector<std::string> items;
    bool inFront = false;
    std::vector<WPARAM> keys;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_INITMENUPOPUP) {
            items.clear();
            auto menu = reinterpret_cast<HMENU>(wParam);
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                wchar_t text[64] = {};
                GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
                items.push_back(Narrow(text));
            }
            inFront = GetForegroundWindow() == Handle();
        } else if (msg == WM_ENTERIDLE && !keyed_) {
            keyed_ = true;
            auto menuWindow = reinterpret_cast<HWND>(lParam);
            for (WPARAM key : keys) {
                PostMessageW(menuWindow, WM_KEYDOWN, key, 1);
                PostMessageW(menuWindow, WM_KEYUP, key, 0xC0000001);
            }
        }
        return Default(msg, wParam, lParam);
    }

  private:
    bool visible_ = false;
    bool keyed_ = false;
};

TEST(TrayMenuWin, ARightClickOpensTheMenuAndTheChoiceComesBack) {
    struct Case {
        const char* name;
        bool shown;
        LPARAM mouse;
        std::vector<WPARAM> keys;
        TrayCommand chosen;
    };
    const Case cases[] = {
        {"shown, Esc", true, WM_RBUTTONUP, {VK_ESCAPE}, TrayCommand::None},
        {"hidden, the first item", false, WM_RBUTTONUP, {VK_DOWN, VK_RETURN}, TrayCommand::Show},
        {"shown, the first item", true, WM_CONTEXTMENU, {VK_DOWN, VK_RETURN}, TrayCommand::Hide},
        {"the second item", true, WM_RBUTTONUP, {VK_DOWN, VK_DOWN, VK_RETURN}, TrayCommand::Time},
        {"the third item",
         true,
         WM_RBUTTONUP,
         {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN},
         TrayCommand::Date},
        {"the last item, past the separator",
         false,
         WM_RBUTTONUP,
         {VK_UP, VK_RETURN},
         TrayCommand::Exit},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuApplication app;
        MenuForm form(app);
        TWinTrayPlatform platform;
        TDCMinTray tray(&form, platform, app);
        form.LoadComponents([] {});
        app.mainForm = &form;
        form.SetVisible(c.shown);
        HWND owner = form.Handle();
        int opened = 0;
        TrayCommand chosen = TrayCommand::None;
        tray.SetOnRightClick([&] {
            ++opened;
            chosen = TTrayMenu::Track(owner, IsWindowVisible(owner) != FALSE, POINT{300, 300});
        });
        form.keys = c.keys;
        SendMessageW(owner, kTrayCallbackMessage, kTrayIconId, c.mouse);

        EXPECT_EQ(opened, 1);
        EXPECT_EQ(chosen, c.chosen);
        const std::vector<std::string> expected = {c.shown ? "Свернуть" : "Показать",
                                                   "Время",
                                                   "Дата",
                                                   "Настройки",
                                                   "Оповещения…",
                                                   "О программе",
                                                   "",
                                                   "Выход"};
        EXPECT_EQ(form.items, expected);
        // In front while open, so that a click elsewhere closes it; a message
        // queued after, so that the next click is not lost.
        EXPECT_TRUE(form.inFront);
        MSG queued{};
        EXPECT_TRUE(PeekMessageW(&queued, owner, WM_NULL, WM_NULL, PM_REMOVE));
        // Choosing does nothing by itself: the clock is as it was.
        EXPECT_EQ(IsWindowVisible(owner) != FALSE, c.shown);
        test::PumpMessages();
    }
}

}  // namespace
}  // namespace zv::win
