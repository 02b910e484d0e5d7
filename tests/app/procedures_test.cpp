// The window's procedures on a canvas of their own: the magnification ladder,
// the indicator, the help screen and the credit line.
#include <QTest>
#include <vector>

#include "app/grid/canvas.h"
#include "app/grid/magnification.h"
#include "app/grid/texts.h"
#include "magnification_ladder.h"
#include "state/grid_geometry.h"

namespace seedscape {
namespace {

constexpr ColourValue kBlack = MakeColour(0, 0, 0);

QRgb At(const Canvas& canvas, int x, int y) {
    return canvas.image().pixel(x, y) & 0xFFFFFFU;
}

void Paint(Canvas& canvas, int left, int top, int right, int bottom, ColourValue colour) {
    for (int y = top; y <= bottom; ++y) canvas.DrawLine(left, y, right + 1, y, colour);
}

// Pixels of `area`, less those of `spared`, that are not `colour`.
int CountChanged(const Canvas& canvas, QRect area, QRect spared, QRgb colour) {
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!spared.contains(x, y) && At(canvas, x, y) != (colour & 0xFFFFFFU)) ++changed;
        }
    }
    return changed;
}

}  // namespace

class ProceduresTest : public QObject {
    Q_OBJECT

  private slots:
    void ladderStep_data() {
        QTest::addColumn<bool>("up");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("+ at 100 stays 100 (110 is clamped)") << true << 100.0 << 100.0;
        QTest::newRow("-- at 1 stays 1 (0 is raised)") << false << 1.0 << 1.0;
        QTest::newRow("+ from 9 gives 10") << true << 9.0 << 10.0;
        QTest::newRow("+ from 10 gives 12") << true << 10.0 << 12.0;
        QTest::newRow("-- from 12 gives 10") << false << 12.0 << 10.0;
        QTest::newRow("-- from 10 gives 9") << false << 10.0 << 9.0;
        QTest::newRow("+ from 30 gives 35") << true << 30.0 << 35.0;
        QTest::newRow("-- from 35 gives 30") << false << 35.0 << 30.0;
        QTest::newRow("+ from 50 gives 60") << true << 50.0 << 60.0;
        QTest::newRow("-- from 60 gives 50") << false << 60.0 << 50.0;
        QTest::newRow("-- from 100 gives 90") << false << 100.0 << 90.0;
    }
    void ladderStep() {
        QFETCH(bool, up);
        QFETCH(double, from);
        QFETCH(double, to);
        ImageState state;
        state.f = from;
        up ? IncreaseMagnification(state) : ReduceMagnification(state);
        QCOMPARE(state.f, to);
    }

    void numberText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("the start magnification") << 5.0 << " 5";
        QTest::newRow("the largest magnification") << 100.0 << " 100";
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("the largest seed, no exponent") << 1000000.0 << " 1000000";
        QTest::newRow("a negative number shows its sign") << -3.0 << "-3";
    }
    void numberText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(NumberText(value), text);
    }

    // The credit names the seed, and says when the mother is not what the
    // seed alone draws; either way it stays inside its grey band (x 48 to
    // 250) for the widest seed.
    void creditNamesTheSeedWithinItsBand() {
        ImageState state;
        state.seed = 483920;
        QCOMPARE(CreditText(state), QStringLiteral("seedscape, seed 483920"));
        QCOMPARE(CreditText(state, true), QStringLiteral("seed 483920, varied"));
        Canvas canvas;
        canvas.SetFontSize(10);
        state.seed = 888888;
        for (const bool varied : {false, true}) {
            QVERIFY(48 + canvas.TextWidth(CreditText(state, varied)) <= 250);
        }
    }

    // Whatever lay under it, the box is painted afresh for every value, and
    // neither it nor the digits reach the "new" button at x = 56.
    void indicatorCoversEveryValue() {
        Canvas canvas;
        canvas.SetFontSize(10);
        const int right = IndicatorRight(canvas);
        QVERIFY2(right >= 30 && right < 56, qPrintable(QString::number(right)));
        QVERIFY(10 + canvas.TextWidth(NumberText(100)) <= right);
        for (const double f : check::kMagnificationLadder) {
            Paint(canvas, 0, 0, 60, 30, kBlack);
            ImageState state;
            state.f = f;
            ShowMagnification(state, canvas);
            for (int y = 9; y <= 23; ++y) {
                for (int x = 8; x <= right; ++x) {
                    QVERIFY2(
                        At(canvas, x, y) != 0,
                        qPrintable(QStringLiteral("f %1: black at (%2, %3)").arg(f).arg(x).arg(y)));
                }
            }
            QCOMPARE(At(canvas, right, 9), qRgb(200, 200, 200) & 0xFFFFFFU);
            QCOMPARE(CountChanged(canvas, QRect(0, 0, 61, 31),
                                  QRect(QPoint(8, 9), QPoint(right, 23)), kBlack),
                     0);
        }
    }

    // The white band is exactly grid place 3, below the mother, and the lines
    // stay on it, so a child drawn there later hides every trace of them.
    void helpScreenKeepsToItsBand() {
        Canvas canvas;
        canvas.SetFontSize(10);
        HelpLines helplines;
        LoadHelpText(helplines);
        ShowHelpScreen(helplines, canvas);
        const QRect band(PlaceNumber(3).x, PlaceNumber(3).y, kImageWidth, kImageHeight);
        QCOMPARE(CountChanged(canvas, canvas.image().rect(), band, kBackgroundColour.rgb()), 0);
        auto ink_in_rows = [&](int top, int bottom) {
            int ink = 0;
            for (int y = top; y <= bottom; ++y) {
                for (int x = band.left(); x <= band.right(); ++x) {
                    ink += At(canvas, x, y) != 0xFFFFFFU;
                }
            }
            return ink;
        };
        QCOMPARE(ink_in_rows(band.top(), 244), 0);
        for (int line = 1; line <= 11; ++line) {
            const int top = 230 + 15 * line;
            const int ink = ink_in_rows(top, top + 14);
            // Line 7 is a single blank: an empty line between 6 and 8.
            QVERIFY2(line == 7 ? ink == 0 : ink > 0, qPrintable(QString::number(line)));
        }
        QCOMPARE(ink_in_rows(410, band.bottom()), 0);
    }

    void creditKeepsToItsBand() {
        Canvas canvas;
        canvas.SetFontSize(10);
        ImageState state;
        state.seed = 1000000;  // the longest credit line
        PrintCredit(state, canvas);
        QCOMPARE(CountChanged(canvas, canvas.image().rect(),
                              QRect(QPoint(40, 185), QPoint(249, 201)), kBackgroundColour.rgb()),
                 0);
        QCOMPARE(At(canvas, 249, 201), qRgb(190, 190, 190) & 0xFFFFFFU);
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::ProceduresTest)
#include "procedures_test.moc"
