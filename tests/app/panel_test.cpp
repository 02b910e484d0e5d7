// The panel beside the grid, as a person uses it: saving, exporting, copying,
// pasting and opening pictures; the seed box; back and forward; favourites;
// keys and zoom. Pictures are checked against the engine's renders.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <vector>

#include "app/grid/export_choices.h"
#include "app/grid/form1.h"
#include "app/panel/export_job.h"
#include "app/panel/favourites_list.h"
#include "app/panel/favourites_status.h"
#include "app/panel/favourites_store.h"
#include "app/panel/side_panel.h"
#include "app/panel/window_fit.h"
#include "app/shared/thumbnail.h"
#include "atlas/atlas_sources.h"
#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "recipe/draw_recipe.h"
#include "recipe/favourites_text.h"
#include "render/fast/fast_render.h"
#include "render/render_image.h"
#include "window_check.h"

namespace seedscape {
namespace {

using check::Place;
using check::WithoutTexts;

// A picture as the engine alone draws it: the pictures before it included.
PixelImage EnginePicture(const std::string& recipe_text) {
    return RenderRecipePicture(ParseRecipe(recipe_text).recipe.value(), RenderImage);
}

PixelImage CleanPlace(const Form1& form, int number) {
    return WithoutTexts(Place(form, number), 50);
}

void Trigger(Form1& form, const char* action) {
    auto* found = form.findChild<QAction*>(QString::fromLatin1(action));
    QVERIFY2(found != nullptr, action);
    found->trigger();
}

QString Message(const Form1& form) {
    return form.panel()->message();
}

// The grid's pixels, the window's whole canvas.
QImage Grid(const Form1& form) {
    return form.canvas().image();
}

class Session {
  public:
    Session() : form(nullptr, directory.filePath(QStringLiteral("favourites.txt"))) {
        form.Form_Load(check::kClock);
        // Keys reach the active window only.
        form.activateWindow();
        active = QTest::qWaitForWindowActive(&form);
    }
    QString Path(const char* name) const { return directory.filePath(QString::fromLatin1(name)); }
    QStringList Files() const {
        return QDir(directory.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir directory;
    Form1 form;
    bool active = false;
};

}  // namespace

class PanelTest : public QObject {
    Q_OBJECT

  private slots:
    // Copying gives the recipe of the latest picture; pasting it into another
    // window redraws the mother and every child exactly.
    void copyAndPasteRedrawTheGrid() {
        Session first;
        first.form.GoToSeed(QStringLiteral("449139"));
        check::PressAt(first.form, 150, 100);
        check::ClickButton(first.form, "Command1");
        check::ClickButton(first.form, "Command1");
        check::PressAt(first.form, 60, 150);
        Trigger(first.form, "CopyRecipe");
        const QString text = QGuiApplication::clipboard()->text();
        QCOMPARE(text, QStringLiteral("seedscape/1 seed=449139 press=150,100@5 press=60,150@7"));

        Session second;
        Trigger(second.form, "PasteRecipe");
        QCOMPARE(Grid(second.form), Grid(first.form));
        QVERIFY_SAME(Place(second.form, 2), EnginePicture(text.toStdString()));
        QCOMPARE(second.form.state().f, 7.0);

        // Ctrl+Shift+C: the picture itself, clean, with its recipe as the text.
        Trigger(first.form, "CopyPicture");
        const QImage copied = QGuiApplication::clipboard()->image();
        QVERIFY(!copied.isNull());
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 ToQImage(EnginePicture(text.toStdString())).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
    }

    // A pasted recipe's grading grades its mother and every child pressed
    // on it after, is copied with the recipe, and comes back with the
    // picture from the history.
    void aGradedRecipeGradesTheGridItDraws() {
        Session session;
        const std::string graded =
            "seedscape/1 seed=449139 barva=7 hue=30 saturation=1.5 gamma=1.3";
        QVERIFY(session.form.ShowRecipeText(QString::fromStdString(graded)));
        QVERIFY_SAME(CleanPlace(session.form, 0), WithoutTexts(EnginePicture(graded), 50));
        check::PressAt(session.form, 150, 100);
        Trigger(session.form, "CopyRecipe");
        const QString text = QGuiApplication::clipboard()->text();
        QCOMPARE(text, QString::fromStdString(graded + " press=150,100@5"));
        const PixelImage child = EnginePicture(text.toStdString());
        QVERIFY_SAME(Place(session.form, 1), child);

        session.form.GoToSeed(QStringLiteral("5"));
        session.form.GoBack();
        QVERIFY_SAME(Place(session.form, 1), child);
        QVERIFY_SAME(CleanPlace(session.form, 0), WithoutTexts(EnginePicture(graded), 50));
    }

    void pastingSomethingElseSaysWhyAndChangesNothing() {
        Session session;
        const QImage before = Grid(session.form);
        const double seed = session.form.state().seed;
        for (const char* text : {"hello", "seedscape/2 seed=5", "seedscape/1 seed=5 barva=99",
                                 "seedscape/1 seed=5 <h1>BIG</h1>"}) {
            QGuiApplication::clipboard()->setText(QString::fromLatin1(text));
            Trigger(session.form, "PasteRecipe");
            QVERIFY2(Message(session.form).startsWith(QStringLiteral("Not a recipe: ")), text);
            QCOMPARE(Grid(session.form), before);
            QCOMPARE(session.form.state().seed, seed);
        }
        // Markup in what was pasted is shown as the characters it is: no label
        // of the window, the panel and its tool windows reads its text as rich
        // text.
        QVERIFY(Message(session.form).contains(QStringLiteral("<h1>BIG</h1>")));
        Trigger(session.form, "Variations");
        Trigger(session.form, "Atlas");
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->text()));
            }
        }
    }

    // News ("Copied the recipe") clears itself after a few seconds; why
    // something was refused stays until the next message.
    void newsClearsItselfAndAProblemStays() {
        Session session;
        Trigger(session.form, "CopyRecipe");
        QCOMPARE(Message(session.form), QStringLiteral("Copied the recipe"));
        QTRY_VERIFY_WITH_TIMEOUT(Message(session.form).isEmpty(), 10000);
        QGuiApplication::clipboard()->setText(QStringLiteral("hello"));
        Trigger(session.form, "PasteRecipe");
        const QString refusal = Message(session.form);
        QVERIFY(refusal.startsWith(QStringLiteral("Not a recipe")));
        QTest::qWait(7000);
        QCOMPARE(Message(session.form), refusal);
    }

    // A saved picture carries its recipe; opened in another session it gives
    // the same grid.
    void savedImagesOpenAsTheSameGrid() {
        Session first;
        check::PressAt(first.form, 200, 50);
        const QString path = first.Path("picture.png");
        QVERIFY(first.form.SaveImageTo(path));
        QCOMPARE(Message(first.form), QStringLiteral("Saved picture.png"));
        const PngRecipeReading recipe = ReadPngRecipe(path.toStdString());
        QVERIFY(recipe.recipe.has_value());
        QCOMPARE(*recipe.recipe, PrintRecipe(first.form.pictures().Latest()));
        // The file is the clean picture: no indicator or credit over it.
        const PngPixelsReading pixels = ReadPngPixels(path.toStdString());
        QVERIFY(pixels.image && *pixels.image == ToRgb(EnginePicture(*recipe.recipe)));

        Session second;
        QVERIFY(second.form.OpenImageFile(path));
        QCOMPARE(Grid(second.form), Grid(first.form));
    }

    void failedSavesAndOpensAreToldAndLeaveNothing() {
        Session session;
        QVERIFY(!session.form.SaveImageTo(session.Path("no such folder/picture.png")));
        QVERIFY(Message(session.form).startsWith(QStringLiteral("Could not save picture.png: ")));
        QVERIFY(session.Files().isEmpty());

        const QImage before = Grid(session.form);
        QFile text(session.Path("not.png"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("hello") == 5);
        text.close();
        QVERIFY(!session.form.OpenImageFile(session.Path("not.png")));
        QVERIFY(Message(session.form).contains(QStringLiteral("not a PNG")));
        QVERIFY(!session.form.OpenImageFile(session.Path("missing.png")));
        QCOMPARE(Grid(session.form), before);
    }

    // An export runs beside the window and writes the picture at its scale,
    // with the export settings in its recipe.
    void exportsRunInTheBackground() {
        Session session;
        check::PressAt(session.form, 100, 100);
        Recipe recipe = session.form.pictures().Latest();
        recipe.scale = 2;
        const QString path = session.Path("large.png");
        session.form.StartExport(recipe, path);
        QVERIFY(session.form.export_job() != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(session.form.export_job() == nullptr, 60000);
        // The message says how long the export took.
        const QRegularExpression done(QStringLiteral("^Exported large\\.png in \\d+\\.\\d s$"));
        QVERIFY2(done.match(Message(session.form)).hasMatch(), qPrintable(Message(session.form)));
        const PngPixelsReading pixels = ReadPngPixels(path.toStdString());
        QVERIFY(pixels.image.has_value());
        QCOMPARE(pixels.image->width, 582);
        QCOMPARE(ReadPngRecipe(path.toStdString()).recipe.value(), PrintRecipe(recipe));
    }

    void cancelledAndFailedExportsLeaveNothing() {
        Session session;
        Recipe recipe = session.form.pictures().Latest();
        recipe.scale = 16;
        session.form.StartExport(recipe, session.Path("huge.png"));
        session.form.export_job()->Cancel();
        QTRY_VERIFY_WITH_TIMEOUT(session.form.export_job() == nullptr, 60000);
        QCOMPARE(Message(session.form), QStringLiteral("Export cancelled; nothing was written"));
        QVERIFY(session.Files().isEmpty());

        recipe.scale = 1;
        session.form.StartExport(recipe, session.Path("gone/huge.png"));
        QTRY_VERIFY_WITH_TIMEOUT(session.form.export_job() == nullptr, 60000);
        QVERIFY(Message(session.form).startsWith(QStringLiteral("Could not export huge.png")));
        QVERIFY(session.Files().isEmpty());
    }

    // The seed box makes the seed's mother as "new" would, and refuses
    // anything else in the box itself.
    void theSeedBoxDrawsThatSeedsMother() {
        Session session;
        check::PressAt(session.form, 100, 100);
        QVERIFY(session.form.GoToSeed(QStringLiteral("12345")));
        QCOMPARE(session.form.state().seed, 12345.0);
        QCOMPARE(session.form.state().f, 5.0);
        QVERIFY_SAME(CleanPlace(session.form, 0),
                     WithoutTexts(check::EngineImageMother(12345), 50));
        QVERIFY(check::IsBlank(session.form, 1));

        const QImage before = Grid(session.form);
        auto* problem = session.form.findChild<QLabel*>(QStringLiteral("SeedBoxProblem"));
        for (const char* text : {"0", "1000001", "12.5", "abc", "", "-3", "1e3"}) {
            QVERIFY2(!session.form.GoToSeed(QString::fromLatin1(text)), text);
            QVERIFY(problem->isVisibleTo(&session.form));
            QCOMPARE(problem->text(), QStringLiteral("enter a whole number from 1 to 1000000"));
            QCOMPARE(Grid(session.form), before);
        }
    }

    // Back and forward redraw each mother with its children, pixel for
    // pixel; "new" after going back starts a new branch.
    void backAndForwardRestoreGrids() {
        Session session;
        check::PressAt(session.form, 150, 100);
        check::PressAt(session.form, 20, 30);
        const QImage first = Grid(session.form);
        check::ClickButton(session.form, "Command5");
        check::ClickButton(session.form, "Command11");
        check::PressAt(session.form, 250, 200);
        const QImage second = Grid(session.form);

        session.form.GoBack();
        QCOMPARE(Grid(session.form), first);
        QCOMPARE(session.form.state().f, 5.0);
        session.form.GoForward();
        QCOMPARE(Grid(session.form), second);
        QCOMPARE(session.form.state().f, 4.0);

        session.form.GoBack();
        check::ClickButton(session.form, "Command5");
        const QImage branch = Grid(session.form);
        session.form.GoForward();  // nothing ahead of the new branch
        QCOMPARE(Grid(session.form), branch);
        session.form.GoBack();
        QCOMPARE(Grid(session.form), first);
    }

    // Whatever made the mother on screen, "new" then shows the next mother
    // of its seed's chain.
    void newAlwaysShowsTheSuccessorOfTheMotherOnScreen() {
        Session session;
        const int start = static_cast<int>(session.form.state().seed);
        const auto expect_successor = [&](const char* after) {
            const int seed = static_cast<int>(session.form.state().seed);
            check::ClickButton(session.form, "Command5");
            QVERIFY2(session.form.state().seed == NextInChain(seed), after);
        };
        session.form.GoToSeed(QStringLiteral("777"));
        expect_successor("the seed box");
        session.form.GoBack();
        QCOMPARE(session.form.state().seed, 777.0);
        expect_successor("back");
        session.form.GoBack();
        session.form.GoBack();
        QCOMPARE(session.form.state().seed, static_cast<double>(start));
        session.form.GoForward();
        expect_successor("forward");
        session.form.ShowRecipeText(QStringLiteral("seedscape/1 seed=31337 press=5,5@2"));
        expect_successor("a pasted recipe");

        // Seed 661164 is its own successor: there the chain has closed, and
        // "new" draws from the clock instead, and says so.
        session.form.GoToSeed(QStringLiteral("661164"));
        check::ClickButton(session.form, "Command5");
        QVERIFY(session.form.state().seed != 661164.0);
        QVERIFY(Message(session.form).contains(QStringLiteral("seed 661164 again")));
        // Seed 387448's successor, 856987, starts the loop that the chain
        // from seed 1 ends in: the run from 856987 closes when it comes round.
        session.form.GoToSeed(QStringLiteral("856987"));
        int presses = 0;
        while (session.form.state().seed != 856987.0 || presses == 0) {
            const int seed = static_cast<int>(session.form.state().seed);
            check::ClickButton(session.form, "Command5");
            ++presses;
            if (NextInChain(seed) != 856987) {
                QCOMPARE(session.form.state().seed, static_cast<double>(NextInChain(seed)));
                continue;
            }
            QVERIFY(session.form.state().seed != 856987.0);  // the loop closed: the clock
            break;
        }
        QVERIFY(presses > 1);
    }

    // A long list of favourites is shown at once, its pictures drawn after,
    // each into its own place.
    void favouritesShowAtOnceAndTheirPicturesFollow() {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("favourites.txt"));
        std::vector<Recipe> favourites;
        for (int seed = 100; seed < 160; ++seed) {
            favourites.push_back(
                ParseRecipe("seedscape/1 seed=" + std::to_string(seed)).recipe.value());
        }
        favourites.push_back(ParseRecipe("seedscape/1 seed=7 press=10,20@3").recipe.value());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(PrintFavourites(favourites)));
        file.close();

        Form1 form(nullptr, path);
        form.Form_Load(check::kClock);
        auto* list = form.findChild<FavouritesList*>(QStringLiteral("Favourites"));
        QVERIFY(list != nullptr);
        QCOMPARE(list->count(), static_cast<int>(favourites.size()));
        QTRY_COMPARE_WITH_TIMEOUT(list->waiting(), 0, 60000);
        for (const int k : {0, 31, 60}) {
            const QSize size = list->iconSize();
            const QImage shown = list->item(k)->icon().pixmap(size).toImage();
            const QImage expected =
                MakeThumbnail(favourites[static_cast<std::size_t>(k)], size).shown;
            QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                     expected.convertToFormat(QImage::Format_RGB32));
        }
    }

    void favouritesAreKeptInTheirFile() {
        Session session;
        check::PressAt(session.form, 150, 100);
        Trigger(session.form, "AddFavourite");
        const Recipe favourite = session.form.pictures().Latest();
        const QString child = QStringLiteral("child of seed %1, 1 press").arg(favourite.seed);
        QCOMPARE(Message(session.form), QStringLiteral("Added %1 to the favourites").arg(child));
        Trigger(session.form, "AddFavourite");
        QCOMPARE(Message(session.form), QStringLiteral("%1 is already a favourite").arg(child));
        QCOMPARE(session.form.favourites().favourites(), std::vector<Recipe>{favourite});
        QFile file(session.Path("favourites.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()),
                 QStringLiteral("seedscape-favourites 1\n") +
                     QString::fromStdString(PrintRecipe(favourite)) + QLatin1Char('\n'));

        // A second window on the same file keeps both windows' favourites.
        Form1 other(nullptr, session.Path("favourites.txt"));
        check::ClickButton(session.form, "Command5");
        Trigger(session.form, "AddFavourite");
        other.AddToFavourites(ParseRecipe("seedscape/1 seed=42").recipe.value());
        FavouritesStore reread(session.Path("favourites.txt"));
        QVERIFY(reread.Load());
        QCOMPARE(reread.favourites().size(), std::size_t{3});
    }

    // A file with a line that does not read: the good lines are shown, the
    // bad one named; the file is left as it is, Ctrl+D says the favourite is
    // not saved, until Repair backs the file up and writes the good lines.
    void aFavouritesFileWithBadLinesIsKeptUntilRepaired() {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("favourites.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QByteArray damaged = "seedscape-favourites 1\nseedscape/1 seed=5\ngarbage\n";
        file.write(damaged);
        file.close();

        Form1 form(nullptr, path);
        form.Form_Load(check::kClock);
        const auto* status = form.findChild<FavouritesStatus*>(QStringLiteral("FavouritesStatus"));
        QVERIFY(status != nullptr);
        QVERIFY(status->text().contains(QDir::toNativeSeparators(path)));
        QVERIFY(status->text().contains(QStringLiteral("line 3")));
        QCOMPARE(form.favourites().favourites(),
                 std::vector<Recipe>{ParseRecipe("seedscape/1 seed=5").recipe.value()});

        form.AddToFavourites(form.pictures().Latest());
        QVERIFY(Message(form).contains(QStringLiteral("not saved")));
        QVERIFY(status->text().startsWith(QStringLiteral("Not saved")));
        QCOMPARE(form.favourites().favourites().size(), std::size_t{2});
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), damaged);
        file.close();

        auto* repair = form.findChild<QPushButton*>(QStringLiteral("RepairFavourites"));
        QVERIFY(repair != nullptr);
        repair->click();
        QVERIFY(status->text().isEmpty());
        QFile backup(path + QStringLiteral(".bak"));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), damaged);
        FavouritesStore reread(path);
        QVERIFY(reread.Load());
        QCOMPARE(reread.favourites(), form.favourites().favourites());
    }

    // The grid holds the keyboard focus at start-up, so a stray Space
    // presses no button; the keys do what the buttons do.
    void keysAndFocus() {
        Session session;
        QVERIFY(session.active);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&session.form));
        QTest::keyClick(&session.form, Qt::Key_Space);
        QVERIFY(session.form.isVisible());

        const int seed = static_cast<int>(session.form.state().seed);
        QTest::keyClick(&session.form, Qt::Key_N);
        QCOMPARE(session.form.state().seed, static_cast<double>(NextInChain(seed)));
        QTest::keyClick(&session.form, Qt::Key_Plus);
        QCOMPARE(session.form.state().f, 6.0);
        QTest::keyClick(&session.form, Qt::Key_Minus);
        QTest::keyClick(&session.form, Qt::Key_Minus);
        QCOMPARE(session.form.state().f, 4.0);
        QVERIFY(check::IsBlank(session.form, 3));
        QTest::keyClick(&session.form, Qt::Key_F1);
        QVERIFY(!check::IsBlank(session.form, 3));
    }

    // Every action has its key, works with the panel hidden (it belongs to
    // the window) and has a button in the panel whose tip tells the key; the
    // seed box stands for the button of "Go to seed".
    void everyActionHasItsKeyAndButton() {
        const QList<QPair<const char*, const char*>> keys = {
            {"GoToSeed", "Ctrl+G"},
            {"Back", "Alt+Left"},
            {"Forward", "Alt+Right"},
            {"NewImageMother", "N"},
            {"IncreaseMagnification", "+"},
            {"ReduceMagnification", "-"},
            {"ShowHelp", "F1"},
            {"SaveImage", "Ctrl+S"},
            {"Export", "Ctrl+E"},
            {"CopyRecipe", "Ctrl+C"},
            {"CopyPicture", "Ctrl+Shift+C"},
            {"PasteRecipe", "Ctrl+V"},
            {"Open", "Ctrl+O"},
            {"Variations", "Ctrl+B"},
            {"Atlas", "Ctrl+T"},
            {"AddFavourite", "Ctrl+D"},
            {"AddKey", "Ctrl+K"},
            {"Flight", "Ctrl+L"},
            {"ZoomIn", "Ctrl++"},
            {"ZoomOut", "Ctrl+-"},
            {"FullScreen", "F11"},
            {"ShowPanel", "F9"},
            {"ShowEdit", "Ctrl+P"},
            {"ShowPoints", "P"},
            {"Undo", "Ctrl+Z"},
            {"Redo", "Ctrl+Shift+Z"},
        };
        Form1 form;
        QCOMPARE(form.actions().size(), keys.size());
        for (const auto& [name, key] : keys) {
            auto* action = form.findChild<QAction*>(QString::fromLatin1(name));
            QVERIFY2(action != nullptr && form.actions().contains(action), name);
            QCOMPARE(action->shortcut().toString(QKeySequence::PortableText),
                     QString::fromLatin1(key));
            QVERIFY2(action->toolTip().endsWith(QStringLiteral("(%1)").arg(key)), name);
            auto* button =
                form.panel()->findChild<QToolButton*>(QString::fromLatin1(name) + "Button");
            const bool has_button = button != nullptr && button->defaultAction() == action;
            QVERIFY2(has_button == (qstrcmp(name, "GoToSeed") != 0), name);
        }
    }

    // The export dialog offers the latest picture, then the grid's pictures
    // by their places, each the recipe of its press.
    void exportOffersTheGridsPictures() {
        Session session;
        session.form.GoToSeed(QStringLiteral("449139"));
        check::PressAt(session.form, 150, 100);
        check::ClickButton(session.form, "Command1");
        check::PressAt(session.form, 60, 150);
        const auto recipe = [](const char* text) { return ParseRecipe(text).recipe.value(); };
        const auto choices = ExportChoices(session.form.pictures());
        const std::vector<std::pair<QString, Recipe>> want = {
            {"Latest picture", recipe("seedscape/1 seed=449139 press=150,100@5 press=60,150@6")},
            {"Image mother", recipe("seedscape/1 seed=449139")},
            {"Child in row 1, column 2", recipe("seedscape/1 seed=449139 press=150,100@5")},
            {"Child in row 1, column 3",
             recipe("seedscape/1 seed=449139 press=150,100@5 press=60,150@6")},
        };
        QCOMPARE(choices, want);
    }

    // Zoomed, a press maps back to the canvas pixel under it.
    void zoomedPressesMapBackToCanvasPixels() {
        Session session;
        session.form.SetZoom(3);
        QVERIFY(session.form.width() >= 3 * kCanvasWidth);
        check::PressAt(session.form, 3 * 200 + 2, 3 * 50 + 1);
        QCOMPARE(session.form.state().zamikx, 300.0);
        QCOMPARE(session.form.pictures().Latest().presses.back(), (RecipePress{200, 50, 5}));
        session.form.SetZoom(1);
        QCOMPARE(session.form.findChild<QPushButton*>(QStringLiteral("Command5"))->geometry(),
                 QRect(56, 8, 41, 17));
    }

    void theGridKeepsItsPlaceWithThePanelShownOrHidden() {
        Session session;
        QVERIFY(session.active);
        QVERIFY(session.form.panel()->mapTo(&session.form, QPoint(0, 0)).x() >= kCanvasWidth);
        const QImage with_panel = Grid(session.form);
        QTest::keyClick(&session.form, Qt::Key_F9);
        QVERIFY(!session.form.panel()->isVisible());
        // The grid and, right of it, the menu of every action.
        QCOMPARE(session.form.width(), WantedWindowSize(1, false).width());
        QVERIFY(session.form.width() < kCanvasWidth + 60);
        QCOMPARE(Grid(session.form), with_panel);
        QTest::keyClick(&session.form, Qt::Key_F9);
        QVERIFY(session.form.panel()->isVisible());
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::PanelTest)
#include "panel_test.moc"
