#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <optional>
#include <vector>

#include "app/grid/canvas.h"
#include "recipe/recipe.h"
#include "state/image_state.h"
#include "state/random_generator.h"

namespace seedscape {

// A recipe's grid drawn again off the event thread, as pasting the recipe
// draws it, on copies of the window's record, generator and canvas. The
// window shows what it had until the copies come back, and presses made
// meanwhile wait behind the redraw, in the order they came.
class GridRedraw : public QObject {
    Q_OBJECT

  public:
    // What the window holds once the grid is drawn.
    struct Drawn {
        ImageState state;
        RandomGenerator random;
        Canvas canvas;
    };
    struct Press {
        float x = 0;
        float y = 0;
    };

    explicit GridRedraw(QObject* parent = nullptr);
    // Waits for a redraw under way: it holds only its own copies.
    ~GridRedraw() override;

    // Draws `recipe` from `fak` on the copies given. Only one at a time: the
    // one before must have been taken.
    void Start(const Recipe& recipe, double fak, ImageState state, RandomGenerator random,
               Canvas canvas);
    // Started and not yet taken.
    bool busy() const { return busy_; }
    void QueuePress(Press press);

    // The grid drawn, waiting for it if need be, and the presses queued
    // behind it; nothing when no redraw is under way.
    std::optional<Drawn> Take(std::vector<Press>& presses);

  signals:
    // The grid is drawn: Take returns without waiting.
    void drawn();

  private:
    QFutureWatcher<Drawn> drawing_;
    bool busy_ = false;
    std::vector<Press> presses_;
};

}  // namespace seedscape
