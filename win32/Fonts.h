#pragma once
#include <windows.h>

#include "win32/Handles.h"

namespace zv::win {

struct FontRequest {
    const char* face;  // preferred face
    int pixelHeight;   // character height in pixels
    bool bold = false;
    bool underline = false;
};

// A font of the preferred face when the system has it with Cyrillic letters,
// else the nearest face that has them: a face without them would print boxes
// for every Russian caption (Wine's "MS Sans Serif" is one such).
UniqueFont CreateCyrillicFont(const FontRequest& want);

}  // namespace zv::win
