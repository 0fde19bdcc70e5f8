// The clock's dial as a screen reader finds it, asked for in-process the way
// one asks: AccessibleObjectFromWindow on the clock window.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "app/DialAccess_win.h"
#include "speech/Words.h"
#include "tests/win/ProgramFixture.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

using test::Program;
using test::PumpMessages;

class DialAccessibleWinTest : public test::ProgramFolderTest {};

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

enum class What { Name, Value, DefaultAction };

std::string Text(IAccessible* acc, long id, What what) {
    BSTR text = nullptr;
    const HRESULT hr = what == What::Name    ? acc->get_accName(Child(id), &text)
                       : what == What::Value ? acc->get_accValue(Child(id), &text)
                                             : acc->get_accDefaultAction(Child(id), &text);
    if (hr != S_OK || !text) return "<none>";
    std::string narrow = Narrow(text);
    SysFreeString(text);
    return narrow;
}

long Role(IAccessible* acc, long id) {
    VARIANT role;
    VariantInit(&role);
    if (acc->get_accRole(Child(id), &role) != S_OK || role.vt != VT_I4) return -1;
    return role.lVal;
}

IAccessible* DialOf(HWND clock) {
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(clock, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), reinterpret_cast<void**>(&acc))))
        return nullptr;
    return acc;
}

// The name is the time in words in the style the clock speaks in, the value
// the read-out's hours and minutes; the captions are push buttons where
// they are drawn.
TEST_F(DialAccessibleWinTest, TheDialIsAClockNamedByTheTimeInWordsWithThreeButtons) {
    Program program;
    program.form1.Timer1Timer();
    PumpMessages();
    HWND clock = program.form1.Handle();
    IAccessible* acc = DialOf(clock);
    ASSERT_NE(acc, nullptr);

    for (SpeechStyle style :
         {SpeechStyle::Official, SpeechStyle::OfficialExact, SpeechStyle::Colloquial}) {
        program.form1.Announcer().SetVoice("", style);
        // Asked again when the minute turned meanwhile.
        std::string name, value, want, wantValue;
        for (int attempt = 0; attempt < 2; ++attempt) {
            SYSTEMTIME st{};
            GetLocalTime(&st);
            want = WrittenSentence(style, st.wHour, st.wMinute);
            char v[8];
            std::snprintf(v, sizeof v, "%u:%02u", unsigned{st.wHour}, unsigned{st.wMinute});
            wantValue = v;
            name = Text(acc, CHILDID_SELF, What::Name);
            value = Text(acc, CHILDID_SELF, What::Value);
            if (name == want && value == wantValue) break;
        }
        EXPECT_EQ(name, want) << int(style);
        EXPECT_EQ(value, wantValue) << int(style);
        std::printf("[  A11Y    ] dial, style %d: clock «%s», value %s\n", int(style), name.c_str(),
                    value.c_str());
    }
    EXPECT_EQ(Role(acc, CHILDID_SELF), ROLE_SYSTEM_CLOCK);
    long count = 0;
    EXPECT_EQ(acc->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 3);

    const struct {
        long id;
        const char* name;
        Bounds where;
    } buttons[] = {
        {1, "ВРЕМЯ (F11)", program.form1.Layout().label4},
        {2, "СВЕРНУТЬ", program.form1.Layout().label5},
        {3, "ЗАКРЫТЬ", program.form1.Layout().label6},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.name);
        EXPECT_EQ(Text(acc, b.id, What::Name), b.name);
        EXPECT_EQ(Role(acc, b.id), ROLE_SYSTEM_PUSHBUTTON);
        EXPECT_EQ(Text(acc, b.id, What::DefaultAction), "Нажать");
        long x = 0, y = 0, w = 0, h = 0;
        ASSERT_EQ(acc->accLocation(&x, &y, &w, &h, Child(b.id)), S_OK);
        POINT at{b.where.left, b.where.top};
        ClientToScreen(clock, &at);
        EXPECT_EQ(x, at.x);
        EXPECT_EQ(y, at.y);
        EXPECT_EQ(w, b.where.width);
        EXPECT_EQ(h, b.where.height);
        // And the point in its middle finds it.
        VARIANT hit;
        VariantInit(&hit);
        EXPECT_EQ(acc->accHitTest(x + w / 2, y + h / 2, &hit), S_OK);
        EXPECT_EQ(hit.vt == VT_I4 ? hit.lVal : -1, b.id);
        std::printf("[  A11Y    ] dial's button «%s» at %ld,%ld %ldx%ld\n", b.name, x, y, w, h);
    }
    VARIANT none = Child(4);
    BSTR text = nullptr;
    EXPECT_EQ(acc->get_accName(none, &text), E_INVALIDARG);
    acc->Release();
}

// The buttons' default action is a click on the caption.
TEST_F(DialAccessibleWinTest, AButtonsDefaultActionDoesWhatItsClickDoes) {
    ASSERT_EQ(test::WriteStandardVoiceTones(30), "");
    for (long id : {1L, 2L, 3L}) {
        SCOPED_TRACE(id);
        Program program;
        HWND clock = program.form1.Handle();
        IAccessible* acc = DialOf(clock);
        ASSERT_NE(acc, nullptr);
        // Not shown yet, the captions take no click.
        KillTimer(clock, TForm1::kTimer1);
        if (program.form1.StartupPhase() != 0) {
            EXPECT_EQ(acc->accDoDefaultAction(Child(id)), E_FAIL);
            program.form1.Timer1Timer();
            PumpMessages();
        }
        ASSERT_EQ(acc->accDoDefaultAction(Child(id)), S_OK);
        MSG closing{};
        const bool closes = PeekMessageW(&closing, clock, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
        EXPECT_EQ(program.form1.Announcer().Polling(), id == 1);
        EXPECT_EQ(IsWindowVisible(clock) == FALSE, id == 2);
        EXPECT_EQ(closes, id == 3);
        program.form1.Announcer().Cancel();
        acc->Release();
    }
}

int g_changes = 0;

void CALLBACK CountNameChange(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) ++g_changes;
}

// The name is said to change when the minute turns, once, and only once
// somebody has asked for the dial: before, nothing is made.
TEST(DialAccessWin, TheNameChangesOnceAMinuteOnceAsked) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    TCaptionClicks captions([](TCaption) {});
    g_changes = 0;
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, CountNameChange,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    {
        TDialAccess access([] { return SpeechStyle::Official; }, captions);
        auto seconds = [&](uint16_t h, uint16_t m) {
            for (uint16_t s = 0; s < 60; ++s) access.Tick(TimeFields{h, m, s, 0});
            PumpMessages();
        };
        seconds(9, 58);
        seconds(9, 59);
        EXPECT_EQ(g_changes, 0) << "said before anybody asked";
        LRESULT result = 0;
        ASSERT_TRUE(
            access.Message(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), result));
        EXPECT_NE(result, 0);
        // Another object than the client's is the system's to answer.
        EXPECT_FALSE(
            access.Message(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW), result));
        seconds(9, 59);
        EXPECT_EQ(g_changes, 0);
        seconds(10, 0);
        EXPECT_EQ(g_changes, 1);
        seconds(10, 1);
        EXPECT_EQ(g_changes, 2);
        // The answer was never taken: its reference is given back.
        IAccessible* acc = nullptr;
        ObjectFromLresult(result, __uuidof(IAccessible), 0, reinterpret_cast<void**>(&acc));
        if (acc) acc->Release();
    }
    UnhookWinEvent(hook);
    DestroyWindow(window);
}

}  // namespace
}  // namespace zv::win
