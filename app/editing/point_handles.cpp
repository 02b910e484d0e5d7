#include "app/editing/point_handles.h"

#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>

#include "recipe/draw_recipe.h"
#include "recipe/settable_fields.h"
#include "render/fast/fast_render.h"
#include "state/parameter_ranges.h"

namespace seedscape {

namespace {

// A press this near a handle's centre, in canvas pixels, takes it.
constexpr double kGrabRadius = 6;
constexpr double kHandleRadius = 4;

struct PointFields {
    int x;
    int y;
};

std::array<PointFields, 3> PointFieldIndexes() {
    return {{{SettableFieldIndex("xt1"), SettableFieldIndex("yt1")},
             {SettableFieldIndex("xt2"), SettableFieldIndex("yt2")},
             {SettableFieldIndex("xt3"), SettableFieldIndex("yt3")}}};
}

// A value of a point's field: within -1 up to but not including 1, as the
// field stores it.
double ClampedPoint(int index, double value) {
    const SettableField& field = SettableFields()[static_cast<std::size_t>(index)];
    const double highest = std::nextafter(static_cast<float>(field.highest), 0.0f);
    return field.as_stored(std::clamp(value, field.lowest, highest));
}

}  // namespace

PointHandles::PointHandles(QObject* parent) : QObject(parent) {
    connect(&drawing_, &QFutureWatcher<PixelImage>::finished, this, &PointHandles::TakeFrame);
}

PointHandles::~PointHandles() {
    drawing_.waitForFinished();
}

std::array<QPointF, 3> PointHandles::Places(const Recipe& recipe) {
    // The mother's column i shows x = i / zoomx1 - zoomx2 and its row j
    // shows y = zoomy2 - j / zoomy1.
    const ImageState record = RecipeMotherRecord(recipe);
    std::array<QPointF, 3> places;
    const auto fields = PointFieldIndexes();
    for (std::size_t k = 0; k < 3; ++k) {
        const double x = FieldValue(recipe, fields[k].x);
        const double y = FieldValue(recipe, fields[k].y);
        places[k] = {(x + record.zoomx2) * record.zoomx1, (record.zoomy2 - y) * record.zoomy1};
    }
    return places;
}

std::optional<int> PointHandles::HandleAt(const Recipe& recipe, QPointF at) {
    const auto places = Places(recipe);
    // The last drawn lies on top: it is taken first.
    for (int k = 2; k >= 0; --k) {
        const QPointF away = places[static_cast<std::size_t>(k)] - at;
        if (QPointF::dotProduct(away, away) <= kGrabRadius * kGrabRadius) return k;
    }
    return std::nullopt;
}

void PointHandles::Begin(const Recipe& recipe, int point) {
    point_ = point;
    dragged_ = OnScreen(recipe);
}

void PointHandles::MoveTo(QPointF at) {
    if (!point_) return;
    const ImageState record = RecipeMotherRecord(dragged_);
    const PointFields fields = PointFieldIndexes()[static_cast<std::size_t>(*point_)];
    dragged_.overrides[static_cast<std::size_t>(fields.x)] =
        ClampedPoint(fields.x, at.x() / record.zoomx1 - record.zoomx2);
    dragged_.overrides[static_cast<std::size_t>(fields.y)] =
        ClampedPoint(fields.y, record.zoomy2 - at.y() / record.zoomy1);
    waiting_ = true;
    if (!drawing_.isRunning()) DrawLatest();
}

void PointHandles::DrawLatest() {
    waiting_ = false;
    Recipe mother = dragged_;
    mother.presses.clear();
    drawing_.setFuture(
        QtConcurrent::run([mother] { return RenderRecipePicture(mother, RenderImageFast); }));
}

void PointHandles::TakeFrame() {
    if (!point_) return;  // the drag ended: the grid is drawn whole
    ++frames_;
    emit motherDrawn(drawing_.result());
    if (waiting_) DrawLatest();
}

HandSetFields PointHandles::End() {
    point_.reset();
    waiting_ = false;
    drawing_.waitForFinished();
    return HandSetFieldsOf(dragged_);
}

void PointHandles::Paint(QPainter& painter, const Recipe& recipe) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    int number = 1;
    for (const QPointF& place : Places(recipe)) {
        painter.setPen(QPen(Qt::black, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(place, kHandleRadius, kHandleRadius);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawEllipse(place, kHandleRadius, kHandleRadius);
        painter.drawText(place + QPointF(kHandleRadius + 1, -kHandleRadius),
                         QString::number(number++));
    }
}

}  // namespace seedscape
