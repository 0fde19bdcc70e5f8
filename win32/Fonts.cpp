#include "win32/Fonts.h"

namespace zv::win {

namespace {

UniqueFont Make(const FontRequest& want, const char* face, BYTE charset) {
    return UniqueFont(CreateFontA(-want.pixelHeight, 0, 0, 0, want.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                  want.underline ? TRUE : FALSE, FALSE, charset, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, face));
}

bool HasFace(HFONT font, const char* face) {
    WindowDc screen(nullptr);
    Selection sel(screen.Get(), font);
    char actual[LF_FACESIZE] = {};
    GetTextFaceA(screen.Get(), LF_FACESIZE, actual);
    TEXTMETRICA tm{};
    GetTextMetricsA(screen.Get(), &tm);
    return lstrcmpiA(actual, face) == 0 && tm.tmCharSet == RUSSIAN_CHARSET;
}

}  // namespace

UniqueFont CreateCyrillicFont(const FontRequest& want) {
    for (const char* face : {want.face, "Tahoma", "Arial"}) {
        UniqueFont font = Make(want, face, RUSSIAN_CHARSET);
        if (font && HasFace(font.Get(), face)) return font;
    }
    return Make(want, nullptr, DEFAULT_CHARSET);
}

}  // namespace zv::win
