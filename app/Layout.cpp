#include "app/Layout.h"

#include "core/Rounding.h"

namespace zv {
namespace {

int Round(double v) {
    return static_cast<int>(RoundHalfEven(v));
}

Bounds Centred(const Bounds& design, int clientWidth, int clientHeight) {
    return {Round(clientWidth / 2.0 - design.width / 2.0),
            Round(clientHeight / 2.0 - design.height / 2.0), design.width, design.height};
}

}  // namespace

FormLayout ApplyLayout(int clientWidth, int clientHeight) {
    const int midX = Round(clientWidth / 2.0);
    const int midY = Round(clientHeight / 2.0);
    auto at = [](const Bounds& design, int left, int top) {
        return Bounds{left, top, design.width, design.height};
    };

    FormLayout l;
    l.image1 = Centred(kImage1Design, clientWidth, clientHeight);
    l.image2 = Centred(kImage2Design, clientWidth, clientHeight);
    l.image2.left += 15;
    l.image2.top += 15;
    l.label1 = at(kLabel1Design, midX + 130, midY - 145);
    l.label2 = at(kLabel2Design, midX + 150, midY - 145);
    l.label3 = at(kLabel3Design, midX + 165, midY - 145);
    l.label4 = at(kLabel4Design, midX - 180, midY - 142);
    l.label5 = at(kLabel5Design, midX - 174, midY + 142);
    l.label6 = at(kLabel6Design, midX + 127, midY + 140);
    return l;
}

}  // namespace zv
