#pragma once

#include <functional>
#include <optional>

#include "image_file/rgb_image.h"
#include "recipe/recipe.h"
#include "render/fast/fast_samples.h"
#include "render/image_child.h"
#include "render/sample_grid.h"

namespace seedscape {

// Renders columns [first, end) of a sample grid onto a surface, continuing
// from the record: RenderSampleColumns, or the fast pass that draws the same.
using SampleColumnsPass =
    std::function<void(ImageState&, const SampleGrid&, int first, int end, DrawingSurface&)>;

struct ExportOptions {
    // The fast pass; RenderSampleColumns draws the same, slowly.
    SampleColumnsPass pass = [](ImageState& state, const SampleGrid& grid, int first, int end,
                                DrawingSurface& surface) {
        RenderSampleColumnsFast(state, grid, first, end, surface);
    };
    RenderPass screen_pass;  // the pictures before the named one; empty: the fast pass
    // Output columns rendered at a time: a bounded working set whatever the
    // export's size, and the moments at which progress is told and a cancel
    // is noticed. 0: sized as the export goes, so that every band takes
    // about kBandSeconds however costly its samples are; a render in the
    // window, which shares the render threads, then waits no longer. The
    // pixels are the same whatever the bands.
    int band_columns = 0;
    // Told the share done, 0 to 1, after every band; returning false cancels.
    std::function<bool(double done)> progress;
};

inline constexpr double kBandSeconds = 0.025;

// The export's size in pixels: 291 K x 211 K.
int ExportWidth(const Recipe& recipe);
int ExportHeight(const Recipe& recipe);

// The picture a recipe names at the recipe's scale and supersampling. The
// pictures before it are drawn as on screen, at 1x, so that the carried
// values entering it are the screen's; then the named picture is sampled K
// times as finely in bands of whole columns, in the render order, every
// S x S samples are averaged in linear light, and the recipe's grading is
// applied to each pixel (to each average, before it is rounded to 8 bits).
// At K = 1, S = 1 it is the picture as the window shows it, bit for bit.
// Empty when cancelled.
std::optional<RgbImage> RenderExport(const Recipe& recipe, const ExportOptions& options);

// Told each band of finished output columns as it is drawn: `band` holds
// output columns [first, first + band.width) of every row, left to right,
// and lives only until the call returns. Returning false stops the export.
using ExportBandSink = std::function<bool(int first, const RgbImage& band)>;

// RenderExport without holding the picture: the same pixels, handed to
// `sink` a band at a time. False when cancelled or stopped by the sink.
bool RenderExportBands(const Recipe& recipe, const ExportOptions& options,
                       const ExportBandSink& sink);

// The record as it stands when the recipe's named picture is about to be
// rendered: its view, its place, and what the pictures before it (rendered
// by the options' screen pass, at 1x, onto nothing) leave behind.
ImageState RecordOfNamedPicture(const Recipe& recipe, const ExportOptions& options);

// Renders the view the record holds, as the named picture of an export is
// rendered, at `scale` and `supersample` and graded by `grading`: 291K x
// 211K pixels handed to `sink` a band at a time, continuing from what the
// record carries. False when cancelled or stopped by the sink.
bool RenderViewBands(ImageState& state, int scale, int supersample, const ExportOptions& options,
                     const ExportBandSink& sink, const Grading& grading = {});

// The same view, held whole. Empty when cancelled.
std::optional<RgbImage> RenderView(ImageState& state, int scale, int supersample,
                                   const ExportOptions& options, const Grading& grading = {});

// A sink that copies each band into its columns of `image`.
ExportBandSink CollectBands(RgbImage& image);

}  // namespace seedscape
