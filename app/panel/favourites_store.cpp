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
// The bad lines named in the panel; the rest are counted.
constexpr int kBadLinesNamed = 3;

QString RecoveryPattern(const QString& favourites_path) {
    return QFileInfo(favourites_path).completeBaseName() + QStringLiteral("-recovered*.txt");
}

bool WriteWhole(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return true;
    }
    error = file.errorString();
    return false;
}

}  // namespace

FavouritesStore::FavouritesStore(QString path) : path_(std::move(path)) {}

FavouritesStore::~FavouritesStore() {
    KeepPendingInRecoveryFile();
}

QString FavouritesStore::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/favourites.txt");
}

QString FavouritesStore::Shown() const {
    return QDir::toNativeSeparators(path_);
}

bool FavouritesStore::ReadFile(std::vector<Recipe>& favourites) {
    trouble_.clear();
    bad_lines_.clear();
    const QFileInfo info(path_);
    if (!info.exists() && !info.isSymLink()) {
        favourites.clear();
        return true;
    }
    // A pipe would block the start for ever and a device could be endless.
    if (!info.isFile()) {
        trouble_ = QStringLiteral("%1 is not a regular file").arg(Shown());
        return false;
    }
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        trouble_ = QStringLiteral("%1 cannot be read (%2)").arg(Shown(), file.errorString());
        return false;
    }
    // Read with a bound whatever the size claims: the file may grow meanwhile.
    const QByteArray bytes = file.read(kLargestFile + 1);
    if (bytes.size() > kLargestFile) {
        trouble_ = QStringLiteral("%1 is too large to be a favourites file").arg(Shown());
        return false;
    }
    const FavouritesReading reading = ParseFavourites(std::string_view(bytes.data(), bytes.size()));
    if (!reading.favourites) {
        trouble_ = QStringLiteral("%1 cannot be understood (%2)")
                       .arg(Shown(), QString::fromStdString(reading.error));
        return false;
    }
    favourites = *reading.favourites;
    for (const std::string& line : reading.bad_lines) {
        bad_lines_.append(QString::fromStdString(line));
    }
    if (!bad_lines_.isEmpty()) {
        trouble_ = QStringLiteral(
                       "%1 has lines that do not read and is left as it is until it "
                       "is repaired")
                       .arg(Shown());
        return false;
    }
    return true;
}

bool FavouritesStore::Load() {
    std::vector<Recipe> read;
    const bool usable = ReadFile(read);
    // An unreadable file shows what could be read, or else what was shown.
    if (usable || !bad_lines_.isEmpty()) favourites_ = std::move(read);
    ApplyPending(favourites_);
    const QStringList recovered =
        QFileInfo(path_).dir().entryList({RecoveryPattern(path_)}, QDir::Files, QDir::Time);
    if (!recovered.isEmpty()) {
        news_ =
            QStringLiteral(
                "Favourites that could not be saved when seedscape last closed are "
                "in %1.")
                .arg(QDir::toNativeSeparators(QFileInfo(path_).dir().filePath(recovered.first())));
    }
    return usable;
}

void FavouritesStore::ApplyPending(std::vector<Recipe>& favourites) const {
    for (const Change& change : pending_) {
        if (change.add) {
            AddFavourite(favourites, change.recipe);
        } else {
            RemoveFavourite(favourites, change.recipe);
        }
    }
}

bool FavouritesStore::Apply(Change change) {
    pending_.push_back(std::move(change));
    std::vector<Recipe> shown = favourites_;
    ApplyPending(shown);  // all of them again is harmless: each is idempotent
    favourites_ = std::move(shown);
    return Save();
}

bool FavouritesStore::Add(const Recipe& recipe) {
    return Apply({true, recipe});
}

bool FavouritesStore::Remove(const Recipe& recipe) {
    return Apply({false, recipe});
}

bool FavouritesStore::Write(const std::vector<Recipe>& favourites) {
    QString error;
    if (!WriteWhole(path_, QByteArray::fromStdString(PrintFavourites(favourites)), error)) {
        trouble_ = QStringLiteral("%1 cannot be written (%2)").arg(Shown(), error);
        return false;
    }
    pending_.clear();
    favourites_ = favourites;
    return true;
}

bool FavouritesStore::Save() {
    return SaveWaiting(kLockWaitMs);
}

bool FavouritesStore::Retry() {
    return SaveWaiting(0);
}

bool FavouritesStore::TakeLock(QLockFile& lock, int wait_ms) {
    lock.setStaleLockTime(kStaleLockMs);
    if (lock.tryLock(wait_ms)) return true;
    trouble_ = QStringLiteral("another seedscape window is holding %1").arg(Shown());
    return false;
}

bool FavouritesStore::SaveWaiting(int lock_wait_ms) {
    if (pending_.empty()) return true;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QLockFile lock(path_ + QStringLiteral(".lock"));
    if (!TakeLock(lock, lock_wait_ms)) return false;
    std::vector<Recipe> current;
    if (!ReadFile(current)) return false;
    ApplyPending(current);
    return Write(current);
}

bool FavouritesStore::Repair() {
    if (bad_lines_.isEmpty()) return Save();
    QLockFile lock(path_ + QStringLiteral(".lock"));
    if (!TakeLock(lock, kLockWaitMs)) return false;
    std::vector<Recipe> current;
    if (ReadFile(current) || bad_lines_.isEmpty()) {  // mended meanwhile, or not readable at all
        if (!trouble_.isEmpty()) return false;
        ApplyPending(current);
        return Write(current);
    }
    QFile original(path_);
    const QByteArray bytes =
        original.open(QIODevice::ReadOnly) ? original.read(kLargestFile + 1) : QByteArray();
    const QString backup = path_ + QStringLiteral(".bak");
    QString error;
    if (original.error() != QFileDevice::NoError || !WriteWhole(backup, bytes, error)) {
        trouble_ = QStringLiteral("%1 could not be backed up before the repair (%2)")
                       .arg(Shown(), error.isEmpty() ? original.errorString() : error);
        return false;
    }
    ApplyPending(current);
    if (!Write(current)) return false;
    bad_lines_.clear();
    trouble_.clear();
    news_ = QStringLiteral("Repaired %1; the file as it was is kept in %2.")
                .arg(Shown(), QDir::toNativeSeparators(backup));
    return true;
}

QString FavouritesStore::Status() const {
    QString status;
    if (!pending_.empty()) {
        const QString changes = pending_.size() == 1
                                    ? QStringLiteral("The last change")
                                    : QStringLiteral("The last %1 changes").arg(pending_.size());
        status = QStringLiteral(
                     "Not saved: %1. %2 to the favourites are kept here and saved as "
                     "soon as the file can be written; if seedscape closes first, they "
                     "go to a recovery file beside it.")
                     .arg(trouble_, changes);
    } else if (!trouble_.isEmpty()) {
        status = QStringLiteral("The favourites file %1.").arg(trouble_);
    }
    if (!bad_lines_.isEmpty()) {
        QStringList named = bad_lines_.mid(0, kBadLinesNamed);
        if (bad_lines_.size() > kBadLinesNamed) {
            named.append(QStringLiteral("%1 more").arg(bad_lines_.size() - kBadLinesNamed));
        }
        status += QStringLiteral(
                      " Lines that do not read: %1. Repair keeps the others and backs "
                      "up the file first.")
                      .arg(named.join(QStringLiteral("; ")));
    }
    return status.trimmed();
}

QString FavouritesStore::TakeNews() {
    return std::exchange(news_, QString());
}

void FavouritesStore::KeepPendingInRecoveryFile() {
    if (pending_.empty()) return;
    const QFileInfo info(path_);
    QDir().mkpath(info.absolutePath());
    // A new name each time, so that one recovery never replaces another.
    for (int attempt = 1; attempt < 1000; ++attempt) {
        const QString name = info.completeBaseName() + QStringLiteral("-recovered") +
                             (attempt == 1 ? QString() : QStringLiteral("-%1").arg(attempt)) +
                             QStringLiteral(".txt");
        const QString path = info.dir().filePath(name);
        if (QFileInfo::exists(path)) continue;
        QString ignored;
        WriteWhole(path, QByteArray::fromStdString(PrintFavourites(favourites_)), ignored);
        return;
    }
}

}  // namespace seedscape
