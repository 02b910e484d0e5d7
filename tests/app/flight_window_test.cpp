// The flight window: keys taken from the grid, the player's frames against
// the exporter's, the flight's text through the clipboard, files and videos,
// and exports that leave nothing when stopped.
#include "app/flights/flight_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <memory>

#include "app/flights/flight_edits.h"
#include "app/flights/flight_export_job.h"
#include "app/flights/flight_player.h"
#include "app/flights/rgb_qimage.h"
#include "app/grid/form1.h"
#include "app/shared/thumbnail.h"
#include "flight/flight_frames.h"
#include "flight/flight_text.h"
#include "flight/frame_files.h"
#include "state/grid_geometry.h"
#include "video/video_probe.h"
#include "window_check.h"

namespace seedscape {
namespace {

// A main window whose favourites live in a folder of the test's own.
using check::MainWindow;

void TriggerIn(QWidget* window, const char* name) {
    auto* action = window->findChild<QAction*>(QString::fromLatin1(name));
    QVERIFY2(action != nullptr, name);
    action->trigger();
}

Flight ReadOrFail(const std::string& text) {
    FlightReading reading = ParseFlight(text);
    if (!reading.flight) qFatal("test flight does not read: %s", reading.error.c_str());
    return *reading.flight;
}

// A mother and a child of it a third of a second later, then a picture of
// another seed: a move and a crossfade.
const char* const kShortFlight =
    "seedscape-flight/1 fps=30 scale=1 supersample=1\n"
    "at=0 seedscape/1 seed=449139\n"
    "at=0.3 ease=smooth seedscape/1 seed=449139 press=150,100@20\n"
    "at=0.5 seedscape/1 seed=12345\n";

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

class FlightWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // Add key takes the latest picture as Copy recipe gives it, a second
    // after the last key; Ctrl+L and Add key open the window; a key of
    // another seed makes a crossfade, which the row says.
    void keysComeFromTheGrid() {
        MainWindow main;
        check::PressAt(*main.form, 150, 100);
        const QString first = main.CopiedRecipe();
        main.Trigger("AddKey");
        FlightWindow* window = main.form->flight_window();
        QVERIFY(window != nullptr);
        QVERIFY(window->isVisible());
        check::PressAt(*main.form, 60, 150);
        const QString second = main.CopiedRecipe();
        main.Trigger("AddKey");
        check::ClickButton(*main.form, "Command5");  // another mother, another seed
        const QString third = main.CopiedRecipe();
        main.Trigger("AddKey");

        QCOMPARE(window->FlightText(),
                 QStringLiteral("seedscape-flight/1 fps=30 scale=1 supersample=1\n"
                                "at=0 %1\nat=1 %2\nat=2 %3\n")
                     .arg(first, second, third));
        const auto segment = [window](int key) {
            return window->findChild<QWidget*>(QStringLiteral("Key%1").arg(key))
                ->findChild<QLabel*>(QStringLiteral("KeySegment"))
                ->text();
        };
        QCOMPARE(segment(1), QStringLiteral("move"));
        QVERIFY2(segment(2).startsWith(QStringLiteral("crossfade")), qPrintable(segment(2)));
        for (int key = 0; key < 3; ++key) {
            QTRY_VERIFY(window->HasThumbnail(key));
            const QLabel* thumbnail = window->findChild<QWidget*>(QStringLiteral("Key%1").arg(key))
                                          ->findChild<QLabel*>(QStringLiteral("KeyThumbnail"));
            QTRY_VERIFY(!thumbnail->pixmap().isNull());
        }

        // Edits keep the flight readable: a time before the last key's is
        // refused with the reader's words, a time between frames goes to the
        // nearest frame, reordering keeps the times.
        window->SetKeyTime(2, 0.5);
        QVERIFY2(window->message().contains(QStringLiteral("key 3")),
                 qPrintable(window->message()));
        QCOMPARE(window->CurrentFlight().keys[2].time_us, 2000000);
        window->SetKeyTime(2, 2.53);
        QCOMPARE(window->CurrentFlight().keys[2].time_us, 2500000);
        window->MoveKey(2, -1);
        QCOMPARE(PrintRecipe(window->CurrentFlight().keys[1].recipe), third.toStdString());
        QCOMPARE(window->CurrentFlight().keys[1].time_us, 1000000);
        window->RemoveKey(0);
        QCOMPARE(window->CurrentFlight().keys.front().time_us, 0);
        QCOMPARE(window->CurrentFlight().keys.size(), std::size_t{2});
    }

    // Played under the offscreen platform, every frame shown is the frame
    // the exporter draws, bit for bit; a key's frame is the grid's picture;
    // scrubbing and Home/End show the exporter's frames too.
    void playerShowsTheExportersFrames() {
        FlightWindow window;
        window.show();
        QVERIFY(window.ReplaceFlightText(QString::fromLatin1(kShortFlight)));
        FlightPlayer* player = window.player();
        std::map<qint64, QImage> shown;
        connect(player, &FlightPlayer::frameShown, this,
                [&shown](qint64 frame, const QImage& image) { shown[frame] = image; });
        QTRY_COMPARE(player->frame(), qint64{0});
        player->Play();
        QTRY_VERIFY_WITH_TIMEOUT(!player->playing(), 20000);
        QTRY_COMPARE(player->frame(), player->count() - 1);
        const FlightPlayer::Counts counts = player->counts();
        QCOMPARE(counts.due, player->count());
        // However slow the build, the frame on screen at the start is shown.
        QVERIFY(counts.shown >= 1 && counts.shown <= counts.due);
        qInfo("played %lld of %lld frames", counts.shown, counts.due);

        // Scrubbing: a move, a key and a crossfade; then Home and End.
        for (const qint64 frame : {4, 9, 11}) {
            player->ShowFrame(frame);
            QTRY_COMPARE(player->frame(), frame);
        }
        TriggerIn(&window, "JumpToFirst");
        QTRY_COMPARE(player->frame(), qint64{0});
        TriggerIn(&window, "JumpToLast");
        QTRY_COMPARE(player->frame(), qint64{15});

        FlightFrames exporter(ReadOrFail(kShortFlight));
        QVERIFY(shown.size() >= 5);
        for (const auto& [frame, image] : shown) {
            QVERIFY2(QImageToRgb(image) == *exporter.Draw(frame),
                     qPrintable(QStringLiteral("frame %1").arg(frame)));
        }
        const Recipe child = *ParseRecipe("seedscape/1 seed=449139 press=150,100@20").recipe;
        QCOMPARE(shown.at(9).convertToFormat(QImage::Format_RGB32), RenderThumbnail(child));

        // At the main window's zoom each pixel is a square of the zoom's side.
        window.SetZoom(2);
        auto* screen = window.findChild<QLabel*>(QStringLiteral("FlightScreen"));
        QTRY_COMPARE(screen->pixmap().size(), QSize(2 * kImageWidth, 2 * kImageHeight));
        const QImage zoomed = screen->pixmap().toImage();
        const QImage& last = shown.at(15);
        for (const QPoint pixel : {QPoint(0, 0), QPoint(145, 105), QPoint(290, 210)}) {
            for (const QPoint corner : {QPoint(0, 0), QPoint(1, 1)}) {
                QCOMPARE(zoomed.pixel(pixel * 2 + corner), last.pixel(pixel));
            }
        }
    }

    // A loop plays round: after its last frame comes its first again, and
    // every frame shown, in either lap, is the exporter's.
    void loopPlaysRound() {
        FlightWindow window;
        window.show();
        QVERIFY(window.ReplaceFlightText(QString::fromLatin1(kShortFlight)));
        window.SetLoop(true, 0.5);
        FlightPlayer* player = window.player();
        QCOMPARE(player->count(), qint64{15});
        QTRY_COMPARE(player->frame(), qint64{0});
        std::vector<std::pair<qint64, QImage>> shown;
        connect(player, &FlightPlayer::frameShown, this,
                [&shown](qint64 frame, const QImage& image) { shown.emplace_back(frame, image); });
        const auto laps = [&shown] {
            int count = 0;
            for (std::size_t k = 1; k < shown.size(); ++k) {
                if (shown[k].first < shown[k - 1].first) ++count;
            }
            return count;
        };
        player->Play();
        QTRY_VERIFY_WITH_TIMEOUT(laps() >= 1, 60000);
        player->Pause();
        FlightFrames exporter(ParseFlight(window.FlightText().toStdString()).flight.value());
        for (const auto& [frame, image] : shown) {
            QVERIFY2(QImageToRgb(image) == *exporter.Draw(frame),
                     qPrintable(QStringLiteral("loop frame %1").arg(frame)));
        }
    }

    // The key edits keep every flight readable: times go to the nearest
    // frame the frame rate allows, and what the reader would refuse is
    // refused with its words, the flight unchanged.
    void keyEditsKeepTheFlightReadable_data() {
        QTest::addColumn<int>("fps");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<qint64>("time_us");
        QTest::newRow("30 fps: tenths of a second") << 30 << 1.04 << qint64{1000000};
        QTest::newRow("30 fps: rounds up") << 30 << 1.06 << qint64{1100000};
        QTest::newRow("24 fps: eighths") << 24 << 0.3 << qint64{250000};
        QTest::newRow("25 fps: every frame") << 25 << 0.05 << qint64{40000};
        QTest::newRow("7 fps: whole seconds only") << 7 << 1.4 << qint64{1000000};
        QTest::newRow("120 fps: fortieths") << 120 << 0.51 << qint64{500000};
    }
    void keyEditsKeepTheFlightReadable() {
        QFETCH(int, fps);
        QFETCH(double, seconds);
        QFETCH(qint64, time_us);
        QCOMPARE(NearestFrameTimeUs(seconds, fps), time_us);
        Flight flight;
        flight.fps = fps;
        for (int seed : {1, 2, 3}) {
            Recipe recipe;
            recipe.seed = seed;
            recipe.scale = 4;  // an export setting, which a key leaves out
            QCOMPARE(AppendKey(flight, recipe), std::string());
        }
        QCOMPARE(flight.keys[2].time_us, 2 * kMicrosecondsPerSecond);
        QCOMPARE(flight.keys[2].recipe.scale, 1);
        QCOMPARE(CheckFlight(flight), std::string());

        const Flight before = flight;
        const std::vector<std::pair<std::size_t, std::int64_t>> refused = {
            {1, 0},                                                     // on the first key
            {2, kMicrosecondsPerSecond},                                // on the key before
            {2, (kLongestFlightSeconds + 1) * kMicrosecondsPerSecond},  // too long
        };
        for (const auto& [key, time] : refused) {
            Flight edited = flight;
            edited.keys[key].time_us = time;
            const std::string reason = CheckFlight(edited);
            QVERIFY(!reason.empty());
            QCOMPARE(SetKeyTime(flight, key, time), reason);
            QCOMPARE(flight, before);
        }
        // Moving a picture keeps the times; removing the first key starts the
        // flight at its next.
        QCOMPARE(SwapWithNext(flight, 0), std::string());
        QCOMPARE(flight.keys[0].recipe.seed, 2);
        QCOMPARE(flight.keys[1].time_us, before.keys[1].time_us);
        RemoveKey(flight, 0);
        QCOMPARE(flight.keys.front().time_us, 0);
        QCOMPARE(flight.keys.back().time_us, kMicrosecondsPerSecond);
        QCOMPARE(CheckFlight(flight), std::string());
    }

    // Copy and paste, save and open, and a video's own flight give the same
    // text back; a malformed text or file changes nothing and shows the
    // reader's reason.
    void flightTextRoundTrips() {
        QTemporaryDir folder;
        FlightWindow from;
        QVERIFY(from.ReplaceFlightText(QString::fromLatin1(kShortFlight)));
        const QString text = from.FlightText();
        QCOMPARE(text, QString::fromLatin1(kShortFlight));
        TriggerIn(&from, "CopyFlight");
        FlightWindow to;
        TriggerIn(&to, "PasteFlight");
        QCOMPARE(to.FlightText(), text);

        const QString file = folder.filePath(QStringLiteral("a.flight"));
        QVERIFY(from.SaveFlightFile(file));
        FlightWindow opened;
        QVERIFY(opened.OpenFlightFile(file));
        QCOMPARE(opened.FlightText(), text);

        // A loop of the first key, its length kept.
        from.SetLoop(true, 2.5);
        const QString loop = from.FlightText();
        QVERIFY(loop.contains(QStringLiteral("loop=2.5")));
        FlightWindow loop_to;
        QVERIFY(loop_to.ReplaceFlightText(loop));
        QCOMPARE(loop_to.FlightText(), loop);

        const QString junk_video = folder.filePath(QStringLiteral("other.mp4"));
        QFile junk(junk_video);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a video at all");
        junk.close();
        const std::vector<std::pair<QString, QString>> refused = {
            {QStringLiteral("no settings line"), QStringLiteral("at=0 seedscape/1 seed=1\n")},
            {QStringLiteral("time off a frame"),
             QStringLiteral("seedscape-flight/1 fps=30\nat=0 seedscape/1 seed=1\n"
                            "at=0.05 seedscape/1 seed=2\n")},
            {QStringLiteral("a bad recipe"),
             QStringLiteral("seedscape-flight/1\nat=0 seedscape/1 seed=0\n")},
            {QStringLiteral("empty"), QString()},
        };
        for (const auto& [name, bad] : refused) {
            QVERIFY2(!to.ReplaceFlightText(bad), qPrintable(name));
            const std::string reason = ParseFlight(bad.toStdString()).error;
            QCOMPARE(to.message(),
                     QStringLiteral("Not a flight: ") + QString::fromStdString(reason));
            QCOMPARE(to.FlightText(), text);
        }
        QVERIFY(!to.OpenFlightFile(junk_video));
        QVERIFY2(to.message().endsWith(
                     QString::fromStdString(ProbeVideo(junk_video.toStdString()).error)),
                 qPrintable(to.message()));
        QVERIFY(!to.OpenFlightFile(folder.filePath(QStringLiteral("missing.flight"))));
        QCOMPARE(to.FlightText(), text);

        // A video the window wrote brings its flight back, its settings too.
        const QString video = folder.filePath(QStringLiteral("short.webm"));
        QVERIFY(from.ReplaceFlightText(QString::fromLatin1(kShortFlight)));
        QVERIFY(from.StartExport(video, 1, 2, 30));
        QTRY_VERIFY_WITH_TIMEOUT(from.export_job() == nullptr, 60000);
        QVERIFY2(QFile::exists(video), qPrintable(from.message()));
        FlightWindow reopened;
        QVERIFY(reopened.OpenFlightFile(video));
        QCOMPARE(reopened.FlightText(),
                 QString::fromLatin1(kShortFlight)
                     .replace(QStringLiteral("supersample=1"), QStringLiteral("supersample=2")));

        // PNG frames go into a folder, every frame carrying the flight.
        const QString frames = folder.filePath(QStringLiteral("frames")) + QLatin1Char('/');
        QVERIFY(from.StartExport(frames, 1, 1, 30));
        QTRY_VERIFY_WITH_TIMEOUT(from.export_job() == nullptr, 60000);
        const FrameFolderCheck check = CheckFrameFolder(frames.toStdString());
        QVERIFY2(check.flight.has_value(), check.error.c_str());
        QCOMPARE(QString::fromStdString(PrintFlight(*check.flight)), from.FlightText());
    }

    // Cancelling, closing the window and quitting during an export leave the
    // folder empty; exports the settings cannot make are refused up front.
    void stoppedExportsLeaveNothing_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("closing the window") << 1;
        QTest::newRow("quitting: the window goes") << 2;
    }
    void stoppedExportsLeaveNothing() {
        QFETCH(int, how);
        QTemporaryDir folder;
        auto window = std::make_unique<FlightWindow>();
        window->show();
        QVERIFY(window->ReplaceFlightText(QString::fromLatin1(kShortFlight)));
        QVERIFY(window->StartExport(folder.filePath(QStringLiteral("big.mp4")), 8, 4, 30));
        QSignalSpy progress(window->export_job(), &FlightExportJob::progressed);
        QVERIFY(progress.wait(20000));
        if (how == 0) {
            QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("CancelFlightExport")),
                              Qt::LeftButton);
            QTRY_VERIFY_WITH_TIMEOUT(window->export_job() == nullptr, 20000);
            QCOMPARE(window->message(), QStringLiteral("Export cancelled; nothing was written"));
        } else if (how == 1) {
            window->close();
            QVERIFY(window->export_job() == nullptr);
        } else {
            window.reset();
        }
        QCOMPARE(Entries(folder.path()), QStringList());
    }

    // While the player plays, an export waits: the player's frames have
    // the render threads first; it goes on once the player stops.
    void playingHoldsTheExport() {
        QTemporaryDir folder;
        FlightWindow window;
        window.show();
        QVERIFY(window.ReplaceFlightText(QString::fromLatin1(kShortFlight)));
        window.SetLoop(true, 1);  // plays until paused
        QVERIFY(window.StartExport(folder.filePath(QStringLiteral("big.webm")), 8, 4, 30));
        QSignalSpy progress(window.export_job(), &FlightExportJob::progressed);
        QVERIFY(progress.wait(20000));
        window.player()->Play();
        QTest::qWait(300);  // the band under way finishes
        const qsizetype held_at = progress.count();
        QTest::qWait(600);
        QCOMPARE(progress.count(), held_at);
        window.player()->Pause();
        QVERIFY(progress.wait(20000));
    }

    void impossibleExportsAreRefused() {
        QTemporaryDir folder;
        FlightWindow window;
        QVERIFY(window.ReplaceFlightText(QString::fromLatin1(kShortFlight)));
        struct Row {
            const char* name;
            const char* file;
            int scale;
            int fps;
            std::string reason;
        };
        Flight at_25 = ReadOrFail(kShortFlight);
        at_25.fps = 25;
        const std::vector<Row> rows = {
            {"a GIF holds at most 50 frames a second", "a.gif", 1, 60,
             VideoFrameRateProblem(VideoFormat::kGif, 60)},
            {"0.3 s is no frame at 25 fps", "a.mp4", 1, 25, CheckFlight(at_25)},
            {"no video by that name", "a.avi", 1, 30, "a.avi: a video's name ends in"},
        };
        for (const Row& row : rows) {
            QVERIFY2(!window.StartExport(folder.filePath(QString::fromLatin1(row.file)), row.scale,
                                         1, row.fps),
                     row.name);
            QVERIFY2(!row.reason.empty(), row.name);
            QVERIFY2(window.message().contains(QString::fromStdString(row.reason)),
                     qPrintable(window.message()));
            QVERIFY(window.export_job() == nullptr);
        }
        QCOMPARE(Entries(folder.path()), QStringList());
        QCOMPARE(window.FlightText(), QString::fromLatin1(kShortFlight));
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::FlightWindowTest)
#include "flight_window_test.moc"
