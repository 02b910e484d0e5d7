// The favourites lose nothing: a change that could not be saved stays
// pending and reaches the file later, beside the changes other windows made
// meanwhile, or a recovery file when the window goes first; a favourites
// path that is not a regular file is refused at once.
#include "app/panel/favourites_store.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include "recipe/favourites_text.h"

namespace seedscape {
namespace {

Recipe Seed(int seed) {
    return ParseRecipe("seedscape/1 seed=" + std::to_string(seed)).recipe.value();
}

std::vector<Recipe> Seeds(std::initializer_list<int> seeds) {
    std::vector<Recipe> recipes;
    for (const int seed : seeds) recipes.push_back(Seed(seed));
    return recipes;
}

std::vector<Recipe> OnDisk(const QString& path) {
    FavouritesStore store(path);
    store.Load();
    return store.favourites();
}

class FavouritesStoreTest : public QObject {
    Q_OBJECT

  private slots:
    // Another window holds the lock past the wait: the favourite is shown,
    // said to be unsaved, and saved at the next try together with what the
    // other window wrote meanwhile.
    void aChangeKeptFromTheFileIsSavedLaterBesideOthers() {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("favourites.txt"));
        FavouritesStore window(path);
        window.Load();
        QVERIFY(window.Add(Seed(5)));

        auto held = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
        QVERIFY(held->tryLock(0));
        QVERIFY(!window.Add(Seed(7)));
        QCOMPARE(window.favourites(), Seeds({5, 7}));
        QVERIFY(window.has_pending());
        QVERIFY(window.Status().contains(QStringLiteral("another seedscape window")));
        held.reset();

        FavouritesStore other(path);
        other.Load();
        QVERIFY(other.Add(Seed(9)));
        QVERIFY(window.Save());
        QCOMPARE(window.favourites(), Seeds({5, 9, 7}));
        QCOMPARE(OnDisk(path), Seeds({5, 9, 7}));
        QVERIFY(window.Status().isEmpty());
    }

    // The window goes with a change still unsaved: it is written to a
    // recovery file beside the favourites, which the next start names.
    void pendingChangesGoToARecoveryFileThatTheNextStartNames() {
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("favourites.txt"));
        {
            FavouritesStore window(path);
            window.Load();
            QLockFile held(path + QStringLiteral(".lock"));
            QVERIFY(held.tryLock(0));
            QVERIFY(!window.Add(Seed(7)));
        }
        const QString recovery = directory.filePath(QStringLiteral("favourites-recovered.txt"));
        QCOMPARE(OnDisk(recovery), Seeds({7}));
        FavouritesStore next(path);
        next.Load();
        QVERIFY(next.TakeNews().contains(QDir::toNativeSeparators(recovery)));
        QVERIFY(next.TakeNews().isEmpty());  // told once
    }

    // What is not a regular file is refused at once, without reading it: a
    // pipe would block for ever, a device never end, a folder is no file.
    void aPathThatIsNotARegularFileIsRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a named pipe") << QStringLiteral("fifo");
        QTest::newRow("a link to an endless device") << QStringLiteral("zero");
        QTest::newRow("a folder") << QStringLiteral("folder");
    }
    void aPathThatIsNotARegularFileIsRefused() {
        QFETCH(QString, kind);
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("favourites.txt"));
        if (kind == QStringLiteral("fifo")) {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QStringLiteral("zero")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        } else {
            QVERIFY(QDir().mkpath(path));
        }
        FavouritesStore store(path);
        QVERIFY(!store.Load());
        QVERIFY(store.Status().contains(QStringLiteral("not a regular file")));
        QVERIFY(!store.Add(Seed(3)));
        QCOMPARE(store.favourites(), Seeds({3}));
    }
};

}  // namespace
}  // namespace seedscape

QTEST_MAIN(seedscape::FavouritesStoreTest)
#include "favourites_store_test.moc"
