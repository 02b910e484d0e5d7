// How the flight window plays: a zoom of ten seconds at 30 frames a second
// from a mother into its child at f = 20, played at 1x in the window's
// player; the frames shown against the frames due and the longest the event
// loop came late to a tick. Also how soon a key's thumbnail shows after Add
// key, and what one frame costs drawn in order on the event thread, for
// comparison. Run it on a real display or under xvfb-run; it prints its
// numbers and asserts nothing about them.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/flights/flight_player.h"
#include "app/flights/flight_window.h"
#include "app/grid/form1.h"
#include "flight/flight_frames.h"

namespace seedscape {
namespace {

constexpr float kClock = 45296.5f;

// Waits in the event loop until `signal` comes, or `limit_ms` passes.
template <typename Sender, typename Signal>
bool WaitFor(Sender* sender, Signal signal, int limit_ms) {
    QEventLoop loop;
    bool came = false;
    QObject::connect(sender, signal, &loop, [&] {
        came = true;
        loop.quit();
    });
    QTimer::singleShot(limit_ms, &loop, &QEventLoop::quit);
    loop.exec();
    return came;
}

double AddKeyToThumbnailMs(Form1& form, const char* recipe, int key) {
    form.ShowRecipeText(QString::fromLatin1(recipe));
    QElapsedTimer clock;
    clock.start();
    form.findChild<QAction*>(QStringLiteral("AddKey"))->trigger();
    FlightWindow* window = form.flight_window();
    if (!window->HasThumbnail(key)) {
        QEventLoop loop;
        QObject::connect(window, &FlightWindow::keyThumbnailShown, &loop, [&](int shown) {
            if (shown == key) loop.quit();
        });
        QTimer::singleShot(20000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return clock.nsecsElapsed() / 1e6;
}

int Run() {
    QTemporaryDir folder;
    Form1 form(nullptr, folder.filePath(QStringLiteral("favourites.txt")));
    form.Form_Load(kClock);
    const double mother_ms = AddKeyToThumbnailMs(form, "seedscape/1 seed=449139", 0);
    const double child_ms =
        AddKeyToThumbnailMs(form, "seedscape/1 seed=449139 press=150,100@20", 1);
    std::printf("Add key to its thumbnail: %.1f ms (the mother), %.1f ms (its child at f = 20)\n",
                mother_ms, child_ms);

    FlightWindow* window = form.flight_window();
    window->SetKeyTime(1, 10.0);
    const Flight flight = window->CurrentFlight();
    std::printf("flight: %s", window->FlightText().toUtf8().constData());

    {
        FlightFrames frames(flight);
        QElapsedTimer clock;
        clock.start();
        for (std::int64_t frame = 0; frame < frames.count(); frame += 10) frames.Draw(frame);
        const double each = clock.nsecsElapsed() / 1e6 / ((frames.count() + 9) / 10);
        std::printf("one frame drawn alone: %.1f ms on average (every tenth frame)\n", each);
    }

    FlightPlayer* player = window->player();
    for (int run = 1; run <= 3; ++run) {
        player->ShowFrame(0);
        WaitFor(player, &FlightPlayer::frameShown, 5000);
        QElapsedTimer clock;
        clock.start();
        player->Play();
        if (player->playing()) WaitFor(player, &FlightPlayer::playingChanged, 60000);
        const FlightPlayer::Counts counts = player->counts();
        std::printf(
            "play %d: %lld of %lld frames shown (%.1f %%) in %.2f s; the event loop late "
            "by %.1f ms at most\n",
            run, counts.shown, counts.due, 100.0 * counts.shown / counts.due,
            clock.nsecsElapsed() / 1e9, counts.longest_late_ms);
    }
    return 0;
}

}  // namespace
}  // namespace seedscape

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return seedscape::Run();
}
