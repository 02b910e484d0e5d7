// Frames go in, a video comes out that players read back: the right number
// of frames of the right size and colours, at the right times, with the
// comment whole; and a video that is not finished leaves nothing behind.
#include "video/video_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/support/file_size_limit.h"
#include "tests/support/image_difference.h"
#include "tests/support/row_name.h"
#include "tests/support/scratch_directory.h"
#include "tests/video/decoded_video.h"
#include "tests/video/video_frames.h"
#include "video/gif_palette.h"
#include "video/video_probe.h"

namespace seedscape {
namespace {

using testing::DecodeVideo;
using testing::MovingGradient;
using testing::ScratchDirectory;

constexpr int kWidth = 291;  // odd both ways, as a flight at scale 1 is
constexpr int kHeight = 211;
constexpr int kFrames = 12;
constexpr int kFps = 30;

std::string Extension(VideoFormat format) {
    switch (format) {
        case VideoFormat::kMp4:
            return ".mp4";
        case VideoFormat::kWebm:
            return ".webm";
        case VideoFormat::kGif:
            return ".gif";
    }
    return "";
}

// A comment as long as a video carries, of many lines, not all of them ASCII.
std::string LongestComment() {
    std::string text;
    for (int line = 0; text.size() < kLongestVideoComment; ++line) {
        text += "key " + std::to_string(line) + " at " + std::to_string(line) +
                ".25 s: seed=123 couleur é\n";
    }
    text.resize(kLongestVideoComment);
    text.back() = '\n';
    return text;
}

// How far an 8 x 8 block's mean may come back from the source's. H.264 and
// VP9 stay within 7 levels, and a wrong colour matrix or range is 30 off.
// 256 colours for a gradient through all three channels leave up to 31 in a
// GIF; DecodesToThePaletteMappedFrames checks its pixels exactly.
int Tolerance(VideoFormat format) {
    return format == VideoFormat::kGif ? 36 : 10;
}

// Writes the gradient's frames; "" or the first failure.
std::string WriteFrames(VideoWriter& writer, int frames) {
    if (writer.NeedsSurvey()) {
        for (int n = 0; n < frames; ++n) writer.Survey(MovingGradient(kWidth, kHeight, n));
    }
    for (int n = 0; n < frames; ++n) {
        const std::string problem = writer.Write(MovingGradient(kWidth, kHeight, n));
        if (!problem.empty()) return problem;
    }
    return "";
}

class VideoRoundTrip : public ::testing::TestWithParam<VideoFormat> {};

TEST_P(VideoRoundTrip, FramesSizeRateColoursAndCommentComeBack) {
    const VideoFormat format = GetParam();
    ScratchDirectory folder;
    const std::string path = folder / ("flight" + Extension(format));
    const VideoSettings settings{kWidth, kHeight, kFps, LongestComment()};
    std::string error;
    auto writer = VideoWriter::Open(path, format, settings, error);
    ASSERT_NE(writer, nullptr) << error;
    ASSERT_EQ(WriteFrames(*writer, kFrames), "");
    ASSERT_EQ(writer->Finish(), "");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"flight" + Extension(format)});

    const VideoProbe probe = ProbeVideo(path);
    ASSERT_EQ(probe.error, "");
    EXPECT_EQ(probe.format, format);
    const int width = StoredWidth(format, kWidth);
    const int height = StoredHeight(format, kHeight);
    EXPECT_EQ(probe.width, width);
    EXPECT_EQ(probe.height, height);
    EXPECT_NEAR(probe.fps, kFps, 1e-6);
    if (format == VideoFormat::kGif) {
        EXPECT_EQ(probe.comment, "");  // FFmpeg's GIF muxer writes none
    } else {
        EXPECT_TRUE(probe.comment == settings.comment)
            << "a comment of " << probe.comment.size() << " bytes came back";
    }

    const testing::DecodedVideo video = DecodeVideo(path);
    ASSERT_EQ(video.error, "");
    ASSERT_EQ(video.frames.size(), static_cast<std::size_t>(kFrames));
    for (int n = 0; n < kFrames; ++n) {
        const RgbImage& got = video.frames[n];
        const RgbImage want = MovingGradient(kWidth, kHeight, n);
        ASSERT_EQ(got.width, width);
        ASSERT_EQ(got.height, height);
        EXPECT_LE(testing::LargestBlockDifference(got, want), Tolerance(format)) << "frame " << n;
        if (format == VideoFormat::kGif) {
            // Every frame of the loop shown from round(100 n / fps)
            // hundredths: 0, 3, 7, 10, ...
            EXPECT_EQ(std::lround(video.times[n] * 100), std::lround(100.0 * n / kFps))
                << "frame " << n;
            continue;
        }
        EXPECT_NEAR(video.times[n] - video.times[0], static_cast<double>(n) / kFps, 1e-3);
        // The added column and row copy the last ones, so they look alike.
        int column = 0;
        int row = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int c = 0; c < 3; ++c) column += got.At(kWidth, y)[c] - want.At(kWidth - 1, y)[c];
        }
        for (int x = 0; x < kWidth; ++x) {
            for (int c = 0; c < 3; ++c) row += got.At(x, kHeight)[c] - want.At(x, kHeight - 1)[c];
        }
        EXPECT_LE(std::abs(column) / (3 * kHeight), 4) << "frame " << n;
        EXPECT_LE(std::abs(row) / (3 * kWidth), 4) << "frame " << n;
    }
    if (format == VideoFormat::kGif) {
        EXPECT_EQ(std::lround(video.end * 100), 100 * kFrames / kFps);  // the loop ends on time
    }
}

// A GIF is lossless after the palette: each frame decodes to exactly its
// pixels mapped through a palette chosen from the same frames.
TEST(GifVideo, DecodesToThePaletteMappedFrames) {
    ScratchDirectory folder;
    const std::string path = folder / "loop.gif";
    std::string error;
    auto writer = VideoWriter::Open(path, VideoFormat::kGif, {kWidth, kHeight, 25, ""}, error);
    ASSERT_NE(writer, nullptr) << error;
    ASSERT_EQ(WriteFrames(*writer, 5), "");
    ASSERT_EQ(writer->Finish(), "");

    GifPalette palette;
    for (int n = 0; n < 5; ++n) palette.Count(MovingGradient(kWidth, kHeight, n));
    palette.Build();
    const testing::DecodedVideo video = DecodeVideo(path);
    ASSERT_EQ(video.error, "");
    ASSERT_EQ(video.frames.size(), 5u);
    std::vector<std::uint8_t> indices(kWidth * kHeight);
    for (int n = 0; n < 5; ++n) {
        palette.Map(MovingGradient(kWidth, kHeight, n), indices.data(), kWidth);
        RgbImage want(kWidth, kHeight);
        for (std::size_t k = 0; k < indices.size(); ++k) {
            const std::uint32_t colour = palette.colours()[indices[k]];
            want.pixels[3 * k] = static_cast<std::uint8_t>(colour >> 16);
            want.pixels[3 * k + 1] = static_cast<std::uint8_t>(colour >> 8);
            want.pixels[3 * k + 2] = static_cast<std::uint8_t>(colour);
        }
        EXPECT_EQ(testing::ImageDifference(video.frames[n], want), "") << "frame " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(EachFormat, VideoRoundTrip,
                         ::testing::Values(VideoFormat::kMp4, VideoFormat::kWebm,
                                           VideoFormat::kGif),
                         [](const auto& info) { return testing::RowName(Extension(info.param)); });

class UnfinishedVideo : public ::testing::TestWithParam<VideoFormat> {};

TEST_P(UnfinishedVideo, LeavesNothingBehind) {
    ScratchDirectory folder;
    {
        std::string error;
        auto writer = VideoWriter::Open(folder / ("gone" + Extension(GetParam())), GetParam(),
                                        {kWidth, kHeight, kFps, "a comment"}, error);
        ASSERT_NE(writer, nullptr) << error;
        ASSERT_EQ(WriteFrames(*writer, 3), "");
        ASSERT_EQ(folder.Entries().size(), 1u);  // the temporary, while writing
    }
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EachFormat, UnfinishedVideo,
                         ::testing::Values(VideoFormat::kMp4, VideoFormat::kWebm,
                                           VideoFormat::kGif),
                         [](const auto& info) { return testing::RowName(Extension(info.param)); });

// A disk that fills part way: the writer tells the system's reason, whether
// at a frame or at the end, and the temporary goes.
class VideoOnAFullDisk : public ::testing::TestWithParam<VideoFormat> {};

TEST_P(VideoOnAFullDisk, SaysSoAndLeavesNothing) {
    ScratchDirectory folder;
    const std::string name = "full" + Extension(GetParam());
    std::string error;
    {
        const testing::FileSizeLimit limit(4096);
        auto writer =
            VideoWriter::Open(folder / name, GetParam(), {kWidth, kHeight, kFps, ""}, error);
        ASSERT_NE(writer, nullptr) << error;
        error = WriteFrames(*writer, kFrames);
        if (error.empty()) error = writer->Finish();
    }
    EXPECT_EQ(error, "cannot write " + (folder / name) + ": File too large");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(EachFormat, VideoOnAFullDisk,
                         ::testing::Values(VideoFormat::kMp4, VideoFormat::kWebm,
                                           VideoFormat::kGif),
                         [](const auto& info) { return testing::RowName(Extension(info.param)); });

// Ways to ask for a video that cannot be made, and what the user is told.
// Each leaves the folder empty.
struct Refusal {
    std::string name;
    VideoFormat format;
    std::string file;  // in the scratch folder
    VideoSettings settings;
    // What is done with the writer once open; "" when Open itself refuses.
    std::function<std::string(VideoWriter&)> use;
    std::string reason;  // a part of the message
};

void PrintTo(const Refusal& row, std::ostream* out) {
    *out << row.name;
}

class VideoRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(VideoRefusal, SaysWhyAndLeavesNothing) {
    const Refusal& row = GetParam();
    ScratchDirectory folder;
    const std::string path = folder / row.file;
    std::string error;
    auto writer = VideoWriter::Open(path, row.format, row.settings, error);
    if (writer) {
        ASSERT_TRUE(row.use) << "opened, and nothing to do with it";
        error = row.use(*writer);
        writer.reset();
    }
    EXPECT_NE(error.find(row.reason), std::string::npos) << error;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{});
}

const VideoSettings kSmall{kWidth, kHeight, kFps, ""};

INSTANTIATE_TEST_SUITE_P(
    Rows, VideoRefusal,
    ::testing::Values(
        Refusal{"a folder that does not exist",
                VideoFormat::kMp4,
                "missing/a.mp4",
                kSmall,
                {},
                "missing/a.mp4: No such file or directory"},
        Refusal{"a frame of another size", VideoFormat::kWebm, "a.webm", kSmall,
                [](VideoWriter& w) { return w.Write(MovingGradient(kWidth + 1, kHeight, 0)); },
                "a frame of 292 x 211 does not fit a video of 291 x 211"},
        Refusal{"no frames", VideoFormat::kMp4, "a.mp4", kSmall,
                [](VideoWriter& w) { return w.Finish(); }, "at least one frame"},
        Refusal{"a GIF frame written before it is surveyed", VideoFormat::kGif, "a.gif", kSmall,
                [](VideoWriter& w) { return w.Write(MovingGradient(kWidth, kHeight, 0)); },
                "surveyed before"},
        Refusal{"a comment too long",
                VideoFormat::kMp4,
                "a.mp4",
                {kWidth, kHeight, kFps, std::string(kLongestVideoComment + 1, 'x')},
                {},
                "at most 262144 bytes"},
        Refusal{"a comment with a zero byte",
                VideoFormat::kWebm,
                "a.webm",
                {kWidth, kHeight, kFps, std::string("one\0two", 7)},
                {},
                "zero byte"},
        Refusal{"a GIF faster than its delays can tell",
                VideoFormat::kGif,
                "a.gif",
                {kWidth, kHeight, 60, ""},
                {},
                "at most 50 frames a second"},
        Refusal{"a frame larger than H.264 allows",
                VideoFormat::kMp4,
                "a.mp4",
                {8192, 4368, kFps, ""},
                {},
                "139264 blocks"}),
    [](const auto& info) { return testing::RowName(info.param.name); });

}  // namespace
}  // namespace seedscape
