// What a screen reader says for every control of the three dialogs, asked for
// in-process as a screen reader asks: AccessibleObjectFromWindow.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "about/Form2Controls.h"
#include "about/Form2_win.h"
#include "schedule/AnnouncementsDialogControls.h"
#include "schedule/AnnouncementsDialog_win.h"
#include "settings/Form3Controls.h"
#include "tests/win/ProgramFixture.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

using test::Program;

class DialogAccessibleWinTest : public test::ProgramFolderTest {};

struct Heard {
    std::string name, value;
    long role = -1;
};

Heard Hear(HWND control) {
    Heard heard;
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), reinterpret_cast<void**>(&acc))))
        return heard;
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (acc->get_accName(self, &text) == S_OK && text) heard.name = Narrow(text);
    SysFreeString(text);
    text = nullptr;
    if (acc->get_accValue(self, &text) == S_OK && text) heard.value = Narrow(text);
    SysFreeString(text);
    VARIANT role;
    VariantInit(&role);
    if (acc->get_accRole(self, &role) == S_OK && role.vt == VT_I4) heard.role = role.lVal;
    acc->Release();
    return heard;
}

struct Said {
    const char* control;
    const char* name;
};

// Every control a user can tab to has the name it is read by: check boxes,
// radio buttons and buttons their text, a box or the slider the label before
// it; and none is missing from the list.
void ExpectNames(const TDialog& dialog, std::span<const ControlDesign> rows,
                 const std::vector<Said>& said, const char* title) {
    size_t focusable = 0;
    for (const ControlDesign& row : rows) focusable += TakesFocus(row.kind);
    EXPECT_EQ(said.size(), focusable) << title;
    for (const Said& s : said) {
        SCOPED_TRACE(s.control);
        HWND control = dialog.Control(s.control);
        ASSERT_NE(control, nullptr);
        const Heard heard = Hear(control);
        EXPECT_EQ(heard.name, s.name);
        std::printf("[  A11Y    ] %s: %s «%s»%s%s\n", title, s.control, heard.name.c_str(),
                    heard.value.empty() ? "" : ", value ", heard.value.c_str());
    }
}

TEST_F(DialogAccessibleWinTest, EveryControlOfTheSettingsAndAboutDialogsHasItsName) {
    Program program;
    ExpectNames(program.form3, kForm3Controls,
                {{"CheckBox1", "Горячая клавиша для"},
                 {"ComboBox1", "произнесения времени"},
                 {"CheckBox2", "Автозапуск программы при загрузке Windows"},
                 {"Button1", "Применить"},
                 {"RadioButton1", "Для всех пользователей"},
                 {"RadioButton2", "Только для меня"},
                 {"ComboBox2", "Запуск"}},
                "Настройки");
    // «О программе» has nothing to tab to; its link is read as one.
    ExpectNames(program.form2, kForm2Controls, {}, "О программе");
    const Heard link = Hear(program.form2.Control("Label3"));
    EXPECT_EQ(link.role, ROLE_SYSTEM_LINK);
    EXPECT_EQ(link.name, LinkText(kMakerUrl));
    std::printf("[  A11Y    ] О программе: Label3 link «%s»\n", link.name.c_str());
}

TEST_F(DialogAccessibleWinTest, EveryControlOfTheAnnouncementsDialogHasItsName) {
    TAnnouncementsDialog dialog(
        nullptr, [](const AnnounceSettings&) {}, [](const AnnounceSettings&) {});
    AnnounceSettings settings;
    settings.volume = 80;
    dialog.Load(settings, {});
    ExpectNames(dialog, kAnnouncementsDialogControls,
                {{"EveryBox", "Говорить время:"},
                 {"QuietCheck", "Тихие часы"},
                 {"FromBox", "с"},
                 {"ToBox", "до"},
                 {"ChimeBox", "Звук перед оповещением:"},
                 {"VolumeBar", "Громкость:"},
                 {"FullscreenCheck", "Молчать, когда другая программа открыта на весь экран"},
                 {"MicCheck", "Молчать, пока занят микрофон (звонок, запись)"},
                 {"VoiceBox", "Голос:"},
                 {"StyleBox", "Как говорить:"},
                 {"ListenButton", "Прослушать"},
                 {"DateCheck", "Называть дату в первом оповещении дня"},
                 {"ApplyButton", "Применить"}},
                "Оповещения");
    // The slider says its value in percent, as the label beside it shows it.
    EXPECT_EQ(Hear(dialog.Control("VolumeBar")).value, "80 %");
    SendMessageW(dialog.Control("VolumeBar"), WM_KEYDOWN, VK_RIGHT, 1);
    test::PumpMessages();
    EXPECT_EQ(Hear(dialog.Control("VolumeBar")).value, "81 %");
}

}  // namespace
}  // namespace zv::win
