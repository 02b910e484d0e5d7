#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>
#include <vector>

#include "recipe/recipe.h"

namespace seedscape {

// The favourites, kept in a versioned text file in the application-data
// folder. Every change is made to the file as it is at that moment, under a
// lock, so that two windows running at once keep each other's favourites.
//
// Nothing is lost: a change that cannot be saved (another window holds the
// lock too long, the file cannot be read or written) stays pending, is shown
// at once, and goes to the file at the next successful save. A file with
// lines that do not read is never written over until Repair(), which backs it
// up first. Changes still pending when the store goes are written to a
// recovery file beside the favourites file, which the next start names.
class FavouritesStore {
  public:
    explicit FavouritesStore(QString path = DefaultPath());
    ~FavouritesStore();
    FavouritesStore(const FavouritesStore&) = delete;
    FavouritesStore& operator=(const FavouritesStore&) = delete;

    // favourites.txt in the platform's application-data folder.
    static QString DefaultPath();

    // Reads the file again, the pending changes on top; a missing file holds
    // no favourites. False when the file cannot be used as it is.
    bool Load();
    // Each returns whether everything is now saved.
    bool Add(const Recipe& recipe);
    bool Remove(const Recipe& recipe);
    // Tries the pending changes again, waiting a moment for the lock.
    bool Save();
    // The same without waiting for the lock, for a retry now and then.
    bool Retry();
    // For a file with lines that do not read: copies it to a backup beside
    // it, then writes the favourites that did read with the pending changes.
    bool Repair();

    // What the window shows: the file's favourites and the pending changes.
    const std::vector<Recipe>& favourites() const { return favourites_; }
    const QString& path() const { return path_; }
    bool has_pending() const { return !pending_.empty(); }
    bool can_repair() const { return !bad_lines_.isEmpty(); }
    // Whether the file is left alone and the favourites kept in memory.
    bool in_memory_only() const { return !trouble_.isEmpty(); }
    // Where the favourites stand, in full, for the panel: what is not saved
    // and why, or which lines of the file do not read. Empty when all is well.
    QString Status() const;
    // Something to tell once, such as a recovery file left by the last run;
    // empty otherwise.
    QString TakeNews();

  private:
    struct Change {
        bool add = true;
        Recipe recipe;
    };

    // Reads the file into `favourites` and notes its trouble, if any; false
    // when the file may not be written now.
    bool ReadFile(std::vector<Recipe>& favourites);
    bool Apply(Change change);
    bool SaveWaiting(int lock_wait_ms);
    // Takes the file's lock, waiting up to `wait_ms`; false, with the trouble
    // noted, when another window holds it.
    bool TakeLock(QLockFile& lock, int wait_ms);
    void ApplyPending(std::vector<Recipe>& favourites) const;
    bool Write(const std::vector<Recipe>& favourites);
    void KeepPendingInRecoveryFile();
    QString Shown() const;

    QString path_;
    std::vector<Recipe> favourites_;
    std::vector<Change> pending_;
    QString trouble_;        // why the file cannot be written now, or ""
    QStringList bad_lines_;  // "line 3: ..." of a file left alone
    QString news_;
};

}  // namespace seedscape
