// How live a dragged point handle is: for each of the 20 fixed seeds, a drag
// of 100 moves, one every 4 ms as a fast mouse sends them, over the main
// window on the offscreen platform. It prints, per seed and as medians, the
// mother's frames a second during the drag and the time from a move to the
// first frame on screen that shows it; then how soon the Edit section's 22
// scheme pictures are all drawn. Run it with QT_QPA_PLATFORM=offscreen.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/editing/point_handles.h"
#include "app/editing/thumbnail_chooser.h"
#include "app/grid/form1.h"
#include "bench/benchmark_seeds.h"

namespace seedscape {
namespace {

constexpr int kMoves = 100;
constexpr qint64 kMoveEveryNs = 4'000'000;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void Send(Form1& form, QEvent::Type type, QPointF at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, form.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&form, &event);
}

// Stamps the first paint of the window after each frame of the drag: frame
// n (from 1) reached the screen at painted[n - 1].
class PaintClock : public QObject {
  public:
    explicit PaintClock(const QElapsedTimer& clock) : clock_(clock) {}
    long long frames_drawn = 0;   // frames handed to the window so far
    std::vector<qint64> painted;  // ns

    bool pending() const { return static_cast<long long>(painted.size()) < frames_drawn; }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        while (event->type() == QEvent::Paint && pending()) {
            painted.push_back(clock_.nsecsElapsed());
        }
        return false;
    }

  private:
    const QElapsedTimer& clock_;
};

int Run() {
    QTemporaryDir folder;
    Form1 form(nullptr, folder.filePath(QStringLiteral("favourites.txt")));
    form.Form_Load(45296.5f);
    form.findChild<QAction*>(QStringLiteral("ShowPoints"))->trigger();
    std::vector<double> rates, latencies_ms;
    std::printf("%8s %7s %9s %14s %14s\n", "seed", "frames", "frames/s", "median ms", "longest ms");
    for (const int seed : kBenchmarkSeeds) {
        form.ShowRecipeText(QStringLiteral("seedscape/1 seed=%1").arg(seed));
        QElapsedTimer clock;
        clock.start();
        PaintClock paints(clock);
        form.installEventFilter(&paints);
        const PointHandles& handles = form.handles();
        const long long frames_before = handles.frames();
        auto connection = QObject::connect(&handles, &PointHandles::motherDrawn, &form, [&] {
            paints.frames_drawn = handles.frames() - frames_before;
        });
        const QPointF start = PointHandles::Places(form.pictures().Latest())[0];
        const QPointF end = start.x() < 144 ? start + QPointF(60, 40) : start - QPointF(60, 40);
        // For each move: when it was sent, and how many frames reach the
        // screen before one that shows it (one more while a drawing is in
        // flight: that drawing began before the move).
        std::vector<qint64> sent;
        std::vector<std::size_t> shown_by;
        Send(form, QEvent::MouseButtonPress, start);
        const qint64 began = clock.nsecsElapsed();
        for (int move = 1; move <= kMoves; ++move) {
            while (clock.nsecsElapsed() - began < move * kMoveEveryNs) {
                QApplication::processEvents();
            }
            const bool in_flight = handles.drawing();
            sent.push_back(clock.nsecsElapsed());
            Send(form, QEvent::MouseMove, start + (end - start) * move / double(kMoves));
            shown_by.push_back(static_cast<std::size_t>(handles.frames() - frames_before) +
                               (in_flight ? 2 : 1));
        }
        // The last moves' frames.
        while (handles.drawing() || paints.pending()) QApplication::processEvents();
        QApplication::processEvents();
        const qint64 finished =
            paints.painted.empty() ? clock.nsecsElapsed() : paints.painted.back();
        Send(form, QEvent::MouseButtonRelease, end);
        QObject::disconnect(connection);
        form.removeEventFilter(&paints);

        std::vector<double> waits;
        for (std::size_t m = 0; m < sent.size(); ++m) {
            const std::size_t frame = shown_by[m];
            if (frame == 0 || frame > paints.painted.size()) continue;
            waits.push_back((paints.painted[frame - 1] - sent[m]) / 1e6);
        }
        const double seconds = (finished - began) / 1e9;
        const double rate = paints.painted.size() / seconds;
        rates.push_back(rate);
        latencies_ms.insert(latencies_ms.end(), waits.begin(), waits.end());
        std::printf("%8d %7zu %9.1f %14.2f %14.2f\n", seed, paints.painted.size(), rate,
                    waits.empty() ? 0.0 : Median(waits),
                    waits.empty() ? 0.0 : *std::max_element(waits.begin(), waits.end()));
    }
    std::printf(
        "median over seeds: %.1f mother frames/s; move to frame on screen: median %.2f ms, "
        "longest %.2f ms\n",
        Median(rates), Median(latencies_ms),
        *std::max_element(latencies_ms.begin(), latencies_ms.end()));

    // An edit of a grid of a mother and eight children: how long the event
    // thread is held, and how long until the grid drawn in the background
    // is on screen.
    std::vector<double> held_ms;
    std::vector<double> drawn_ms;
    auto* dn1 = form.findChild<QSpinBox*>(QStringLiteral("dn1"));
    for (const int seed : kBenchmarkSeeds) {
        QString recipe = QStringLiteral("seedscape/1 seed=%1").arg(seed);
        for (int press = 0; press < 8; ++press) {
            recipe += QStringLiteral(" press=%1,%2@%3")
                          .arg(40 + 25 * press)
                          .arg(30 + 20 * press)
                          .arg(2 + press);
        }
        form.ShowRecipeText(recipe);
        QElapsedTimer clock;
        clock.start();
        dn1->setValue(dn1->value() == 30 ? 29 : dn1->value() + 1);
        held_ms.push_back(clock.nsecsElapsed() / 1e6);
        while (form.redrawingGrid()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        drawn_ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf(
        "an edit of a grid of a mother and 8 children: event thread held median %.2f ms, "
        "longest %.2f ms; grid on screen after median %.1f ms, longest %.1f ms\n",
        Median(held_ms), *std::max_element(held_ms.begin(), held_ms.end()), Median(drawn_ms),
        *std::max_element(drawn_ms.begin(), drawn_ms.end()));

    // The scheme pictures, from showing the Edit section.
    form.ShowRecipeText(QStringLiteral("seedscape/1 seed=12345"));
    auto* schemes = form.findChild<ThumbnailChooser*>(QStringLiteral("barvaChooser"));
    QElapsedTimer clock;
    clock.start();
    form.findChild<QAction*>(QStringLiteral("ShowEdit"))->trigger();
    while (schemes->drawn() < schemes->count()) QApplication::processEvents();
    std::printf(
        "all 22 scheme pictures drawn %.0f ms after the Edit section was shown (the 50 "
        "formula pictures drawn at the same time)\n",
        clock.nsecsElapsed() / 1e6);
    return 0;
}

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return seedscape::Run();
}
