#include "export/write_picture.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "export/column_spill.h"
#include "export/export_picture.h"
#include "export/export_progress.h"
#include "image_file/png_file.h"
#include "image_file/streamed_png.h"

namespace seedscape {

namespace {

// The rows read back and encoded at a time: a few megabytes, so that the
// memory stays small and a cancel is noticed within a few tens of
// milliseconds.
constexpr long kStripeBytes = 4L << 20;

class Stopwatch {
  public:
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

std::string FolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

PictureWriting Failed(std::string error) {
    PictureWriting result;
    result.error = std::move(error);
    return result;
}

PictureWriting Cancelled() {
    PictureWriting result;
    result.cancelled = true;
    result.error = kWriteCancelled;
    return result;
}

}  // namespace

// The columns are drawn left to right and the file is written top to bottom:
// the drawn columns wait in a temporary file, not in memory, and are read
// back a stripe of rows at a time.
PictureWriting WritePicturePng(const Recipe& recipe, const std::string& path,
                               const std::function<bool(double done)>& progress) {
    PngMetadata metadata;
    metadata.recipe = PrintRecipe(recipe);
    if (std::string problem = MetadataProblem(metadata); !problem.empty()) return Failed(problem);
    const int width = ExportWidth(recipe);
    const int height = ExportHeight(recipe);
    // Made first, so that a file that cannot be written is told at once; on
    // every way out before Finish() it is removed.
    StreamedPng png(path, width, height, MetadataTexts(metadata));
    if (!png.error().empty()) return Failed(png.error());
    ColumnSpill spill(FolderOf(path), width, height);
    if (!spill.error().empty()) return Failed(spill.error());

    ExportProgress shares(static_cast<double>(width) * height);
    const Stopwatch drawing;
    ExportOptions options;
    options.progress = [&](double drawn) {
        return !progress || progress(shares.Drawn(drawn, drawing.seconds()));
    };
    const auto keep = [&spill](int, const RgbImage& band) { return spill.Append(band); };
    if (!RenderExportBands(recipe, options, keep)) {
        return spill.error().empty() ? Cancelled() : Failed(spill.error());
    }
    const double drawing_seconds = drawing.seconds();

    const Stopwatch encoding;
    const int stripe = static_cast<int>(std::clamp(kStripeBytes / (3L * width), 1L, long{height}));
    RgbImage rows(width, stripe);
    for (int top = 0; top < height; top += stripe) {
        const int count = std::min(stripe, height - top);
        rows.height = count;
        rows.pixels.resize(static_cast<std::size_t>(width) * count * 3);
        if (!spill.ReadRows(top, rows)) return Failed(spill.error());
        if (!png.WriteRows(rows, count)) return Failed(png.error());
        const double encoded = static_cast<double>(top + count) / height;
        // A cancel after the last row still comes before the file is finished.
        if (progress && !progress(shares.Encoded(encoded, encoding.seconds(), drawing_seconds))) {
            return Cancelled();
        }
    }
    PictureWriting result;
    result.error = png.Finish();
    result.ok = result.error.empty();
    return result;
}

}  // namespace seedscape
