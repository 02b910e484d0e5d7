#include "export/export_picture.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "colour/linear_light.h"
#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"
#include "render/graded_surface.h"
#include "state/grid_geometry.h"

namespace seedscape {

namespace {

// Draws nothing: the pictures before the named one are rendered only for
// what they leave in the record.
class NoSurface : public DrawingSurface {
  public:
    void SetPixel(int, int, ColourValue) override {}
    void SetColumn(int, int, const ColourValue*, int) override {}
};

// Takes the grid's samples column by column and writes the output columns
// of the band being drawn: each sample itself when there is one a pixel,
// else the average in linear light of each S x S block, graded before it is
// rounded to 8 bits. (Single samples are graded on their way in, by a
// GradedSurface.)
class ExportSurface final : public DrawingSurface {
  public:
    ExportSurface(int height, int supersample, int grid_rows, const Grading& grading)
        : height_(height), supersample_(supersample), grid_rows_(grid_rows), grader_(grading) {
        if (supersample_ > 1) sums_.resize(static_cast<std::size_t>(height_) * 3);
    }

    // The band's output columns from `first` on, `columns` of them: the
    // buffer keeps its storage from band to band.
    void StartBand(int first, int columns) {
        first_ = first;
        band_.width = columns;
        band_.height = height_;
        band_.pixels.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(height_) *
                            3);
    }
    const RgbImage& band() const { return band_; }

    void SetPixel(int c, int r, ColourValue colour) override {
        if (supersample_ == 1) {
            Write(band_.At(c - first_, r), colour);
        } else {
            AddSample(c, r, colour);
        }
    }

    // The fast pass hands whole columns: each is written without a call per
    // pixel, a tenth of a big picture's time where its samples are cheap.
    void SetColumn(int c, int top, const ColourValue* colours, int count) override {
        if (supersample_ == 1) {
            for (int k = 0; k < count; ++k) Write(band_.At(c - first_, top + k), colours[k]);
        } else {
            for (int k = 0; k < count; ++k) AddSample(c, top + k, colours[k]);
        }
    }

  private:
    static void Write(std::uint8_t* pixel, ColourValue colour) {
        pixel[0] = static_cast<std::uint8_t>(RedOf(colour));
        pixel[1] = static_cast<std::uint8_t>(GreenOf(colour));
        pixel[2] = static_cast<std::uint8_t>(BlueOf(colour));
    }

    void AddSample(int c, int r, ColourValue colour) {
        if (c % supersample_ == 0 && r == 0) std::fill(sums_.begin(), sums_.end(), 0.0);
        double* sum = &sums_[static_cast<std::size_t>(r / supersample_) * 3];
        sum[0] += LinearFromSrgb(static_cast<std::uint8_t>(RedOf(colour)));
        sum[1] += LinearFromSrgb(static_cast<std::uint8_t>(GreenOf(colour)));
        sum[2] += LinearFromSrgb(static_cast<std::uint8_t>(BlueOf(colour)));
        if (c % supersample_ == supersample_ - 1 && r == grid_rows_ - 1) Flush(c / supersample_);
    }

    void Flush(int u) {
        const double samples = static_cast<double>(supersample_) * supersample_;
        for (int v = 0; v < height_; ++v) {
            std::uint8_t* pixel = band_.At(u - first_, v);
            const double* sum = &sums_[static_cast<std::size_t>(v) * 3];
            const SrgbColour graded =
                grader_.GradeLight({sum[0] / samples, sum[1] / samples, sum[2] / samples});
            std::copy(graded.begin(), graded.end(), pixel);
        }
    }

    RgbImage band_;
    int first_ = 0;
    int height_;
    int supersample_;
    int grid_rows_;
    Grader grader_;
    std::vector<double> sums_;  // linear light of the output column being gathered
};

// The output columns of each band: the options' fixed number, or as many as
// take about kBandSeconds. The cost of a sample changes across a picture,
// smoothly for the most part: each band is sized from the time the one
// before took, and grows at most twofold, in case it reaches costlier parts.
class BandWidths {
  public:
    BandWidths(const ExportOptions& options, int grid_rows, int supersample)
        : fixed_(options.band_columns > 0), most_(MostColumns(grid_rows, supersample)) {
        columns_ = fixed_ ? options.band_columns : std::min(kFirstBandColumns, most_);
    }

    int columns() const { return columns_; }

    void Took(double seconds) {
        if (fixed_) return;
        const double wanted = columns_ * kBandSeconds / std::max(seconds, 1e-6);
        const int most = std::min(2 * columns_, most_);
        columns_ = static_cast<int>(std::clamp(wanted, 1.0, static_cast<double>(most)));
    }

  private:
    // A few output columns, so that the first band is quick however costly
    // its samples.
    static constexpr int kFirstBandColumns = 4;
    // The samples of a band are bounded too, and the fast pass's buffers with
    // them, where the samples cost next to nothing.
    static constexpr long kMostSamples = 1L << 20;

    static int MostColumns(int grid_rows, int supersample) {
        const long samples = static_cast<long>(std::max(grid_rows, 1)) * supersample;
        return static_cast<int>(std::max(1L, kMostSamples / samples));
    }

    bool fixed_;
    int most_;
    int columns_ = 1;
};

// The picture drawn at a place of the window's grid, written straight into
// an image of its own size.
class ImageSurface : public DrawingSurface {
  public:
    ImageSurface(RgbImage& image, int left, int top) : image_(image), left_(left), top_(top) {}

    void SetPixel(int x, int y, ColourValue colour) override {
        x -= left_;
        y -= top_;
        if (x < 0 || y < 0 || x >= image_.width || y >= image_.height) return;
        std::uint8_t* pixel = image_.At(x, y);
        pixel[0] = static_cast<std::uint8_t>(RedOf(colour));
        pixel[1] = static_cast<std::uint8_t>(GreenOf(colour));
        pixel[2] = static_cast<std::uint8_t>(BlueOf(colour));
    }
    void SetColumn(int x, int top, const ColourValue* colours, int count) override {
        for (int k = 0; k < count; ++k) SetPixel(x, top + k, colours[k]);
    }

  private:
    RgbImage& image_;
    int left_;
    int top_;
};

}  // namespace

int ExportWidth(const Recipe& recipe) {
    return kImageWidth * recipe.scale;
}

int ExportHeight(const Recipe& recipe) {
    return kImageHeight * recipe.scale;
}

bool RenderViewBands(ImageState& state, int scale, int supersample, const ExportOptions& options,
                     const ExportBandSink& sink, const Grading& grading) {
    const int width = kImageWidth * scale;
    const int height = kImageHeight * scale;
    // At 1x the grid is the image's own, sampled by the screen's pass as it
    // is, and the picture is one band.
    if (scale == 1 && supersample == 1) {
        const RenderPass screen_pass =
            options.screen_pass ? options.screen_pass : RenderPass(RenderImageFast);
        RgbImage image(width, height);
        const TilePlace place = TileOffset(state);
        ImageSurface surface(image, place.x, place.y);
        GradedSurface graded(surface, grading);
        screen_pass(state, graded);
        return sink(0, image) && (!options.progress || options.progress(1.0));
    }
    const SampleGrid grid = ScaledGrid(state, scale, supersample);
    ExportSurface surface(height, supersample, grid.rows(), grading);
    GradedSurface graded(surface, grading);
    DrawingSurface& target = supersample == 1 ? static_cast<DrawingSurface&>(graded) : surface;
    BandWidths bands(options, grid.rows(), supersample);
    for (int first = 0; first < grid.columns();) {
        const int end = std::min(first + bands.columns() * supersample, grid.columns());
        const auto start = std::chrono::steady_clock::now();
        surface.StartBand(first / supersample, (end - first) / supersample);
        options.pass(state, grid, first, end, target);
        bands.Took(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!sink(first / supersample, surface.band()) ||
            (options.progress && !options.progress(static_cast<double>(end) / grid.columns()))) {
            return false;
        }
        first = end;
    }
    return true;
}

ImageState RecordOfNamedPicture(const Recipe& recipe, const ExportOptions& options) {
    const RenderPass screen_pass =
        options.screen_pass ? options.screen_pass : RenderPass(RenderImageFast);
    ImageState state = RecipeMotherRecord(recipe);
    ImageState named;
    NoSurface nowhere;
    DrawRecipe(recipe, state, [&](ImageState& view, const RecipePicture& picture) {
        if (picture.last) {
            named = view;
        } else {
            screen_pass(view, nowhere);
        }
    });
    return named;
}

bool RenderExportBands(const Recipe& recipe, const ExportOptions& options,
                       const ExportBandSink& sink) {
    ImageState state = RecordOfNamedPicture(recipe, options);
    return RenderViewBands(state, recipe.scale, recipe.supersample, options, sink, recipe.grading);
}

ExportBandSink CollectBands(RgbImage& image) {
    return [&image](int first, const RgbImage& band) {
        const std::size_t row_bytes = static_cast<std::size_t>(band.width) * 3;
        for (int y = 0; y < band.height; ++y) {
            std::copy_n(band.At(0, y), row_bytes, image.At(first, y));
        }
        return true;
    };
}

std::optional<RgbImage> RenderView(ImageState& state, int scale, int supersample,
                                   const ExportOptions& options, const Grading& grading) {
    RgbImage image(kImageWidth * scale, kImageHeight * scale);
    if (!RenderViewBands(state, scale, supersample, options, CollectBands(image), grading)) {
        return std::nullopt;
    }
    return image;
}

std::optional<RgbImage> RenderExport(const Recipe& recipe, const ExportOptions& options) {
    RgbImage image(ExportWidth(recipe), ExportHeight(recipe));
    if (!RenderExportBands(recipe, options, CollectBands(image))) return std::nullopt;
    return image;
}

}  // namespace seedscape
