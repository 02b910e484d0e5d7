// The main window on its screen, as a desktop user meets it: it never
// outgrows the screen, zoom stops where the screen ends, full screen uses
// the room it has, and the keys work from the seed box as from the grid.
// This test's screen has room for 2x but not for 3x.
#include "app/panel/window_fit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/grid/form1.h"
#include "app/panel/seed_box_keys.h"
#include "app/panel/side_panel.h"
#include "window_check.h"

namespace seedscape {
namespace {

class Session {
  public:
    Session() : form(nullptr, directory.filePath(QStringLiteral("favourites.txt"))) {
        form.Form_Load(check::kClock);
        form.activateWindow();
        active = QTest::qWaitForWindowActive(&form);
    }

    QTemporaryDir directory;
    Form1 form;
    bool active = false;
};

QSize AvailableRoom(const Form1& form) {
    return form.screen()->availableGeometry().size();
}

// Whether the window shows the canvas from its top left corner at `zoom`,
// each canvas pixel a zoom x zoom block: sampled over the image mother
// below the button row.
bool GridAtTopLeft(Form1& form, int zoom) {
    const QImage shown = form.grab().toImage();
    const QImage& canvas = form.canvas().image();
    for (int y = 30; y < kImageHeight; y += 7) {
        for (int x = 0; x < kImageWidth; x += 5) {
            const QRgb want = canvas.pixel(x, y);
            if (shown.pixel(x * zoom, y * zoom) != want ||
                shown.pixel(x * zoom + zoom - 1, y * zoom + zoom - 1) != want) {
                return false;
            }
        }
    }
    return true;
}

QLineEdit* SeedBox(const Form1& form) {
    return form.findChild<QLineEdit*>(QStringLiteral("SeedBox"));
}

}  // namespace

class WindowFitTest : public QObject {
    Q_OBJECT

  private slots:
    void zoomAndSizeFitTheRoom_data() {
        QTest::addColumn<QSize>("room");
        QTest::addColumn<bool>("panel");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QSize>("window");
        const auto row = [](const char* name, QSize room, bool panel, int zoom, QSize window) {
            QTest::newRow(name) << room << panel << zoom << window;
        };
        row("1600 x 1000 with the panel: 1x, the whole panel", {1600, 1000}, true, 1, {1139, 830});
        row("1600 x 1000 without the panel: 2x is too wide", {1600, 1000}, false, 1, {933, 651});
        row("1366 x 768 with the panel: 1x, the panel cut to the screen", {1366, 768}, true, 1, {1139, 768});
        row("1366 x 738, less a title bar: the panel scrolls", {1366, 738}, true, 1, {1139, 738});
        row("1920 x 1080 without the panel: 2x is too tall", {1920, 1080}, false, 1, {933, 651});
        row("2200 x 1400 with the panel: 2x", {2200, 1400}, true, 2, {2030, 1302});
        row("2560 x 1440 with the panel: 3x is too wide", {2560, 1440}, true, 2, {2030, 1302});
        row("3840 x 2160 with the panel: 3x", {3840, 2160}, true, 3, {2921, 1953});
        row("800 x 600: 1x, the window cut to the screen", {800, 600}, true, 1, {800, 600});
    }
    void zoomAndSizeFitTheRoom() {
        QFETCH(QSize, room);
        QFETCH(bool, panel);
        QFETCH(int, zoom);
        QFETCH(QSize, window);
        QCOMPARE(LargestZoomThatFits(room, panel), zoom);
        QCOMPARE(FittedWindowSize(zoom, panel, room), window);
        // At no zoom is the window larger than the room.
        for (int any = 1; any <= kLargestZoom; ++any) {
            const QSize fitted = FittedWindowSize(any, panel, room);
            QVERIFY2(fitted.width() <= room.width() && fitted.height() <= room.height(),
                     qPrintable(QStringLiteral("at %1x").arg(any)));
        }
    }

    // Zoom in goes as far as the screen allows, says why it stops, and the
    // grid keeps the window's top left corner at every step.
    void zoomStopsWhereTheScreenEnds() {
        Session session;
        Form1& form = session.form;
        QVERIFY(session.active);
        QCOMPARE(AvailableRoom(form), QSize(2200, 1400));
        QCOMPARE(form.size(), QSize(1139, 830));
        QVERIFY(GridAtTopLeft(form, 1));

        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(form.zoom(), 2);
        QCOMPARE(form.size(), QSize(2030, 1302));
        QVERIFY(GridAtTopLeft(form, 2));
        QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("Command5"))->geometry(),
                 QRect(112, 16, 82, 34));

        QTest::keyClick(&form, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(form.zoom(), 2);
        QCOMPARE(form.size(), QSize(2030, 1302));
        // The room is the screen's less the window's frame.
        const QSize room = AvailableRoom(form) - (form.frameGeometry().size() - form.size());
        QCOMPARE(form.panel()->message(),
                 QStringLiteral("Zoom 3x does not fit on this screen: the window would be "
                                "2921 x 1953, and the screen has room for %1 x %2")
                     .arg(room.width())
                     .arg(room.height()));

        // Asked directly, with the panel shown or hidden, the window still
        // never outgrows the screen.
        for (const bool panel : {true, false}) {
            form.SetPanelVisible(panel);
            for (int zoom = 1; zoom <= kLargestZoom; ++zoom) {
                form.SetZoom(zoom);
                const QString at = QStringLiteral("%1x, panel %2").arg(zoom).arg(panel);
                QVERIFY2(form.zoom() == std::min(zoom, 2), qPrintable(at));
                QVERIFY2(form.screen()->availableGeometry().contains(form.frameGeometry()),
                         qPrintable(at));
                QVERIFY2(GridAtTopLeft(form, form.zoom()), qPrintable(at));
            }
        }
    }

    // Full screen shows the grid as large as the whole screen allows;
    // Escape, like F11 again, goes back to the window and its zoom.
    void fullScreenUsesTheScreenAndEscapeLeavesIt() {
        Session session;
        Form1& form = session.form;
        QVERIFY(session.active);
        QTest::keyClick(&form, Qt::Key_F11);
        QVERIFY(form.isFullScreen());
        QCOMPARE(form.zoom(), 2);
        QVERIFY(GridAtTopLeft(form, 2));
        QCOMPARE(form.panel()->mapTo(&form, QPoint(0, 0)).x(), 2 * kCanvasWidth + 9);

        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isFullScreen());
        QCOMPARE(form.zoom(), 1);
        QCOMPARE(form.size(), QSize(1139, 830));

        QTest::keyClick(&form, Qt::Key_F11);
        QTest::keyClick(&form, Qt::Key_F11);
        QVERIFY(!form.isFullScreen());
        QCOMPARE(form.zoom(), 1);
        // Escape on the grid in a window does nothing.
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isFullScreen());
        QCOMPARE(form.zoom(), 1);
    }

    // In the seed box the box keeps what it types and edits with, and
    // Ctrl+C and Ctrl+V; the window's other keys work there as on the grid,
    // and Escape hands the focus back to the grid.
    void theWindowsKeysWorkFromTheSeedBox() {
        Session session;
        Form1& form = session.form;
        QVERIFY(session.active);
        QTest::keyClick(&form, Qt::Key_G, Qt::ControlModifier);
        QLineEdit* box = SeedBox(form);
        QVERIFY(box->hasFocus());
        const double seed = form.state().seed;
        const QImage grid = form.canvas().image();

        // Typed keys that are also the grid's ("n", "+", "-") go into the box.
        QTest::keyClicks(box, QStringLiteral("n+-"));
        QCOMPARE(box->text(), QStringLiteral("n+-"));
        QCOMPARE(form.state().seed, seed);
        QCOMPARE(form.state().f, 5.0);

        // Copy and paste act on the box's text, not on recipes.
        box->setText(QStringLiteral("4242"));
        box->selectAll();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4242"));
        QGuiApplication::clipboard()->setText(QStringLiteral("seedscape/1 seed=77"));
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("4242seedscape/1 seed=77"));
        QCOMPARE(form.canvas().image(), grid);

        // Ctrl+D adds the favourite (a line edit would delete a character).
        QTest::keyClick(box, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(form.favourites().favourites().size(), std::size_t{1});
        QCOMPARE(box->text(), QStringLiteral("4242seedscape/1 seed=77"));

        // Ctrl+E opens the export (a line edit would move to the end).
        auto* export_action = form.findChild<QAction*>(QStringLiteral("Export"));
        QSignalSpy exported(export_action, &QAction::triggered);
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget()) dialog->close();
        });
        box->setCursorPosition(0);
        QTest::keyClick(box, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(exported.count(), 1);
        QCOMPARE(box->cursorPosition(), 0);

        // The dialog took the focus; back in the box.
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(form.hasFocus());
        QTest::keyClick(&form, Qt::Key_N);
        QVERIFY(form.state().seed != seed);
    }

    // Which keys the seed box hands to the window. On a desktop whose text
    // fields know Ctrl+E and Ctrl+D, the box would keep those otherwise.
    void theSeedBoxHandsOnlyTheWindowsKeysOn_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("window");
        const auto row = [](const char* name, int key, int modifiers, const char* text,
                            bool window) {
            QTest::newRow(name) << key << modifiers << QString::fromLatin1(text) << window;
        };
        const int ctrl = Qt::ControlModifier;
        row("Ctrl+E exports", Qt::Key_E, ctrl, "\x05", true);
        row("Ctrl+D adds a favourite", Qt::Key_D, ctrl, "\x04", true);
        row("Ctrl+G goes to the box", Qt::Key_G, ctrl, "\x07", true);
        row("F9 hides the panel", Qt::Key_F9, Qt::NoModifier, "", true);
        row("Alt+Left goes back", Qt::Key_Left, Qt::AltModifier, "", true);
        row("Ctrl+C copies the box's text", Qt::Key_C, ctrl, "\x03", false);
        row("Ctrl+V pastes into the box", Qt::Key_V, ctrl, "\x16", false);
        row("n is typed", Qt::Key_N, Qt::NoModifier, "n", false);
        row("+ is typed", Qt::Key_Plus, Qt::NoModifier, "+", false);
        row("- is typed", Qt::Key_Minus, Qt::NoModifier, "-", false);
        row("Home moves in the box", Qt::Key_Home, Qt::NoModifier, "", false);
        row("Backspace edits the box", Qt::Key_Backspace, Qt::NoModifier, "\b", false);
    }
    void theSeedBoxHandsOnlyTheWindowsKeysOn() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, window);
        Form1 form;
        const QKeyEvent pressed(QEvent::ShortcutOverride, key, Qt::KeyboardModifiers(modifiers),
                                text);
        QCOMPARE(IsWindowKeyInSeedBox(pressed, form.actions()), window);
    }

    // A small button right of the grid lists every action with its key, and
    // stays in sight when the panel is hidden; the grid keeps every pixel.
    void theMenuButtonListsEveryActionAndStaysInSight() {
        Session session;
        Form1& form = session.form;
        auto* button = form.findChild<QToolButton*>(QStringLiteral("ActionsMenuButton"));
        QVERIFY(button != nullptr);
        const QList<QAction*> listed = button->menu()->actions();
        for (QAction* action : form.actions()) {
            QVERIFY2(listed.contains(action), qPrintable(action->objectName()));
            QVERIFY2(!action->shortcut().isEmpty() && action->isShortcutVisibleInContextMenu(),
                     qPrintable(action->objectName()));
        }
        // So do the five buttons' tips; "exit" has no key.
        const QList<QPair<const char*, const char*>> tips = {
            {"Command5", "new (N)"},
            {"Command1", "+ (+)"},
            {"Command11", "-- (-)"},
            {"Command19", "help (F1)"},
            {"Command2", "exit: quits seedscape"},
        };
        for (const auto& [name, tip] : tips) {
            QCOMPARE(form.findChild<QPushButton*>(QString::fromLatin1(name))->toolTip(),
                     QString::fromLatin1(tip));
        }
        // Level with "exit", right of the canvas: no press on the grid is taken.
        const QRect exit = form.findChild<QPushButton*>(QStringLiteral("Command2"))->geometry();
        QVERIFY(button->geometry().left() >= kCanvasWidth);
        QCOMPARE(button->geometry().top(), exit.top());

        const QImage grid = form.grab().toImage().copy(0, 30, kCanvasWidth, kCanvasHeight - 30);
        QTest::keyClick(&form, Qt::Key_F9);
        QVERIFY(!form.panel()->isVisible());
        QVERIFY(button->isVisible());
        QVERIFY(form.rect().contains(button->geometry()));
        QCOMPARE(form.grab().toImage().copy(0, 30, kCanvasWidth, kCanvasHeight - 30), grid);
        // The way back for a mouse: the menu's "Show panel".
        form.findChild<QAction*>(QStringLiteral("ShowPanel"))->trigger();
        QVERIFY(form.panel()->isVisible());
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::WindowFitTest)
#include "window_fit_test.moc"
