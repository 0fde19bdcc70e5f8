#pragma once
// The announcements dialog's window and controls, each declared once.
#include "core/DialogDesign.h"

namespace zv {

// Every control, in tab order; a label goes just before what it names. The
// lists are filled by the dialog.
inline constexpr TControlDesign kAnnouncementsDialogControls[] = {
    {"EveryLabel", TControlKind::Label, "", 12, 15, 160, 14, "Говорить время:"},
    {"EveryBox", TControlKind::DropDownList, "", 176, 11, 276, 21, ""},
    {"QuietCheck", TControlKind::AutoCheckBox, "", 12, 42, 160, 17, "Тихие часы"},
    {"FromLabel", TControlKind::Label, "", 176, 44, 14, 14, "с"},
    {"FromBox", TControlKind::DropDownList, "", 192, 40, 56, 21, ""},
    {"ToLabel", TControlKind::Label, "", 260, 44, 20, 14, "до"},
    {"ToBox", TControlKind::DropDownList, "", 282, 40, 56, 21, ""},
    {"ChimeLabel", TControlKind::Label, "", 12, 73, 160, 14, "Звук перед оповещением:"},
    {"ChimeBox", TControlKind::DropDownList, "", 176, 69, 276, 21, ""},
    {"VolumeLabel", TControlKind::Label, "", 12, 104, 160, 14, "Громкость:"},
    {"VolumeBar", TControlKind::TrackBar, "", 170, 98, 230, 26, ""},
    {"VolumeText", TControlKind::Label, "", 404, 104, 48, 14, ""},
    {"FullscreenCheck", TControlKind::AutoCheckBox, "", 12, 134, 440, 17,
     "Молчать, когда другая программа открыта на весь экран"},
    {"VoiceLabel", TControlKind::Label, "", 12, 169, 160, 14, "Голос:"},
    {"VoiceBox", TControlKind::DropDownList, "", 176, 165, 276, 21, ""},
    {"StyleLabel", TControlKind::Label, "", 12, 200, 160, 14, "Как говорить:"},
    {"StyleBox", TControlKind::DropDownList, "", 176, 196, 186, 21, ""},
    {"ListenButton", TControlKind::Button, "", 368, 194, 84, 25, "Прослушать"},
    {"ApplyButton", TControlKind::Button, "", 8, 233, 448, 25, "Применить"},
};

inline constexpr TDialogDesign kAnnouncementsDialogDesign = {
    "TAnnouncementsDialog", "Оповещения", 464, 269, 0, 12, kAnnouncementsDialogControls};

}  // namespace zv
