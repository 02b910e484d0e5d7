// The export dialog as a person meets it again: the choices it was left
// with, the reason a maximum shrank, the export's progress and the folder
// the file dialogs start in.
#include "app/panel/export_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/panel/picture_dialogs.h"
#include "app/panel/window_settings.h"
#include "app/shared/export_timing.h"
#include "window_check.h"

namespace seedscape {
namespace {

std::vector<std::pair<QString, Recipe>> Choices() {
    Recipe mother;
    mother.seed = 4242;
    Recipe child = mother;
    child.presses.push_back({150, 100, 5});
    return {{QStringLiteral("Latest picture"), child},
            {QStringLiteral("Image mother"), mother},
            {QStringLiteral("Child in row 1, column 2"), child}};
}

QSpinBox* Box(const ExportDialog& dialog, int which) {
    return dialog.findChildren<QSpinBox*>().at(which);
}

}  // namespace

class ExportDialogTest : public QObject {
    Q_OBJECT

    check::OwnSettings settings_;

  private slots:
    void init() { settings_.Clear(); }

    // What the dialog is left with comes back in the next one, through the
    // settings file, and the export uses it.
    void choicesComeBackThroughTheSettings_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("supersample");
        QTest::addColumn<QString>("picture");
        QTest::newRow("the defaults") << 8 << 1 << "Latest picture";
        QTest::newRow("largest supersampling at scale 8") << 8 << 8 << "Image mother";
        QTest::newRow("largest scale") << 32 << 2 << "Child in row 1, column 2";
        QTest::newRow("smallest both") << 1 << 1 << "Image mother";
    }
    void choicesComeBackThroughTheSettings() {
        QFETCH(int, scale);
        QFETCH(int, supersample);
        QFETCH(QString, picture);
        {
            ExportDialog first(Choices());
            first.Restore({scale, supersample, picture});
            QSettings settings;
            WriteExportSettings(settings, first.Settings());
        }
        ExportDialog next(Choices());
        next.Restore(ReadExportSettings(QSettings()));
        const ExportSettings read = next.Settings();
        QCOMPARE(read.scale, scale);
        QCOMPARE(read.supersample, supersample);
        QCOMPARE(read.picture, picture);
        const Recipe chosen = next.Chosen();
        QCOMPARE(chosen.scale, scale);
        QCOMPARE(chosen.supersample, supersample);
    }

    // A picture the grid no longer has, or settings that do not go
    // together, leave the dialog as it starts (scale 8, supersampling 1,
    // the latest picture): the stored values are untrusted.
    void unfitChoicesAreIgnored_data() {
        QTest::addColumn<QVariant>("scale");
        QTest::addColumn<QVariant>("supersample");
        QTest::addColumn<QVariant>("picture");
        QTest::addColumn<int>("kept_scale");
        QTest::addColumn<int>("kept_supersample");
        QTest::newRow("a picture no longer offered")
            << QVariant(4) << QVariant(2) << QVariant("Child in row 3, column 3") << 4 << 2;
        QTest::newRow("scale times supersampling above 64")
            << QVariant(16) << QVariant(8) << QVariant("Latest picture") << 8 << 1;
        QTest::newRow("scale above its range")
            << QVariant(33) << QVariant(1) << QVariant() << 8 << 1;
        QTest::newRow("supersampling of 0") << QVariant(8) << QVariant(0) << QVariant() << 8 << 1;
        QTest::newRow("text for a number")
            << QVariant("eight") << QVariant(1) << QVariant() << 8 << 1;
        QTest::newRow("a fraction") << QVariant("2.5") << QVariant(1) << QVariant() << 8 << 1;
        QTest::newRow("a list") << QVariant(QStringList{"4", "4"}) << QVariant(1)
                                << QVariant(QStringList{"x"}) << 8 << 1;
        QTest::newRow("a scale alone") << QVariant(4) << QVariant() << QVariant() << 8 << 1;
    }
    void unfitChoicesAreIgnored() {
        QFETCH(QVariant, scale);
        QFETCH(QVariant, supersample);
        QFETCH(QVariant, picture);
        QFETCH(int, kept_scale);
        QFETCH(int, kept_supersample);
        {
            QSettings settings;
            settings.setValue(QStringLiteral("export/scale"), scale);
            settings.setValue(QStringLiteral("export/supersample"), supersample);
            settings.setValue(QStringLiteral("export/picture"), picture);
        }
        ExportDialog dialog(Choices());
        dialog.Restore(ReadExportSettings(QSettings()));
        QCOMPARE(dialog.Settings().scale, kept_scale);
        QCOMPARE(dialog.Settings().supersample, kept_supersample);
        QCOMPARE(dialog.Settings().picture, QStringLiteral("Latest picture"));
    }

    // The dialog says why a maximum is below its range's, and nothing when
    // neither is.
    void theLimitIsExplained_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("supersample");
        QTest::addColumn<int>("largest_scale");
        QTest::addColumn<int>("largest_supersample");
        QTest::addColumn<QString>("note");
        QTest::newRow("no limit reached") << 8 << 1 << 32 << 8 << "";
        QTest::newRow("scale 16 allows supersampling 4")
            << 16 << 2 << 32 << 4
            << "Supersampling goes up to 4 at scale 16. Scale times supersampling is at most 64.";
        QTest::newRow("supersampling 8 allows scale 8")
            << 8 << 8 << 8 << 8
            << "Scale goes up to 8 with supersampling 8. Scale times supersampling is at most 64.";
        QTest::newRow("both held back")
            << 16 << 4 << 16 << 4
            << "Supersampling goes up to 4 at scale 16. Scale goes up to 16 with supersampling 4. "
               "Scale times supersampling is at most 64.";
    }
    void theLimitIsExplained() {
        QFETCH(int, scale);
        QFETCH(int, supersample);
        QFETCH(int, largest_scale);
        QFETCH(int, largest_supersample);
        QFETCH(QString, note);
        ExportDialog dialog(Choices());
        dialog.Restore({scale, supersample, {}});
        QCOMPARE(Box(dialog, 0)->maximum(), largest_scale);
        QCOMPARE(Box(dialog, 1)->maximum(), largest_supersample);
        auto* limit = dialog.findChild<QLabel*>(QStringLiteral("ExportLimit"));
        QVERIFY(limit != nullptr);
        QCOMPARE(limit->text(), note);
        QCOMPARE(limit->isVisibleTo(&dialog), !note.isEmpty());
    }

    void progressAndDurationsRead_data() {
        QTest::addColumn<double>("done");
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<QString>("text");
        QTest::newRow("the start") << 0.0 << 0.0 << "0%";
        QTest::newRow("too soon to foretell") << 0.5 << 0.5 << "50%";
        QTest::newRow("too little done to foretell") << 0.01 << 30.0 << "1%";
        QTest::newRow("a quarter in 3 s") << 0.25 << 3.0 << "25%, about 9.0 s left";
        QTest::newRow("a tenth in 20 s") << 0.1 << 20.0 << "10%, about 3 min 0 s left";
        QTest::newRow("2% in an hour") << 0.02 << 3600.0 << "2%, about 49 h 0 min left";
        QTest::newRow("done") << 1.0 << 12.0 << "100%";
        QTest::newRow("nearly done, rounded down") << 0.999 << 10.0 << "99%, about 0.0 s left";
    }
    void progressAndDurationsRead() {
        QFETCH(double, done);
        QFETCH(double, elapsed);
        QFETCH(QString, text);
        QCOMPARE(ProgressText(done, elapsed), text);
    }

    void durationsRead_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("under a second") << 0.44 << "0.4 s";
        QTest::newRow("nine and a half seconds") << 9.5 << "9.5 s";
        QTest::newRow("a minute less a little") << 59.4 << "59 s";
        QTest::newRow("rounding up to a minute") << 59.6 << "1 min 0 s";
        QTest::newRow("over an hour") << 3725.0 << "1 h 2 min";
        QTest::newRow("nothing to measure") << qQNaN() << "0.0 s";
    }
    void durationsRead() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(DurationText(seconds), text);
    }

    // The Open dialog starts in the last folder used, with nothing typed in
    // the name box; a folder that has gone leaves the pictures folder.
    void theOpenDialogStartsInTheLastFolder() {
        QTemporaryDir pictures;
        const QString file = QDir(pictures.path()).filePath(QStringLiteral("kept.png"));
        {
            QSettings settings;
            WriteLastFolder(settings, file);
        }
        QCOMPARE(ReadLastFolder(QSettings()), QDir(pictures.path()).absolutePath());
        const std::unique_ptr<QFileDialog> dialog = MakeOpenDialog(nullptr);
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE(dialog->directory().absolutePath(), QDir(pictures.path()).absolutePath());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        QCOMPARE(name->text(), QString());

        QSettings().setValue(QStringLiteral("files/lastFolder"), QStringLiteral("/no/such/folder"));
        QCOMPARE(ReadLastFolder(QSettings()), QString());
        QSettings().setValue(QStringLiteral("files/lastFolder"), QStringLiteral("relative/folder"));
        QCOMPARE(ReadLastFolder(QSettings()), QString());
        QSettings().setValue(QStringLiteral("files/lastFolder"), file);  // a file, not a folder
        QCOMPARE(ReadLastFolder(QSettings()), QString());
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::ExportDialogTest)
#include "export_dialog_test.moc"
