#include "flight/frame_plan.h"

#include <algorithm>
#include <numbers>

#include "maths/maths.h"

namespace seedscape {

FramePlan PlanFrame(const Flight& flight, std::int64_t frame,
                    const std::vector<bool>& segment_moves) {
    if (flight.loop_us) {
        const std::int64_t frames = FrameCount(flight);
        const std::int64_t step = frame % frames;
        if (step == 0) return {FramePlan::Kind::kKey, 0, 0};
        return {FramePlan::Kind::kLoop, 0, static_cast<double>(step) / static_cast<double>(frames)};
    }
    // The last key at or before the frame.
    const auto after = std::upper_bound(
        flight.keys.begin(), flight.keys.end(), frame,
        [&flight](std::int64_t f, const FlightKey& key) { return f < KeyFrame(flight, key); });
    const auto key = static_cast<std::size_t>(after - flight.keys.begin()) - 1;
    const std::int64_t start = KeyFrame(flight, flight.keys[key]);
    if (frame == start || key + 1 == flight.keys.size()) return {FramePlan::Kind::kKey, key, 0};
    const std::int64_t end = KeyFrame(flight, flight.keys[key + 1]);
    const double u = static_cast<double>(frame - start) / static_cast<double>(end - start);
    const double progress = Ease(flight.keys[key + 1].ease, u);
    const auto kind = segment_moves[key] ? FramePlan::Kind::kMove : FramePlan::Kind::kCrossfade;
    return {kind, key, progress};
}

double Ease(Easing ease, double u) {
    if (ease == Easing::kLinear) return u;
    return u * u * (3 - 2 * u);
}

bool SameFamily(const ImageState& a, const ImageState& b) {
    return a.seed == b.seed && a.barva == b.barva && a.fak01 == b.fak01 && a.fak02 == b.fak02 &&
           a.dn1 == b.dn1 && a.dn2 == b.dn2 && a.dn3 == b.dn3;
}

PlaneView ViewOf(const ImageState& state) {
    return {state.zoomx1, state.zoomy1, state.di / state.zoomx1 - state.zoomx2,
            state.zoomy2 - state.dj / state.zoomy1};
}

void SetView(const PlaneView& view, ImageState& state) {
    state.zoomx1 = view.x_scale;
    state.zoomy1 = view.y_scale;
    state.zoomx2 = -view.left;
    state.zoomy2 = view.top;
    state.di = 0;
    state.dj = 0;
}

namespace {

double Between(double from, double to, double t) {
    return from + t * (to - from);
}

}  // namespace

PlaneView ViewBetween(const PlaneView& from, const PlaneView& to, double t) {
    if (from.x_scale == to.x_scale && from.y_scale == to.y_scale) {
        return {from.x_scale, from.y_scale, Between(from.left, to.left, t),
                Between(from.top, to.top, t)};
    }
    const double growth = maths::Exp(t * maths::Ln(to.x_scale / from.x_scale));
    PlaneView view{from.x_scale * growth, from.y_scale * growth, 0, 0};
    // The screen column where both views show the same plane point, and that
    // point: every view between keeps it in that column. Rows alike, with y
    // growing upwards.
    const double column = (to.left - from.left) / (1 / from.x_scale - 1 / to.x_scale);
    const double x = from.left + column / from.x_scale;
    view.left = x - column / view.x_scale;
    const double row = (from.top - to.top) / (1 / from.y_scale - 1 / to.y_scale);
    const double y = from.top - row / from.y_scale;
    view.top = y + row / view.y_scale;
    return view;
}

namespace {

using PointMember = Single ImageState::*;
constexpr std::array<std::array<PointMember, 2>, 3> kPoints = {{
    {&ImageState::xt1, &ImageState::yt1},
    {&ImageState::xt2, &ImageState::yt2},
    {&ImageState::xt3, &ImageState::yt3},
}};

}  // namespace

void MoveContinuousFields(const ImageState& from, const ImageState& to, double t,
                          ImageState& state) {
    for (const auto& point : kPoints) {
        for (const PointMember member : point) {
            state.*member =
                Between(static_cast<double>(from.*member), static_cast<double>(to.*member), t);
        }
    }
    state.cr = Between(from.cr, to.cr, t);
    state.ci = Between(from.ci, to.ci, t);
}

Grading GradingBetween(const Grading& from, const Grading& to, double t) {
    return {Between(from.hue, to.hue, t), Between(from.saturation, to.saturation, t),
            Between(from.exposure, to.exposure, t), Between(from.gamma, to.gamma, t)};
}

void MoveAlongLoop(const ImageState& start, double turn, ImageState& state) {
    constexpr double kTurn = 2 * std::numbers::pi;
    for (std::size_t k = 0; k < kPoints.size(); ++k) {
        const double phase = kTurn * static_cast<double>(k) / 3;
        const double angle = phase + kTurn * turn;
        const double dx = kLoopRadius * (maths::Cos(angle) - maths::Cos(phase));
        const double dy = kLoopRadius * (maths::Sin(angle) - maths::Sin(phase));
        state.*kPoints[k][0] = static_cast<double>(start.*kPoints[k][0]) + dx;
        state.*kPoints[k][1] = static_cast<double>(start.*kPoints[k][1]) + dy;
    }
}

}  // namespace seedscape
