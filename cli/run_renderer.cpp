#include "cli/run_renderer.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "atlas/atlas_sources.h"
#include "atlas/contact_sheet.h"
#include "breed/variations.h"
#include "cli/command_line.h"
#include "cli/exit_status.h"
#include "cli/progress_line.h"
#include "cli/render_request.h"
#include "cli/run_flight.h"
#include "recipe/message_text.h"
#include "recipe/settable_fields.h"

namespace seedscape::cli {

namespace {

int WriteSheet(const RenderOptions& options, std::FILE* err) {
    AtlasSource seeds = AtlasSource::FromSeed(options.first_seed);
    std::vector<Recipe> recipes;
    for (int k = 0; k <= options.last_seed - options.first_seed; ++k)
        recipes.push_back(*seeds.At(k));
    SheetWriting writing;
    {
        ProgressLine progress(err, "drawing");
        writing = WriteContactSheet(recipes, options.columns, *options.output_path,
                                    [&](int drawn, int count) { progress.Show(drawn, count); });
    }
    if (!writing.ok) return ReportUnwritable(err, *options.output_path, writing.error);
    return kExitDone;
}

int PrintVariations(const RenderOptions& options, std::FILE* out, std::FILE* err) {
    // The command line refuses locking every group, the one case without variants.
    const auto variants = BreedVariants(options.recipe, options.breeding);
    std::string text;
    for (const Recipe& variant : *variants) text += PrintRecipe(variant) + "\n";
    return Print(out, text) ? kExitDone : ReportUnprintable(err);
}

int RenderPicture(const RenderOptions& options, std::FILE* out, std::FILE* err) {
    // The clock only matters for a seed drawn from it; reading the local time
    // opens and parses the time zone's file.
    const float clock =
        options.seed_from_clock ? static_cast<float>(SecondsSinceLocalMidnight()) : 0.0f;
    const Recipe recipe = RequestedRecipe(options, clock);

    // A seed drawn from the clock is printed either way: without it the
    // picture could not be made again.
    std::string text;
    if (options.print_recipe) text += PrintRecipe(recipe) + "\n";
    if (options.print_parameters) text += FormatParameters(ParametersRecord(recipe));
    if (text.empty() && options.seed_from_clock) {
        text = "seed=" + std::to_string(recipe.seed) + "\n";
    }
    if (!text.empty() && !Print(out, text)) return ReportUnprintable(err);

    if (!options.output_path) return kExitDone;
    std::string reason;
    {
        ProgressLine progress(err, "rendering");
        reason = WritePicture(recipe, *options.output_path, options.output_format,
                              [&](double done) { progress.Show(done); });
    }
    if (!reason.empty()) return ReportUnwritable(err, *options.output_path, reason);
    return kExitDone;
}

}  // namespace

int RunRenderer(std::span<const std::string_view> args, std::FILE* out, std::FILE* err) {
    const CommandLine command_line = ParseCommandLine(args);
    if (command_line.action == CommandLine::Action::kUsageError) {
        std::fprintf(err, "%s: %s\n", kProgram, command_line.error.c_str());
        return kExitUsage;
    }
    if (command_line.action == CommandLine::Action::kShowHelp) {
        return Print(out, UsageText()) ? kExitDone : ReportUnprintable(err);
    }
    if (command_line.action == CommandLine::Action::kShowVersion) {
        return Print(out, VersionText() + "\n") ? kExitDone : ReportUnprintable(err);
    }
    const RenderOptions& options = command_line.options;
    switch (options.task) {
        case Task::kContactSheet:
            return WriteSheet(options, err);
        case Task::kVariations:
            return PrintVariations(options, out, err);
        case Task::kFlight:
            return RunFlight(options, out, err);
        case Task::kAssemble:
            return RunAssemble(options, err);
        case Task::kPicture:
            break;
    }
    return RenderPicture(options, out, err);
}

}  // namespace seedscape::cli
