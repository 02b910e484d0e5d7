// The panel's Edit section as a person uses it: each edit lands in the recipe
// Copy recipe gives and draws the engine's pixels for that recipe; undo and
// redo give back the grid bit for bit, each mother with its own steps; values
// outside a field's range cannot be entered.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

#include "app/editing/point_handles.h"
#include "app/editing/thumbnail_chooser.h"
#include "app/grid/form1.h"
#include "recipe/draw_recipe.h"
#include "render/render_image.h"
#include "window_check.h"

namespace seedscape {
namespace {

using check::Place;
using check::WithoutTexts;

PixelImage EnginePicture(const QString& recipe_text) {
    return RenderRecipePicture(ParseRecipe(recipe_text.toStdString()).recipe.value(), RenderImage);
}

template <typename Widget>
Widget* Find(Form1& form, const QString& name) {
    auto* found = form.findChild<Widget*>(name);
    if (found == nullptr) qFatal("no widget %s", qPrintable(name));
    return found;
}

// A slider dragged by hand: pressed, moved through the values between, let go.
void DragSlider(QSlider* slider, int to) {
    slider->setSliderDown(true);
    const int step = to > slider->value() ? 1 : -1;
    for (int value = slider->value(); value != to; value += step) slider->setSliderPosition(value);
    slider->setSliderPosition(to);
    slider->setSliderDown(false);
}

// A mouse event at canvas pixel `at` (the window at zoom 1), the left
// button held from press to release.
void SendMouse(Form1& form, QEvent::Type type, QPointF at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, form.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(&form, &event);
}

const QImage& Grid(const Form1& form) {
    return check::SettledCanvas(form).image();
}

using Session = check::MainWindow;

}  // namespace

class EditSectionTest : public QObject {
    Q_OBJECT

  private slots:
    void editsRoundTrip_data() {
        QTest::addColumn<QString>("widget");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        const QString children = QStringLiteral(" press=150,100@5 press=60,150@7");
        QTest::newRow("dn1 spun to 7")
            << "dn1" << 7.0 << "seedscape/1 seed=449139 dn1=7" + children;
        QTest::newRow("dn3 at its top")
            << "dn3" << 30.0 << "seedscape/1 seed=449139 dn3=30" + children;
        QTest::newRow("hue slider to -45")
            << "hueSlider" << -45.0 << "seedscape/1 seed=449139 hue=-45" + children;
        QTest::newRow("saturation 0.3")
            << "saturation" << 0.3 << "seedscape/1 seed=449139 saturation=0.3" + children;
        QTest::newRow("exposure slider to 1.25")
            << "exposureSlider" << 125.0 << "seedscape/1 seed=449139 exposure=1.25" + children;
        QTest::newRow("gamma 2.2")
            << "gamma" << 2.2 << "seedscape/1 seed=449139 gamma=2.2" + children;
    }

    // Every edit is a hand-set field of the recipe, and the grid shows what
    // the engine draws of that recipe: the mother and each child kept.
    void editsRoundTrip() {
        QFETCH(QString, widget);
        QFETCH(double, value);
        QFETCH(QString, expected);
        Session session;
        QVERIFY(session.form->ShowRecipeText(
            QStringLiteral("seedscape/1 seed=449139 press=150,100@5 press=60,150@7")));
        if (auto* slider = session.form->findChild<QSlider*>(widget)) {
            DragSlider(slider, static_cast<int>(value));
        } else if (auto* spin = session.form->findChild<QSpinBox*>(widget)) {
            spin->setValue(static_cast<int>(value));
        } else {
            Find<QDoubleSpinBox>(*session.form, widget)->setValue(value);
        }
        QCOMPARE(session.CopiedRecipe(), expected);
        const QString mother = expected.section(QStringLiteral(" press"), 0, 0);
        QVERIFY_SAME(WithoutTexts(Place(*session.form, 0), 50),
                     WithoutTexts(EnginePicture(mother), 50));
        QVERIFY_SAME(Place(*session.form, 2), EnginePicture(expected));
        // A slider dragged through many values is still one step.
        QVERIFY(Find<QAction>(*session.form, QStringLiteral("Undo"))->isEnabled());
        session.Trigger("Undo");
        QVERIFY(!Find<QAction>(*session.form, QStringLiteral("Undo"))->isEnabled());
        QCOMPARE(session.CopiedRecipe(),
                 QStringLiteral("seedscape/1 seed=449139 press=150,100@5 press=60,150@7"));
    }

    // Undo and redo give back each grid bit for bit, the mother drawn by "new"
    // with the factor it carried included; each mother keeps its own steps,
    // and Reset to seed is one step too. A child pressed between edits is
    // kept by an undo: an edit changes fields, never presses.
    void undoAndRedoRestoreTheGridPerVisit() {
        Session session;
        check::PressAt(*session.form, 150, 100);
        check::PressAt(*session.form, 60, 150);
        const QString first_recipe = session.CopiedRecipe();
        std::vector<QImage> grids = {Grid(*session.form)};
        Find<QSpinBox>(*session.form, QStringLiteral("dn2"))->setValue(11);
        grids.push_back(Grid(*session.form));
        Find<QDoubleSpinBox>(*session.form, QStringLiteral("hue"))->setValue(90);
        grids.push_back(Grid(*session.form));
        const QString edited = session.CopiedRecipe();
        QVERIFY(edited.contains(QStringLiteral("dn2=11 hue=90 press=150,100@5 press=60,150@5")));
        Find<QPushButton>(*session.form, QStringLiteral("ResetToSeed"))->click();
        grids.push_back(Grid(*session.form));
        QVERIFY(!session.CopiedRecipe().contains(QStringLiteral("dn2")));

        // Another mother: its own, empty, stack.
        session.form->GoToSeed(QStringLiteral("5"));
        QVERIFY(!Find<QAction>(*session.form, QStringLiteral("Undo"))->isEnabled());
        Find<QSpinBox>(*session.form, QStringLiteral("dn1"))->setValue(3);
        const QImage other = Grid(*session.form);
        session.form->GoBack();
        QCOMPARE(Grid(*session.form), grids.back());

        for (int step = static_cast<int>(grids.size()) - 2; step >= 0; --step) {
            session.Trigger("Undo");
            QCOMPARE(Grid(*session.form), grids[static_cast<std::size_t>(step)]);
        }
        QVERIFY(!Find<QAction>(*session.form, QStringLiteral("Undo"))->isEnabled());
        QCOMPARE(session.CopiedRecipe(), first_recipe);
        for (std::size_t step = 1; step < grids.size(); ++step) {
            session.Trigger("Redo");
            QCOMPARE(Grid(*session.form), grids[step]);
        }
        session.form->GoForward();
        QCOMPARE(Grid(*session.form), other);
        session.Trigger("Undo");
        QVERIFY(!session.CopiedRecipe().contains(QStringLiteral("dn1")));
        Find<QDoubleSpinBox>(*session.form, QStringLiteral("exposure"))->setValue(-1);
        check::PressAt(*session.form, 100, 100);
        session.Trigger("Undo");
        QCOMPARE(session.CopiedRecipe(), QStringLiteral("seedscape/1 seed=5 press=100,100@5"));
    }

    void choosersPictureEveryValueAndAClickChooses_data() {
        QTest::addColumn<QString>("chooser");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("scheme 7") << "barvaChooser" << 7 << "seedscape/1 seed=449139 barva=7";
        QTest::newRow("formula fak01 25")
            << "fak01Chooser" << 25 << "seedscape/1 seed=449139 fak01=25";
        QTest::newRow("formula fak02 1")
            << "fak02Chooser" << 1 << "seedscape/1 seed=449139 fak02=1";
    }

    // Each value's small picture is drawn in the background; a click on one
    // makes it the recipe's and draws the engine's mother for it.
    void choosersPictureEveryValueAndAClickChooses() {
        QFETCH(QString, chooser);
        QFETCH(int, value);
        QFETCH(QString, expected);
        Session session;
        QVERIFY(session.form->ShowRecipeText(QStringLiteral("seedscape/1 seed=449139")));
        QElapsedTimer clock;
        clock.start();
        session.Trigger("ShowEdit");
        auto* list = Find<ThumbnailChooser>(*session.form, chooser);
        QTRY_COMPARE_WITH_TIMEOUT(list->drawn(), list->count(), 20000);
        qInfo("%s: all %d pictures drawn %lld ms after the section was shown", qPrintable(chooser),
              list->count(), static_cast<long long>(clock.elapsed()));
        QListWidgetItem* item = list->item(value - 1);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(item).center());
        QCOMPARE(session.CopiedRecipe(), expected);
        QVERIFY_SAME(WithoutTexts(Place(*session.form, 0), 50),
                     WithoutTexts(EnginePicture(expected), 50));
        QCOMPARE(list->currentRow(), list->row(item));
    }

    // A handle dragged through many moves shows the mother live (off the
    // event thread), and ends as one step whose grid is the engine's for the
    // recipe with the final points, children kept; a drag past the plane's
    // edge keeps the point in its range; undo gives the grid back.
    void aDraggedHandleEndsInTheRecipesPixels() {
        Session session;
        QVERIFY(session.form->ShowRecipeText(
            QStringLiteral("seedscape/1 seed=449139 press=150,100@5")));
        const QImage before = Grid(*session.form);
        session.Trigger("ShowPoints");
        const QPointF start = PointHandles::Places(session.form->pictures().Latest())[0];
        const QPointF end(120.25, 80.75);  // inside the points' square, 72..216 x 52..156
        SendMouse(*session.form, QEvent::MouseButtonPress, start);
        for (int step = 1; step <= 100; ++step) {
            SendMouse(*session.form, QEvent::MouseMove, start + (end - start) * step / 100.0);
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY(session.form->handles().frames() > 0);
        SendMouse(*session.form, QEvent::MouseButtonRelease, end);
        const QString copied = session.CopiedRecipe();
        QVERIFY2(
            copied.contains(QStringLiteral(" xt1=")) && copied.contains(QStringLiteral(" yt1=")),
            qPrintable(copied));
        const Recipe recipe = ParseRecipe(copied.toStdString()).recipe.value();
        const QPointF landed = PointHandles::Places(recipe)[0];
        QVERIFY2(std::abs(landed.x() - end.x()) < 0.01 && std::abs(landed.y() - end.y()) < 0.01,
                 qPrintable(copied));
        Recipe mother = recipe;
        mother.presses.clear();
        QVERIFY_SAME(WithoutTexts(Place(*session.form, 0), 50),
                     WithoutTexts(RenderRecipePicture(mother, RenderImage), 50));
        QVERIFY_SAME(Place(*session.form, 1), EnginePicture(copied));

        // Far past the mother's corner: the field's ends, 1 never reached.
        const QPointF second = PointHandles::Places(recipe)[1];
        SendMouse(*session.form, QEvent::MouseButtonPress, second);
        SendMouse(*session.form, QEvent::MouseMove, QPointF(-500, -500));
        SendMouse(*session.form, QEvent::MouseButtonRelease, QPointF(-500, -500));
        const Recipe far = ParseRecipe(session.CopiedRecipe().toStdString()).recipe.value();
        const int xt2 = SettableFieldIndex("xt2");
        const int yt2 = SettableFieldIndex("yt2");
        QCOMPARE(*far.overrides[static_cast<std::size_t>(xt2)], -1.0);
        QVERIFY(*far.overrides[static_cast<std::size_t>(yt2)] < 1.0);
        QVERIFY(CheckRecipe(far).empty());

        session.Trigger("Undo");
        session.Trigger("Undo");
        QCOMPARE(Grid(*session.form), before);

        // Another mother reached by a key during a drag keeps its own fields.
        SendMouse(*session.form, QEvent::MouseButtonPress, start);
        SendMouse(*session.form, QEvent::MouseMove, end);
        QVERIFY(session.form->GoToSeed(QStringLiteral("5")));
        SendMouse(*session.form, QEvent::MouseButtonRelease, end);
        QCOMPARE(session.CopiedRecipe(), QStringLiteral("seedscape/1 seed=5"));
        QVERIFY(!Find<QAction>(*session.form, QStringLiteral("Undo"))->isEnabled());
        session.form->GoBack();
        QCOMPARE(Grid(*session.form), before);
    }

    // An edit returns before its grid is drawn: the mother and children are
    // drawn off the event thread while the window shows the grid before.
    // Presses made meanwhile wait behind them in order, and whatever reads
    // the grid ("+" here) waits for them first; the grid then is the
    // engine's, child by child.
    void anEditsGridIsDrawnInTheBackgroundWithPressesBehindIt() {
        Session session;
        const QString grid =
            QStringLiteral("seedscape/1 seed=449139 press=150,100@5 press=60,150@7");
        QVERIFY(session.form->ShowRecipeText(grid));
        const QImage before = session.form->canvas().image();
        Find<QSpinBox>(*session.form, QStringLiteral("dn1"))->setValue(7);
        QVERIFY(session.form->redrawingGrid());
        QCOMPARE(session.form->canvas().image(), before);
        for (const QPointF at : {QPointF(100, 60), QPointF(40, 180)}) {
            SendMouse(*session.form, QEvent::MouseButtonPress, at);
            SendMouse(*session.form, QEvent::MouseButtonRelease, at);
        }
        QVERIFY(session.form->redrawingGrid());  // the presses were queued, not drawn
        session.Trigger("IncreaseMagnification");
        QVERIFY(!session.form->redrawingGrid());
        check::PressAt(*session.form, 200, 120);
        const QString expected = QStringLiteral(
            "seedscape/1 seed=449139 dn1=7 press=150,100@5 press=60,150@7 press=100,60@7 "
            "press=40,180@7 press=200,120@8");
        QCOMPARE(session.CopiedRecipe(), expected);
        QStringList presses = expected.split(QLatin1Char(' '));
        for (int place = 5; place >= 1; --place) {
            QVERIFY_SAME(Place(*session.form, place),
                         EnginePicture(presses.join(QLatin1Char(' '))));
            presses.removeLast();
        }
        // Undo and redo draw in the background as well, and give the grid back.
        const QImage edited = Grid(*session.form);
        session.Trigger("Undo");
        QVERIFY(session.form->redrawingGrid());
        session.Trigger("Redo");
        QCOMPARE(Grid(*session.form), edited);
    }

    // With the handles hidden (as at start-up) or shown, a press off a
    // handle draws a child exactly as before.
    void aPressOnAHiddenHandleDrawsAChild() {
        Session session;
        QVERIFY(session.form->ShowRecipeText(QStringLiteral("seedscape/1 seed=449139")));
        const QPointF spot = PointHandles::Places(session.form->pictures().Latest())[2];
        const QPoint pixel(static_cast<int>(spot.x()), static_cast<int>(spot.y()));
        check::PressAt(*session.form, pixel.x(), pixel.y());
        const QString expected =
            QStringLiteral("seedscape/1 seed=449139 press=%1,%2@5").arg(pixel.x()).arg(pixel.y());
        QCOMPARE(session.CopiedRecipe(), expected);
        QVERIFY_SAME(Place(*session.form, 1), EnginePicture(expected));
        session.Trigger("ShowPoints");
        check::PressAt(*session.form, 5, 200);
        QCOMPARE(session.CopiedRecipe(), expected + QStringLiteral(" press=5,200@5"));
    }

    // The spin boxes and sliders keep to each field's range, typed or set.
    void valuesOutsideTheirRangesCannotBeEntered() {
        Session session;
        session.Trigger("ShowEdit");
        QVERIFY(Find<QWidget>(*session.form, QStringLiteral("EditSection"))->isVisible());
        auto* dn1 = Find<QSpinBox>(*session.form, QStringLiteral("dn1"));
        dn1->selectAll();
        QTest::keyClicks(dn1, QStringLiteral("99"));
        QTest::keyClick(dn1, Qt::Key_Return);
        dn1->setValue(0);
        Find<QSlider>(*session.form, QStringLiteral("dn2Slider"))->setValue(31);
        Find<QDoubleSpinBox>(*session.form, QStringLiteral("hue"))->setValue(500);
        Find<QDoubleSpinBox>(*session.form, QStringLiteral("gamma"))->setValue(0.1);
        Find<QDoubleSpinBox>(*session.form, QStringLiteral("saturation"))->setValue(-1);
        const RecipeReading copied = ParseRecipe(session.CopiedRecipe().toStdString());
        QVERIFY2(copied.recipe.has_value(), copied.error.c_str());
        QVERIFY(CheckRecipe(*copied.recipe).empty());
        const QString text = session.CopiedRecipe();
        QVERIFY2(text.contains(QStringLiteral("dn1=1 ")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("dn2=30")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("hue=180 saturation=0 gamma=0.25")),
                 qPrintable(text));
    }

    // Hidden at start-up, Ctrl+P's action shows and hides the section.
    void theSectionIsHiddenUntilAsked() {
        Session session;
        auto* section = Find<QWidget>(*session.form, QStringLiteral("EditSection"));
        QVERIFY(!section->isVisible());
        session.Trigger("ShowEdit");
        QVERIFY(section->isVisible());
        session.Trigger("ShowEdit");
        QVERIFY(!section->isVisible());
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::EditSectionTest)
#include "edit_section_test.moc"
