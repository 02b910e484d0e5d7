// The atlas and variations windows as desktop tool windows: Escape and
// Ctrl+W close them, and they open beside the main window, wholly on
// screen.
#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

#include "app/atlas/atlas_window.h"
#include "app/atlas/thumbnail_grid.h"
#include "app/grid/form1.h"
#include "app/shared/tool_window.h"
#include "app/variations/variations_window.h"
#include "window_check.h"

namespace seedscape {
namespace {

// A main window whose favourites live in a folder of the test's own.
struct MainWindow : check::MainWindow {
    MainWindow() { static_cast<void>(QTest::qWaitForWindowExposed(form.get())); }

    // Opens a tool window through the panel's button, as a person does.
    QWidget* Open(const QString& which) {
        auto* button = form->findChild<QToolButton*>(which + QStringLiteral("Button"));
        if (button == nullptr) return nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        QWidget* window = which == QStringLiteral("Atlas")
                              ? static_cast<QWidget*>(form->findChild<AtlasWindow*>())
                              : form->findChild<VariationsWindow*>();
        if (window == nullptr) return nullptr;
        window->activateWindow();
        QApplication::setActiveWindow(window);
        return QTest::qWaitForWindowActive(window) ? window : nullptr;
    }
};

}  // namespace

class ToolWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void keysCloseTheToolWindows_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        for (const char* window : {"Atlas", "Variations"}) {
            QTest::addRow("%s, Escape", window) << window << int(Qt::Key_Escape) << 0;
            QTest::addRow("%s, Ctrl+W", window)
                << window << int(Qt::Key_W) << int(Qt::ControlModifier);
        }
    }
    void keysCloseTheToolWindows() {
        QFETCH(QString, window);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        MainWindow main;
        QPointer<QWidget> tool = main.Open(window);
        QVERIFY(tool != nullptr);
        QVERIFY(tool->isVisible());
        QTest::keyClick(tool.data(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(tool.isNull() || !tool->isVisible());
        // The main window stays, and W alone closes nothing.
        QVERIFY(main.form->isVisible());
        QPointer<QWidget> again = main.Open(window);
        QVERIFY(again != nullptr);
        QTest::keyClick(again.data(), Qt::Key_W);
        QVERIFY(!again.isNull() && again->isVisible());
    }

    // Both windows open wholly on the screen, beside the main window when
    // there is room for them.
    void toolWindowsOpenOnScreen_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("atlas") << "Atlas";
        QTest::newRow("variations") << "Variations";
    }
    void toolWindowsOpenOnScreen() {
        QFETCH(QString, window);
        MainWindow main;
        const QRect screen = main.form->screen()->availableGeometry();
        main.form->move(screen.topLeft());
        QWidget* tool = main.Open(window);
        QVERIFY(tool != nullptr);
        QVERIFY2(screen.contains(tool->frameGeometry()),
                 qPrintable(QStringLiteral("%1 x %2 at %3, %4 is off the screen")
                                .arg(tool->frameGeometry().width())
                                .arg(tool->frameGeometry().height())
                                .arg(tool->frameGeometry().x())
                                .arg(tool->frameGeometry().y())));
        QCOMPARE(tool->pos(),
                 PlaceBeside(main.form->frameGeometry(), tool->frameGeometry().size(), screen));
    }

    // What the pointer rests on is described only while it rests there:
    // leaving the picture, leaving the window or hiding it clears the text.
    void hoverTextGoesWithThePointer() {
        MainWindow main;
        auto* atlas = static_cast<AtlasWindow*>(main.Open(QStringLiteral("Atlas")));
        QVERIFY(atlas != nullptr);
        atlas->SetFirstSeed(500);
        atlas->ShowSource(AtlasWindow::SourceKind::kFromSeed);
        QTRY_VERIFY(!atlas->pictures().empty());
        auto* status = atlas->findChild<QLabel*>(QStringLiteral("AtlasStatus"));
        const auto hover_first = [atlas] {
            const QPoint at = atlas->grid()->CellRect(0).center();
            QMouseEvent move(QEvent::MouseMove, at, atlas->grid()->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(atlas->grid(), &move);
        };
        hover_first();
        QCOMPARE(status->text(), atlas->Describe(0));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(atlas->grid(), &leave);
        QVERIFY(status->text() != atlas->Describe(0));
        hover_first();
        atlas->hide();
        atlas->show();
        QVERIFY(status->text() != atlas->Describe(0));

        auto* variations = static_cast<VariationsWindow*>(main.Open(QStringLiteral("Variations")));
        QVERIFY(variations != nullptr);
        auto* line = variations->findChild<QLabel*>(QStringLiteral("BreedRecipe"));
        auto* tile = variations->findChild<QWidget*>(QStringLiteral("Variant2"));
        const QString variant = QString::fromStdString(PrintRecipe(variations->variants()[2]));
        const QString centre =
            QString::fromStdString(PrintRecipe(*variations->RecipeAt(VariationsWindow::kCentre)));
        const std::function<void(QWidget*)> leaves[] = {[](QWidget* left) {
                                                            QEvent event(QEvent::Leave);
                                                            QApplication::sendEvent(left, &event);
                                                        },
                                                        [](QWidget* hidden) {
                                                            hidden->hide();
                                                            hidden->show();
                                                        }};
        for (const auto& leave_by : leaves) {
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QApplication::sendEvent(tile, &enter);
            QVERIFY(line->text().contains(variant));
            leave_by(variations);
            QVERIFY2(line->text().contains(centre), qPrintable(line->text()));
        }
    }

    // Where a tool window goes: a table of screens and main windows.
    void placesBesideOrOver_data() {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("place");
        const QRect screen(0, 0, 1920, 1080);
        QTest::newRow("room on the right: beside it, 8 pixels off")
            << QRect(100, 50, 600, 400) << QSize(500, 400) << screen << QPoint(708, 50);
        QTest::newRow("no room on the right: over it")
            << QRect(1300, 50, 600, 400) << QSize(500, 400) << screen << QPoint(1300, 50);
        QTest::newRow("over it but too low: moved up onto the screen")
            << QRect(1300, 900, 600, 400) << QSize(500, 400) << screen << QPoint(1300, 680);
        QTest::newRow("main window partly off the left: pulled in")
            << QRect(-400, -30, 600, 400) << QSize(1800, 300) << screen << QPoint(0, 0);
        QTest::newRow("larger than the screen: its top left corner shows")
            << QRect(100, 100, 600, 400) << QSize(2500, 1200) << screen << QPoint(0, 0);
        QTest::newRow("a second screen under a top bar: over it, moved in")
            << QRect(2600, 20, 600, 400) << QSize(800, 500) << QRect(1920, 40, 1280, 1024)
            << QPoint(2400, 40);
        QTest::newRow("exactly fills the room on the right")
            << QRect(0, 0, 1000, 400) << QSize(912, 400) << screen << QPoint(1008, 0);
        QTest::newRow("one pixel too wide for the right")
            << QRect(0, 0, 1000, 400) << QSize(913, 400) << screen << QPoint(0, 0);
    }
    void placesBesideOrOver() {
        QFETCH(QRect, main);
        QFETCH(QSize, size);
        QFETCH(QRect, screen);
        QFETCH(QPoint, place);
        QCOMPARE(PlaceBeside(main, size, screen), place);
        if (size.width() <= screen.width() && size.height() <= screen.height()) {
            QVERIFY(screen.contains(QRect(place, size)));
        }
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::ToolWindowsTest)
#include "tool_windows_test.moc"
