// Hooks on a real window's procedure: what reaches whom, and what the window
// is left with.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "adapters/WinWindowHook.h"

namespace zv::win {
namespace {

constexpr UINT kProbe = WM_APP + 7;
std::vector<std::string> trace;

bool Traced(UINT msg) {
    return msg >= WM_APP || msg == WM_DESTROY;
}

std::string Entry(const std::string& who, UINT msg, WPARAM wParam, LPARAM lParam) {
    return who + " " + std::to_string(msg) + " " + std::to_string(wParam) + " " +
           std::to_string(lParam);
}

constexpr UINT kNested = WM_APP + 8;
bool nestOnce = false;

// The window's own procedure answers a probe with a result of its own making.
// kNested, the first time, runs a loop of its own as a message box does, in
// which the like message comes again (a timer's next tick).
LRESULT CALLBACK OwnProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Traced(msg)) trace.push_back(Entry("own", msg, wParam, lParam));
    if (msg == kNested && std::exchange(nestOnce, false)) {
        PostMessageW(hwnd, kNested, wParam, lParam);
        MSG m;
        while (PeekMessageW(&m, hwnd, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
    }
    if (msg >= WM_APP) return static_cast<LRESULT>(wParam * 3 + 1);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// A procedure from elsewhere that chains on the classic way.
LONG_PTR foreignPrevious = 0;
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Traced(msg)) trace.push_back(Entry("foreign", msg, wParam, lParam));
    return CallWindowProcW(reinterpret_cast<WNDPROC>(foreignPrevious), hwnd, msg, wParam, lParam);
}

HWND MakeWindow() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &OwnProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ZvHookTestWindow";
        return RegisterClassW(&wc) != 0;
    }();
    EXPECT_TRUE(registered);
    return CreateWindowExW(0, L"ZvHookTestWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// A hook that notes what it sees and passes everything on.
struct TracingHook {
    TracingHook(HWND window, std::string name) {
        hook = std::make_unique<TWinWindowHook>(window, [this, name](WindowMessage& m) {
            if (Traced(m.Msg)) trace.push_back(Entry(name, m.Msg, m.WParam, m.LParam));
            m.Result = hook->PassOn(m);
        });
    }
    std::unique_ptr<TWinWindowHook> hook;
};

class WndProcHookWin : public testing::Test {
  protected:
    void SetUp() override {
        trace.clear();
        hwnd = MakeWindow();
        ASSERT_NE(hwnd, nullptr);
        original = GetWindowLongPtrW(hwnd, GWLP_WNDPROC);
    }
    void TearDown() override {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    // Sends a probe and returns who saw it, in order; the result must be the
    // window's own.
    std::vector<std::string> Probe(WPARAM wParam = 5) {
        trace.clear();
        EXPECT_EQ(SendMessageW(hwnd, kProbe, wParam, 9), static_cast<LRESULT>(wParam * 3 + 1));
        std::vector<std::string> who;
        for (const std::string& e : trace) who.push_back(e.substr(0, e.find(' ')));
        return who;
    }
    bool Pristine() {
        return GetWindowLongPtrW(hwnd, GWLP_WNDPROC) == original &&
               GetPropW(hwnd, TWinWindowHook::kPropName) == nullptr;
    }
    using Who = std::vector<std::string>;

    HWND hwnd = nullptr;
    LONG_PTR original = 0;
};

TEST_F(WndProcHookWin, PassesEveryMessageOnUnchangedWithItsResult) {
    TracingHook a(hwnd, "A");
    ASSERT_TRUE(a.hook->Hooked());
    struct Case {
        const char* name;
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool post;
    };
    const Case cases[] = {
        {"sent", kProbe, 1, 2, false},
        {"large parameters", WM_APP + 1, static_cast<WPARAM>(-1), -5, false},
        {"posted", WM_APP + 2, 4, 0x7A0000, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        trace.clear();
        if (c.post) {
            PostMessageW(hwnd, c.msg, c.wParam, c.lParam);
            MSG msg;
            while (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        } else {
            EXPECT_EQ(SendMessageW(hwnd, c.msg, c.wParam, c.lParam),
                      static_cast<LRESULT>(c.wParam * 3 + 1));
        }
        EXPECT_EQ(trace, (std::vector<std::string>{Entry("A", c.msg, c.wParam, c.lParam),
                                                   Entry("own", c.msg, c.wParam, c.lParam)}));
    }
}

TEST_F(WndProcHookWin, ALikeMessageFromANestedLoopReachesTheHook) {
    TracingHook a(hwnd, "A");
    nestOnce = true;
    PostMessageW(hwnd, kNested, 2, 0);
    MSG msg;
    while (PeekMessageW(&msg, hwnd, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    const std::string e = Entry("", kNested, 2, 0);
    EXPECT_EQ(trace, (std::vector<std::string>{"A" + e, "own" + e, "A" + e, "own" + e}));
}

TEST_F(WndProcHookWin, PutsTheProcedureBackOnUnhookOrWhenItGoes) {
    enum End { Unhook, Drop, UnhookThenDrop };
    for (End end : {Unhook, Drop, UnhookThenDrop}) {
        SCOPED_TRACE(end);
        auto a = std::make_unique<TracingHook>(hwnd, "A");
        EXPECT_NE(GetWindowLongPtrW(hwnd, GWLP_WNDPROC), original);
        EXPECT_EQ(Probe(), (Who{"A", "own"}));
        if (end != Drop) a->hook->Unhook();
        if (end != Unhook) a.reset();
        EXPECT_TRUE(Pristine());
        EXPECT_EQ(Probe(), Who{"own"});
    }
}

TEST_F(WndProcHookWin, TwoHooksOnOneWindowChainAndComeOffInEitherOrder) {
    struct Case {
        const char* name;
        bool newestFirst;
        Who afterOne;
    };
    const Case cases[] = {
        {"newest off first", true, {"A", "own"}},
        {"oldest off first", false, {"B", "own"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto a = std::make_unique<TracingHook>(hwnd, "A");
        auto b = std::make_unique<TracingHook>(hwnd, "B");
        EXPECT_EQ(Probe(), (Who{"B", "A", "own"}));
        (c.newestFirst ? b : a).reset();
        EXPECT_EQ(Probe(), c.afterOne);
        (c.newestFirst ? a : b).reset();
        EXPECT_TRUE(Pristine());
        EXPECT_EQ(Probe(), Who{"own"});
    }
}

// Whichever hook comes off first, a foreign procedure between them stays in
// the chain, and its call back leads on to the window's own procedure.
TEST_F(WndProcHookWin, AForeignProcedureBetweenOrAboveTheHooksIsKeptInTheChain) {
    struct Case {
        const char* name;
        bool newestFirst;
        Who afterOne;
    };
    const Case cases[] = {
        {"newest off first", true, {"foreign", "A", "own"}},
        {"oldest off first", false, {"B", "foreign", "own"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto a = std::make_unique<TracingHook>(hwnd, "A");
        foreignPrevious =
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc));
        auto b = std::make_unique<TracingHook>(hwnd, "B");
        EXPECT_EQ(Probe(), (Who{"B", "foreign", "A", "own"}));

        (c.newestFirst ? b : a).reset();
        if (c.newestFirst) {  // the foreign procedure is back on top
            EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_WNDPROC),
                      reinterpret_cast<LONG_PTR>(&ForeignProc));
        }
        EXPECT_EQ(Probe(), c.afterOne);

        // A hook cannot come out from under it, but leads on to the window's own.
        (c.newestFirst ? a : b).reset();
        EXPECT_EQ(Probe(), (Who{"foreign", "own"}));

        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, foreignPrevious);
        EXPECT_EQ(Probe(), Who{"own"});
    }
}

TEST_F(WndProcHookWin, AWindowThatIsGoneIsNotHooked) {
    DestroyWindow(hwnd);
    int calls = 0;
    TWinWindowHook hook(hwnd, [&](WindowMessage&) { ++calls; });
    EXPECT_FALSE(hook.Hooked());
    hook.Unhook();
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace zv::win
