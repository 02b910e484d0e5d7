#include "render/graded_surface.h"

namespace seedscape {

ColourValue GradeColour(const Grader& grader, ColourValue colour) {
    const SrgbColour graded = grader.GradeSrgb({static_cast<std::uint8_t>(RedOf(colour)),
                                                static_cast<std::uint8_t>(GreenOf(colour)),
                                                static_cast<std::uint8_t>(BlueOf(colour))});
    return MakeColour(graded[0], graded[1], graded[2]);
}

GradedSurface::GradedSurface(DrawingSurface& target, const Grading& grading)
    : target_(target), grader_(grading) {
    if (grader_.neutral()) return;
    keys_.assign(std::size_t{1} << kSlotBits, kEmptySlot);
    values_.resize(keys_.size());
}

ColourValue GradedSurface::Graded(ColourValue colour) {
    // Fibonacci hashing: the top bits of the product mix every bit of the
    // colour, so that neighbouring shades spread over the slots.
    const std::uint32_t slot = (colour * 0x9E3779B1U) >> (32 - kSlotBits);
    if (keys_[slot] != colour) {
        keys_[slot] = colour;
        values_[slot] = GradeColour(grader_, colour);
    }
    return values_[slot];
}

void GradedSurface::SetPixel(int x, int y, ColourValue colour) {
    target_.SetPixel(x, y, grader_.neutral() ? colour : Graded(colour));
}

void GradedSurface::SetColumn(int x, int top, const ColourValue* colours, int count) {
    if (grader_.neutral()) {
        target_.SetColumn(x, top, colours, count);
        return;
    }
    column_.resize(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) column_[k] = Graded(colours[k]);
    target_.SetColumn(x, top, column_.data(), count);
}

}  // namespace seedscape
