#pragma once
// The announcements dialog's window and controls, each declared once.
#include "core/DialogDesign.h"

namespace zv {

// Every control, in tab order; a label goes just before what it names. The
// lists are filled by the dialog.
inline constexpr ControlDesign kAnnouncementsDialogControls[] = {
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
    {"MicCheck", TControlKind::AutoCheckBox, "", 12, 157, 440, 17,
     "Молчать, пока занят микрофон (звонок, запись)"},
    {"VoiceLabel", TControlKind::Label, "", 12, 192, 160, 14, "Голос:"},
    {"VoiceBox", TControlKind::DropDownList, "", 176, 188, 276, 21, ""},
    {"StyleLabel", TControlKind::Label, "", 12, 223, 160, 14, "Как говорить:"},
    {"StyleBox", TControlKind::DropDownList, "", 176, 219, 186, 21, ""},
    {"ListenButton", TControlKind::Button, "", 368, 217, 84, 25, "Прослушать"},
    {"DateCheck", TControlKind::AutoCheckBox, "", 12, 252, 440, 17,
     "Называть дату в первом оповещении дня"},
    {"ApplyButton", TControlKind::Button, "", 8, 279, 448, 25, "Применить"},
};

inline constexpr DialogDesign kAnnouncementsDialogDesign = {
    "TAnnouncementsDialog", "Оповещения", 464, 315, 0, 12, kAnnouncementsDialogControls};

}  // namespace zv
