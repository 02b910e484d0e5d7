#pragma once

#include <QImage>
#include <QObject>
#include <QSet>
#include <QSize>
#include <QString>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "recipe/recipe.h"

namespace seedscape {

// A picture at 1x and as a list shows it, smaller and smoothly scaled.
struct Thumbnail {
    QImage full;
    QImage shown;
};

// Renders a recipe's picture through the fast pass on the calling thread
// alone (the same pixels as on every thread) and scales it to
// `shown_pixels`. Safe to call from any thread.
Thumbnail MakeThumbnail(const Recipe& recipe, QSize shown_pixels);

// One picture a list wants, under the key it is cached by.
struct ThumbnailJob {
    QString key;
    Recipe recipe;
};

// Renders thumbnails (the atlas's, the favourites') on threads of its own,
// one picture per thread at a time: the render pool that the main window
// draws with is left to it. The
// list of wanted pictures is replaced whenever the view changes, so that
// what is visible comes first; results reach the owner's thread queued, as
// `rendered`.
class ThumbnailRenderer : public QObject {
    Q_OBJECT

  public:
    // `threads` 0: one per core.
    explicit ThumbnailRenderer(QObject* parent = nullptr, int threads = 0);
    // Waits for the pictures being rendered, if any: results never outlive
    // the renderer.
    ~ThumbnailRenderer() override;

    // From now on renders `jobs`, first first, at `shown_pixels`; the job
    // being rendered finishes and is not rendered again.
    void SetWanted(std::vector<ThumbnailJob> jobs, QSize shown_pixels);

    // How many pictures have been taken up to be drawn so far.
    long long started();

  signals:
    void rendered(const seedscape::ThumbnailJob& job, const seedscape::Thumbnail& thumbnail);

  private:
    void Work();
    // On the owner's thread: hands out every result finished so far.
    Q_INVOKABLE void Deliver();

    struct Finished {
        ThumbnailJob job;
        Thumbnail thumbnail;
    };

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<ThumbnailJob> wanted_;
    // Keys being rendered or on their way to the owner: not to be rendered
    // twice when the view changes meanwhile.
    QSet<QString> under_way_;
    std::deque<Finished> finished_;  // not yet delivered
    QSize shown_pixels_;
    long long started_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace seedscape
