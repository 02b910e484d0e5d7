#include "atlas/contact_sheet.h"

#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>

#include "atlas/label_font.h"
#include "image_file/atomic_file.h"
#include "image_file/input_file.h"
#include "image_file/png_file.h"
#include "image_file/streamed_png.h"
#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"

namespace seedscape {

namespace {

constexpr int kLabelPixels = 13;

int SheetColumns(int count, int columns) {
    return std::max(1, std::min(count, columns));
}

int SheetRows(int count, int columns) {
    const int across = SheetColumns(count, columns);
    return (count + across - 1) / across;
}

void Fill(RgbImage& image, int left, int top, int width, int height, Rgb colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x)
            std::copy(colour.begin(), colour.end(), image.At(x, y));
    }
}

// Copies the picture into the band with its top left corner at (left, 0).
void Place(RgbImage& band, int left, const PixelImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const ColourValue colour = picture.At(x, y);
            std::uint8_t* pixel = band.At(left + x, y);
            pixel[0] = static_cast<std::uint8_t>(RedOf(colour));
            pixel[1] = static_cast<std::uint8_t>(GreenOf(colour));
            pixel[2] = static_cast<std::uint8_t>(BlueOf(colour));
        }
    }
}

// The strip under the picture at `left`, with the label centred in it.
void Label(RgbImage& band, int left, const std::string& text, const LabelFont& font) {
    const int top = kImageHeight;
    Fill(band, left, top, kImageWidth, kLabelStripHeight, kLabelStripColour);
    const int x = left + std::max(0, (kImageWidth - font.Width(text)) / 2);
    const int baseline = top + (kLabelStripHeight + font.Ascent() - font.Descent() + 1) / 2;
    font.Draw(band, x, baseline, text, kLabelInk);
}

std::string CheckSheet(const std::vector<Recipe>& recipes, int columns) {
    if (recipes.empty()) return "a contact sheet needs at least one picture";
    if (recipes.size() > static_cast<std::size_t>(kMostSheetPictures)) {
        return "a contact sheet takes at most " + std::to_string(kMostSheetPictures) + " pictures";
    }
    if (columns < 1 || columns > kMostSheetColumns) {
        return "a contact sheet has from 1 to " + std::to_string(kMostSheetColumns) + " columns";
    }
    return {};
}

// Reading the list: libpng's calls in a frame of their own, which a longjmp
// may leave without skipping a destructor.
struct ReadStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadStructs() { png_destroy_read_struct(&png, &info, nullptr); }
};

[[noreturn]] void OnReadError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void OnReadWarning(png_structp, png_const_charp) {}

// The text of the list's chunk among those before the image data; false
// when libpng fails, `text` null when there is no such chunk.
bool FindList(png_structp png, png_infop info, std::FILE* file, png_textp& text) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_read_info(png, info);
    png_textp texts = nullptr;
    const int count = png_get_text(png, info, &texts, nullptr);
    text = nullptr;
    for (int k = 0; k < count; ++k) {
        if (std::strcmp(texts[k].key, kContactSheetKeyword) == 0) text = &texts[k];
    }
    return true;
}

}  // namespace

SheetPlace PlaceOnSheet(int index, int columns) {
    return {index % columns * kSheetStepX, index / columns * kSheetStepY};
}

int SheetWidth(int count, int columns) {
    return (SheetColumns(count, columns) - 1) * kSheetStepX + kImageWidth;
}

int SheetHeight(int count, int columns) {
    return (SheetRows(count, columns) - 1) * kSheetStepY + kImageHeight + kLabelStripHeight;
}

std::string SheetLabel(const Recipe& recipe) {
    std::string label = "seed " + std::to_string(recipe.seed);
    if (!recipe.presses.empty()) {
        const std::size_t presses = recipe.presses.size();
        label += ", " + std::to_string(presses) + (presses == 1 ? " press" : " presses");
    }
    return label;
}

SheetWriting WriteContactSheet(const std::vector<Recipe>& recipes, int columns,
                               const std::string& path,
                               const std::function<void(int drawn, int count)>& progress) {
    SheetWriting result;
    if (std::string problem = CheckSheet(recipes, columns); !problem.empty()) {
        result.error = problem;
        return result;
    }
    std::string font_error;
    const std::unique_ptr<LabelFont> font = LabelFont::Open(kLabelPixels, font_error);
    if (!font) {
        result.error = font_error;
        return result;
    }

    const int count = static_cast<int>(recipes.size());
    std::string list;
    for (const Recipe& recipe : recipes) list += PrintRecipe(OnScreen(recipe)) + "\n";
    const int width = SheetWidth(count, columns);
    const int height = SheetHeight(count, columns);
    StreamedPng png(path, width, height,
                    {{kContactSheetKeyword, list}, {"Software", PngMetadata::SoftwareName()}});

    // One row of pictures at a time, with the gap below it.
    const int across = SheetColumns(count, columns);
    RgbImage band(width, kSheetStepY);
    for (int first = 0; first < count && png.error().empty(); first += across) {
        Fill(band, 0, 0, band.width, band.height, kSheetBackground);
        const int end = std::min(first + across, count);
        for (int index = first; index < end; ++index) {
            const Recipe& recipe = recipes[static_cast<std::size_t>(index)];
            const int left = PlaceOnSheet(index, across).x;
            Place(band, left, RenderRecipePicture(OnScreen(recipe), RenderImageFast));
            Label(band, left, SheetLabel(recipe), *font);
            if (progress) progress(index + 1, count);
        }
        const bool last = end == count;
        png.WriteRows(band, last ? kImageHeight + kLabelStripHeight : kSheetStepY);
    }
    result.error = png.Finish();
    result.ok = result.error.empty();
    return result;
}

SheetReading ReadContactSheet(const std::string& path) {
    const InputFile input = OpenInputFile(path);
    if (!input.error.empty()) return {{}, input.error};
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(fdopen(input.fd, "rb"), std::fclose);
    if (!file) {
        const int error = errno;
        close(input.fd);
        return {{}, "cannot read " + path + ": " + ErrorText(error)};
    }
    unsigned char signature[8] = {};
    if (std::fread(signature, 1, sizeof signature, file.get()) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0) {
        return {{}, path + " is not a PNG image"};
    }
    ReadStructs structs;
    structs.png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnReadError, OnReadWarning);
    if (structs.png != nullptr) structs.info = png_create_info_struct(structs.png);
    if (structs.info == nullptr) return {{}, "libpng could not start: out of memory"};
    png_set_sig_bytes(structs.png, sizeof signature);
    png_textp text = nullptr;
    if (!FindList(structs.png, structs.info, file.get(), text)) {
        return {{}, path + " cannot be read as a PNG image"};
    }
    if (text == nullptr) return {{}, path + " is not a seedscape contact sheet"};

    std::vector<std::string> recipes;
    const std::string_view list(text->text, text->text_length);
    for (std::size_t start = 0; start < list.size();) {
        std::size_t end = list.find('\n', start);
        if (end == std::string_view::npos) end = list.size();
        if (end > start) recipes.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return {std::move(recipes), {}};
}

}  // namespace seedscape
