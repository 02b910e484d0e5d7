#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

#include "state/image_state.h"

namespace seedscape {

namespace record_fields {

// Converts to any field's type, so that counting how many of these a brace
// initialiser takes counts the fields of an aggregate.
struct AnyField {
    template <typename T>
    operator T() const;
};

template <typename T, std::size_t... I>
constexpr bool TakesInitializers(std::index_sequence<I...>) {
    return requires {
        T{(void(I), AnyField{})...};
    };
}

template <typename T, std::size_t N = 0>
constexpr std::size_t Count() {
    if constexpr (TakesInitializers<T>(std::make_index_sequence<N + 1>{})) {
        return Count<T, N + 1>();
    } else {
        return N;
    }
}

}  // namespace record_fields

// FirstDifference lists the record's fields by hand. If one of these fails,
// a field was added, removed or retyped: bring the list below up to date,
// then these numbers. (The size alone would miss a new Single that fills
// padding, the count alone a double that became a Single.)
static_assert(record_fields::Count<ImageState>() == 53, "add the new field to FirstDifference");
static_assert(sizeof(ImageState) == 368, "bring FirstDifference up to date with ImageState");

// Names the first field in which two records differ, bit for bit ("" when none).
inline std::string FirstDifference(const ImageState& a, const ImageState& b) {
    struct Field {
        const char* name;
        double a, b;
    };
    const Field fields[] = {
        {"i", double(a.i), double(b.i)},
        {"j", double(a.j), double(b.j)},
        {"zr", double(a.zr), double(b.zr)},
        {"zi", double(a.zi), double(b.zi)},
        {"cr", double(a.cr), double(b.cr)},
        {"ci", double(a.ci), double(b.ci)},
        {"zr2", double(a.zr2), double(b.zr2)},
        {"zi2", double(a.zi2), double(b.zi2)},
        {"n", double(a.n), double(b.n)},
        {"dn1", double(a.dn1), double(b.dn1)},
        {"dn2", double(a.dn2), double(b.dn2)},
        {"dn3", double(a.dn3), double(b.dn3)},
        {"xt", double(a.xt), double(b.xt)},
        {"yt", double(a.yt), double(b.yt)},
        {"di", double(a.di), double(b.di)},
        {"dj", double(a.dj), double(b.dj)},
        {"faktor1", double(a.faktor1), double(b.faktor1)},
        {"sir", double(a.sir), double(b.sir)},
        {"vis", double(a.vis), double(b.vis)},
        {"zoomx1", double(a.zoomx1), double(b.zoomx1)},
        {"zoomy1", double(a.zoomy1), double(b.zoomy1)},
        {"zoomx2", double(a.zoomx2), double(b.zoomx2)},
        {"zoomy2", double(a.zoomy2), double(b.zoomy2)},
        {"f", double(a.f), double(b.f)},
        {"tip", double(a.tip), double(b.tip)},
        {"barva", double(a.barva), double(b.barva)},
        {"re", double(a.re), double(b.re)},
        {"gr", double(a.gr), double(b.gr)},
        {"bl", double(a.bl), double(b.bl)},
        {"x", double(a.x), double(b.x)},
        {"y", double(a.y), double(b.y)},
        {"xt1", double(a.xt1), double(b.xt1)},
        {"yt1", double(a.yt1), double(b.yt1)},
        {"xt2", double(a.xt2), double(b.xt2)},
        {"yt2", double(a.yt2), double(b.yt2)},
        {"xt3", double(a.xt3), double(b.xt3)},
        {"yt3", double(a.yt3), double(b.yt3)},
        {"r1", double(a.r1), double(b.r1)},
        {"r2", double(a.r2), double(b.r2)},
        {"r3", double(a.r3), double(b.r3)},
        {"fak00", double(a.fak00), double(b.fak00)},
        {"fak", double(a.fak), double(b.fak)},
        {"fak01", double(a.fak01), double(b.fak01)},
        {"fak02", double(a.fak02), double(b.fak02)},
        {"seed", double(a.seed), double(b.seed)},
        {"yp", double(a.yp), double(b.yp)},
        {"grad", double(a.grad), double(b.grad)},
        {"bblack", double(a.bblack), double(b.bblack)},
        {"lestv", double(a.lestv), double(b.lestv)},
        {"nacin", double(a.nacin), double(b.nacin)},
        {"manjul", double(a.manjul), double(b.manjul)},
        {"zamikx", double(a.zamikx), double(b.zamikx)},
        {"zamiky", double(a.zamiky), double(b.zamiky)},
    };
    for (const Field& field : fields) {
        if (std::memcmp(&field.a, &field.b, sizeof field.a) != 0) return field.name;
    }
    return "";
}

}  // namespace seedscape
