#include "export/write_picture.h"

#include <atomic>

#include "export/export_picture.h"
#include "image_file/png_file.h"
#include "render/fast/fast_render.h"

namespace seedscape {

namespace {

// Rendering takes most of an export's time, encoding the rest; the bar
// gives them shares in proportion.
constexpr double kRenderShare = 0.8;

}  // namespace

PictureWriting WritePicturePng(const Recipe& recipe, const std::string& path,
                               const std::function<bool(double done)>& progress) {
    PictureWriting result;
    ExportOptions options;
    options.progress = [&](double done) { return !progress || progress(kRenderShare * done); };
    const std::optional<RgbImage> image = RenderExport(recipe, options);
    if (!image) {
        result.cancelled = true;
        result.error = kWriteCancelled;
        return result;
    }

    std::atomic<bool> cancel{false};
    PngProgress encoding;
    encoding.cancel = &cancel;
    if (progress) {
        encoding.progress = [&](int rows_written, int rows) {
            const double done = kRenderShare + (1 - kRenderShare) * rows_written / rows;
            if (!progress(done)) cancel = true;
        };
    }
    PngMetadata metadata;
    metadata.recipe = PrintRecipe(recipe);
    result.error = WritePng(path, *image, metadata, encoding);
    result.ok = result.error.empty();
    result.cancelled = cancel;
    return result;
}

}  // namespace seedscape
