#pragma once

#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/grid/canvas.h"
#include "app/grid/form1.h"
#include "render/pixel_image.h"
#include "tests/support/base_view.h"
#include "tests/support/engine_images.h"

namespace seedscape::check {

// A fixed clock value, so that every run starts from the same image mother.
inline constexpr float kClock = 45296.5f;

// The main window started at the fixed clock, its favourites in a folder of
// its own.
struct MainWindow {
    MainWindow();
    // Triggers the window's action named `name` (its object name).
    void Trigger(const char* name);
    // What Copy recipe gives for the latest picture.
    QString CopiedRecipe();

    QTemporaryDir folder;
    std::unique_ptr<Form1> form;
};

// The canvas's pixels in a rectangle, as colour values.
PixelImage CanvasRegion(const Canvas& canvas, int left, int top, int width, int height);

// The image mother of a seed as the engine alone renders it.
using testing::EngineImageMother;

// The child a press at (x, y) with magnification f makes of the image mother
// of `seed`, as the engine alone renders it.
PixelImage RenderChild(double seed, double f, float x, float y);

// The window's canvas once an edited grid drawn in the background has come
// back (within 20 s): what a person sees when the drawing is done.
const Canvas& SettledCanvas(const Form1& form);

// The image at grid place `number`: 0 is the mother's, 1 to 8 the children's.
PixelImage Place(const Form1& form, int number);

// Whether grid place `number` shows only the background.
bool IsBlank(const Form1& form, int number);

// `image` with the pixels cleared that the window prints over an image
// mother: the indicator box (x 8 to `indicator_right`) and the credit band.
PixelImage WithoutTexts(PixelImage image, int indicator_right);

// Empty when equal; otherwise how many pixels differ and the first of them.
QString Difference(const PixelImage& got, const PixelImage& want);

// Fails the calling test, saying how the images differ, unless they are equal.
#define QVERIFY_SAME(got, want)                                               \
    do {                                                                      \
        const QString difference = ::seedscape::check::Difference(got, want); \
        QVERIFY2(difference.isEmpty(), qPrintable(difference));               \
    } while (false)

// Fails the calling test, naming the fields that differ and `where` (text),
// unless the record holds the base view.
#define QVERIFY_BASE_VIEW(state, where)                                                           \
    do {                                                                                          \
        const std::string difference = ::seedscape::testing::BaseViewDifference(state);           \
        QVERIFY2(difference.empty(), qPrintable(QString::fromUtf8(where) + QStringLiteral(": ") + \
                                                QString::fromStdString(difference)));             \
    } while (false)

// Input the way a person gives it: through the window, so that Qt decides
// which widget the press lands on.
void PressAt(Form1& form, int x, int y);
void ClickButton(Form1& form, const char* name);

// Settings in a folder of the test's own, never the person's, for as long as
// this lives; Clear() empties them before each case.
class OwnSettings {
  public:
    OwnSettings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder_.path());
    }
    void Clear() { QSettings().clear(); }

  private:
    QTemporaryDir folder_;
};

}  // namespace seedscape::check
