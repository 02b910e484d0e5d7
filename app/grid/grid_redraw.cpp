#include "app/grid/grid_redraw.h"

#include <QtConcurrent/QtConcurrentRun>
#include <utility>

#include "app/grid/show_recipe.h"

namespace seedscape {

GridRedraw::GridRedraw(QObject* parent) : QObject(parent) {
    connect(&drawing_, &QFutureWatcher<Drawn>::finished, this, [this] {
        if (busy_) emit drawn();
    });
}

GridRedraw::~GridRedraw() {
    drawing_.waitForFinished();
}

void GridRedraw::Start(const Recipe& recipe, double fak, ImageState state, RandomGenerator random,
                       Canvas canvas) {
    Q_ASSERT(!busy_);
    busy_ = true;
    drawing_.setFuture(
        QtConcurrent::run([recipe, fak, drawn = Drawn{state, random, std::move(canvas)}]() mutable {
            ShowRecipe(recipe, fak, drawn.state, drawn.random, drawn.canvas);
            return std::move(drawn);
        }));
}

void GridRedraw::QueuePress(Press press) {
    Q_ASSERT(busy_);
    presses_.push_back(press);
}

std::optional<GridRedraw::Drawn> GridRedraw::Take(std::vector<Press>& presses) {
    if (!busy_) return std::nullopt;
    busy_ = false;
    presses = std::exchange(presses_, {});
    return drawing_.result();  // waits for the drawing to end
}

}  // namespace seedscape
