// seedscape-render's flights, run as a user runs them: frames drawn apart
// are the frames drawn in one process, and a key's frame is its recipe's
// picture; a folder of frames from many runs assembles into the flight's
// video, which carries the flight; frames missing, foreign or drawn wrong
// are named and nothing is written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "flight/flight_text.h"
#include "flight/frame_files.h"
#include "image_file/png_file.h"
#include "run_program.h"
#include "tests/video/decoded_video.h"
#include "video/video_probe.h"

namespace seedscape::cli {
namespace {

using testing::ReadText;
using testing::ScratchDirectory;

// A zoom into a child, on to a deeper one, and a crossfade to another seed,
// at 5 frames a second: 16 frames.
constexpr char kFlight[] =
    "seedscape-flight/1 fps=5 scale=1 supersample=1\n"
    "at=0 seedscape/1 seed=449139\n"
    "at=1.2 ease=smooth seedscape/1 seed=449139 press=150,100@20\n"
    "at=2 seedscape/1 seed=449139 xt1=0.5 press=150,100@20 press=60,150@7\n"
    "at=3 seedscape/1 seed=31337 barva=13\n";
constexpr int kFrames = 16;

RgbImage Pixels(const std::string& path) {
    PngPixelsReading reading = ReadPngPixels(path);
    EXPECT_TRUE(reading.image.has_value()) << reading.error;
    return reading.image.value_or(RgbImage{});
}

std::vector<unsigned char> Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class FlightProgram : public ::testing::Test {
  protected:
    void SetUp() override { std::ofstream(folder_ / "zoom.flight") << kFlight; }

    Outcome Run(std::vector<std::string> args) { return RunProgram(folder_, std::move(args)); }

    std::string Frame(const std::string& dir, int frame) const {
        return folder_ / (dir + "/" + FrameFileName(frame));
    }

    ScratchDirectory folder_;
};

// Each key's frame drawn alone, at a scale and supersampling.
TEST_F(FlightProgram, KeysFramesAreTheirRecipesPictures) {
    const FlightReading flight = ParseFlight(kFlight);
    ASSERT_TRUE(flight.flight) << flight.error;
    for (const FlightKey& key : flight.flight->keys) {
        const std::string frame = std::to_string(KeyFrame(*flight.flight, key));
        const Outcome drawn = Run({"--flight", "zoom.flight", "--scale", "2", "--supersample", "2",
                                   "--frames", frame + "-" + frame, "-o", "frames/"});
        ASSERT_EQ(drawn.status, 0) << drawn.err;
        const Outcome picture = Run({"--recipe", PrintRecipe(key.recipe), "--scale", "2",
                                     "--supersample", "2", "-o", "key.png"});
        ASSERT_EQ(picture.status, 0) << picture.err;
        EXPECT_TRUE(Pixels(Frame("frames", std::stoi(frame))) == Pixels(folder_ / "key.png"))
            << "frame " << frame;
    }
}

TEST_F(FlightProgram, SharesAssembleIntoTheFlightsVideo) {
    for (const char* share : {"0/3", "1/3", "2/3"}) {
        const Outcome outcome = Run({"--flight", "zoom.flight", "--share", share, "-o", "shares/"});
        ASSERT_EQ(outcome.status, 0) << outcome.err;
    }
    ASSERT_EQ(Run({"--flight", "zoom.flight", "--frames", "0-15", "-o", "whole/"}).status, 0);
    for (int frame = 0; frame < kFrames; ++frame) {
        EXPECT_EQ(Bytes(Frame("shares", frame)), Bytes(Frame("whole", frame))) << frame;
    }

    const Outcome assembled = Run({"--assemble", "shares", "-o", "out.mp4", "--verify", "all"});
    ASSERT_EQ(assembled.status, 0) << assembled.err;
    const Outcome printed = Run({"--flight", "zoom.flight", "--print-flight"});
    EXPECT_EQ(printed.out, kFlight);
    const VideoProbe probe = ProbeVideo(folder_ / "out.mp4");
    ASSERT_EQ(probe.error, "");
    EXPECT_EQ(probe.comment, printed.out);
    // H.264 wants even sizes: the last column and row are repeated.
    const seedscape::testing::DecodedVideo video =
        seedscape::testing::DecodeVideo(folder_ / "out.mp4");
    ASSERT_EQ(video.error, "");
    ASSERT_EQ(video.frames.size(), static_cast<std::size_t>(kFrames));
    EXPECT_EQ(video.frames[0].width, 292);
    EXPECT_EQ(video.frames[0].height, 212);
}

TEST_F(FlightProgram, AGifHoldsEveryFrameAtThePicturesSize) {
    ASSERT_EQ(Run({"--flight", "zoom.flight", "-o", "out.gif"}).status, 0);
    const seedscape::testing::DecodedVideo video =
        seedscape::testing::DecodeVideo(folder_ / "out.gif");
    ASSERT_EQ(video.error, "");
    ASSERT_EQ(video.frames.size(), static_cast<std::size_t>(kFrames));
    EXPECT_EQ(video.frames[0].width, 291);
    EXPECT_EQ(video.frames[0].height, 211);
    EXPECT_NEAR(video.end, 3.2, 0.011);  // 16 frames of a fifth of a second
}

TEST_F(FlightProgram, ALoopStartsOnThePictureAndComesBack) {
    const std::string recipe = "seedscape/1 seed=12345 barva=14 press=200,50@5";
    const Outcome loop = Run({"--recipe", recipe, "--loop", "1", "--fps", "4", "--frame-count",
                              "--frames", "0-3", "-o", "loop/"});
    ASSERT_EQ(loop.status, 0) << loop.err;
    EXPECT_EQ(loop.out, "4\n");
    ASSERT_EQ(Run({"--recipe", recipe, "-o", "picture.png"}).status, 0);
    EXPECT_TRUE(Pixels(Frame("loop", 0)) == Pixels(folder_ / "picture.png"));
    EXPECT_FALSE(Pixels(Frame("loop", 2)) == Pixels(folder_ / "picture.png"));
}

// Each fault of a folder of frames is named, exits 2 and writes no video.
TEST_F(FlightProgram, AssemblyNamesFramesMissingForeignOrDrawnWrong) {
    ASSERT_EQ(Run({"--flight", "zoom.flight", "--frames", "0-15", "-o", "frames/"}).status, 0);
    struct Fault {
        const char* name;
        void (*spoil)(const std::string& dir);
        const char* message;
    };
    const Fault faults[] = {
        {"missing", [](const std::string& dir) { std::filesystem::remove(dir + "/000007.png"); },
         "000007.png"},
        {"drawn wrong",
         [](const std::string& dir) {
             RgbImage image = ReadPngPixels(dir + "/000003.png").image.value();
             image.pixels[1000] ^= 1;
             ASSERT_EQ(WriteFrameFile(dir, 3, image, kFlight), "");
         },
         "000003.png is not frame 3"},
        {"foreign",
         [](const std::string& dir) {
             const RgbImage image = ReadPngPixels(dir + "/000005.png").image.value();
             std::string other = kFlight;
             other.replace(other.find("fps=5"), 5, "fps=10");
             ASSERT_EQ(WriteFrameFile(dir, 5, image, other), "");
         },
         "000005.png"},
    };
    for (const Fault& fault : faults) {
        const std::string dir = folder_ / fault.name;
        std::filesystem::copy(folder_ / "frames", dir);
        fault.spoil(dir);
        const Outcome outcome = Run({"--assemble", fault.name, "-o", "out.mp4", "--verify", "all"});
        EXPECT_EQ(outcome.status, 2) << fault.name;
        EXPECT_NE(outcome.err.find(fault.message), std::string::npos) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
        EXPECT_FALSE(std::filesystem::exists(folder_ / "out.mp4")) << fault.name;
    }
}

struct Refusal {
    std::string name;
    std::vector<std::string> args;
    std::string message;  // a part of the one line on standard error
};

void PrintTo(const Refusal& row, std::ostream* os) {
    *os << row.name;
}

class RefusedFlight : public FlightProgram, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedFlight, ExitsTwoWithOneLineAndWritesNothing) {
    std::ofstream(folder_ / "bad.flight")
        << "seedscape-flight/1 fps=5\nat=0.1 seedscape/1 seed=5\n";
    const std::vector<std::string> before = folder_.Entries();
    const Outcome outcome = Run(GetParam().args);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_NE(outcome.err.find(GetParam().message), std::string::npos) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
    EXPECT_EQ(folder_.Entries(), before);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, RefusedFlight, ::testing::Values(
    Refusal{"MalformedFlight", {"--flight", "bad.flight", "-o", "v.mp4"}, "--flight: bad.flight: line 2: at=0.1"},
    Refusal{"MissingFlight", {"--flight", "gone.flight", "-o", "v.mp4"}, "cannot read gone.flight"},
    Refusal{"KeysOffTheNewFrameRate", {"--flight", "zoom.flight", "--fps", "7", "-o", "v.mp4"}, "--flight: key 2: at=1.2"},
    Refusal{"TooLargeForH264", {"--flight", "zoom.flight", "--scale", "25", "-o", "v.mp4"}, "the largest scale it takes is 24"},
    Refusal{"GifTooFast", {"--flight", "zoom.flight", "--fps", "60", "-o", "v.gif"}, "-o v.gif:"},
    Refusal{"FramesPastTheEnd", {"--flight", "zoom.flight", "--frames", "10-16", "-o", "f/"}, "the flight has 16 frames, 0 to 15"},
    Refusal{"FramesWithoutAFolder", {"--flight", "zoom.flight", "--frames", "0-3", "-o", "v.mp4"}, "--frames: give -o DIR/"},
    Refusal{"LoopWithoutAPicture", {"--loop", "2", "-o", "v.mp4"}, "--loop: give the picture"},
    Refusal{"LoopAndFlight", {"--flight", "zoom.flight", "--loop", "2", "-o", "v.mp4"}, "--loop: cannot be combined with --flight"},
    Refusal{"VerifyWithoutAssemble", {"--flight", "zoom.flight", "--verify", "all", "-o", "v.mp4"}, "--verify: only goes with --assemble"},
    Refusal{"AssembleAnEmptyFolder", {"--assemble", ".", "-o", "v.mp4"}, "000000.png"},
    Refusal{"VideoForAPicture", {"--seed", "5", "-o", "v.mp4"}, "-o v.mp4: a picture is written as .png or .ppm"}),
    [](const auto& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace seedscape::cli
