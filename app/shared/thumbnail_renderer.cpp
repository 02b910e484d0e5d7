#include "app/shared/thumbnail_renderer.h"

#include <algorithm>

#include "app/shared/thumbnail.h"
#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"

namespace seedscape {

Thumbnail MakeThumbnail(const Recipe& recipe, QSize shown_pixels) {
    // The renderer runs one picture on each core: no picture is split.
    const RenderPass one_thread = [](ImageState& state, DrawingSurface& surface) {
        FastRenderOptions options;
        options.threads = 1;
        RenderImageFastWith(state, surface, options);
    };
    Thumbnail thumbnail;
    thumbnail.full = ToQImage(RenderRecipePicture(OnScreen(recipe), one_thread));
    thumbnail.shown =
        thumbnail.full.scaled(shown_pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return thumbnail;
}

ThumbnailRenderer::ThumbnailRenderer(QObject* parent, int threads) : QObject(parent) {
    if (threads <= 0) threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    for (int k = 0; k < threads; ++k) {
        workers_.emplace_back([this] { Work(); });
    }
}

ThumbnailRenderer::~ThumbnailRenderer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        wanted_.clear();
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
    // Results finished before the join die with this object, unseen.
}

void ThumbnailRenderer::SetWanted(std::vector<ThumbnailJob> jobs, QSize shown_pixels) {
    {
        std::lock_guard lock(mutex_);
        wanted_.clear();
        for (ThumbnailJob& job : jobs) {
            if (!under_way_.contains(job.key)) wanted_.push_back(std::move(job));
        }
        shown_pixels_ = shown_pixels;
    }
    wake_.notify_all();
}

long long ThumbnailRenderer::started() {
    std::lock_guard lock(mutex_);
    return started_;
}

void ThumbnailRenderer::Work() {
    for (;;) {
        ThumbnailJob job;
        QSize shown_pixels;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !wanted_.empty(); });
            if (stopping_) return;
            job = std::move(wanted_.front());
            wanted_.pop_front();
            under_way_.insert(job.key);
            ++started_;
            shown_pixels = shown_pixels_;
        }
        Thumbnail thumbnail = MakeThumbnail(job.recipe, shown_pixels);
        bool first;
        {
            std::lock_guard lock(mutex_);
            first = finished_.empty();
            finished_.push_back({std::move(job), std::move(thumbnail)});
        }
        // The results travel under this object's own lock; the queued call
        // only wakes the owner's thread, once for as many as are waiting.
        if (first) QMetaObject::invokeMethod(this, "Deliver", Qt::QueuedConnection);
    }
}

void ThumbnailRenderer::Deliver() {
    std::deque<Finished> finished;
    {
        std::lock_guard lock(mutex_);
        finished.swap(finished_);
        for (const Finished& result : finished) under_way_.remove(result.job.key);
    }
    for (const Finished& result : finished) emit rendered(result.job, result.thumbnail);
}

}  // namespace seedscape
