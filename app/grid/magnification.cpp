#include "app/grid/magnification.h"

#include <algorithm>
#include <cmath>

#include "app/grid/texts.h"
#include "state/parameter_ranges.h"

namespace seedscape {

namespace {

constexpr int kIndicatorLeft = 8;
constexpr int kIndicatorTop = 9;
constexpr int kIndicatorBottom = 24;  // the box's lines stop short of this row
constexpr int kIndicatorTextX = 10;
constexpr ColourValue kIndicatorGrey = MakeColour(200, 200, 200);

// The box must never end left of x = 30, and must stay clear of the "new"
// button at x = 56.
constexpr int kNarrowestRight = 30;
constexpr int kWidestRight = 50;

}  // namespace

void IncreaseMagnification(ImageState& state) {
    if (state.f > 49) {
        state.f = state.f + 10;
    } else if (state.f > 29) {
        state.f = state.f + 5;
    } else if (state.f > 9) {
        state.f = state.f + 2;
    } else {
        state.f = state.f + 1;
    }
    if (state.f > kMagnificationRange.highest) state.f = kMagnificationRange.highest;
}

void ReduceMagnification(ImageState& state) {
    if (state.f > 50) {
        state.f = state.f - 10;
    } else if (state.f > 30) {
        state.f = state.f - 5;
    } else if (state.f > 10) {
        state.f = state.f - 2;
    } else {
        state.f = state.f - 1;
    }
    state.f = std::floor(state.f);
    if (state.f == 0) state.f = kMagnificationRange.lowest;
}

int IndicatorRight(const Canvas& canvas) {
    // " 100" is the widest value. A box only as wide as " 10" would leave the
    // last digit of 100 standing when 90 is printed over it, reading "900".
    const int text_right =
        kIndicatorTextX + canvas.TextWidth(NumberText(kMagnificationRange.highest));
    return std::clamp(text_right + 1, kNarrowestRight, kWidestRight);
}

void ShowMagnification(const ImageState& state, Canvas& canvas) {
    const int right = IndicatorRight(canvas);
    for (int x = kIndicatorLeft; x <= right; ++x) {
        canvas.DrawLine(x, kIndicatorTop, x, kIndicatorBottom, kIndicatorGrey);
    }
    canvas.SetTextPosition(kIndicatorTextX, kIndicatorTop);
    canvas.Print(NumberText(state.f));
}

}  // namespace seedscape
