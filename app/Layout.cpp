#include "app/Layout.h"

#include "core/Rounding.h"

namespace zv {
namespace {

int Round(double v) {
    return static_cast<int>(RoundHalfEven(v));
}

}  // namespace

FormLayout ApplyLayout(int clientWidth, int clientHeight, int dpi) {
    const int midX = Round(clientWidth / 2.0);
    const int midY = Round(clientHeight / 2.0);
    auto s = [dpi](int v) { return ScaledHalfEven(v, dpi); };
    auto centred = [&](const Bounds& design) {
        const int w = s(design.width), h = s(design.height);
        return Bounds{Round(clientWidth / 2.0 - w / 2.0), Round(clientHeight / 2.0 - h / 2.0), w,
                      h};
    };
    auto at = [&](const Bounds& design, int dx, int dy) {
        return Bounds{midX + s(dx), midY + s(dy), s(design.width), s(design.height)};
    };

    FormLayout l;
    l.dpi = dpi;
    l.image1 = centred(kImage1Design);
    l.image2 = centred(kImage2Design);
    l.image2.left += s(15);
    l.image2.top += s(15);
    l.label1 = at(kLabel1Design, 130, -145);
    l.label2 = at(kLabel2Design, 150, -145);
    l.label3 = at(kLabel3Design, 165, -145);
    l.label4 = at(kLabel4Design, -180, -142);
    l.label5 = at(kLabel5Design, -174, 142);
    l.label6 = at(kLabel6Design, 127, 140);
    l.hub = {l.image2.left + s(kDesignHub.x), l.image2.top + s(kDesignHub.y)};
    return l;
}

const Bounds& LabelBounds(const FormLayout& l, int i) {
    const Bounds* all[] = {&l.label1, &l.label2, &l.label3, &l.label4, &l.label5, &l.label6};
    return *all[i];
}

int SizedDpi(int dpi, int sizePercent, int workWidth, int workHeight) {
    if (sizePercent <= 100) return dpi * sizePercent / 100;
    int fitting = 100;
    for (int size : kFaceSizes) {
        const int at = dpi * size / 100;
        if (size > 100 && size <= sizePercent &&
            ScaledHalfEven(kImage1Design.width, at) <= workWidth &&
            ScaledHalfEven(kImage1Design.height, at) <= workHeight)
            fitting = size;
    }
    return dpi * fitting / 100;
}

}  // namespace zv
