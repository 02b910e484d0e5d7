#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "colour/grading.h"
#include "flight/flight.h"
#include "state/image_state.h"

namespace seedscape {

// What one frame of a flight shows.
struct FramePlan {
    enum class Kind {
        kKey,        // a key's picture, exactly as its recipe draws it
        kMove,       // between two keys of one family: the view and the points move
        kCrossfade,  // between keys of different families: their pictures mixed
        kLoop,       // a loop's frame: the key with its points moved along their circles
    };
    Kind kind = Kind::kKey;
    std::size_t key = 0;  // kKey: the key; else the key that starts the segment
    // kMove, kCrossfade: the segment's eased time fraction, 0 < progress < 1.
    // kLoop: the turn done, 0 < progress < 1.
    double progress = 0;
};

// The plan of frame `frame` (0 <= frame < FrameCount) of a flight that reads,
// told whether each segment joins two keys of one family.
FramePlan PlanFrame(const Flight& flight, std::int64_t frame,
                    const std::vector<bool>& segment_moves);

// A segment's time fraction u as the key at its end eases it: u itself, or
// 3u^2 - 2u^3, which leaves and reaches the keys at rest.
double Ease(Easing ease, double u);

// Two pictures belong to one family when they share the seed and every
// whole-number parameter (scheme, factor formulas, multipliers): then the
// frames between them can move from one view to the other.
bool SameFamily(const ImageState& a, const ImageState& b);

// Where a view lies in the plane: pixels per unit across and down, and the
// plane point of its top left pixel.
struct PlaneView {
    double x_scale = 0;
    double y_scale = 0;
    double left = 0;
    double top = 0;
};

// The view the record renders: column i shows x = (i + di) / zoomx1 - zoomx2.
PlaneView ViewOf(const ImageState& state);

// Makes the record render `view`: column i at x = left + i / x_scale, row j at
// y = top - j / y_scale.
void SetView(const PlaneView& view, ImageState& state);

// The view a fraction t of the way from `from` to `to`: the magnification
// changes at a constant rate (its logarithm moves evenly), and the point
// that both views show at the same place of the screen stays there. Views
// of the same magnification pan evenly.
PlaneView ViewBetween(const PlaneView& from, const PlaneView& to, double t);

// The continuous fields a move carries along a straight line: the three
// reference points and the constant c.
void MoveContinuousFields(const ImageState& from, const ImageState& to, double t,
                          ImageState& state);

// The grading a fraction t of the way from one to the other: each of its
// values moves in a straight line.
Grading GradingBetween(const Grading& from, const Grading& to, double t);

// The radius of the circles a loop's reference points travel, in plane units.
inline constexpr double kLoopRadius = 0.1;

// Moves the reference points a `turn` (0 to 1) along their circles: each
// circle passes through the point's own place, where it starts, and the three
// start a third of a turn apart, so that the loop closes on its first frame.
void MoveAlongLoop(const ImageState& start, double turn, ImageState& state);

}  // namespace seedscape
