// The dialog layer at a DPI above 96: the window, every control and the font
// are the design's, scaled; nothing stays at its 96 DPI size.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "core/DialogDesign.h"
#include "win32/Dialog.h"

namespace zv::win {
namespace {

constexpr TControlDesign kRows[] = {
    {"Check", TControlKind::CheckBox, "", 16, 16, 129, 17, "Горячая клавиша для"},
    {"Combo", TControlKind::ComboBox, "", 184, 24, 97, 21, "F11"},
    {"Group", TControlKind::GroupBox, "", 16, 104, 289, 41, "Запускать"},
    {"Radio", TControlKind::RadioButton, "Group", 8, 16, 145, 17, "Только для меня"},
    {"Apply", TControlKind::Button, "", 8, 216, 305, 25, "Применить"},
};
constexpr TDialogDesign kDesign{"ZvDialogTest", "Проба", 325, 257, 0, 8, kRows};

class TTestDialog : public TDialog {
  public:
    explicit TTestDialog(int dpi) : TDialog(kDesign, nullptr, dpi) {}
};

TEST(DialogWinTest, WindowControlsAndFontFollowTheDpi) {
    for (int dpi : {96, 120, 144, 192}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        TTestDialog dialog(dpi);
        const auto at = [dpi](int design) { return MulDiv(design, dpi, 96); };
        RECT client{};
        GetClientRect(dialog.Handle(), &client);
        EXPECT_EQ(client.right, at(325));
        EXPECT_EQ(client.bottom, at(257));
        for (const TControlDesign& row : kRows) {
            SCOPED_TRACE(row.name);
            HWND c = dialog.Control(row.name);
            ASSERT_NE(c, nullptr);
            RECT r{};
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, GetParent(c), reinterpret_cast<POINT*>(&r), 2);
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
            LOGFONTW font{};
            ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)),
                                   sizeof font, &font));
            EXPECT_EQ(std::abs(font.lfHeight), at(11));
        }
    }
}

}  // namespace
}  // namespace zv::win
