#pragma once
// The About dialog's window and controls, each declared once.
#include "about/MakerLink.h"
#include "core/DialogDesign.h"
#include "resources/resource.h"
#include "resources/version.h"

namespace zv {

// The labels take no focus and fit their texts.
inline constexpr ControlDesign kForm2Controls[] = {
    {"Label1", TControlKind::Label, "", 80, 16, 0, 0, "Zvenoks v." ZV_VERSION_TEXT},
    {"Label2", TControlKind::Label, "", 64, 128, 0, 0, "Екатеринбург, 2026"},
    {"Label3", TControlKind::Link, "", 56, 88, 0, 0, LinkText(kMakerUrl)},
    {"Label4", TControlKind::Label, "", 104, 56, 0, 0, "Zvenoks"},
    {"Label5", TControlKind::Label, "", 96, 112, 0, 0, "Россия, Урал"},
    // The icon stretched to its box, proportions kept.
    {"Image1", TControlKind::Image, "", 48, 48, 33, 33, ""},
};

inline constexpr DialogDesign kForm2Design = {"TForm2", "О программе", 253, 160, IDI_ABOUT_WINDOW,
                                              0,        kForm2Controls};

}  // namespace zv
