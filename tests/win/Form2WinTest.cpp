// The About dialog as a real window: its frame, client size, labels and where
// it shows itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "about/Form2_win.h"
#include "app/Application_win.h"
#include "resources/version.h"
#include "tests/win/WinTestSupport.h"
#include "win32/Dpi.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

// Read back through the UTF-16 call, whatever the process's code page.
std::string Text(HWND h) {
    wchar_t buffer[256] = {};
    GetWindowTextW(h, buffer, static_cast<int>(std::size(buffer)));
    return Narrow(buffer);
}

RECT ClientRectOf(HWND child, HWND parent) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

class Form2WinTest : public ::testing::Test {
  protected:
    HWND Dialog() const { return form2_.Handle(); }

    TApplication application_;
    TForm2 form2_{reinterpret_cast<HWND>(application_.WindowHandle())};
};

TEST_F(Form2WinTest, FrameAndClientAreaAreTheDesignOnes) {
    RECT client{};
    GetClientRect(Dialog(), &client);
    EXPECT_EQ(client.right, 253);
    EXPECT_EQ(client.bottom, 160);
    EXPECT_EQ(Text(Dialog()), "О программе");

    const auto style = static_cast<DWORD>(GetWindowLongA(Dialog(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongA(Dialog(), GWL_EXSTYLE));
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << std::hex << style;
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(IsWindowVisible(Dialog())) << "created hidden";
    EXPECT_NE(SendMessageA(Dialog(), WM_GETICON, ICON_BIG, 0), 0) << "no window icon of its own";
}

TEST_F(Form2WinTest, LabelsStandAtTheirPlacesWithTheirTextsAndFonts) {
    // The faces are the nearest with Cyrillic letters that the system has.
    struct Want {
        int n, left, top;
        const char* text;
        int charHeight;
        bool underline;
    };
    const Want wants[] = {
        {1, 80, 16, "Zvenoks v." ZV_VERSION_TEXT, 11, false},
        {2, 64, 128, "Екатеринбург, 2026", 11, false},
        {3, 56, 88, "zvenoks.example.org", 16, true},
        {4, 104, 56, "Zvenoks", 11, false},
        {5, 96, 112, "Россия, Урал", 11, false},
    };
    for (const Want& w : wants) {
        SCOPED_TRACE("Label" + std::to_string(w.n));
        HWND label = form2_.Control("Label" + std::to_string(w.n));
        ASSERT_TRUE(IsWindow(label));
        const RECT r = ClientRectOf(label, Dialog());
        EXPECT_EQ(r.left, w.left);
        EXPECT_EQ(r.top, w.top);
        EXPECT_EQ(Text(label), w.text);
        EXPECT_TRUE(IsWindowVisible(label) || !IsWindowVisible(Dialog()));

        auto font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTA lf{};
        ASSERT_NE(GetObjectA(font, sizeof lf, &lf), 0);
        EXPECT_EQ(lf.lfHeight, -w.charHeight);
        EXPECT_EQ(lf.lfUnderline != 0, w.underline);
        // Sized to its text: the box holds the whole text in its font.
        UniqueMemDc dc(CreateCompatibleDC(nullptr));
        TEXTMETRICA tm{};
        {
            TSelection sel(dc.Get(), font);
            GetTextMetricsA(dc.Get(), &tm);
        }
        EXPECT_EQ(r.bottom - r.top, tm.tmHeight);
        EXPECT_GT(r.right - r.left, 0);
        EXPECT_LE(r.right, 253) << "runs out of the dialog";
        EXPECT_LE(r.bottom, 160) << "runs out of the dialog";
    }
    // Image1 is painted by the dialog, not a window of its own.
    EXPECT_EQ(form2_.Control("Image1"), nullptr);
    EXPECT_EQ(form2_.Control("Label6"), nullptr);
}

// The picture and the window's icons are the icons' own frames for the DPI,
// not the 32-pixel ones stretched, from the start and after a DPI change.
TEST(Form2DpiWinTest, PicturesAreTheFramesOfTheirDpi) {
    for (auto [made, now] : {std::pair{96, 96}, {120, 120}, {96, 144}, {96, 192}}) {
        SCOPED_TRACE(testing::Message() << made << " to " << now << " dpi");
        TForm2 form2(nullptr, made);
        if (now != made) {
            RECT suggested{0, 0, MulDiv(300, now, 96), MulDiv(200, now, 96)};
            SendMessageW(form2.Handle(), WM_DPICHANGED, MAKEWPARAM(now, now),
                         reinterpret_cast<LPARAM>(&suggested));
        }
        EXPECT_EQ(test::IconSide(form2.Image1Picture()), MulDiv(32, now, 96));
        const auto windowIcon = [&](WPARAM which) {
            return test::IconSide(
                reinterpret_cast<HICON>(SendMessageW(form2.Handle(), WM_GETICON, which, 0)));
        };
        EXPECT_EQ(windowIcon(ICON_BIG), LargeIconSize(now));
        EXPECT_EQ(windowIcon(ICON_SMALL), SmallIconSize(now));
    }
}

TEST_F(Form2WinTest, TheLinkIsBlueAndTheOtherLabelsHaveTheWindowTextColour) {
    UniqueMemDc dc(CreateCompatibleDC(nullptr));
    for (int n = 1; n <= 5; ++n) {
        SetTextColor(dc.Get(), RGB(1, 2, 3));
        const LRESULT brush =
            SendMessageA(Dialog(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.Get()),
                         reinterpret_cast<LPARAM>(form2_.Control("Label" + std::to_string(n))));
        EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE))) << n;
        EXPECT_EQ(GetTextColor(dc.Get()), n == 3 ? RGB(0, 0, 255) : GetSysColor(COLOR_WINDOWTEXT))
            << "Label" << n;
    }
}

TEST_F(Form2WinTest, FirstShownCentredOnThePrimaryWorkAreaThenLeftWhereTheUserPutIt) {
    // Somewhere else first, as a window the system placed would be.
    SetWindowPos(Dialog(), nullptr, 3, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    form2_.Show();
    test::PumpMessages();
    ASSERT_TRUE(IsWindowVisible(Dialog()));
    RECT r = WindowRect(Dialog());
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(r.left, work.left + (work.right - work.left - w) / 2);
    EXPECT_EQ(r.top, work.top + (work.bottom - work.top - h) / 2);

    // Showing it again while shown changes nothing.
    form2_.Show();
    test::PumpMessages();
    EXPECT_EQ(WindowRect(Dialog()).left, r.left);

    // The user drags it away, closes it with the close box, opens it again.
    SetWindowPos(Dialog(), nullptr, 17, 29, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(Dialog(), WM_CLOSE, 0, 0);
    test::PumpMessages();
    EXPECT_TRUE(IsWindow(Dialog())) << "closing hides, never destroys";
    EXPECT_FALSE(IsWindowVisible(Dialog()));
    EXPECT_FALSE(form2_.Visible());
    form2_.Show();
    test::PumpMessages();
    r = WindowRect(Dialog());
    EXPECT_EQ(r.left, 17);
    EXPECT_EQ(r.top, 29);
    EXPECT_EQ(r.right - r.left, w) << "fixed size";
    form2_.Hide();
}

TEST_F(Form2WinTest, TheLinkLeavesTheDialogAsItWas) {
    form2_.Show();
    test::PumpMessages();
    const RECT before = WindowRect(Dialog());
    // Under the test prefix no browser is set up: the call may fail, quietly.
    form2_.Label3Click();
    test::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(Dialog()));
    EXPECT_TRUE(form2_.Visible());
    const RECT after = WindowRect(Dialog());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    form2_.Hide();
}

}  // namespace
}  // namespace zv::win
