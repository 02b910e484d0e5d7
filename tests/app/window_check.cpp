#include "window_check.h"

#include <QTest>

#include "render/image_child.h"
#include "render/render_image.h"
#include "state/image_mother_parameters.h"

namespace seedscape::check {

PixelImage CanvasRegion(const Canvas& canvas, int left, int top, int width, int height) {
    PixelImage region(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = canvas.image().pixel(left + x, top + y);
            region.SetPixel(x, y, MakeColour(qRed(pixel), qGreen(pixel), qBlue(pixel)));
        }
    }
    return region;
}

PixelImage RenderMother(double seed) {
    ImageState state = ImageMotherRecord(seed);
    PixelImage image(291, 211);
    RenderImage(state, image);
    return image;
}

PixelImage RenderChild(double seed, double f, float x, float y) {
    ImageState state = ImageMotherRecord(seed);
    state.f = f;
    PixelImage image(591, 211);  // the first child lands at (300, 0)
    RenderImageChild(state, image, x, y, RenderImage);
    return image.Crop(300, 0, 291, 211);
}

QString Difference(const PixelImage& got, const PixelImage& want) {
    if (got == want) return {};
    if (got.width() != want.width() || got.height() != want.height()) {
        return QStringLiteral("sizes differ");
    }
    int count = 0;
    QString first;
    for (int y = 0; y < got.height(); ++y) {
        for (int x = 0; x < got.width(); ++x) {
            if (got.At(x, y) == want.At(x, y)) continue;
            if (count++ == 0) {
                first = QStringLiteral("first at (%1, %2): got %3, want %4")
                            .arg(x)
                            .arg(y)
                            .arg(got.At(x, y), 6, 16, QChar('0'))
                            .arg(want.At(x, y), 6, 16, QChar('0'));
            }
        }
    }
    return QStringLiteral("%1 pixels differ, %2").arg(count).arg(first);
}

bool AtBaseView(const ImageState& s) {
    return s.zoomx1 == 72 && s.zoomy1 == 52 && s.zoomx2 == 2 && s.zoomy2 == 2 && s.di == 0 &&
           s.dj == 0;
}

void PressAt(Form1& form, int x, int y) {
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, QPoint(x, y));
}

void ClickButton(Form1& form, const char* name) {
    auto* button = form.findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button != nullptr, name);
    const QPoint centre = button->geometry().center();
    PressAt(form, centre.x(), centre.y());
}

}  // namespace seedscape::check
