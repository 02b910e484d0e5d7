// Frame files: a folder of frames written for a flight passes its check and
// gives the flight back; each fault a folder may hold is refused with one
// line that names the file.
#include "flight/frame_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "flight/flight_text.h"
#include "image_file/png_file.h"
#include "tests/support/png_bytes.h"
#include "tests/support/row_name.h"

namespace seedscape {
namespace {

using testing::ScratchDirectory;

// Three frames at 10 fps: keys at 0 and 0.2 s.
const std::string kFlightText =
    "seedscape-flight/1 fps=10 scale=1 supersample=1\n"
    "at=0 seedscape/1 seed=1\n"
    "at=0.2 seedscape/1 seed=2\n";
const std::string kOtherFlightText =
    "seedscape-flight/1 fps=10 scale=1 supersample=1\n"
    "at=0 seedscape/1 seed=1\n"
    "at=0.2 seedscape/1 seed=3\n";

// The frames need no particular size: a tiny image of a different colour each.
void WriteFrame(const ScratchDirectory& folder, std::int64_t frame,
                const std::string& text = kFlightText) {
    const RgbImage image = testing::RandomImage(3, 2, static_cast<std::uint32_t>(frame));
    ASSERT_EQ(WriteFrameFile(folder.path().string(), frame, image, text), "");
}

void WriteAllFrames(const ScratchDirectory& folder) {
    for (std::int64_t frame = 0; frame < 3; ++frame) WriteFrame(folder, frame);
}

void WritePngWithTexts(const std::string& path,
                       std::vector<std::pair<std::string, std::string>> texts) {
    PngMetadata metadata;
    metadata.texts = std::move(texts);
    ASSERT_EQ(WritePng(path, testing::RandomImage(3, 2, 9), metadata), "");
}

TEST(FrameFiles, AFolderOfEveryFrameGivesTheFlightBack) {
    const ScratchDirectory folder;
    WriteAllFrames(folder);
    // Neither a log nor a temporary is a frame.
    testing::WriteBytes(folder / "slurm-12.out", {'x'});
    testing::WriteBytes(folder / ".000001.png.tmp-7-0", {'x'});

    const FrameFolderCheck check = CheckFrameFolder(folder.path().string());
    ASSERT_TRUE(check.flight) << check.error;
    EXPECT_EQ(check.flight_text, kFlightText);
    EXPECT_TRUE(*check.flight == *ParseFlight(kFlightText).flight);
    EXPECT_EQ(CheckFrameFolder(folder.path().string(), check.flight).error, "");
    EXPECT_EQ(CheckFrameFolder(folder.path().string(), ParseFlight(kOtherFlightText).flight).error,
              "000000.png belongs to another flight");
}

TEST(FrameFiles, NamesRunToSixDigitsAndNoFurther) {
    EXPECT_EQ(FrameFileName(0), "000000.png");
    EXPECT_EQ(FrameFileName(42), "000042.png");
    EXPECT_EQ(FrameFileName(999999), "999999.png");
    EXPECT_EQ(FrameFileName(1000000), "");
    EXPECT_EQ(FrameFileName(-1), "");

    const ScratchDirectory folder;
    const RgbImage image(2, 2);
    EXPECT_EQ(WriteFrameFile(folder.path().string(), 1000000, image, kFlightText),
              "frame 1000000 has no file name; frames go from 0 to 999999");
    EXPECT_EQ(
        WriteFrameFile(folder.path().string(), 0, image, std::string(kLongestFlightText + 1, 'x')),
        "the flight's text is longer than any flight (256 KiB)");
    EXPECT_TRUE(folder.Entries().empty());
}

struct FolderFault {
    std::string name;
    std::function<void(const ScratchDirectory&)> damage;  // done to a folder of every frame
    std::string message;
};

void PrintTo(const FolderFault& row, std::ostream* out) {
    *out << row.name;
}

class FrameFolderFaults : public ::testing::TestWithParam<FolderFault> {};

TEST_P(FrameFolderFaults, AreToldNamingTheFile) {
    const ScratchDirectory folder;
    WriteAllFrames(folder);
    GetParam().damage(folder);
    const FrameFolderCheck check = CheckFrameFolder(folder.path().string());
    EXPECT_FALSE(check.flight);
    EXPECT_NE(check.error.find(GetParam().message), std::string::npos) << check.error;
}

std::vector<FolderFault> FolderFaults() {
    namespace fs = std::filesystem;
    const auto remove = [](const char* name) {
        return [=](const ScratchDirectory& folder) { fs::remove(folder / name); };
    };
    const std::string frame = "000001.png";
    const std::string too_long(kLongestFlightText + 1, 'x');
    return {
        {"a frame missing", remove("000001.png"), "000001.png is missing"},
        {"the first frame missing", remove("000000.png"), "000000.png is missing"},
        {"a copy of another frame",
         [](const ScratchDirectory& folder) {
             fs::copy_file(folder / "000002.png", folder / "000001.png",
                           fs::copy_options::overwrite_existing);
         },
         "000001.png says it is frame 2"},
        {"a frame of another flight",
         [](const ScratchDirectory& folder) { WriteFrame(folder, 1, kOtherFlightText); },
         "000001.png belongs to another flight"},
        {"a frame past the last", [](const ScratchDirectory& folder) { WriteFrame(folder, 3); },
         "000003.png is past the flight's last frame, 000002.png"},
        {"a png not named like a frame",
         [](const ScratchDirectory& folder) {
             fs::copy_file(folder / "000001.png", folder / "frame1.png");
         },
         "frame1.png is not a frame: frames are files named by their number in 6 digits, like "
         "000042.png"},
        {"seven digits",
         [](const ScratchDirectory& folder) {
             fs::copy_file(folder / "000001.png", folder / "0000001.png");
         },
         "0000001.png is not a frame"},
        {"a folder named like a frame",
         [](const ScratchDirectory& folder) { fs::create_directory(folder / "000003.png"); },
         "000003.png is not a frame"},
        {"a truncated frame",
         [](const ScratchDirectory& folder) {
             testing::Bytes bytes = testing::ReadBytes(folder / "000002.png");
             bytes.resize(bytes.size() - 20);
             testing::WriteBytes(folder / "000002.png", bytes);
         },
         "000002.png is truncated: the PNG image ends early"},
        {"a png without the flight",
         [=](const ScratchDirectory& folder) { WritePngWithTexts(folder / frame, {}); },
         "000001.png carries no seedscape flight"},
        {"a flight text too long",
         [=](const ScratchDirectory& folder) {
             WritePngWithTexts(folder / frame, {{kFlightKeyword, too_long}, {kFrameKeyword, "1"}});
         },
         "000001.png carries a seedscape flight longer than 256 KiB"},
        {"a png without its number",
         [=](const ScratchDirectory& folder) {
             WritePngWithTexts(folder / frame, {{kFlightKeyword, kFlightText}});
         },
         "000001.png carries no frame number"},
        {"a number that does not read",
         [=](const ScratchDirectory& folder) {
             WritePngWithTexts(folder / frame,
                               {{kFlightKeyword, kFlightText}, {kFrameKeyword, "one"}});
         },
         "000001.png carries a frame number that does not read: one"},
        {"a flight that does not read",
         [](const ScratchDirectory& folder) {
             for (std::int64_t k = 0; k < 3; ++k) WriteFrame(folder, k, "seedscape/1 seed=1");
         },
         "000000.png carries a flight that does not read: line 1: seedscape/1: not a seedscape "
         "flight"},
        {"no frames at all",
         [](const ScratchDirectory& folder) {
             for (const std::string& name : folder.Entries()) fs::remove(folder / name);
         },
         "holds no frames (files named like 000000.png)"},
    };
}

INSTANTIATE_TEST_SUITE_P(Rows, FrameFolderFaults, ::testing::ValuesIn(FolderFaults()),
                         [](const auto& info) { return testing::RowName(info.param.name); });

TEST(FrameFiles, AFolderThatIsNotThereIsRefused) {
    const ScratchDirectory folder;
    const FrameFolderCheck check = CheckFrameFolder(folder / "nowhere");
    EXPECT_FALSE(check.flight);
    EXPECT_TRUE(check.error.starts_with("cannot read the folder " + (folder / "nowhere")))
        << check.error;
}

}  // namespace
}  // namespace seedscape
