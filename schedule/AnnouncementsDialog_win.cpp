#include "schedule/AnnouncementsDialog_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "schedule/AnnouncementsDialogControls.h"
#include "win32/Dpi.h"
#include "win32/Handles.h"
#include "win32/Utf16.h"

namespace zv::win {
namespace {

constexpr size_t Row(std::string_view name) {
    return RowOf(kAnnouncementsDialogControls, name);
}
constexpr size_t kEveryBox = Row("EveryBox");
constexpr size_t kQuietCheck = Row("QuietCheck");
constexpr size_t kFromLabel = Row("FromLabel");
constexpr size_t kFromBox = Row("FromBox");
constexpr size_t kToLabel = Row("ToLabel");
constexpr size_t kToBox = Row("ToBox");
constexpr size_t kChimeBox = Row("ChimeBox");
constexpr size_t kVolumeBar = Row("VolumeBar");
constexpr size_t kVolumeText = Row("VolumeText");
constexpr size_t kFullscreenCheck = Row("FullscreenCheck");
constexpr size_t kMicCheck = Row("MicCheck");
constexpr size_t kDateCheck = Row("DateCheck");
constexpr size_t kStyleBox = Row("StyleBox");
constexpr size_t kVoiceBox = Row("VoiceBox");
constexpr size_t kListenButton = Row("ListenButton");
constexpr size_t kApplyButton = Row("ApplyButton");

}  // namespace

TAnnouncementsDialog::TAnnouncementsDialog(HWND owner, ApplyHandler onApply, ListenHandler onListen,
                                           TDialogMaking making)
    : TDialog(kAnnouncementsDialogDesign, owner),
      onApply_(std::move(onApply)),
      onListen_(std::move(onListen)) {
    if (making == TDialogMaking::Now) Create();
}

void TAnnouncementsDialog::WindowMade() {
    for (const EveryChoice& choice : kEveryChoices) AddItem(kEveryBox, choice.text);
    for (int hour = 0; hour < kHours; ++hour) {
        const std::string text = std::to_string(hour) + ":00";
        AddItem(kFromBox, text);
        AddItem(kToBox, text);
    }
    for (std::string_view text : kChimeChoices) AddItem(kChimeBox, text);
    for (std::string_view text : kStyleChoices) AddItem(kStyleBox, text);
    SendMessageW(ControlAt(kVolumeBar), TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    SendMessageW(ControlAt(kVolumeBar), TBM_SETPAGESIZE, 0, 10);
    Load(AnnounceSettings{}, {});
}

void TAnnouncementsDialog::Load(const AnnounceSettings& settings, std::vector<VoiceEntry> voices) {
    Create();
    voices_ = std::move(voices);
    SendMessageW(ControlAt(kVoiceBox), CB_RESETCONTENT, 0, 0);
    AddItem(kVoiceBox, kStandardVoice);
    for (const VoiceEntry& voice : voices_) AddItem(kVoiceBox, VoiceItemText(voice));

    const AnnounceControls c = ToControls(settings, voices_);
    Select(kEveryBox, c.every);
    SetChecked(kQuietCheck, c.quiet);
    Select(kFromBox, c.quietFrom);
    Select(kToBox, c.quietTo);
    Select(kChimeBox, c.chime);
    SendMessageW(ControlAt(kVolumeBar), TBM_SETPOS, TRUE, c.volume);
    SetChecked(kFullscreenCheck, c.fullscreen);
    SetChecked(kMicCheck, c.mic);
    SetChecked(kDateCheck, c.date);
    Select(kStyleBox, c.style);
    Select(kVoiceBox, c.voice);
    voiceItem_ = c.voice;
    WidenVoiceList();
    ShowVolume();
    EnableQuietHours();
}

AnnounceControls TAnnouncementsDialog::ReadControls() const {
    AnnounceControls c;
    c.every = Selected(kEveryBox);
    c.quiet = Checked(kQuietCheck);
    c.quietFrom = Selected(kFromBox);
    c.quietTo = Selected(kToBox);
    c.chime = Selected(kChimeBox);
    c.volume = static_cast<int>(SendMessageW(ControlAt(kVolumeBar), TBM_GETPOS, 0, 0));
    c.fullscreen = Checked(kFullscreenCheck);
    c.voice = voiceItem_;
    c.style = Selected(kStyleBox);
    c.mic = Checked(kMicCheck);
    c.date = Checked(kDateCheck);
    return c;
}

AnnounceSettings TAnnouncementsDialog::Settings() const {
    return FromControls(ReadControls(), voices_);
}

void TAnnouncementsDialog::WidenVoiceList() {
    // A pack's folder name may be longer than the closed box: the open list
    // shows it whole.
    HWND voiceBox = ControlAt(kVoiceBox);
    TWindowDc dc(voiceBox);
    TSelection sel(dc.Get(), Font());
    RECT box{};
    GetWindowRect(voiceBox, &box);
    int widest = box.right - box.left;
    for (const VoiceEntry& voice : voices_) {
        const std::wstring text = Widen(VoiceItemText(voice));
        SIZE size{};
        GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx) + ScrollBarWidth(Dpi()) + AtDpi(8));
    }
    SendMessageW(voiceBox, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest), 0);
}

void TAnnouncementsDialog::ShowVolume() {
    const auto volume = static_cast<int>(SendMessageW(ControlAt(kVolumeBar), TBM_GETPOS, 0, 0));
    SetWindowTextW(ControlAt(kVolumeText), Widen(PercentText(volume)).c_str());
}

void TAnnouncementsDialog::EnableQuietHours() {
    const bool on = Checked(kQuietCheck);
    for (size_t row : {kFromLabel, kFromBox, kToLabel, kToBox}) Enable(row, on);
}

void TAnnouncementsDialog::VoiceChanged() {
    // An incomplete pack cannot be chosen: the selection moves past it, or
    // back to where it was.
    voiceItem_ = SelectableVoice(voices_, voiceItem_, Selected(kVoiceBox));
    Select(kVoiceBox, voiceItem_);
}

void TAnnouncementsDialog::Command(size_t row, int code) {
    switch (row) {
        case kQuietCheck:
            if (code == BN_CLICKED) EnableQuietHours();
            break;
        case kVoiceBox:
            if (code == CBN_SELCHANGE) VoiceChanged();
            break;
        case kListenButton:
            if (code == BN_CLICKED && onListen_) onListen_(Settings());
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

LRESULT TAnnouncementsDialog::OtherMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == ControlAt(kVolumeBar)) {
        ShowVolume();
        return 0;
    }
    return TDialog::OtherMessage(msg, wParam, lParam);
}

}  // namespace zv::win
