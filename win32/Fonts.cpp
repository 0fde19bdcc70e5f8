#include "win32/Fonts.h"

#include "win32/Utf16.h"

namespace zv::win {

namespace {

UniqueFont Make(const FontRequest& want, const char* face, BYTE charset) {
    const std::wstring name = face ? Widen(face) : std::wstring();
    return UniqueFont(CreateFontW(-want.pixelHeight, 0, 0, 0, want.bold ? FW_BOLD : FW_NORMAL,
                                  FALSE, want.underline ? TRUE : FALSE, FALSE, charset,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, face ? name.c_str() : nullptr));
}

bool HasFace(HFONT font, const char* face) {
    TWindowDc screen(nullptr);
    TSelection sel(screen.Get(), font);
    wchar_t actual[LF_FACESIZE] = {};
    GetTextFaceW(screen.Get(), LF_FACESIZE, actual);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.Get(), &tm);
    return lstrcmpiW(actual, Widen(face).c_str()) == 0 && tm.tmCharSet == RUSSIAN_CHARSET;
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
