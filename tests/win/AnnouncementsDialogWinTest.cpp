// The announcements dialog with its real controls: texts as Windows holds
// them, what Apply hands over, the voice list's rule, and where it opens.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "schedule/AnnouncementsDialogControls.h"
#include "schedule/AnnouncementsDialog_win.h"
#include "tests/win/WinTestSupport.h"
#include "win32/ErrorBox.h"
#include "win32/Handles.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

std::string Text(HWND h) {
    wchar_t buffer[256] = {};
    GetWindowTextW(h, buffer, static_cast<int>(std::size(buffer)));
    return Narrow(buffer);
}

std::vector<std::string> Items(HWND combo) {
    std::vector<std::string> items;
    const auto n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t item[128] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        items.push_back(Narrow(item));
    }
    return items;
}

// The width and height of a text in the control's own font.
SIZE Extent(HWND control, const std::string& text) {
    TWindowDc dc(control);
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    TSelection sel(dc.Get(), font);
    const std::wstring wide = Widen(text);
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

// The screen under the window as a 24-bit BMP file.
bool SaveWindowPicture(HWND h, const std::string& path) {
    RECT r{};
    GetWindowRect(h, &r);
    const int w = r.right - r.left, ht = r.bottom - r.top;
    TWindowDc screen(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, ht, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemDc dc(CreateCompatibleDC(screen.Get()));
    if (!bitmap || !dc) return false;
    {
        TSelection sel(dc.Get(), bitmap.Get());
        BitBlt(dc.Get(), 0, 0, w, ht, screen.Get(), r.left, r.top, SRCCOPY);
    }
    const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
    const DWORD size = stride * static_cast<DWORD>(ht);
    constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    BITMAPFILEHEADER file{0x4D42, kHeaders + size, 0, 0, kHeaders};
    UniqueFile out(
        CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!out) return false;
    DWORD n = 0;
    return WriteFile(out.Get(), &file, sizeof file, &n, nullptr) &&
           WriteFile(out.Get(), &info.bmiHeader, sizeof info.bmiHeader, &n, nullptr) &&
           WriteFile(out.Get(), bits, size, &n, nullptr);
}

std::vector<std::string> gShown;
void Record(const std::string& text) {
    gShown.push_back(text);
}

AnnounceSettings Example() {
    AnnounceSettings s;
    s.every = 15;
    s.quiet = true;
    s.quietFrom = 22;
    s.quietTo = 6;
    s.chime = Chime::Cuckoo;
    s.volume = 50;
    s.fullscreen = false;
    s.voice = "anna";
    s.style = SpeechStyle::Colloquial;
    return s;
}

// aleksandr was made before the styles' words.
const std::vector<VoiceEntry> kVoices = {
    {"anna", "", true}, {"elena", "5.wav"}, {"aleksandr", ""}, {"irina", "chas.wav"}};
constexpr const char* kAleksandr = "aleksandr (только официально)";

class AnnouncementsDialogWinTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gShown.clear();
        SetErrorSink(&Record);
        dialog_ = std::make_unique<TAnnouncementsDialog>(
            nullptr, [this](const AnnounceSettings& s) { Applied(s); },
            [this](const AnnounceSettings& s) {
                listened_.push_back(s.voice + " " + std::to_string(static_cast<int>(s.style)));
            });
    }
    void TearDown() override {
        dialog_.reset();
        SetErrorSink(nullptr);
    }
    void Applied(const AnnounceSettings& s) {
        if (failApply_) throw std::runtime_error("Cannot create file \"announce.cfg\"");
        applied_ = s;
    }
    HWND C(const char* name) { return dialog_->Control(name); }
    void Click(const char* name) {
        SendMessageW(C(name), BM_CLICK, 0, 0);
        test::PumpMessages();
    }
    int Selected(const char* name) {
        return static_cast<int>(SendMessageW(C(name), CB_GETCURSEL, 0, 0));
    }
    // A key as the user presses it on the focused control.
    void Key(const char* name, WPARAM key) {
        SetFocus(C(name));
        SendMessageW(C(name), WM_KEYDOWN, key, 1);
        SendMessageW(C(name), WM_KEYUP, key, 0xC0000001);
        test::PumpMessages();
    }

    std::unique_ptr<TAnnouncementsDialog> dialog_;
    std::optional<AnnounceSettings> applied_;
    std::vector<std::string> listened_;
    bool failApply_ = false;
};

TEST_F(AnnouncementsDialogWinTest, ControlsCarryTheirTextsAndTheTextsFit) {
    dialog_->Load(Example(), kVoices);
    HWND h = dialog_->Handle();
    EXPECT_EQ(Text(h), "Оповещения");
    RECT client{};
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, kAnnouncementsDialogDesign.clientWidth);
    EXPECT_EQ(client.bottom, kAnnouncementsDialogDesign.clientHeight);
    auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(h, GWL_EXSTYLE));
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(dialog_->Visible());

    struct Row {
        const char* name;
        const char* className;
        const char* text;
        int box;  // what a check box or button takes besides its text
    } rows[] = {
        {"EveryLabel", "Static", "Говорить время:", 0},
        {"EveryBox", "ComboBox", "Каждые 15 минут", 0},
        {"QuietCheck", "Button", "Тихие часы", 20},
        {"FromLabel", "Static", "с", 0},
        {"FromBox", "ComboBox", "22:00", 0},
        {"ToLabel", "Static", "до", 0},
        {"ToBox", "ComboBox", "6:00", 0},
        {"ChimeLabel", "Static", "Звук перед оповещением:", 0},
        {"ChimeBox", "ComboBox", "Колокольчик, в начале часа — кукушка", 0},
        {"VolumeLabel", "Static", "Громкость:", 0},
        {"VolumeBar", "msctls_trackbar32", "", 0},
        {"VolumeText", "Static", "50 %", 0},
        {"FullscreenCheck", "Button", "Молчать, когда другая программа открыта на весь экран", 20},
        {"MicCheck", "Button", "Молчать, пока занят микрофон (звонок, запись)", 20},
        {"DateCheck", "Button", "Называть дату в первом оповещении дня", 20},
        {"StyleLabel", "Static", "Как говорить:", 0},
        {"StyleBox", "ComboBox", "Разговорно", 0},
        {"VoiceLabel", "Static", "Голос:", 0},
        {"VoiceBox", "ComboBox", "anna", 0},
        {"ListenButton", "Button", "Прослушать", 8},
        {"ApplyButton", "Button", "Применить", 8},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        HWND c = C(row.name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(GetParent(c), h);
        wchar_t cls[64] = {};
        GetClassNameW(c, cls, 64);
        EXPECT_STRCASEEQ(Narrow(cls).c_str(), row.className);
        EXPECT_EQ(Text(c), row.text);
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, client.right);
        // Nothing printed cut off: combos by their widest item beside the arrow.
        std::vector<std::string> texts{row.text};
        int room = r.right - r.left - row.box;
        if (std::string(row.className) == "ComboBox") {
            texts = Items(c);
            room -= GetSystemMetrics(SM_CXVSCROLL) + 4;
        }
        for (const std::string& text : texts) {
            SIZE size = Extent(c, text);
            EXPECT_LE(size.cx, room) << text;
            if (std::string(row.className) != "ComboBox") {
                EXPECT_LE(size.cy, r.bottom - r.top);
            }
        }
    }
    EXPECT_EQ(Items(C("EveryBox")),
              (std::vector<std::string>{"Только по запросу", "Каждую минуту", "Каждые 5 минут",
                                        "Каждые 10 минут", "Каждые 15 минут", "Каждые 30 минут",
                                        "Каждый час"}));
    EXPECT_EQ(Items(C("ChimeBox")),
              (std::vector<std::string>{"Без звука", "Колокольчик",
                                        "Колокольчик, в начале часа — кукушка"}));
    EXPECT_EQ(Items(C("StyleBox")),
              (std::vector<std::string>{"Официально", "Официально, с „ровно“", "Разговорно"}));
    EXPECT_EQ(Items(C("FromBox")).size(), 24u);
    EXPECT_EQ(Items(C("ToBox")).back(), "23:00");
    EXPECT_EQ(Items(C("VoiceBox")),
              (std::vector<std::string>{"Стандартный", "anna", "elena (неполный)", kAleksandr,
                                        "irina (неполный)"}));
}

TEST_F(AnnouncementsDialogWinTest, ApplyHandsOverWhatWasLoadedAndHides) {
    AnnounceSettings quietOff = Example();
    quietOff.quiet = false;
    quietOff.voice = "aleksandr";
    quietOff.volume = 0;
    quietOff.every = 1;
    const AnnounceSettings cases[] = {AnnounceSettings{}, Example(), quietOff};
    for (const AnnounceSettings& s : cases) {
        SCOPED_TRACE(s.every);
        applied_.reset();
        dialog_->Load(s, kVoices);
        dialog_->Show();
        Click("ApplyButton");
        ASSERT_TRUE(applied_.has_value());
        EXPECT_EQ(*applied_, s);
        EXPECT_FALSE(dialog_->Visible());
        // The hour lists follow the check box; the record keeps their hours.
        EXPECT_EQ(IsWindowEnabled(C("FromBox")) != FALSE, s.quiet);
        EXPECT_EQ(IsWindowEnabled(C("ToBox")) != FALSE, s.quiet);
    }
}

TEST_F(AnnouncementsDialogWinTest, WhatTheUserChangesIsWhatApplyHandsOver) {
    dialog_->Load(AnnounceSettings{}, kVoices);
    dialog_->Show();
    Click("QuietCheck");
    EXPECT_FALSE(IsWindowEnabled(C("FromBox")));
    Click("FullscreenCheck");
    Click("MicCheck");
    Click("DateCheck");
    Key("EveryBox", VK_END);  // "Каждый час"
    Key("ChimeBox", VK_DOWN);
    Key("VolumeBar", VK_LEFT);
    Key("VolumeBar", VK_LEFT);
    EXPECT_EQ(Text(C("VolumeText")), "98 %");
    Click("ApplyButton");
    ASSERT_TRUE(applied_.has_value());
    AnnounceSettings expected;
    expected.every = 60;
    expected.quiet = false;
    expected.chime = Chime::Bell;
    expected.volume = 98;
    expected.fullscreen = false;
    expected.mic = false;
    expected.date = true;
    EXPECT_EQ(*applied_, expected);
}

TEST_F(AnnouncementsDialogWinTest, AnIncompleteVoiceCannotBeChosen) {
    // A setting that names it shows the standard voice.
    AnnounceSettings s;
    s.voice = "elena";
    dialog_->Load(s, kVoices);
    EXPECT_EQ(Selected("VoiceBox"), 0);
    dialog_->Show();
    struct Step {
        WPARAM key;
        const char* shown;
    } steps[] = {
        {VK_DOWN, "anna"}, {VK_DOWN, kAleksandr}, {VK_DOWN, kAleksandr},    {VK_UP, "anna"},
        {VK_END, "anna"},  {VK_DOWN, kAleksandr}, {VK_HOME, "Стандартный"},
    };
    for (const Step& step : steps) {
        Key("VoiceBox", step.key);
        EXPECT_EQ(Text(C("VoiceBox")), step.shown) << step.key;
    }
    // Picked with the mouse: the selection stays where it was.
    Key("VoiceBox", VK_DOWN);
    SendMessageW(C("VoiceBox"), CB_SETCURSEL, 4, 0);
    SendMessageW(dialog_->Handle(), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(C("VoiceBox")), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(C("VoiceBox")));
    EXPECT_EQ(Text(C("VoiceBox")), "anna");

    Click("ListenButton");
    Key("VoiceBox", VK_HOME);
    Click("ListenButton");
    EXPECT_EQ(listened_, (std::vector<std::string>{"anna 0", " 0"}));
    EXPECT_TRUE(dialog_->Visible());
}

TEST_F(AnnouncementsDialogWinTest, AFailedApplyIsShownAndKeepsTheDialog) {
    dialog_->Load(Example(), kVoices);
    dialog_->Show();
    failApply_ = true;
    Click("ApplyButton");
    ASSERT_EQ(gShown.size(), 1u);
    EXPECT_EQ(gShown[0], "Cannot create file \"announce.cfg\"");
    EXPECT_TRUE(dialog_->Visible());
    EXPECT_EQ(dialog_->Settings(), Example());
}

TEST_F(AnnouncementsDialogWinTest, TabWalksTheControlsInTheirOrder) {
    dialog_->Load(Example(), kVoices);
    dialog_->Show();
    const char* order[] = {"EveryBox",     "QuietCheck",      "FromBox",     "ToBox",    "ChimeBox",
                           "VolumeBar",    "FullscreenCheck", "MicCheck",    "VoiceBox", "StyleBox",
                           "ListenButton", "DateCheck",       "ApplyButton", "EveryBox"};
    SetFocus(C(order[0]));
    for (size_t i = 1; i < std::size(order); ++i) {
        SCOPED_TRACE(order[i]);
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(dialog_->TranslateDialogMessage(tab));
        test::PumpMessages();
        EXPECT_EQ(GetFocus(), C(order[i])) << Text(GetFocus());
    }
    dialog_->Hide();
    MSG tab{C("EveryBox"), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(dialog_->TranslateDialogMessage(tab));
}

TEST_F(AnnouncementsDialogWinTest, CentredOnTheWorkAreaTheFirstTimeThenWhereItWasLeft) {
    dialog_->Show();
    EXPECT_TRUE(dialog_->Visible());
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT r{};
    GetWindowRect(dialog_->Handle(), &r);
    EXPECT_NEAR(r.left - work.left, work.right - r.right, 1);
    EXPECT_NEAR(r.top - work.top, work.bottom - r.bottom, 1);

    SetWindowPos(dialog_->Handle(), nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(dialog_->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog_->Visible());
    EXPECT_TRUE(IsWindow(dialog_->Handle()));
    dialog_->Show();
    GetWindowRect(dialog_->Handle(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
}

// ZV_ANNOUNCEMENTS_PICTURE=C:\\path.bmp saves the dialog as a user sees it.
TEST_F(AnnouncementsDialogWinTest, PictureWhenAsked) {
    wchar_t path[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"ZV_ANNOUNCEMENTS_PICTURE", path, MAX_PATH)) GTEST_SKIP();
    dialog_->Load(Example(), kVoices);
    dialog_->Show();
    SetFocus(C("VoiceBox"));
    // Long enough for a picture of the whole screen to be taken from outside.
    for (int i = 0; i < 60; ++i) {
        test::PumpMessages();
        Sleep(50);
    }
    EXPECT_TRUE(SaveWindowPicture(dialog_->Handle(), Narrow(path)));
}

}  // namespace
}  // namespace zv::win
