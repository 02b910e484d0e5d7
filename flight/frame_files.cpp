#include "flight/frame_files.h"

#include <filesystem>
#include <map>
#include <string_view>
#include <system_error>

#include "flight/flight_text.h"
#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "recipe/message_text.h"
#include "recipe/number_text.h"

namespace seedscape {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPngSuffix = ".png";
// The longest frame number a file may carry: digits of any int64 and room.
constexpr std::size_t kLongestFrameText = 32;

constexpr PngTextWanted kFlightText = {kFlightKeyword, kLongestFlightText, "seedscape flight"};
constexpr PngTextWanted kFrameText = {kFrameKeyword, kLongestFrameText, "frame number"};

// The frame a file's name gives, or nothing when it is not six digits and
// ".png".
std::optional<std::int64_t> FrameOfName(std::string_view name) {
    if (name.size() != kFrameNameDigits + kPngSuffix.size() || !name.ends_with(kPngSuffix)) {
        return std::nullopt;
    }
    std::int64_t frame = 0;
    for (const char c : name.substr(0, kFrameNameDigits)) {
        if (c < '0' || c > '9') return std::nullopt;
        frame = frame * 10 + (c - '0');
    }
    return frame;
}

// A text carried by a frame, or why it cannot be had. Messages name the
// file by its name: the folder is the one the caller asked about.
struct CarriedText {
    std::optional<std::string> text;
    std::string error;
};

CarriedText ReadCarriedText(const fs::path& folder, const std::string& name,
                            const PngTextWanted& wanted) {
    const std::string path = (folder / name).string();
    PngChunkScan scan = ScanPngChunks(path, wanted);
    if (scan.fault == PngChunkScan::Fault::kNone) return {std::move(scan.text), {}};
    std::string error = std::move(scan.error);
    if (const std::size_t at = error.find(path); at != std::string::npos) {
        error.replace(at, path.size(), name);
    }
    return {std::nullopt, std::move(error)};
}

// What is wrong with one frame file of the flight that `flight_text` is, or "".
std::string FrameProblem(const fs::path& folder, std::int64_t frame,
                         const std::string& flight_text) {
    const std::string name = FrameFileName(frame);
    const CarriedText flight = ReadCarriedText(folder, name, kFlightText);
    if (!flight.text) return flight.error;
    if (*flight.text != flight_text) return name + " belongs to another flight";
    const CarriedText number = ReadCarriedText(folder, name, kFrameText);
    if (!number.text) return number.error;
    const std::optional<long long> carried = ParseWholeNumber(*number.text);
    if (!carried) {
        return name +
               " carries a frame number that does not read: " + EscapeForMessage(*number.text);
    }
    if (*carried != frame) return name + " says it is frame " + std::to_string(*carried);
    return {};
}

FrameFolderCheck Refuse(std::string error) {
    return {std::nullopt, {}, std::move(error)};
}

}  // namespace

std::string FrameFileName(std::int64_t frame) {
    if (frame < 0 || frame >= kMostFrameFiles) return {};
    std::string digits = std::to_string(frame);
    digits.insert(0, kFrameNameDigits - digits.size(), '0');
    return digits + std::string(kPngSuffix);
}

std::string WriteFrameFile(const std::string& folder, std::int64_t frame, const RgbImage& image,
                           const std::string& flight_text) {
    const std::string name = FrameFileName(frame);
    if (name.empty()) {
        return "frame " + std::to_string(frame) + " has no file name; frames go from 0 to " +
               std::to_string(kMostFrameFiles - 1);
    }
    if (flight_text.size() > kLongestFlightText) {
        return "the flight's text is longer than any flight (" +
               std::to_string(kLongestFlightText / 1024) + " KiB)";
    }
    PngMetadata metadata;
    metadata.texts = {{kFlightKeyword, flight_text}, {kFrameKeyword, std::to_string(frame)}};
    return WritePng((fs::path(folder) / name).string(), image, metadata);
}

FrameFolderCheck CheckFrameFolder(const std::string& folder,
                                  const std::optional<Flight>& expected) {
    const fs::path root(folder);
    std::error_code error;
    fs::directory_iterator entries(root, error);
    if (error) return Refuse("cannot read the folder " + folder + ": " + error.message());

    // Every name that ends in .png must be a frame's; sorted, so the first
    // problem told is the same on every machine.
    std::map<std::int64_t, std::string> frames;
    std::string first_stranger;
    for (; entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (!name.ends_with(kPngSuffix)) continue;
        const std::optional<std::int64_t> frame = FrameOfName(name);
        std::error_code not_a_file;
        if (frame && entries->is_regular_file(not_a_file)) {
            frames.emplace(*frame, name);
        } else if (first_stranger.empty() || name < first_stranger) {
            first_stranger = name;
        }
    }
    if (error) return Refuse("cannot read the folder " + folder + ": " + error.message());
    if (!first_stranger.empty()) {
        return Refuse(EscapeForMessage(first_stranger) +
                      " is not a frame: frames are files named by their number in " +
                      std::to_string(kFrameNameDigits) + " digits, like " + FrameFileName(42));
    }
    if (frames.empty()) {
        return Refuse(folder + " holds no frames (files named like " + FrameFileName(0) + ")");
    }

    // The flight is the one the first frame present carries; a missing first
    // frame is told below, in order.
    const std::string& first = frames.begin()->second;
    const CarriedText carried = ReadCarriedText(root, first, kFlightText);
    if (!carried.text) return Refuse(carried.error);
    FlightReading reading = ParseFlight(*carried.text);
    if (!reading.flight) {
        return Refuse(first + " carries a flight that does not read: " + reading.error);
    }
    if (expected && !(*reading.flight == *expected)) {
        return Refuse(first + " belongs to another flight");
    }

    const std::int64_t count = FrameCount(*reading.flight);
    const std::int64_t last_present = frames.rbegin()->first;
    for (std::int64_t frame = 0; frame < count || frame <= last_present; ++frame) {
        const bool present = frames.contains(frame);
        if (frame >= count) {
            if (!present) continue;
            return Refuse(FrameFileName(frame) + " is past the flight's last frame, " +
                          FrameFileName(count - 1));
        }
        if (!present) return Refuse(FrameFileName(frame) + " is missing");
        if (std::string problem = FrameProblem(root, frame, *carried.text); !problem.empty()) {
            return Refuse(std::move(problem));
        }
    }
    return {std::move(reading.flight), std::move(*carried.text), {}};
}

}  // namespace seedscape
