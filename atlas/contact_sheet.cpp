#include "atlas/contact_sheet.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "image_file/streamed_png.h"

namespace seedscape {

namespace {

constexpr PngTextWanted kSheetList = {kContactSheetKeyword, kLongestSheetList, "list of recipes"};

}  // namespace

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
    const auto drawn = [&](int index) {
        if (progress) progress(index + 1, count);
    };
    for (int first = 0; first < count && png.error().empty(); first += across) {
        const int end = std::min(first + across, count);
        DrawSheetRow(recipes, first, end, across, *font, band, drawn);
        const bool last = end == count;
        png.WriteRows(band, last ? kImageHeight + kLabelStripHeight : kSheetStepY);
    }
    result.error = png.Finish();
    result.ok = result.error.empty();
    return result;
}

SheetReading ReadContactSheet(const std::string& path) {
    PngChunkScan scan = ScanPngChunks(path, kSheetList);
    if (scan.fault == PngChunkScan::Fault::kNoText) {
        return {{}, path + " is not a seedscape contact sheet"};
    }
    if (scan.fault != PngChunkScan::Fault::kNone) return {{}, std::move(scan.error)};

    std::vector<std::string> recipes;
    const std::string_view list = scan.text;
    for (std::size_t start = 0; start < list.size();) {
        std::size_t end = list.find('\n', start);
        if (end == std::string_view::npos) end = list.size();
        if (end > start) recipes.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return {std::move(recipes), {}};
}

}  // namespace seedscape
