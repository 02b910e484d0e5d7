#include "app/variations/variant_renderer.h"

#include "app/shared/thumbnail.h"

namespace seedscape {

VariantRenderer::VariantRenderer(QObject* parent)
    : QObject(parent), thread_(&VariantRenderer::Work, this) {}

VariantRenderer::~VariantRenderer() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void VariantRenderer::Draw(quint64 request, std::vector<Recipe> recipes) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(recipes);
        pending_request_ = request;
        has_pending_ = true;
    }
    wake_.notify_one();
}

void VariantRenderer::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || has_pending_; });
        if (stopping_) return;
        const std::vector<Recipe> recipes = std::move(pending_);
        const quint64 request = pending_request_;
        has_pending_ = false;
        for (std::size_t k = 0; k < recipes.size(); ++k) {
            lock.unlock();
            const QImage picture = RenderThumbnail(recipes[k]);
            lock.lock();
            // A newer request makes the rest of this one stale.
            if (stopping_ || has_pending_) break;
            emit pictureDrawn(request, static_cast<int>(k), picture);
        }
    }
}

}  // namespace seedscape
