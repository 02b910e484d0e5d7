#pragma once

#include <sstream>
#include <string>

#include "state/image_state.h"

namespace seedscape::testing {

// Empty when `state` holds the view every image mother is drawn with, and
// that a child restores: 72 and 52 pixels per unit, the origin 2 units in, no
// shift. Otherwise it names each field that differs, so that GoogleTest and
// Qt Test can both report it.
inline std::string BaseViewDifference(const ImageState& state) {
    struct Field {
        const char* name;
        double value, base;
    };
    const Field fields[] = {
        {"zoomx1", state.zoomx1, 72}, {"zoomy1", state.zoomy1, 52}, {"zoomx2", state.zoomx2, 2},
        {"zoomy2", state.zoomy2, 2},  {"di", state.di, 0},          {"dj", state.dj, 0},
    };
    std::ostringstream difference;
    difference.precision(17);
    for (const Field& field : fields) {
        if (field.value != field.base) {
            difference << field.name << " is " << field.value << ", not " << field.base << "; ";
        }
    }
    return difference.str();
}

}  // namespace seedscape::testing
