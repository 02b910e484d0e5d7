#pragma once

#include <cstdint>

#include "state/single.h"

namespace seedscape {

// The one record every operation reads and writes. Fields keep their short
// names and their declared order. "Whole" fields are doubles that only ever
// hold whole values; Single fields are rounded to float when stored. The
// ranges of the parameters are in parameter_ranges.h.
struct ImageState {
    double i = 0, j = 0;                  // column and row of the current pixel inside its image
    double zr = 0, zi = 0;                // orbit point z; after the iteration, its last point
    double cr = 0, ci = 0;                // the iteration's constant c (the pixel's plane point)
    double zr2 = 0, zi2 = 0;              // zr and zi squared, kept for the escape test
    std::int32_t n = 0;                   // iteration count of the current pixel
    Single dn1, dn2, dn3;                 // per-image multipliers, in kMultiplierRange
    Single xt, yt;                        // position of the last mouse press, in pixels
    double di = 0, dj = 0;                // pixel shift of the view
    Single faktor1;                       // drawn with the parameters, read by nothing
    double sir = 0, vis = 0;              // largest column and row index: images are 291 x 211
    double zoomx1 = 0, zoomy1 = 0;        // pixels per unit of the plane
    double zoomx2 = 0, zoomy2 = 0;        // plane offset of the view's origin
    double f = 0;                         // magnification of the next child, in kMagnificationRange
    double tip = 0;                       // iteration formula selector (always 2)
    Single barva;                         // colour scheme, in kColourSchemeRange
    double re = 0, gr = 0, bl = 0;        // colour channels; they carry over from pixel to pixel
    double x = 0, y = 0;                  // plane point of the current pixel
    Single xt1, yt1, xt2, yt2, xt3, yt3;  // the three reference points
    double r1 = 0, r2 = 0, r3 = 0;        // distances to the reference points
    double fak00 = 0;                     // factor selector handed to ComputeFactor
    double fak = 0;                       // the last factor computed; never reset
    Single fak01, fak02;                  // factor selectors, in kFactorFormulaRange
    double seed = 0;                      // the image mother's seed, in kSeedRange
    double yp = 0;                        // palette sweep counter
    double grad = 0;                      // palette selector (always 8)
    double bblack = 0;                    // plotting selector (always 0)
    double lestv = 0;                     // palette selector of the render pass (always 0)
    double nacin = 0;                     // colour stage selector (always 1)
    double manjul = 0;                    // seeding selector (always 1)
    double zamikx = 0, zamiky = 0;        // tile offset of the image being drawn
};

// The window's start-up values of the fixed selectors and the tile offset.
inline void SetStartUpSelectors(ImageState& state) {
    state.zamikx = 0;
    state.zamiky = 0;
    state.tip = 2;
    state.grad = 8;
    state.nacin = 1;
    state.manjul = 1;
}

}  // namespace seedscape
