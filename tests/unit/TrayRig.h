#pragma once
// The tray component on a form of fakes, as the program builds it, with
// records of what it asked the shell and the window for.
#include <cstddef>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "shell/DCMinTray.h"

namespace zv::test::tray {

inline constexpr std::uintptr_t kFormWindow = 0x100;
inline constexpr std::uintptr_t kAppWindow = 0x200;
inline constexpr std::uintptr_t kAppIcon = 0x300;
inline constexpr std::intptr_t kPassedResult = 77;
inline constexpr unsigned kTaskbarCreated = 0xC123;

inline std::string Hex(std::uintptr_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%zx", static_cast<std::size_t>(v));
    return buf;
}

struct Notification {
    unsigned action;
    TrayIconRecord record;
};

// Records the traffic to the window system, and keeps each window's real
// visibility as ShowWindow leaves it.
class FakePlatform : public ITrayPlatform {
  public:
    std::vector<std::string> log;
    std::vector<Notification> notes;
    std::map<std::uintptr_t, bool> visible;
    unsigned taskbarCreated = kTaskbarCreated;
    // The shell takes nothing until it runs; it refuses to add an icon it
    // holds and to change or delete one it does not.
    bool shellRuns = true;
    bool shellHasIcon = false;
    std::map<std::uintptr_t, unsigned> timers;  // id -> interval, while set

    bool NotifyIcon(unsigned action, const TrayIconRecord& record) override {
        notes.push_back({action, record});
        log.push_back("notify " + std::to_string(action));
        if (!shellRuns || (action == kNimAdd) == shellHasIcon) return false;
        shellHasIcon = action != kNimDelete;
        return true;
    }
    // A shell of the first form unless told otherwise.
    bool takesVersion4 = false;
    bool UseVersion4(const TrayIconRecord&) override { return shellRuns && takesVersion4; }
    void SetTimer(std::uintptr_t window, std::uintptr_t id, unsigned ms) override {
        log.push_back("set timer " + Hex(window) + " " + Hex(id) + " " + std::to_string(ms));
        timers[id] = ms;
    }
    void KillTimer(std::uintptr_t window, std::uintptr_t id) override {
        log.push_back("kill timer " + Hex(window) + " " + Hex(id));
        timers.erase(id);
    }
    std::unique_ptr<IWindowHook> HookWindow(std::uintptr_t window,
                                            std::function<void(WindowMessage&)> handler) override;
    // What the window does with a message: the newest hook's handler has it
    // while hooked; otherwise it goes straight to the window's own procedure.
    WindowMessage Deliver(WindowMessage m) {
        if (!hooks.empty() && hooks.back().hooked) {
            hooks.back().handler(m);
        } else {
            m.Result = kPassedResult;
        }
        return m;
    }
    struct HookState {
        std::uintptr_t window;
        std::function<void(WindowMessage&)> handler;
        bool hooked = true;
        bool alive = true;
    };
    std::vector<HookState> hooks;
    void ShowWindow(std::uintptr_t window, int command) override {
        log.push_back("show " + Hex(window) + " " + std::to_string(command));
        visible[window] = command != kSwHide;
    }
    bool IsWindowVisible(std::uintptr_t window) override { return visible[window]; }
    unsigned RegisterMessage(std::string_view name) override {
        return name == "TaskbarCreated" ? taskbarCreated : 0;
    }
    std::map<std::uintptr_t, std::vector<unsigned>> allowed;  // messages let through, by window
    void AllowMessage(std::uintptr_t window, unsigned message) override {
        allowed[window].push_back(message);
    }
};

// A hook as the window system keeps one: it passes messages on for its window
// and logs what it is asked to do.
class FakeHook : public IWindowHook {
  public:
    FakeHook(FakePlatform& platform, std::size_t index) : platform_(platform), index_(index) {}
    ~FakeHook() override {
        auto& state = platform_.hooks[index_];
        platform_.log.push_back(state.hooked ? "free, unhooking" : "free");
        state.hooked = false;
        state.alive = false;
    }
    std::intptr_t PassOn(const WindowMessage& m) override {
        auto& state = platform_.hooks[index_];
        platform_.log.push_back("pass " + Hex(state.window) + " " + std::to_string(m.Msg) + " " +
                                std::to_string(m.WParam) + " " + std::to_string(m.LParam));
        return kPassedResult;
    }
    void Unhook() override {
        platform_.log.push_back("unhook");
        platform_.hooks[index_].hooked = false;
    }

  private:
    FakePlatform& platform_;
    std::size_t index_;
};

inline std::unique_ptr<IWindowHook> FakePlatform::HookWindow(
    std::uintptr_t window, std::function<void(WindowMessage&)> handler) {
    log.push_back("hook " + Hex(window));
    hooks.push_back({window, std::move(handler)});
    return std::make_unique<FakeHook>(*this, hooks.size() - 1);
}

// A form whose Visible works as the framework's: assigning the value it already
// holds does nothing; another value shows or hides the window.
class FakeForm : public TComponent, public IForm {
  public:
    FakeForm(FakePlatform& platform, std::uintptr_t window)
        : TComponent(nullptr), platform_(platform), window_(window) {}

    std::uintptr_t WindowHandle() override { return window_; }
    bool Visible() const override { return visible_; }
    void SetVisible(bool visible) override {
        platform_.log.push_back(std::string("Visible := ") + (visible ? "true" : "false"));
        if (visible == visible_) return;
        visible_ = visible;
        platform_.visible[window_] = visible;
    }
    std::uintptr_t IconHandle() const override { return icon; }
    std::string Caption() const override { return caption; }

    // Shown as the framework shows it: flag and window agree.
    void Show() {
        visible_ = true;
        platform_.visible[window_] = true;
    }

    std::uintptr_t icon = 0;
    std::string caption = "Zvenoks";

  private:
    FakePlatform& platform_;
    std::uintptr_t window_;
    bool visible_ = false;
};

class FakeApplication : public IApplication {
  public:
    IForm* mainForm = nullptr;
    IForm* MainForm() const override { return mainForm; }
    std::uintptr_t WindowHandle() const override { return kAppWindow; }
    std::uintptr_t IconHandle() const override { return kAppIcon; }
    std::string ExeName() const override { return "C:\\Zvenoks\\Zvenoks.exe"; }
};

// The component on its form, built as the program builds it: the component
// loads with the form and attaches in AfterLoading, before the form becomes
// the main form.
struct Rig {
    Rig() {
        form.LoadComponents([] {});
        app.mainForm = &form;
    }
    void ShowIcon() {
        tray.ShowIcon();
        Clear();
    }
    void Clear() {
        platform.log.clear();
        platform.notes.clear();
    }
    WindowMessage Send(std::uint32_t msg, std::uintptr_t wParam = 0, std::intptr_t lParam = 0) {
        WindowMessage m;
        m.Msg = msg;
        m.WParam = wParam;
        m.LParam = lParam;
        m.Result = -1;
        return platform.Deliver(m);
    }

    FakePlatform platform;
    FakeApplication app;
    FakeForm form{platform, kFormWindow};
    TDCMinTray tray{&form, platform, app};
};

inline std::string Tip(const TrayIconRecord& r) {
    return std::string(r.szTip);
}

}  // namespace zv::test::tray
