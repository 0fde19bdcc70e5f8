#pragma once
// The announcements dialog's window and controls, each declared once.
#include "core/DialogDesign.h"

namespace zv {

// Every control, in tab order; a label goes just before what it names. The
// lists are filled by the dialog.
inline constexpr TControlDesign kAnnouncementsDialogControls[] = {
    {"EveryLabel", TControlKind::Label, "", 12, 15, 136, 14, "Говорить время:"},
    {"EveryBox", TControlKind::DropDownList, "", 152, 11, 216, 21, ""},
    {"QuietCheck", TControlKind::AutoCheckBox, "", 12, 42, 136, 17, "Тихие часы"},
    {"FromLabel", TControlKind::Label, "", 152, 44, 14, 14, "с"},
    {"FromBox", TControlKind::DropDownList, "", 168, 40, 56, 21, ""},
    {"ToLabel", TControlKind::Label, "", 236, 44, 20, 14, "до"},
    {"ToBox", TControlKind::DropDownList, "", 258, 40, 56, 21, ""},
    {"ChimeLabel", TControlKind::Label, "", 12, 73, 136, 14, "Звук перед временем:"},
    {"ChimeBox", TControlKind::DropDownList, "", 152, 69, 216, 21, ""},
    {"VolumeLabel", TControlKind::Label, "", 12, 104, 136, 14, "Громкость:"},
    {"VolumeBar", TControlKind::TrackBar, "", 146, 98, 170, 26, ""},
    {"VolumeText", TControlKind::Label, "", 320, 104, 48, 14, ""},
    {"FullscreenCheck", TControlKind::AutoCheckBox, "", 12, 134, 356, 17,
     "Молчать, когда другая программа на весь экран"},
    {"VoiceLabel", TControlKind::Label, "", 12, 169, 136, 14, "Голос:"},
    {"VoiceBox", TControlKind::DropDownList, "", 152, 165, 126, 21, ""},
    {"ListenButton", TControlKind::Button, "", 284, 163, 84, 25, "Прослушать"},
    {"ApplyButton", TControlKind::Button, "", 8, 202, 364, 25, "Применить"},
};

inline constexpr TDialogDesign kAnnouncementsDialogDesign = {
    "TAnnouncementsDialog", "Оповещения", 380, 238, 0, 12, kAnnouncementsDialogControls};

}  // namespace zv
