#include "schedule/AnnouncementsDialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/Errors.h"
#include "win32/Fonts.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr const char* kClassName = "TAnnouncementsDialog";
constexpr int kFirstId = 101;

struct ControlDesign {
    const char* name;
    const wchar_t* className;
    int left, top, width, height;
    const char* text;
    DWORD style;
};

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kList = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
constexpr DWORD kCheck = BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;

// Every control, in tab order; a label goes just before what it names.
constexpr ControlDesign kDesigns[] = {
    {"EveryLabel", L"STATIC", 12, 15, 136, 14, "Говорить время:", kLabel},
    {"EveryBox", L"COMBOBOX", 152, 11, 216, 21, "", kList},
    {"QuietCheck", L"BUTTON", 12, 42, 136, 17, "Тихие часы", kCheck},
    {"FromLabel", L"STATIC", 152, 44, 14, 14, "с", kLabel},
    {"FromBox", L"COMBOBOX", 168, 40, 56, 21, "", kList},
    {"ToLabel", L"STATIC", 236, 44, 20, 14, "до", kLabel},
    {"ToBox", L"COMBOBOX", 258, 40, 56, 21, "", kList},
    {"ChimeLabel", L"STATIC", 12, 73, 136, 14, "Звук перед временем:", kLabel},
    {"ChimeBox", L"COMBOBOX", 152, 69, 216, 21, "", kList},
    {"VolumeLabel", L"STATIC", 12, 104, 136, 14, "Громкость:", kLabel},
    {"VolumeBar", TRACKBAR_CLASSW, 146, 98, 170, 26, "",
     TBS_HORZ | TBS_NOTICKS | WS_TABSTOP | WS_GROUP},
    {"VolumeText", L"STATIC", 320, 104, 48, 14, "", kLabel},
    {"FullscreenCheck", L"BUTTON", 12, 134, 356, 17,
     "Молчать, когда другая программа на весь экран", kCheck},
    {"VoiceLabel", L"STATIC", 12, 169, 136, 14, "Голос:", kLabel},
    {"VoiceBox", L"COMBOBOX", 152, 165, 126, 21, "", kList},
    {"ListenButton", L"BUTTON", 284, 163, 84, 25, "Прослушать", kButton},
    {"ApplyButton", L"BUTTON", 8, 202, 364, 25, "Применить", kButton},
};
constexpr size_t kControlCount = std::size(kDesigns);

// A name that is not in the table stops the build.
constexpr size_t IndexOf(std::string_view name) {
    for (size_t i = 0; i < kControlCount; ++i) {
        if (name == kDesigns[i].name) return i;
    }
    throw "no such control";
}
constexpr size_t kEveryBox = IndexOf("EveryBox");
constexpr size_t kQuietCheck = IndexOf("QuietCheck");
constexpr size_t kFromLabel = IndexOf("FromLabel");
constexpr size_t kFromBox = IndexOf("FromBox");
constexpr size_t kToLabel = IndexOf("ToLabel");
constexpr size_t kToBox = IndexOf("ToBox");
constexpr size_t kChimeBox = IndexOf("ChimeBox");
constexpr size_t kVolumeBar = IndexOf("VolumeBar");
constexpr size_t kVolumeText = IndexOf("VolumeText");
constexpr size_t kFullscreenCheck = IndexOf("FullscreenCheck");
constexpr size_t kVoiceBox = IndexOf("VoiceBox");
constexpr size_t kListenButton = IndexOf("ListenButton");
constexpr size_t kApplyButton = IndexOf("ApplyButton");

void AddItem(HWND combo, std::string_view text) {
    const std::wstring wide = Widen(text);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

int Selected(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

void Select(HWND combo, int item) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Check(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace

TAnnouncementsDialog::TAnnouncementsDialog(HWND owner, ApplyHandler onApply, ListenHandler onListen)
    : onApply_(std::move(onApply)),
      onListen_(std::move(onListen)),
      // Where the system's "MS Sans Serif" has no Russian letters, a face that does.
      font_(CreateCyrillicFont({"MS Sans Serif", 11})) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    // The arrow cursor (IDC_ARROW, spelt for the W call).
    RegisterClassOnce(kClassName, 0, nullptr, LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
                      reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    CreateHandle(kClassName, "", exStyle, style, 0, 0, frame.right - frame.left,
                 frame.bottom - frame.top, owner);
    SetWindowTextW(Handle(), Widen("Оповещения").c_str());
    CreateControls();
    Load(AnnounceSettings{}, {});
}

TAnnouncementsDialog::~TAnnouncementsDialog() {
    // The controls go before the font they were given.
    if (Handle()) DestroyWindow(Handle());
}

void TAnnouncementsDialog::CreateControls() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (size_t i = 0; i < kControlCount; ++i) {
        const ControlDesign& d = kDesigns[i];
        // A combo's window height includes its drop-down list.
        const bool combo = std::wstring_view(d.className) == L"COMBOBOX";
        const int height = combo ? d.height + 12 * 14 + 2 : d.height;
        HWND h = CreateWindowExW(
            0, d.className, Widen(d.text).c_str(), WS_CHILD | WS_VISIBLE | d.style, d.left, d.top,
            d.width, height, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + i)),
            instance, nullptr);
        if (!h) throw Exception(SystemErrorText(GetLastError()));
        controls_.push_back(h);
        if (font_) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    }
    for (const EveryChoice& choice : kEveryChoices) AddItem(controls_[kEveryBox], choice.text);
    for (int hour = 0; hour < kHours; ++hour) {
        AddItem(controls_[kFromBox], std::to_string(hour));
        AddItem(controls_[kToBox], std::to_string(hour));
    }
    for (std::string_view text : kChimeChoices) AddItem(controls_[kChimeBox], text);
    SendMessageW(controls_[kVolumeBar], TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    SendMessageW(controls_[kVolumeBar], TBM_SETPAGESIZE, 0, 10);
}

void TAnnouncementsDialog::Load(const AnnounceSettings& settings, std::vector<VoiceEntry> voices) {
    voices_ = std::move(voices);
    HWND voiceBox = controls_[kVoiceBox];
    SendMessageW(voiceBox, CB_RESETCONTENT, 0, 0);
    AddItem(voiceBox, kStandardVoice);
    for (const VoiceEntry& voice : voices_) AddItem(voiceBox, VoiceItemText(voice));

    const AnnounceControls c = ToControls(settings, voices_);
    Select(controls_[kEveryBox], c.every);
    Check(controls_[kQuietCheck], c.quiet);
    Select(controls_[kFromBox], c.quietFrom);
    Select(controls_[kToBox], c.quietTo);
    Select(controls_[kChimeBox], c.chime);
    SendMessageW(controls_[kVolumeBar], TBM_SETPOS, TRUE, c.volume);
    Check(controls_[kFullscreenCheck], c.fullscreen);
    Select(voiceBox, c.voice);
    voiceItem_ = c.voice;
    WidenVoiceList();
    ShowVolume();
    EnableQuietHours();
}

AnnounceControls TAnnouncementsDialog::ReadControls() const {
    AnnounceControls c;
    c.every = Selected(controls_[kEveryBox]);
    c.quiet = Checked(controls_[kQuietCheck]);
    c.quietFrom = Selected(controls_[kFromBox]);
    c.quietTo = Selected(controls_[kToBox]);
    c.chime = Selected(controls_[kChimeBox]);
    c.volume = static_cast<int>(SendMessageW(controls_[kVolumeBar], TBM_GETPOS, 0, 0));
    c.fullscreen = Checked(controls_[kFullscreenCheck]);
    c.voice = voiceItem_;
    return c;
}

AnnounceSettings TAnnouncementsDialog::Settings() const {
    return FromControls(ReadControls(), voices_);
}

HWND TAnnouncementsDialog::Control(std::string_view name) const {
    for (size_t i = 0; i < kControlCount; ++i) {
        if (name == kDesigns[i].name) return controls_[i];
    }
    return nullptr;
}

void TAnnouncementsDialog::Show() {
    if (!placed_) {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        RECT r{};
        GetWindowRect(Handle(), &r);
        const int x = work.left + (work.right - work.left - (r.right - r.left)) / 2;
        const int y = work.top + (work.bottom - work.top - (r.bottom - r.top)) / 2;
        SetWindowPos(Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = true;
    }
    ShowWindow(Handle(), SW_SHOW);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
}

bool TAnnouncementsDialog::TranslateDialogMessage(MSG& msg) {
    return Visible() && IsDialogMessageW(Handle(), &msg) != FALSE;
}

void TAnnouncementsDialog::WidenVoiceList() {
    // A pack's folder name may be longer than the closed box: the open list
    // shows it whole.
    HWND voiceBox = controls_[kVoiceBox];
    WindowDc dc(voiceBox);
    Selection sel(dc.Get(), font_.Get());
    RECT box{};
    GetWindowRect(voiceBox, &box);
    int widest = box.right - box.left;
    for (const VoiceEntry& voice : voices_) {
        const std::wstring text = Widen(VoiceItemText(voice));
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx) + GetSystemMetrics(SM_CXVSCROLL) + 8);
    }
    SendMessageW(voiceBox, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest), 0);
}

void TAnnouncementsDialog::ShowVolume() {
    const auto volume = static_cast<int>(SendMessageW(controls_[kVolumeBar], TBM_GETPOS, 0, 0));
    SetWindowTextW(controls_[kVolumeText], Widen(PercentText(volume)).c_str());
}

void TAnnouncementsDialog::EnableQuietHours() {
    const BOOL on = Checked(controls_[kQuietCheck]) ? TRUE : FALSE;
    for (size_t i : {kFromLabel, kFromBox, kToLabel, kToBox}) EnableWindow(controls_[i], on);
}

void TAnnouncementsDialog::VoiceChanged() {
    // An incomplete pack cannot be chosen: the selection moves past it, or
    // back to where it was.
    voiceItem_ = SelectableVoice(voices_, voiceItem_, Selected(controls_[kVoiceBox]));
    Select(controls_[kVoiceBox], voiceItem_);
}

void TAnnouncementsDialog::OnCommand(int id, int code) {
    const int index = id - kFirstId;
    if (index < 0 || index >= static_cast<int>(kControlCount)) return;
    switch (static_cast<size_t>(index)) {
        case kQuietCheck:
            if (code == BN_CLICKED) EnableQuietHours();
            break;
        case kVoiceBox:
            if (code == CBN_SELCHANGE) VoiceChanged();
            break;
        case kListenButton:
            if (code == BN_CLICKED && onListen_) onListen_(Settings().voice);
            break;
        case kApplyButton:
            if (code == BN_CLICKED) {
                if (onApply_) onApply_(Settings());
                Hide();
            }
            break;
        default:
            break;
    }
}

LRESULT TAnnouncementsDialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            // Enter and Esc arrive as IDOK and IDCANCEL from the dialog manager;
            // the dialog has no default or cancel button, so they do nothing.
            if (lParam != 0) OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == controls_[kVolumeBar]) ShowVolume();
            return 0;
        case WM_CLOSE:
            Hide();
            return 0;
        case WM_ACTIVATE:
            focus_.OnActivate(Handle(), wParam);
            return 0;
        default:
            return Default(msg, wParam, lParam);
    }
}

}  // namespace zv::win
