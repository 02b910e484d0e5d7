#include "window_check.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QTest>

#include "render/image_child.h"
#include "render/render_image.h"
#include "state/image_mother_parameters.h"
#include "tests/support/image_difference.h"

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

PixelImage RenderChild(double seed, double f, float x, float y) {
    ImageState state = ImageMotherRecord(seed);
    state.f = f;
    PixelImage canvas(kCanvasWidth, kCanvasHeight);
    RenderImageChild(state, canvas, x, y, RenderImage);
    return testing::ImageAtPlace(canvas, 1);  // the first child's place
}

MainWindow::MainWindow()
    : form(std::make_unique<Form1>(nullptr, folder.filePath(QStringLiteral("favourites.txt")))) {
    form->Form_Load(kClock);
}

void MainWindow::Trigger(const char* name) {
    auto* action = form->findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY2(action != nullptr, name);
    action->trigger();
}

QString MainWindow::CopiedRecipe() {
    Trigger("CopyRecipe");
    return QGuiApplication::clipboard()->text();
}

const Canvas& SettledCanvas(const Form1& form) {
    QDeadlineTimer deadline(20000);
    while (form.redrawingGrid() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return form.canvas();
}

PixelImage Place(const Form1& form, int number) {
    const TilePlace place = PlaceNumber(number);
    return CanvasRegion(SettledCanvas(form), place.x, place.y, kImageWidth, kImageHeight);
}

bool IsBlank(const Form1& form, int number) {
    const TilePlace place = PlaceNumber(number);
    for (int y = place.y; y < place.y + kImageHeight; ++y) {
        for (int x = place.x; x < place.x + kImageWidth; ++x) {
            if (SettledCanvas(form).image().pixel(x, y) != kBackgroundColour.rgb()) return false;
        }
    }
    return true;
}

PixelImage WithoutTexts(PixelImage image, int indicator_right) {
    for (int y = 9; y <= 23; ++y) {
        for (int x = 8; x <= indicator_right; ++x) image.SetPixel(x, y, 0);
    }
    for (int y = 185; y <= 201; ++y) {
        for (int x = 40; x <= 249; ++x) image.SetPixel(x, y, 0);
    }
    return image;
}

QString Difference(const PixelImage& got, const PixelImage& want) {
    return QString::fromStdString(testing::ImageDifference(got, want));
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
