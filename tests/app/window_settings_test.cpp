// The main window as it was left: its place, zoom and panel come back in the
// next session through the settings file, and stored values that do not fit
// today's screens, or are not values at all, are passed over.
#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <memory>

#include "app/grid/form1.h"
#include "app/grid/remembered_window.h"
#include "app/panel/side_panel.h"
#include "window_check.h"

namespace seedscape {
namespace {

struct Session {
    QTemporaryDir folder;
    std::unique_ptr<Form1> form;

    Session() : form(std::make_unique<Form1>(nullptr, folder.filePath("favourites.txt"))) {
        form->Form_Load(check::kClock);
        static_cast<void>(QTest::qWaitForWindowExposed(form.get()));
    }
    bool PanelShown() const { return form->panel()->isVisibleTo(form.get()); }
};

QRect Screen() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

}  // namespace

class WindowSettingsTest : public QObject {
    Q_OBJECT

    check::OwnSettings settings_;

  private slots:
    void init() { settings_.Clear(); }

    // A window left somewhere comes back there, with its zoom and panel.
    void theWindowComesBackAsItWasLeft_data() {
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("panel");
        QTest::newRow("top left, panel shown") << QPoint(0, 0) << 1 << true;
        QTest::newRow("moved in, panel hidden") << QPoint(37, 21) << 1 << false;
        QTest::newRow("zoom 2 without the panel") << QPoint(5, 5) << 2 << false;
        QTest::newRow("zoom 2 with the panel, moved in") << QPoint(100, 60) << 2 << true;
    }
    void theWindowComesBackAsItWasLeft() {
        QFETCH(QPoint, offset);
        QFETCH(int, zoom);
        QFETCH(bool, panel);
        const QPoint place = Screen().topLeft() + offset;
        {
            Session first;
            first.form->SetPanelVisible(panel);
            first.form->SetZoom(zoom);
            first.form->move(place);
            QSettings settings;
            RememberWindow(*first.form, settings);
        }
        Session next;
        RestoreWindow(*next.form, QSettings());
        QCOMPARE(next.form->zoom(), zoom);
        QCOMPARE(next.PanelShown(), panel);
        QCOMPARE(next.form->frameGeometry().topLeft(), place);
        // The size follows the zoom: it is not kept of its own.
        Session fresh;
        fresh.form->SetPanelVisible(panel);
        fresh.form->SetZoom(zoom);
        QCOMPARE(next.form->size(), fresh.form->size());
    }

    // Stored values that cannot be used leave the window as it starts:
    // zoom 1, the panel shown, wherever the window would open.
    void unusableValuesArePassedOver_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        const QPoint far = Screen().bottomRight() + QPoint(5000, 5000);
        QTest::newRow("a place off every screen") << "window/position" << QVariant(far);
        QTest::newRow("a place above the screen")
            << "window/position" << QVariant(Screen().topLeft() - QPoint(0, 300));
        QTest::newRow("a place half off the right edge")
            << "window/position" << QVariant(QPoint(Screen().right() - 50, Screen().top()));
        QTest::newRow("a place as text") << "window/position" << QVariant("10,10");
        QTest::newRow("zoom 0") << "window/zoom" << QVariant(0);
        QTest::newRow("zoom 4") << "window/zoom" << QVariant(4);
        QTest::newRow("zoom -2147483648") << "window/zoom" << QVariant(INT_MIN);
        QTest::newRow("zoom as a fraction") << "window/zoom" << QVariant("2.5");
        QTest::newRow("zoom as a word") << "window/zoom" << QVariant("large");
        QTest::newRow("zoom that does not fit the screen") << "window/zoom" << QVariant(3);
        QTest::newRow("panel as a word") << "window/panelShown" << QVariant("maybe");
        QTest::newRow("panel as a number") << "window/panelShown" << QVariant(0);
    }
    void unusableValuesArePassedOver() {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        {
            QSettings settings;
            settings.setValue(key, value);
        }
        Session session;
        const QPoint before = session.form->frameGeometry().topLeft();
        RestoreWindow(*session.form, QSettings());
        QCOMPARE(session.form->zoom(), 1);
        QVERIFY(session.PanelShown());
        QCOMPARE(session.form->frameGeometry().topLeft(), before);
    }
};

}  // namespace seedscape

// One screen of 2560 x 1440, whatever the platform's default: large enough
// for the window at zoom 2, too small for zoom 3.
int main(int argc, char** argv) {
    QTemporaryDir folder;
    const QString screens = folder.filePath(QStringLiteral("screens.json"));
    QFile file(screens);
    if (!file.open(QIODevice::WriteOnly)) return 1;
    file.write(R"({"screens": [{"name": "wide", "x": 0, "y": 0, "width": 2560, "height": 1440,
                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.toLocal8Bit());
    QApplication app(argc, argv);
    seedscape::WindowSettingsTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "window_settings_test.moc"
