#pragma once
// The announcements dialog's window and controls, each declared once.
#include "core/DialogDesign.h"

namespace zv {

// Every control, in tab order; a label goes just before what it names. The
// lists are filled by the dialog.
inline constexpr TControlDesign kAnnouncementsDialogControls[] = {
    {"EveryLabel", TControlKind::Label, "", 12, 15, 136, 14, "Говорить время:"},
    {"EveryBox", TControlKind::DropDownList, "", 152, 11, 276, 21, ""},
    {"QuietCheck", TControlKind::AutoCheckBox, "", 12, 42, 136, 17, "Тихие часы"},
    {"FromLabel", TControlKind::Label, "", 152, 44, 14, 14, "с"},
    {"FromBox", TControlKind::DropDownList, "", 168, 40, 56, 21, ""},
    {"ToLabel", TControlKind::Label, "", 236, 44, 20, 14, "до"},
    {"ToBox", TControlKind::DropDownList, "", 258, 40, 56, 21, ""},
    {"ChimeLabel", TControlKind::Label, "", 12, 73, 136, 14, "Звук перед оповещением:"},
    {"ChimeBox", TControlKind::DropDownList, "", 152, 69, 276, 21, ""},
    {"VolumeLabel", TControlKind::Label, "", 12, 104, 136, 14, "Громкость:"},
    {"VolumeBar", TControlKind::TrackBar, "", 146, 98, 230, 26, ""},
    {"VolumeText", TControlKind::Label, "", 380, 104, 48, 14, ""},
    {"FullscreenCheck", TControlKind::AutoCheckBox, "", 12, 134, 416, 17,
     "Молчать, когда другая программа открыта на весь экран"},
    {"VoiceLabel", TControlKind::Label, "", 12, 169, 136, 14, "Голос:"},
    {"VoiceBox", TControlKind::DropDownList, "", 152, 165, 276, 21, ""},
    {"StyleLabel", TControlKind::Label, "", 12, 200, 136, 14, "Как говорить:"},
    {"StyleBox", TControlKind::DropDownList, "", 152, 196, 186, 21, ""},
    {"ListenButton", TControlKind::Button, "", 344, 194, 84, 25, "Прослушать"},
    {"ApplyButton", TControlKind::Button, "", 8, 233, 424, 25, "Применить"},
};

inline constexpr TDialogDesign kAnnouncementsDialogDesign = {
    "TAnnouncementsDialog", "Оповещения", 440, 269, 0, 12, kAnnouncementsDialogControls};

}  // namespace zv
