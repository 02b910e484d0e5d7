// The window as a person uses it: start-up, the buttons, presses on the image
// mother and where its children land. Pixels are checked against what the
// engine alone renders for the same seed, press and magnification.
#include "app/form1.h"

#include <QMouseEvent>
#include <QTest>
#include <vector>

#include "app/magnification.h"
#include "state/image_mother_parameters.h"
#include "window_check.h"

namespace seedscape {
namespace {

using check::AtBaseView;
using check::CanvasRegion;
using check::ClickButton;
using check::PressAt;

PixelImage Place(const Form1& form, int left, int top) {
    return CanvasRegion(form.canvas(), left, top, 291, 211);
}

PixelImage Indicator(const Form1& form) {
    return CanvasRegion(form.canvas(), 0, 0, 56, 30);
}

bool IsBlank(const Form1& form, int left, int top) {
    for (int y = top; y < top + 211; ++y) {
        for (int x = left; x < left + 291; ++x) {
            if (form.canvas().image().pixel(x, y) != kBackgroundColour.rgb()) return false;
        }
    }
    return true;
}

// Clears the pixels that start-up draws over the image mother.
PixelImage WithoutTexts(PixelImage image, int indicator_right) {
    for (int y = 9; y <= 23; ++y) {
        for (int x = 8; x <= indicator_right; ++x) image.SetPixel(x, y, 0);
    }
    for (int y = 185; y <= 201; ++y) {
        for (int x = 40; x <= 249; ++x) image.SetPixel(x, y, 0);
    }
    return image;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void startUpShowsTheImageMotherOfTheClockSeed() {
        Form1 form;
        form.Form_Load(check::kClock);
        const ImageState& s = form.state();
        QCOMPARE(form.windowTitle(), QStringLiteral("Form1"));
        QVERIFY(form.width() >= 891 && form.height() >= 651);

        ImageState drawn;
        RandomGenerator random;
        random.Seed(check::kClock);
        DrawSeed(drawn, random);
        QCOMPARE(s.seed, drawn.seed);

        QVERIFY(AtBaseView(s));
        QCOMPARE(
            (std::vector{s.f, s.zamikx, s.zamiky, s.sir, s.vis, s.tip, s.grad, s.nacin, s.manjul}),
            (std::vector{5.0, 0.0, 0.0, 290.0, 210.0, 2.0, 8.0, 1.0, 1.0}));

        const int right = IndicatorRight(form.canvas());
        QVERIFY_SAME(WithoutTexts(Place(form, 0, 0), right),
                     WithoutTexts(check::RenderMother(s.seed), right));
        for (const auto& [left, top] : std::vector<std::pair<int, int>>{{300, 0},
                                                                        {600, 0},
                                                                        {0, 220},
                                                                        {300, 220},
                                                                        {600, 220},
                                                                        {0, 440},
                                                                        {300, 440},
                                                                        {600, 440}}) {
            QVERIFY2(IsBlank(form, left, top), "no help text and no child at start-up");
        }
    }

    // "exit" is first in the tab order, then the row from left to right.
    void buttonsSitInARowInTabOrder() {
        Form1 form;
        const QList<QPair<QString, QRect>> row = {
            {"exit", {232, 8, 41, 17}}, {"new", {56, 8, 41, 17}},   {"+", {112, 8, 17, 17}},
            {"--", {144, 8, 17, 17}},   {"help", {176, 8, 41, 17}},
        };
        QWidget* widget = &form;
        for (const auto& [caption, geometry] : row) {
            widget = widget->nextInFocusChain();
            auto* button = qobject_cast<QPushButton*>(widget);
            QVERIFY2(button != nullptr && button->text() == caption, qPrintable(caption));
            QCOMPARE(button->geometry(), geometry);
        }
    }

    // Both ways along the ladder through the real buttons, clamped at its
    // ends; the indicator shows the same picture for a value however it was
    // reached (from 100 down to 90 as well: no stray digit), and no image
    // changes.
    void magnificationButtons() {
        Form1 form;
        form.Form_Load(check::kClock);
        const PixelImage before = WithoutTexts(Place(form, 0, 0), IndicatorRight(form.canvas()));
        const std::vector<double> ladder = {5,  6,  7,  8,  9,  10, 12, 14, 16, 18, 20, 22, 24,
                                            26, 28, 30, 35, 40, 45, 50, 60, 70, 80, 90, 100};
        std::vector<PixelImage> shown = {Indicator(form)};
        for (std::size_t k = 1; k < ladder.size(); ++k) {
            ClickButton(form, "Command1");
            QCOMPARE(form.state().f, ladder[k]);
            shown.push_back(Indicator(form));
            QVERIFY2(!(shown[k] == shown[k - 1]), "the indicator did not change");
        }
        ClickButton(form, "Command1");
        QCOMPARE(form.state().f, 100.0);
        for (std::size_t k = ladder.size() - 1; k-- > 0;) {
            ClickButton(form, "Command11");
            QCOMPARE(form.state().f, ladder[k]);
            QVERIFY_SAME(Indicator(form), shown[k]);
        }
        for (int k = 0; k < 5; ++k) ClickButton(form, "Command11");
        QCOMPARE(form.state().f, 1.0);
        ClickButton(form, "Command11");
        QCOMPARE(form.state().f, 1.0);
        QVERIFY_SAME(WithoutTexts(Place(form, 0, 0), IndicatorRight(form.canvas())), before);
        QVERIFY(IsBlank(form, 300, 0));
    }

    // Nine children fill the eight free places and wrap to (300, 0); the view
    // is the base view after every one, the mother is never drawn over, and
    // after "new" the next child goes to (300, 0) again.
    void childrenFillTheGridInOrder() {
        Form1 form;
        form.Form_Load(check::kClock);
        ClickButton(form, "Command1");  // f = 6
        const PixelImage mother = Place(form, 0, 0);
        const std::vector<std::pair<double, double>> places = {{300, 0},   {600, 0},   {0, 220},
                                                               {300, 220}, {600, 220}, {0, 440},
                                                               {300, 440}, {600, 440}, {300, 0}};
        for (std::size_t k = 0; k < places.size(); ++k) {
            PressAt(form, 200, 50);
            QCOMPARE(std::make_pair(form.state().zamikx, form.state().zamiky), places[k]);
            QVERIFY(AtBaseView(form.state()));
            QCOMPARE(form.state().f, 6.0);
        }
        const PixelImage child = check::RenderChild(form.state().seed, 6, 200, 50);
        for (const auto& [left, top] : places) {
            QVERIFY_SAME(Place(form, static_cast<int>(left), static_cast<int>(top)), child);
        }
        QVERIFY_SAME(Place(form, 0, 0), mother);

        ClickButton(form, "Command5");
        QCOMPARE(form.state().zamikx, 0.0);
        QCOMPARE(form.state().zamiky, 0.0);
        QCOMPARE(form.state().f, 5.0);
        PressAt(form, 280, 30);
        QCOMPARE(form.state().zamikx, 300.0);
        QCOMPARE(form.state().zamiky, 0.0);
        QVERIFY_SAME(Place(form, 300, 0), check::RenderChild(form.state().seed, 5, 280, 30));
        QVERIFY2(IsBlank(form, 600, 0), "\"new\" clears the old children");
    }

    void pressesCountOnlyOnTheImageMother() {
        struct Case {
            const char* name;
            int x, y;
            bool counts;
        };
        const Case cases[] = {
            {"last column and row of the mother", 290, 210, true},
            {"on the indicator", 20, 15, true},
            {"on the credit line", 100, 190, true},
            {"one column right of the mother", 291, 0, false},
            {"right of the mother, last row", 291, 210, false},
            {"one row below the mother", 0, 211, false},
            {"below the mother, last column", 290, 211, false},
            {"on a child", 400, 100, false},
            {"on the help place", 100, 300, false},
        };
        Form1 form;
        form.Form_Load(check::kClock);
        for (const Case& c : cases) {
            const ImageState before = form.state();
            const QImage canvas_before = form.canvas().image();
            PressAt(form, c.x, c.y);
            const bool moved =
                form.state().zamikx != before.zamikx || form.state().zamiky != before.zamiky;
            QVERIFY2(moved == c.counts, c.name);
            QVERIFY2((form.canvas().image() != canvas_before) == c.counts, c.name);
            QVERIFY2(AtBaseView(form.state()), c.name);
        }
        QVERIFY_SAME(Place(form, 300, 0), check::RenderChild(form.state().seed, 5, 290, 210));
    }

    // The buttons sit on the image mother, yet a press on one reaches only
    // the button: no child is drawn and the tile offset stays.
    void buttonPressesNeverReachTheCanvas() {
        Form1 form;
        form.Form_Load(check::kClock);
        for (const char* name : {"Command1", "Command11", "Command19"}) {
            ClickButton(form, name);
            QCOMPARE(form.state().zamikx, 0.0);
            QVERIFY2(IsBlank(form, 300, 0), name);
        }
        PressAt(form, 112, 8);  // the top left corner of "+"
        QCOMPARE(form.state().zamikx, 0.0);
        QVERIFY(IsBlank(form, 300, 0));
    }

    void helpTwiceLooksLikeHelpOnce() {
        Form1 form;
        form.Form_Load(check::kClock);
        ClickButton(form, "Command19");
        const QImage once = form.canvas().image();
        QVERIFY(!IsBlank(form, 0, 220));
        ClickButton(form, "Command19");
        QCOMPARE(form.canvas().image(), once);
    }

    // The third child lands on the help screen and leaves no trace of it:
    // the window looks as if "help" had never been pressed.
    void childCoversTheHelpScreen() {
        Form1 with_help;
        with_help.Form_Load(check::kClock);
        ClickButton(with_help, "Command19");
        Form1 without;
        without.Form_Load(check::kClock);
        for (Form1* form : {&with_help, &without}) {
            PressAt(*form, 30, 40);
            PressAt(*form, 200, 50);
            PressAt(*form, 250, 200);
        }
        QCOMPARE(with_help.state().zamiky, 220.0);
        QVERIFY_SAME(Place(with_help, 0, 220),
                     check::RenderChild(with_help.state().seed, 5, 250, 200));
        QCOMPARE(with_help.canvas().image(), without.canvas().image());
    }

    // Input that arrives while the window is busy is handled afterwards, in
    // the order given: "new" first, then each press its own child.
    void queuedInputIsHandledInOrder() {
        Form1 form;
        form.Form_Load(check::kClock);
        const double old_seed = form.state().seed;
        auto post = [](QWidget* to, QEvent::Type type, QPoint at) {
            QCoreApplication::postEvent(
                to,
                new QMouseEvent(type, at, to->mapToGlobal(at), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
        };
        auto* command5 = form.findChild<QPushButton*>(QStringLiteral("Command5"));
        post(command5, QEvent::MouseButtonPress, QPoint(5, 5));
        post(command5, QEvent::MouseButtonRelease, QPoint(5, 5));
        post(&form, QEvent::MouseButtonPress, QPoint(60, 150));
        post(&form, QEvent::MouseButtonRelease, QPoint(60, 150));
        post(&form, QEvent::MouseButtonPress, QPoint(280, 30));
        QCoreApplication::processEvents();
        QVERIFY(form.state().seed != old_seed);
        QCOMPARE(form.state().zamikx, 600.0);
        QVERIFY_SAME(Place(form, 300, 0), check::RenderChild(form.state().seed, 5, 60, 150));
        QVERIFY_SAME(Place(form, 600, 0), check::RenderChild(form.state().seed, 5, 280, 30));
    }

    // On a display scaled by 2 every canvas pixel becomes a sharp 2 x 2 block.
    void scaledDisplayKeepsPixelsSharp() {
        Form1 form;
        form.Form_Load(check::kClock);
        QImage screen(form.size() * 2, QImage::Format_RGB32);
        screen.setDevicePixelRatio(2);
        form.render(&screen);
        const QImage& canvas = form.canvas().image();
        for (int y = 30; y < 180; ++y) {
            for (int x = 0; x < 291; ++x) {
                for (int d = 0; d < 4; ++d) {
                    const QRgb got = screen.pixel(2 * x + d % 2, 2 * y + d / 2);
                    if (got != canvas.pixel(x, y)) {
                        QFAIL(qPrintable(QStringLiteral("blurred at (%1, %2)").arg(x).arg(y)));
                    }
                }
            }
        }
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::Form1Test)
#include "form1_test.moc"
