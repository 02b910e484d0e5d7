#include "cli/run_flight.h"

#include <string>

#include "cli/exit_status.h"
#include "cli/progress_line.h"
#include "flight/flight_text.h"
#include "recipe/message_text.h"

namespace seedscape::cli {

namespace {

int ReportBadFrames(std::FILE* err, const std::string& folder, const std::string& problem) {
    std::fprintf(err, "%s: %s: %s\n", kProgram, EscapeForMessage(folder).c_str(),
                 EscapeForMessage(problem).c_str());
    return kExitUsage;
}

}  // namespace

int RunFlight(const RenderOptions& options, std::FILE* out, std::FILE* err) {
    const FlightRun& run = options.flight;
    std::string text;
    if (run.print_flight) text += PrintFlight(run.flight);
    if (run.print_frame_count) text += std::to_string(FrameCount(run.flight)) + "\n";
    if (!text.empty() && !Print(out, text)) return ReportUnprintable(err);
    if (!options.output_path) return kExitDone;

    FlightFrames frames(run.flight);
    std::string problem;
    {
        ProgressLine progress(err, "drawing");
        const FlightProgress tell = [&progress](double done, std::int64_t count) {
            progress.ShowFrames(done, count);
            return true;
        };
        problem = run.frames
                      ? WriteFlightFrames(frames, run.frames->first, run.frames->second,
                                          *options.output_path, tell)
                      : WriteFlightVideo(frames, *options.output_path, run.video_format, tell);
    }
    if (!problem.empty()) return ReportUnwritable(err, *options.output_path, problem);
    return kExitDone;
}

int RunAssemble(const RenderOptions& options, std::FILE* err) {
    const FlightRun& run = options.flight;
    Assembly assembly;
    {
        ProgressLine progress(err, "assembling");
        assembly = AssembleFlight(run.assemble_folder, *options.output_path, run.video_format,
                                  run.verification, [&progress](double done, std::int64_t count) {
                                      progress.ShowFrames(done, count);
                                      return true;
                                  });
    }
    if (assembly.bad_frames) return ReportBadFrames(err, run.assemble_folder, assembly.error);
    if (!assembly.error.empty()) {
        return ReportUnwritable(err, *options.output_path, assembly.error);
    }
    return kExitDone;
}

}  // namespace seedscape::cli
