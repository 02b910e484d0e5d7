// The window as a person uses it: start-up, the buttons, presses on the image
// mother and where its children land. Pixels are checked against what the
// engine alone renders for the same seed, press and magnification.
#include "app/grid/form1.h"

#include <QMouseEvent>
#include <QTest>
#include <map>
#include <vector>

#include "app/grid/magnification.h"
#include "magnification_ladder.h"
#include "state/grid_geometry.h"
#include "state/image_mother_parameters.h"
#include "window_check.h"

namespace seedscape {
namespace {

using check::CanvasRegion;
using check::ClickButton;
using check::IsBlank;
using check::kMagnificationLadder;
using check::kStartRung;
using check::Place;
using check::PressAt;
using check::WithoutTexts;

PixelImage Indicator(const Form1& form) {
    return CanvasRegion(form.canvas(), 0, 0, 56, 30);
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
        QVERIFY(form.width() >= kCanvasWidth && form.height() >= kCanvasHeight);

        ImageState drawn;
        RandomGenerator random;
        random.Seed(check::kClock);
        DrawSeed(drawn, random);
        QCOMPARE(s.seed, drawn.seed);

        QVERIFY_BASE_VIEW(s, "start-up");
        QCOMPARE(
            (std::vector{s.f, s.zamikx, s.zamiky, s.sir, s.vis, s.tip, s.grad, s.nacin, s.manjul}),
            (std::vector<double>{5, 0, 0, kImageWidth - 1, kImageHeight - 1, 2, 8, 1, 1}));

        const int right = IndicatorRight(form.canvas());
        QVERIFY_SAME(WithoutTexts(Place(form, 0), right),
                     WithoutTexts(check::EngineImageMother(s.seed), right));
        for (int place = 1; place < kGridPlaces; ++place) {
            QVERIFY2(IsBlank(form, place), "no help text and no child at start-up");
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
        const PixelImage before = WithoutTexts(Place(form, 0), IndicatorRight(form.canvas()));
        const auto& ladder = kMagnificationLadder;
        std::map<std::size_t, PixelImage> shown;  // by rung, from the way up
        shown.emplace(kStartRung, Indicator(form));
        for (std::size_t k = kStartRung + 1; k < ladder.size(); ++k) {
            ClickButton(form, "Command1");
            QCOMPARE(form.state().f, ladder[k]);
            shown.emplace(k, Indicator(form));
            QVERIFY2(!(shown.at(k) == shown.at(k - 1)), "the indicator did not change");
        }
        ClickButton(form, "Command1");
        QCOMPARE(form.state().f, ladder.back());
        for (std::size_t k = ladder.size() - 1; k-- > 0;) {
            ClickButton(form, "Command11");
            QCOMPARE(form.state().f, ladder[k]);
            if (shown.count(k) != 0) QVERIFY_SAME(Indicator(form), shown.at(k));
        }
        ClickButton(form, "Command11");
        QCOMPARE(form.state().f, ladder.front());
        QVERIFY_SAME(WithoutTexts(Place(form, 0), IndicatorRight(form.canvas())), before);
        QVERIFY(IsBlank(form, 1));
    }

    // Nine children fill the eight free places and wrap to place 1; the view
    // is the base view after every one, the mother is never drawn over, and
    // after "new" the next child goes to place 1 again.
    void childrenFillTheGridInOrder() {
        Form1 form;
        form.Form_Load(check::kClock);
        ClickButton(form, "Command1");  // f = 6
        const PixelImage mother = Place(form, 0);
        const std::vector<int> places = {1, 2, 3, 4, 5, 6, 7, 8, 1};
        for (const int place : places) {
            PressAt(form, 200, 50);
            QCOMPARE(form.state().zamikx, double(PlaceNumber(place).x));
            QCOMPARE(form.state().zamiky, double(PlaceNumber(place).y));
            QVERIFY_BASE_VIEW(form.state(), "after a child");
            QCOMPARE(form.state().f, 6.0);
        }
        const PixelImage child = check::RenderChild(form.state().seed, 6, 200, 50);
        for (const int place : places) QVERIFY_SAME(Place(form, place), child);
        QVERIFY_SAME(Place(form, 0), mother);

        ClickButton(form, "Command5");
        QCOMPARE(form.state().zamikx, 0.0);
        QCOMPARE(form.state().zamiky, 0.0);
        QCOMPARE(form.state().f, 5.0);
        PressAt(form, 280, 30);
        QCOMPARE(form.state().zamikx, double(PlaceNumber(1).x));
        QCOMPARE(form.state().zamiky, double(PlaceNumber(1).y));
        QVERIFY_SAME(Place(form, 1), check::RenderChild(form.state().seed, 5, 280, 30));
        QVERIFY2(IsBlank(form, 2), "\"new\" clears the old children");
    }

    void pressesCountOnlyOnTheImageMother() {
        struct Case {
            const char* name;
            int x, y;
            bool counts;
        };
        const int right = kImageWidth - 1;  // the mother's last column and row
        const int bottom = kImageHeight - 1;
        const Case cases[] = {
            {"last column and row of the mother", right, bottom, true},
            {"on the indicator", 20, 15, true},
            {"on the credit line", 100, 190, true},
            {"one column right of the mother", right + 1, 0, false},
            {"right of the mother, last row", right + 1, bottom, false},
            {"one row below the mother", 0, bottom + 1, false},
            {"below the mother, last column", right, bottom + 1, false},
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
            QVERIFY_BASE_VIEW(form.state(), c.name);
        }
        QVERIFY_SAME(Place(form, 1), check::RenderChild(form.state().seed, 5, right, bottom));
    }

    // The buttons sit on the image mother, yet a press on one reaches only
    // the button: no child is drawn and the tile offset stays.
    void buttonPressesNeverReachTheCanvas() {
        Form1 form;
        form.Form_Load(check::kClock);
        for (const char* name : {"Command1", "Command11", "Command19"}) {
            ClickButton(form, name);
            QCOMPARE(form.state().zamikx, 0.0);
            QVERIFY2(IsBlank(form, 1), name);
        }
        PressAt(form, 112, 8);  // the top left corner of "+"
        QCOMPARE(form.state().zamikx, 0.0);
        QVERIFY(IsBlank(form, 1));
    }

    void helpTwiceLooksLikeHelpOnce() {
        Form1 form;
        form.Form_Load(check::kClock);
        ClickButton(form, "Command19");
        const QImage once = form.canvas().image();
        QVERIFY(!IsBlank(form, 3));
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
        QCOMPARE(with_help.state().zamiky, double(PlaceNumber(3).y));
        QVERIFY_SAME(Place(with_help, 3), check::RenderChild(with_help.state().seed, 5, 250, 200));
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
        QCOMPARE(form.state().zamikx, double(PlaceNumber(2).x));
        QVERIFY_SAME(Place(form, 1), check::RenderChild(form.state().seed, 5, 60, 150));
        QVERIFY_SAME(Place(form, 2), check::RenderChild(form.state().seed, 5, 280, 30));
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
            for (int x = 0; x < kImageWidth; ++x) {
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
