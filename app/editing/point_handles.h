#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPainter>
#include <QPointF>
#include <array>
#include <optional>

#include "app/editing/hand_set_fields.h"
#include "recipe/recipe.h"
#include "render/pixel_image.h"

namespace seedscape {

// The three reference points as handles over the image mother, where they
// lie in its plane, and a drag of one of them. While a handle moves the
// mother is drawn again off the event thread: at most one drawing in
// flight, and when it ends the latest position is drawn next, so moves that
// came meanwhile are coalesced into one. The window draws the grid when the
// drag ends; this knows nothing of the window.
class PointHandles : public QObject {
    Q_OBJECT

  public:
    explicit PointHandles(QObject* parent = nullptr);
    ~PointHandles() override;

    // Where `recipe`'s three points lie on its mother, in canvas pixels.
    static std::array<QPointF, 3> Places(const Recipe& recipe);

    // The handle under `at` (canvas pixels) of `recipe`'s mother, if any.
    static std::optional<int> HandleAt(const Recipe& recipe, QPointF at);

    // Starts dragging handle `point` (0 to 2) of `recipe`'s mother.
    void Begin(const Recipe& recipe, int point);
    // The handle dragged to `at`: its point clamped to the field's range.
    void MoveTo(QPointF at);
    // Ends the drag: the fields it leaves. Frames still under way are dropped.
    HandSetFields End();

    bool dragging() const { return point_.has_value(); }
    // The recipe the handles show now: the one dragged, or none.
    const Recipe& dragged() const { return dragged_; }

    // Draws handles over the mother of `recipe`.
    static void Paint(QPainter& painter, const Recipe& recipe);

    // Whether a drawing of the mother is in flight.
    bool drawing() const { return drawing_.isRunning(); }
    // Drawings of the mother shown while dragging, for measuring.
    long long frames() const { return frames_; }

  signals:
    // The mother with the handle where it was moved to, graded, 291 x 211.
    void motherDrawn(const seedscape::PixelImage& mother);

  private:
    void DrawLatest();
    void TakeFrame();

    std::optional<int> point_;
    Recipe dragged_;        // the mother with the points as dragged so far
    bool waiting_ = false;  // a move not yet drawn
    QFutureWatcher<PixelImage> drawing_;
    long long frames_ = 0;
};

}  // namespace seedscape
