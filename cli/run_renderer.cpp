#include "cli/run_renderer.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "cli/command_line.h"
#include "cli/image_file.h"
#include "recipe/message_text.h"
#include "recipe/number_text.h"
#include "recipe/settable_fields.h"
#include "cli/render_request.h"

namespace seedscape::cli {

namespace {

constexpr const char* kProgram = "seedscape-render";

// Writes `text` to `out`, flushed, so that a full disk or a closed pipe is
// noticed here and not lost at exit. Every write to standard output goes
// through here.
bool Print(std::FILE* out, const std::string& text) {
    errno = 0;
    const bool ok = std::fputs(text.c_str(), out) >= 0 && std::fflush(out) == 0;
    return ok && std::ferror(out) == 0;
}

int ReportUnprintable(std::FILE* err) {
    const int failure = errno;
    std::fprintf(err, "%s: cannot write to standard output: %s\n", kProgram,
                 failure != 0 ? std::strerror(failure) : "write error");
    return kExitWriteFailed;
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

    const RenderOptions& options = command_line.options;
    ImageState state = PrepareImageState(options, static_cast<float>(SecondsSinceLocalMidnight()));

    // A seed drawn from the clock is printed either way: without it the
    // picture could not be made again.
    std::string text;
    if (options.print_parameters) {
        text = FormatParameters(state);
    } else if (!options.seed) {
        text = "seed=" + FormatRoundTrip(state.seed) + "\n";
    }
    if (!text.empty() && !Print(out, text)) return ReportUnprintable(err);

    if (options.output_path) {
        const PixelImage image = RenderRequestedImage(state, options);
        const std::string& path = *options.output_path;
        const std::string reason = options.output_format == ImageFormat::kPng
                                       ? WritePng(path, image)
                                       : WritePpm(path, image);
        if (!reason.empty()) {
            std::fprintf(err, "%s: cannot write %s: %s\n", kProgram, EscapeForMessage(path).c_str(),
                         reason.c_str());
            return kExitWriteFailed;
        }
    }
    return kExitDone;
}

}  // namespace seedscape::cli
