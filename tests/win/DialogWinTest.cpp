// The dialog layer at a DPI above 96: the window, every control and the font
// are the design's, scaled; nothing stays at its 96 DPI size. Every caption
// fits its control, and a DPI change lays the dialog out as if made there.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>

#include "about/Form2Controls.h"
#include "core/DialogDesign.h"
#include "schedule/AnnouncementsDialogControls.h"
#include "settings/Form3Controls.h"
#include "win32/Dialog.h"
#include "win32/Dpi.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr ControlDesign kRows[] = {
    {"Check", TControlKind::CheckBox, "", 16, 16, 129, 17, "Клавиша"},
    {"Combo", TControlKind::ComboBox, "", 184, 24, 97, 21, "F11"},
    {"Group", TControlKind::GroupBox, "", 16, 104, 289, 41, "Запускать"},
    {"Radio", TControlKind::RadioButton, "Group", 8, 16, 145, 17, "Только для меня"},
    {"Apply", TControlKind::Button, "", 8, 216, 305, 25, "Применить"},
};
constexpr DialogDesign kDesign{"ZvDialogTest", "Проба", 325, 257, 0, 8, kRows};

const DialogDesign* const kDialogs[] = {&kForm2Design, &kForm3Design, &kAnnouncementsDialogDesign};

class TTestDialog : public TDialog {
  public:
    explicit TTestDialog(int dpi, const DialogDesign& design = kDesign)
        : TDialog(design, nullptr, dpi) {
        Create();
    }
};

RECT InParent(HWND c) {
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, GetParent(c), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int FontHeight(HWND c) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

TEST(DialogWinTest, WindowControlsAndFontFollowTheDpi) {
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        TTestDialog dialog(dpi);
        const auto at = [dpi](int design) { return MulDiv(design, dpi, 96); };
        RECT client{};
        GetClientRect(dialog.Handle(), &client);
        EXPECT_EQ(client.right, at(325));
        EXPECT_EQ(client.bottom, at(257));
        for (const ControlDesign& row : kRows) {
            SCOPED_TRACE(row.name);
            HWND c = dialog.Control(row.name);
            ASSERT_NE(c, nullptr);
            const RECT r = InParent(c);
            EXPECT_EQ(r.left, at(row.left));
            EXPECT_EQ(r.top, at(row.top));
            EXPECT_EQ(r.right - r.left, at(row.width));
            if (row.kind == TControlKind::ComboBox) {
                // The system keeps a closed combo no lower than its font
                // needs: under Wine two pixels above the scaled design.
                EXPECT_GE(r.bottom - r.top, at(row.height));
                EXPECT_LE(r.bottom - r.top, at(row.height + 2));
            } else {
                EXPECT_EQ(r.bottom - r.top, at(row.height));
            }
            EXPECT_EQ(std::abs(FontHeight(c)), at(11));
        }
    }
}

// Measured in the font the control was given: the system's own ideal size
// for a button, the text and a classic check box for the rest.
TEST(DialogWinTest, EveryCaptionFitsItsControlAndEveryControlItsParent) {
    for (const DialogDesign* design : kDialogs) {
        for (int dpi : {96, 120, 144, 192}) {
            SCOPED_TRACE(testing::Message() << design->className << " at " << dpi << " dpi");
            TTestDialog dialog(dpi, *design);
            for (const ControlDesign& row : design->controls) {
                HWND c = dialog.Control(row.name);
                if (!c) continue;
                SCOPED_TRACE(row.name);
                RECT client{}, parent{};
                GetClientRect(c, &client);
                GetClientRect(GetParent(c), &parent);
                const RECT r = InParent(c);
                EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= parent.right &&
                            r.bottom <= parent.bottom);
                if (row.text.empty() || row.kind == TControlKind::ComboBox) continue;
                HDC dc = GetDC(c);
                HGDIOBJ old =
                    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)));
                const std::wstring text = Widen(row.text);
                SIZE extent{};
                GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
                SelectObject(dc, old);
                ReleaseDC(c, dc);
                SIZE ideal{};
                if (row.kind == TControlKind::CheckBox || row.kind == TControlKind::AutoCheckBox ||
                    row.kind == TControlKind::RadioButton) {
                    extent.cx += MulDiv(13, dpi, 96);
                    SendMessageW(c, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
                } else if (row.kind == TControlKind::Button) {
                    SendMessageW(c, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
                }
                EXPECT_LE(extent.cx, client.right);
                EXPECT_LE(ideal.cx, client.right);
            }
        }
    }
}

// As Windows 10 does it: first the size at the new DPI, then the move there.
TEST(DialogWinTest, ADpiChangeLaysTheDialogOutAsIfItWereMadeAtTheNewDpi) {
    constexpr UINT kGetDpiScaledSize = 0x02E4;
    for (auto [from, to] : {std::pair{96, 192}, {144, 96}, {96, 120}}) {
        SCOPED_TRACE(testing::Message() << from << " to " << to << " dpi");
        TTestDialog moved(from, kForm3Design), made(to, kForm3Design);
        // The client area made there, in a frame of the new DPI.
        RECT want{};
        GetClientRect(made.Handle(), &want);
        AdjustWindowRectForDpi(want, GetWindowLongW(made.Handle(), GWL_STYLE),
                               GetWindowLongW(made.Handle(), GWL_EXSTYLE), to);
        SIZE size{};
        EXPECT_TRUE(SendMessageW(moved.Handle(), kGetDpiScaledSize, WPARAM(to),
                                 reinterpret_cast<LPARAM>(&size)));
        EXPECT_EQ(size.cx, want.right - want.left);
        EXPECT_EQ(size.cy, want.bottom - want.top);
        RECT suggested{40, 50, 40 + size.cx, 50 + size.cy};
        SendMessageW(moved.Handle(), WM_DPICHANGED, MAKEWPARAM(to, to),
                     reinterpret_cast<LPARAM>(&suggested));
        RECT now{};
        GetWindowRect(moved.Handle(), &now);
        EXPECT_TRUE(EqualRect(&now, &suggested));
        for (const ControlDesign& row : kForm3Controls) {
            SCOPED_TRACE(row.name);
            HWND a = moved.Control(row.name), b = made.Control(row.name);
            const RECT ra = InParent(a), rb = InParent(b);
            EXPECT_TRUE(EqualRect(&ra, &rb));
            EXPECT_EQ(FontHeight(a), FontHeight(b));
        }
    }
}

TEST(DialogWinTest, ADpiMessageFromAnotherThreadOrWithNoSaneRectangleIsNotTakenAsItStands) {
    constexpr UINT kGetDpiScaledSize = 0x02E4;
    TTestDialog dialog(96, kForm3Design), made(192, kForm3Design);
    RECT before{}, now{};
    GetWindowRect(dialog.Handle(), &before);
    // Another thread's pointers are not written through nor read.
    SIZE size{-1, -1};
    RECT suggested{1, 2, 3, 4};
    LRESULT answered = 1;
    std::atomic<bool> done{false};
    std::thread other([&] {
        answered =
            SendMessageW(dialog.Handle(), kGetDpiScaledSize, 192, reinterpret_cast<LPARAM>(&size));
        SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                     reinterpret_cast<LPARAM>(&suggested));
        done = true;
    });
    // Sent messages reach the dialog while its thread waits for messages.
    for (MSG msg; !done; MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT)) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    other.join();
    EXPECT_EQ(answered, 0);
    EXPECT_EQ(size.cx, -1);
    GetWindowRect(dialog.Handle(), &now);
    EXPECT_TRUE(EqualRect(&now, &before));
    // A rectangle of no size: the size laid out at the new DPI, where the dialog was.
    suggested = RECT{5, 5, 5, 5};
    SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT want{};
    GetClientRect(made.Handle(), &want);
    AdjustWindowRectForDpi(want, GetWindowLongW(made.Handle(), GWL_STYLE),
                           GetWindowLongW(made.Handle(), GWL_EXSTYLE), 192);
    GetWindowRect(dialog.Handle(), &now);
    EXPECT_EQ(now.left, before.left);
    EXPECT_EQ(now.top, before.top);
    EXPECT_EQ(now.right - now.left, want.right - want.left);
    EXPECT_EQ(now.bottom - now.top, want.bottom - want.top);
}

}  // namespace
}  // namespace zv::win
