#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "recipe/recipe.h"

namespace seedscape {

// The favourites, kept in a versioned text file in the application-data
// folder. Every change is made to the file as it is at that moment, under a
// lock, so that two windows running at once keep each other's favourites. A
// file that cannot be read or understood is never written: the favourites
// then live in memory for the session, and the window is told once.
class FavouritesStore {
  public:
    explicit FavouritesStore(QString path = DefaultPath());

    // favourites.txt in the platform's application-data folder.
    static QString DefaultPath();

    // Reads the file again; a missing file holds no favourites. False when
    // it cannot be used.
    bool Load();
    bool Add(const Recipe& recipe);
    bool Remove(const Recipe& recipe);

    const std::vector<Recipe>& favourites() const { return favourites_; }
    const QString& path() const { return path_; }
    // Whether the file is left alone and the favourites kept in memory.
    bool in_memory_only() const { return in_memory_only_; }
    // Why the file cannot be used, the first time it is asked after the
    // trouble began; empty otherwise, so that the window tells it once.
    QString TakeNews();

  private:
    // Reads the file into `favourites`; false (and the store in memory only)
    // when it exists but cannot be used.
    bool ReadFile(std::vector<Recipe>& favourites);
    bool Change(const std::function<void(std::vector<Recipe>&)>& change);
    void GiveUpOnFile(const QString& why);

    QString path_;
    std::vector<Recipe> favourites_;
    bool in_memory_only_ = false;
    QString news_;
    bool told_ = false;
};

}  // namespace seedscape
