#include "app/panel/favourites_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "recipe/favourites_text.h"

namespace seedscape {

namespace {

// Larger than any favourites file; a bigger one is not read.
constexpr qint64 kLargestFile = 64 * 1024 * 1024;
// Another window holds the lock for a moment only; after this long it is
// taken to have died holding it.
constexpr int kLockWaitMs = 3000;
constexpr int kStaleLockMs = 15000;

}  // namespace

FavouritesStore::FavouritesStore(QString path) : path_(std::move(path)) {}

QString FavouritesStore::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/favourites.txt");
}

void FavouritesStore::GiveUpOnFile(const QString& why) {
    if (in_memory_only_) return;
    in_memory_only_ = true;
    news_ = QStringLiteral(
                "The favourites file %1 %2. It is left as it is; favourites are kept "
                "for this session only.")
                .arg(QDir::toNativeSeparators(path_), why);
}

QString FavouritesStore::TakeNews() {
    if (told_ || news_.isEmpty()) return {};
    told_ = true;
    return news_;
}

bool FavouritesStore::ReadFile(std::vector<Recipe>& favourites) {
    QFile file(path_);
    if (!file.exists()) {
        favourites.clear();
        return true;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        GiveUpOnFile(QStringLiteral("cannot be read (%1)").arg(file.errorString()));
        return false;
    }
    if (file.size() > kLargestFile) {
        GiveUpOnFile(QStringLiteral("is too large to be a favourites file"));
        return false;
    }
    const QByteArray bytes = file.readAll();
    const FavouritesReading reading = ParseFavourites(std::string_view(bytes.data(), bytes.size()));
    if (!reading.favourites) {
        GiveUpOnFile(
            QStringLiteral("cannot be understood (%1)").arg(QString::fromStdString(reading.error)));
        return false;
    }
    favourites = *reading.favourites;
    return true;
}

bool FavouritesStore::Load() {
    if (in_memory_only_) return false;
    std::vector<Recipe> read;
    if (!ReadFile(read)) return false;
    favourites_ = std::move(read);
    return true;
}

bool FavouritesStore::Change(const std::function<void(std::vector<Recipe>&)>& change) {
    if (in_memory_only_) {
        change(favourites_);
        return false;
    }
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QLockFile lock(path_ + QStringLiteral(".lock"));
    lock.setStaleLockTime(kStaleLockMs);
    if (!lock.tryLock(kLockWaitMs)) {
        // Another window holds the file; this change is kept in memory and the
        // file is tried again at the next one.
        change(favourites_);
        return false;
    }
    std::vector<Recipe> current;
    if (!ReadFile(current)) {
        change(favourites_);
        return false;
    }
    change(current);
    QSaveFile file(path_);
    const QByteArray text = QByteArray::fromStdString(PrintFavourites(current));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        news_ = QStringLiteral("Could not write the favourites file %1 (%2).")
                    .arg(QDir::toNativeSeparators(path_), file.errorString());
        told_ = false;
        change(favourites_);
        return false;
    }
    favourites_ = std::move(current);
    return true;
}

bool FavouritesStore::Add(const Recipe& recipe) {
    return Change([&](std::vector<Recipe>& favourites) { AddFavourite(favourites, recipe); });
}

bool FavouritesStore::Remove(const Recipe& recipe) {
    return Change([&](std::vector<Recipe>& favourites) { RemoveFavourite(favourites, recipe); });
}

}  // namespace seedscape
