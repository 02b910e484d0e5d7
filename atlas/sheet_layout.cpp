#include "atlas/sheet_layout.h"

#include <algorithm>

#include "recipe/draw_recipe.h"
#include "render/fast/fast_render.h"

namespace seedscape {

namespace {

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

}  // namespace

SheetPlace PlaceOnSheet(int index, int columns) {
    return {index % columns * kSheetStepX, index / columns * kSheetStepY};
}

int SheetColumns(int count, int columns) {
    return std::max(1, std::min(count, columns));
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

std::string CheckSheetSize(int count, int columns) {
    if (count < 1) return "a contact sheet needs at least one picture";
    if (count > kMostSheetPictures) {
        return "a contact sheet takes at most " + std::to_string(kMostSheetPictures) + " pictures";
    }
    if (columns < 1 || columns > kMostSheetColumns) {
        return "a contact sheet has from 1 to " + std::to_string(kMostSheetColumns) + " columns";
    }
    if (SheetHeight(count, columns) > kLargestSheetSide) {
        int fewest = columns;
        while (SheetHeight(count, fewest) > kLargestSheetSide) ++fewest;
        return std::to_string(count) + " pictures in " + std::to_string(columns) +
               (columns == 1 ? " column" : " columns") + " make a sheet " +
               std::to_string(SheetHeight(count, columns)) + " pixels high, more than the " +
               std::to_string(kLargestSheetSide) + " a PNG may have; give at least " +
               std::to_string(fewest) + " columns";
    }
    return {};
}

std::string CheckSheet(const std::vector<Recipe>& recipes, int columns) {
    return CheckSheetSize(static_cast<int>(std::min<std::size_t>(
                              recipes.size(), static_cast<std::size_t>(kMostSheetPictures) + 1)),
                          columns);
}

void DrawSheetRow(const std::vector<Recipe>& recipes, int first, int end, int across,
                  const LabelFont& font, RgbImage& band, const std::function<void(int)>& drawn) {
    Fill(band, 0, 0, band.width, band.height, kSheetBackground);
    for (int index = first; index < end; ++index) {
        const Recipe& recipe = recipes[static_cast<std::size_t>(index)];
        const int left = PlaceOnSheet(index, across).x;
        Place(band, left, RenderRecipePicture(OnScreen(recipe), RenderImageFast));
        Label(band, left, SheetLabel(recipe), font);
        if (drawn) drawn(index);
    }
}

}  // namespace seedscape
