// Hundreds of button clicks and presses in random order (a fixed seed, so a
// failure can be replayed), checking after every event the invariants of the
// state record against a simple model of what each event should do.
#include <QTest>
#include <algorithm>
#include <random>
#include <vector>

#include "app/grid/form1.h"
#include "magnification_ladder.h"
#include "state/grid_geometry.h"
#include "window_check.h"

namespace seedscape {

class Form1SoakTest : public QObject {
    Q_OBJECT

  private slots:
    void randomEventsKeepTheRecordSound() {
        const auto& ladder = check::kMagnificationLadder;
        using check::kStartRung;

        Form1 form;
        form.Form_Load(check::kClock);
        std::mt19937 random(20240611);
        std::size_t rung = kStartRung;
        int place = 0;  // the grid place of the last image drawn; children use 1 to 8

        // Children and new mothers cost a render each; keep them a minority.
        enum Event { kPlus, kMinus, kHelp, kNew, kPressInside, kPressOutside };
        std::discrete_distribution<int> pick({27, 27, 8, 3, 9, 26});
        auto coordinate = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        constexpr int kRight = kCanvasWidth - 1;  // the canvas's last column and row
        constexpr int kBottom = kCanvasHeight - 1;
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

        int seen[kPressOutside + 1] = {};
        for (int event = 0; event < 300; ++event) {
            const int kind = pick(random);
            ++seen[kind];
            switch (kind) {
                case kPlus:
                    check::ClickButton(form, "Command1");
                    rung = std::min(rung + 1, ladder.size() - 1);
                    break;
                case kMinus:
                    check::ClickButton(form, "Command11");
                    rung = rung == 0 ? 0 : rung - 1;
                    break;
                case kHelp:
                    check::ClickButton(form, "Command19");
                    break;
                case kNew:
                    check::ClickButton(form, "Command5");
                    rung = kStartRung;
                    place = 0;
                    break;
                case kPressInside:
                    // Below the button row, so that every press reaches the canvas.
                    QTest::mouseClick(
                        form.windowHandle(), buttons[coordinate(0, 2)], {},
                        QPoint(coordinate(0, kImageWidth - 1), coordinate(26, kImageHeight - 1)));
                    place = place == kGridPlaces - 1 ? 1 : place + 1;
                    break;
                case kPressOutside:
                    QTest::mouseClick(
                        form.windowHandle(), buttons[coordinate(0, 2)], {},
                        coordinate(0, 1)
                            ? QPoint(coordinate(kImageWidth, kRight), coordinate(0, kBottom))
                            : QPoint(coordinate(0, kRight), coordinate(kImageHeight, kBottom)));
                    break;
            }
            const ImageState& s = form.state();
            const QByteArray where =
                "event " + QByteArray::number(event) + ", kind " + QByteArray::number(kind);
            QVERIFY_BASE_VIEW(s, where);
            QVERIFY2(s.f == ladder[rung], where);
            QVERIFY2(s.zamikx == PlaceNumber(place).x && s.zamiky == PlaceNumber(place).y, where);
        }
        for (const int count : seen) QVERIFY(count > 0);  // every kind of event happened
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::Form1SoakTest)
#include "form1_soak_test.moc"
