#pragma once

#include <cstdint>
#include <vector>

#include "colour/grading.h"
#include "render/drawing_surface.h"

namespace seedscape {

// One finished pixel graded: decoded to linear light, graded, encoded.
ColourValue GradeColour(const Grader& grader, ColourValue colour);

// Grades every pixel set through it and hands it on to `target`. The window
// and every picture at 1x draw through it, so that they show the same bytes.
// A neutral grading hands the pixels on untouched. A mother's 61,000 pixels
// hold some 19,000 distinct colours, so graded colours are kept in a cache.
class GradedSurface : public DrawingSurface {
  public:
    GradedSurface(DrawingSurface& target, const Grading& grading);

    void SetPixel(int x, int y, ColourValue colour) override;
    void SetColumn(int x, int top, const ColourValue* colours, int count) override;

  private:
    ColourValue Graded(ColourValue colour);

    DrawingSurface& target_;
    Grader grader_;
    // Direct-mapped: each colour has one slot, named by a hash of it; a slot
    // remembers the last colour graded there. No colour is kEmptySlot.
    static constexpr int kSlotBits = 16;
    static constexpr std::uint32_t kEmptySlot = 0xFFFFFFFFU;
    std::vector<std::uint32_t> keys_;
    std::vector<ColourValue> values_;
    std::vector<ColourValue> column_;
};

}  // namespace seedscape
