#pragma once

#include <QPushButton>
#include <QString>

#include "app/canvas.h"
#include "app/form1.h"
#include "render/pixel_image.h"

namespace seedscape::check {

// A fixed clock value, so that every run starts from the same image mother.
inline constexpr float kClock = 45296.5f;

// The canvas's pixels in a rectangle, as colour values.
PixelImage CanvasRegion(const Canvas& canvas, int left, int top, int width, int height);

// The image mother of `seed` and the child a press at (x, y) with
// magnification f makes of it, as the engine alone renders them.
PixelImage RenderMother(double seed);
PixelImage RenderChild(double seed, double f, float x, float y);

// Empty when equal; otherwise how many pixels differ and the first of them.
QString Difference(const PixelImage& got, const PixelImage& want);

// Fails the calling test, saying how the images differ, unless they are equal.
#define QVERIFY_SAME(got, want)                                               \
    do {                                                                      \
        const QString difference = ::seedscape::check::Difference(got, want); \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));               \
    } while (false)

// zoomx1 72, zoomy1 52, zoomx2 and zoomy2 2, no shift: the image mother's view.
bool AtBaseView(const ImageState& state);

// Input the way a person gives it: through the window, so that Qt decides
// which widget the press lands on.
void PressAt(Form1& form, int x, int y);
void ClickButton(Form1& form, const char* name);

}  // namespace seedscape::check
