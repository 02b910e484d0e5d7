#pragma once

#include <QImage>
#include <QObject>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "recipe/recipe.h"

namespace seedscape {

// Draws the pictures of recipes on a thread of its own, so that the window
// stays responsive while a generation of children (each replaying its
// presses) is drawn. Only the latest request matters: a new one replaces the
// one in hand, whose pictures not yet drawn are dropped.
class VariantRenderer : public QObject {
    Q_OBJECT

  public:
    explicit VariantRenderer(QObject* parent = nullptr);
    // Waits for the picture in hand, if any, and stops the thread.
    ~VariantRenderer() override;

    // Draws `recipes` in order, each through RenderThumbnail; every picture
    // arrives through pictureDrawn with `request` and its index.
    void Draw(quint64 request, std::vector<Recipe> recipes);

  signals:
    // Emitted on the drawing thread: connect it queued.
    void pictureDrawn(quint64 request, int index, const QImage& picture);

  private:
    void Work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Recipe> pending_;
    quint64 pending_request_ = 0;
    bool has_pending_ = false;
    bool stopping_ = false;
    std::thread thread_;  // last: it starts once everything above exists
};

}  // namespace seedscape
