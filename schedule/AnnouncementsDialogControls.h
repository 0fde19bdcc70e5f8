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
    {"ChimeLabel", TControlKind::Label, "", 12, 73, 136, 14, "Звук перед временем:"},
    {"ChimeBox", TControlKind::DropDownList, "", 152, 69, 276, 21, ""},
    {"VolumeLabel", TControlKind::Label, "", 12, 104, 136, 14, "Громкость:"},
    {"VolumeBar", TControlKind::TrackBar, "", 146, 98, 230, 26, ""},
    {"VolumeText", TControlKind::Label, "", 380, 104, 48, 14, ""},
    {"FullscreenCheck", TControlKind::AutoCheckBox, "", 12, 134, 416, 17,
     "Молчать, когда другая программа открыта на весь экран"},
    {"MicCheck", TControlKind::AutoCheckBox, "", 12, 157, 416, 17,
     "Молчать, пока занят микрофон (звонок, запись)"},
    {"VoiceLabel", TControlKind::Label, "", 12, 192, 136, 14, "Голос:"},
    {"VoiceBox", TControlKind::DropDownList, "", 152, 188, 276, 21, ""},
    {"StyleLabel", TControlKind::Label, "", 12, 223, 136, 14, "Как говорить:"},
    {"StyleBox", TControlKind::DropDownList, "", 152, 219, 186, 21, ""},
    {"ListenButton", TControlKind::Button, "", 344, 217, 84, 25, "Прослушать"},
    {"DateCheck", TControlKind::AutoCheckBox, "", 12, 252, 416, 17,
     "Называть дату в первом оповещении дня"},
    {"ApplyButton", TControlKind::Button, "", 8, 279, 424, 25, "Применить"},
};

inline constexpr TDialogDesign kAnnouncementsDialogDesign = {
    "TAnnouncementsDialog", "Оповещения", 440, 315, 0, 12, kAnnouncementsDialogControls};

}  // namespace zv
