#pragma once
// Where the main window's controls go: their design bounds, and the rule that
// centres the visible ones on the window.

namespace zv {

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Bounds&) const = default;
};

// Design client size of the main window.
constexpr int kDesignClientWidth = 806;
constexpr int kDesignClientHeight = 515;

// Design bounds of the main window's visible controls.
constexpr Bounds kImage1Design{0, 8, 801, 601};
constexpr Bounds kImage2Design{120, 8, 593, 601};
constexpr Bounds kLabel1Design{521, 168, 24, 16};
constexpr Bounds kLabel2Design{545, 168, 24, 16};
constexpr Bounds kLabel3Design{585, 168, 24, 16};
constexpr Bounds kLabel4Design{232, 168, 95, 16};
constexpr Bounds kLabel5Design{224, 448, 84, 16};
constexpr Bounds kLabel6Design{528, 448, 72, 16};
constexpr Bounds kButton1Design{216, 128, 65, 33};
constexpr Bounds kButton2Design{536, 409, 65, 33};
constexpr Bounds kButton3Design{232, 408, 65, 33};

// The visible controls, placed; sizes stay the design sizes.
struct FormLayout {
    Bounds image1;
    Bounds image2;
    Bounds label1;
    Bounds label2;
    Bounds label3;
    Bounds label4;
    Bounds label5;
    Bounds label6;
};

// Lays the controls out around the centre of a client area of the given size,
// halves rounded to even.
FormLayout ApplyLayout(int clientWidth, int clientHeight);

}  // namespace zv
