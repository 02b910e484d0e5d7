// The variations window as a person uses it: opened from the main window's
// panel, variants clicked, groups locked, generations walked back and
// forward, a variant handed back as the image mother. Recipes are checked
// against BreedVariants, pictures against what the straightforward pass
// draws of each recipe.
#include "app/variations/variations_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "app/grid/form1.h"
#include "app/grid/magnification.h"
#include "app/panel/favourites_store.h"
#include "app/shared/thumbnail.h"
#include "app/variations/variant_tile.h"
#include "recipe/draw_recipe.h"
#include "render/render_image.h"
#include "state/grid_geometry.h"
#include "window_check.h"

namespace seedscape {
namespace {

using check::ClickButton;
using check::PressAt;
constexpr int kCentre = VariationsWindow::kCentre;

// A main window whose favourites live in a folder of the test's own.
using check::MainWindow;

// Opens the window through the panel's button, as a person does.
VariationsWindow* OpenVariations(Form1& form) {
    auto* button = form.findChild<QToolButton*>(QStringLiteral("VariationsButton"));
    if (button == nullptr) return nullptr;
    QTest::mouseClick(button, Qt::LeftButton);
    return form.findChild<VariationsWindow*>();
}

// Lets the drawing thread deliver every picture of the generation shown.
bool WaitForPictures(const VariationsWindow& window) {
    QElapsedTimer clock;
    clock.start();
    while (!window.drawn() && clock.elapsed() < 120000) QTest::qWait(5);
    return window.drawn();
}

VariantTile* Tile(const VariationsWindow& window, int place) {
    return window.findChild<VariantTile*>(
        place == kCentre ? QStringLiteral("Centre") : QStringLiteral("Variant%1").arg(place));
}

void TriggerOnTile(const VariationsWindow& window, int place, const char* action) {
    auto* found = Tile(window, place)->findChild<QAction*>(QString::fromLatin1(action));
    QVERIFY2(found != nullptr, action);
    found->trigger();
}

// One recipe a line: a readable difference when two lists differ.
QString Printed(const std::vector<Recipe>& recipes) {
    QString text;
    for (const Recipe& recipe : recipes) text += QString::fromStdString(PrintRecipe(recipe)) + '\n';
    return text;
}

QString Bred(const Recipe& parent, const BreedSettings& settings) {
    const auto variants = BreedVariants(parent, settings);
    return variants ? Printed({variants->begin(), variants->end()}) : QString();
}

// Empty when every place shows its recipe's picture; else the first place
// that does not. The fast pass draws as the straightforward one does, bit for
// bit (the exactness tests hold it to that), and takes a fraction of its
// time.
QString PicturesDiffer(const VariationsWindow& window) {
    for (int place = 0; place <= kCentre; ++place) {
        const std::optional<Recipe> recipe = window.RecipeAt(place);
        if (!recipe) {
            if (!window.PictureAt(place).isNull())
                return QStringLiteral("a picture without recipe");
            continue;
        }
        if (window.PictureAt(place) != RenderThumbnail(*recipe)) {
            return QStringLiteral("place %1 does not show %2")
                .arg(place)
                .arg(QString::fromStdString(PrintRecipe(*recipe)));
        }
    }
    return {};
}

#define QVERIFY_PICTURES(window)                        \
    do {                                                \
        QVERIFY(WaitForPictures(window));               \
        const QString differ = PicturesDiffer(window);  \
        QVERIFY2(differ.isEmpty(), qPrintable(differ)); \
    } while (false)

// The values of one group of parameters in a picture's mother record.
std::vector<double> GroupValues(const Recipe& recipe, int group) {
    const ImageState s = RecipeMotherRecord(recipe);
    switch (static_cast<ParameterGroup>(group)) {
        case ParameterGroup::kScheme:
            return {s.barva};
        case ParameterGroup::kFactors:
            return {s.fak01, s.fak02};
        case ParameterGroup::kPoints:
            return {s.xt1, s.yt1, s.xt2, s.yt2, s.xt3, s.yt3};
        case ParameterGroup::kMultipliers:
            break;
    }
    return {s.dn1, s.dn2, s.dn3};
}

// What the window shows of a generation.
struct Shown {
    QString centre;
    QString variants;
    int generation;
    int strength;  // the control's
    friend bool operator==(const Shown&, const Shown&) = default;
};

Shown ShownBy(const VariationsWindow& window) {
    return {QString::fromStdString(PrintRecipe(window.current().centre)),
            Printed(window.variants()), window.current().settings.generation,
            window.findChild<QComboBox*>(QStringLiteral("Strength"))->currentIndex()};
}

QString Describe(const Shown& shown) {
    return QStringLiteral("generation %1 around %2").arg(shown.generation).arg(shown.centre);
}

using check::IsBlank;
using check::Place;
using check::WithoutTexts;

}  // namespace

class VariationsWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // The same picture always shows the same eight, which are exactly
    // BreedVariants' of it; a click breeds the clicked one's generation 2.
    // Children's variants keep their presses.
    void generationsAreBredFromTheCentre_data() {
        QTest::addColumn<bool>("child");
        QTest::addColumn<int>("clicked");
        QTest::newRow("from an image mother") << false << 5;
        QTest::newRow("from a child") << true << 0;
    }
    void generationsAreBredFromTheCentre() {
        QFETCH(bool, child);
        QFETCH(int, clicked);
        MainWindow main;
        if (child) PressAt(*main.form, 150, 100);
        const Recipe picture = main.form->pictures().Latest();
        QCOMPARE(picture.presses.size(), std::size_t(child ? 1 : 0));

        VariationsWindow* window = OpenVariations(*main.form);
        QVERIFY(window != nullptr && window->isVisible());
        QCOMPARE(window->current().centre, picture);
        QCOMPARE(window->current().settings.generation, 1);
        const QString first = Printed(window->variants());
        QCOMPARE(first, Bred(picture, {}));
        for (const Recipe& variant : window->variants()) QCOMPARE(variant.presses, picture.presses);
        QVERIFY_PICTURES(*window);

        // The recipe shows on hover, in the tooltip and under the grid.
        const Recipe third = window->variants()[2];
        const QString third_text = QString::fromStdString(PrintRecipe(third));
        QVERIFY(Tile(*window, 2)->toolTip().startsWith(third_text));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(Tile(*window, 2), &enter);
        QVERIFY(
            window->findChild<QLabel*>(QStringLiteral("BreedRecipe"))->text().contains(third_text));

        // A second window on the same picture shows the same eight.
        delete window;
        window = OpenVariations(*main.form);
        QVERIFY(window != nullptr);
        QCOMPARE(Printed(window->variants()), first);

        QVERIFY(WaitForPictures(*window));
        const Recipe chosen = window->variants()[clicked];
        const QImage chosen_picture = window->PictureAt(clicked);
        QTest::mouseClick(Tile(*window, clicked), Qt::LeftButton);
        QCOMPARE(window->current().centre, chosen);
        QCOMPARE(window->current().settings.generation, 2);
        BreedSettings second;
        second.generation = 2;
        QCOMPARE(Printed(window->variants()), Bred(chosen, second));
        QCOMPARE(window->PictureAt(kCentre), chosen_picture);
        QVERIFY_PICTURES(*window);

        // Opened again on the same main picture, the window keeps the
        // breeding; on another, it starts from that, and back returns.
        auto* open = main.form->findChild<QToolButton*>(QStringLiteral("VariationsButton"));
        QTest::mouseClick(open, Qt::LeftButton);
        QCOMPARE(window->current().centre, chosen);
        ClickButton(*main.form, "Command5");
        QTest::mouseClick(open, Qt::LeftButton);
        QCOMPARE(window->current().centre, main.form->pictures().Latest());
        QCOMPARE(window->current().settings.generation, 1);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("BreedBack")),
                          Qt::LeftButton);
        QCOMPARE(window->current().centre, chosen);
    }

    // A locked group keeps the centre's values in every variant shown, and
    // each variant differs from it in an unlocked group. The controls are
    // changed in quick succession: pictures of the generations left behind
    // must not land.
    void locksAreHonoured_data() {
        QTest::addColumn<QList<int>>("locked");
        QTest::addColumn<int>("strength");
        QTest::newRow("scheme") << QList<int>{0} << 1;
        QTest::newRow("factors") << QList<int>{1} << 1;
        QTest::newRow("points, small") << QList<int>{2} << 0;
        QTest::newRow("multipliers, wild") << QList<int>{3} << 2;
        QTest::newRow("all but the points, wild") << QList<int>{0, 1, 3} << 2;
    }
    void locksAreHonoured() {
        QFETCH(QList<int>, locked);
        QFETCH(int, strength);
        MainWindow main;
        VariationsWindow* window = OpenVariations(*main.form);
        QVERIFY(window != nullptr);
        const Recipe centre = window->current().centre;
        // The first generation's pictures are drawn meanwhile and wait in the
        // event queue, stale once the controls change.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        for (const int group : locked) {
            auto* box = window->findChild<QCheckBox*>(
                QStringLiteral("Lock_") +
                QString::fromLatin1(GroupName(static_cast<ParameterGroup>(group))));
            QVERIFY(box != nullptr);
            box->click();
        }
        window->findChild<QComboBox*>(QStringLiteral("Strength"))->setCurrentIndex(strength);

        for (int generation = 1; generation <= 2; ++generation) {
            BreedSettings settings;
            for (const int group : locked) settings.locked[group] = true;
            settings.strength = static_cast<BreedStrength>(strength);
            settings.generation = generation;
            const Recipe parent = window->current().centre;
            QCOMPARE(window->current().settings.locked, settings.locked);
            QCOMPARE(Printed(window->variants()), Bred(parent, settings));
            QCOMPARE(window->variants().size(), std::size_t{kVariantsPerGeneration});
            for (const Recipe& variant : window->variants()) {
                bool changed = false;
                for (int group = 0; group < kParameterGroups; ++group) {
                    const bool same = GroupValues(variant, group) == GroupValues(parent, group);
                    if (locked.contains(group)) QVERIFY2(same, "a locked group changed");
                    changed = changed || !same;
                }
                QVERIFY2(changed, "a variant equals its parent");
            }
            QVERIFY_PICTURES(*window);
            // The next generation keeps the locks.
            QTest::mouseClick(Tile(*window, 7), Qt::LeftButton);
        }
        QVERIFY(!(window->current().centre == centre));
    }

    // Every group locked: nothing to breed, and the window says so; a lock
    // let go breeds again.
    void everyGroupLocked() {
        MainWindow main;
        VariationsWindow* window = OpenVariations(*main.form);
        QVERIFY(window != nullptr);
        const QList<QCheckBox*> boxes = window->findChildren<QCheckBox*>();
        QCOMPARE(boxes.size(), kParameterGroups);
        for (QCheckBox* box : boxes) box->click();
        QVERIFY(window->variants().empty());
        QVERIFY(!window->findChild<QLabel*>(QStringLiteral("BreedMessage"))->text().isEmpty());
        QVERIFY_PICTURES(*window);  // the centre alone
        QTest::mouseClick(Tile(*window, 3), Qt::LeftButton);
        QCOMPARE(window->current().settings.generation, 1);
        QVERIFY(
            !Tile(*window, 3)->findChild<QAction*>(QStringLiteral("BreedFromThis"))->isEnabled());

        boxes[1]->click();
        BreedSettings settings;
        settings.locked = {true, true, true, true};
        settings.locked[1] = false;
        QCOMPARE(Printed(window->variants()), Bred(window->current().centre, settings));
        QVERIFY_PICTURES(*window);
    }

    // Back and forward show each generation again as it was: its centre,
    // its settings, its eight; a click after going back drops the
    // generations ahead.
    void backAndForwardWalkTheGenerations() {
        MainWindow main;
        VariationsWindow* window = OpenVariations(*main.form);
        QVERIFY(window != nullptr);
        auto* back = window->findChild<QPushButton*>(QStringLiteral("BreedBack"));
        auto* forward = window->findChild<QPushButton*>(QStringLiteral("BreedForward"));
        QVERIFY(!back->isEnabled() && !forward->isEnabled());

        std::vector<Shown> generations = {ShownBy(*window)};
        QTest::mouseClick(Tile(*window, 2), Qt::LeftButton);
        window->findChild<QComboBox*>(QStringLiteral("Strength"))->setCurrentIndex(0);
        generations.push_back(ShownBy(*window));
        QTest::mouseClick(Tile(*window, 6), Qt::LeftButton);
        generations.push_back(ShownBy(*window));
        QCOMPARE(generations[2].generation, 3);
        QCOMPARE(generations[2].strength, 0);  // the settings carry on
        QVERIFY(back->isEnabled() && !forward->isEnabled());

        for (int k = 1; k >= 0; --k) {
            QTest::mouseClick(back, Qt::LeftButton);
            QVERIFY2(ShownBy(*window) == generations[k], qPrintable(Describe(generations[k])));
        }
        QVERIFY(!back->isEnabled() && forward->isEnabled());
        QVERIFY_PICTURES(*window);
        for (int k = 1; k <= 2; ++k) {
            QTest::mouseClick(forward, Qt::LeftButton);
            QVERIFY2(ShownBy(*window) == generations[k], qPrintable(Describe(generations[k])));
        }
        QVERIFY_PICTURES(*window);

        QTest::mouseClick(back, Qt::LeftButton);
        QTest::mouseClick(back, Qt::LeftButton);
        QTest::mouseClick(Tile(*window, 0), Qt::LeftButton);
        QCOMPARE(window->current().settings.generation, 2);
        QVERIFY(!(ShownBy(*window) == generations[1]));
        QVERIFY(back->isEnabled() && !forward->isEnabled());
    }

    // "Use as mother" draws the recipe's parameters exactly as the engine
    // draws them, on a grid otherwise cleared, and a press then draws its
    // child.
    void useAsMotherDrawsTheEnginesPicture_data() {
        QTest::addColumn<bool>("child");
        QTest::addColumn<int>("place");
        QTest::newRow("a variant of a mother") << false << 3;
        QTest::newRow("a variant of a child") << true << 1;
        QTest::newRow("the centre, bred") << false << kCentre;
    }
    void useAsMotherDrawsTheEnginesPicture() {
        QFETCH(bool, child);
        QFETCH(int, place);
        MainWindow main;
        Form1& form = *main.form;
        PressAt(form, 150, 100);
        PressAt(form, 60, 150);
        if (!child) ClickButton(form, "Command5");
        VariationsWindow* window = OpenVariations(form);
        QVERIFY(window != nullptr);
        if (place == kCentre) {
            QTest::mouseClick(Tile(*window, 4), Qt::LeftButton);  // a centre with overrides
        }
        const Recipe chosen = *window->RecipeAt(place);
        if (place == kCentre) {
            QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("UseCentreAsMother")),
                              Qt::LeftButton);
        } else {
            TriggerOnTile(*window, place, "UseAsMother");
        }

        Recipe mother = chosen;
        mother.presses.clear();
        QCOMPARE(form.pictures().Latest(), mother);
        QVERIFY_BASE_VIEW(form.state(), "after use as mother");
        const int right = IndicatorRight(form.canvas());
        QVERIFY_SAME(WithoutTexts(Place(form, 0), right),
                     WithoutTexts(RenderRecipePicture(mother, RenderImage), right));
        for (int number = 1; number < kGridPlaces; ++number) {
            QVERIFY2(IsBlank(form, number), "the grid keeps an old picture");
        }

        PressAt(form, 200, 50);
        Recipe first_child = mother;
        first_child.presses = {{200, 50, 5}};
        QCOMPARE(form.pictures().Latest(), first_child);
        QVERIFY_SAME(Place(form, 1), RenderRecipePicture(first_child, RenderImage));
    }

    // Breeding draws nothing from the main window's generator: "new" shows
    // the same mothers after it as without it.
    void breedingLeavesTheMainChainAlone() {
        MainWindow bred;
        VariationsWindow* window = OpenVariations(*bred.form);
        QVERIFY(window != nullptr);
        QTest::mouseClick(Tile(*window, 1), Qt::LeftButton);
        window->findChildren<QCheckBox*>().front()->click();
        QTest::mouseClick(Tile(*window, 4), Qt::LeftButton);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("BreedBack")),
                          Qt::LeftButton);
        TriggerOnTile(*window, 6, "AddFavourite");
        QVERIFY(WaitForPictures(*window));

        MainWindow plain;
        for (int k = 0; k < 3; ++k) {
            ClickButton(*bred.form, "Command5");
            ClickButton(*plain.form, "Command5");
            QCOMPARE(bred.form->pictures().Latest(), plain.form->pictures().Latest());
            QCOMPARE(bred.form->state().fak01, plain.form->state().fak01);
        }
    }

    // Without a main window the window only asks, by its signals, for the
    // exact recipe at the place.
    void onItsOwnTheWindowAsksBySignals() {
        QWidget owner;
        auto* window = new VariationsWindow(&owner);
        std::vector<Recipe> mothers;
        std::vector<Recipe> favourites;
        connect(window, &VariationsWindow::motherRequested,
                [&](const Recipe& recipe) { mothers.push_back(recipe); });
        connect(window, &VariationsWindow::favouriteRequested,
                [&](const Recipe& recipe) { favourites.push_back(recipe); });
        window->Open(ParseRecipe("seedscape/1 seed=449139 press=150,100@5").recipe.value());
        TriggerOnTile(*window, 2, "UseAsMother");
        TriggerOnTile(*window, 5, "AddFavourite");
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("UseCentreAsMother")),
                          Qt::LeftButton);
        QCOMPARE(Printed(mothers), Printed({window->variants()[2], window->current().centre}));
        QCOMPARE(Printed(favourites), Printed({window->variants()[5]}));
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("BreedMessage"))->text(),
                 QStringLiteral("Its parameters drawn as the image mother in the main window"));
        QVERIFY(WaitForPictures(*window));
    }

    // Any variant and the centre go to the favourites, kept in the main
    // window's file; "Copy recipe" copies the exact recipe.
    void favouritesAndCopy() {
        MainWindow main;
        VariationsWindow* window = OpenVariations(*main.form);
        QVERIFY(window != nullptr);
        const Recipe variant = window->variants()[4];
        TriggerOnTile(*window, 4, "AddFavourite");
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("AddCentreToFavourites")),
                          Qt::LeftButton);
        const std::vector<Recipe> expected = {variant, window->current().centre};
        QCOMPARE(Printed(main.form->favourites().favourites()), Printed(expected));
        FavouritesStore reread(main.form->favourites().path());
        QVERIFY(reread.Load());
        QCOMPARE(Printed(reread.favourites()), Printed(expected));

        TriggerOnTile(*window, 7, "CopyRecipe");
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromStdString(PrintRecipe(window->variants()[7])));
    }
};

}  // namespace seedscape

QTEST_MAIN(seedscape::VariationsWindowTest)
#include "variations_window_test.moc"
