// Files from users: whatever is not an MP4, WebM or GIF video of ours, or is
// damaged, is refused with a message naming it, and nothing crashes.
#include "video/video_probe.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <random>
#include <string>

#include "image_file/png_file.h"
#include "tests/support/png_bytes.h"
#include "tests/support/row_name.h"
#include "tests/support/scratch_directory.h"
#include "tests/video/remuxed_video.h"
#include "tests/video/video_frames.h"
#include "video/video_writer.h"

namespace seedscape {
namespace {

using testing::Bytes;
using testing::ScratchDirectory;

// A real, short video's bytes.
Bytes SomeVideo(VideoFormat format, const std::string& name) {
    ScratchDirectory folder;
    std::string error;
    auto writer = VideoWriter::Open(folder / name, format, {64, 48, 10, "hello"}, error);
    for (int n = 0; n < 4 && writer; ++n) writer->Write(testing::MovingGradient(64, 48, n));
    if (writer) writer->Finish();
    return testing::ReadBytes(folder / name);
}

const Bytes& SomeMp4() {
    static const Bytes bytes = SomeVideo(VideoFormat::kMp4, "a.mp4");
    return bytes;
}

// The video of `format` at `path`, carrying a comment one byte longer than
// a video of ours holds.
void WriteWithLongComment(VideoFormat format, const std::string& path) {
    const std::string source = path + ".source" + path.substr(path.rfind('.'));
    testing::WriteBytes(source, SomeVideo(format, "a" + path.substr(path.rfind('.'))));
    ASSERT_EQ(testing::RemuxWithComment(source, path, std::string(kLongestVideoComment + 1, 'c')),
              "");
    std::filesystem::remove(source);
}

struct ProbeRefusal {
    std::string name;
    std::string file;
    // Makes the file at the path, or leaves it missing.
    std::function<void(const std::string& path)> make;
    std::string reason;  // a part of the message, after the path
};

void PrintTo(const ProbeRefusal& row, std::ostream* out) {
    *out << row.name;
}

class VideoProbeRefusal : public ::testing::TestWithParam<ProbeRefusal> {};

TEST_P(VideoProbeRefusal, NamesTheFile) {
    const ProbeRefusal& row = GetParam();
    ScratchDirectory folder;
    const std::string path = folder / row.file;
    if (row.make) row.make(path);
    const VideoProbe probe = ProbeVideo(path);
    EXPECT_NE(probe.error.find(path), std::string::npos) << probe.error;
    EXPECT_NE(probe.error.find(row.reason), std::string::npos) << probe.error;
}

const char kNotAVideo[] = "is not an MP4, WebM or GIF video, or it is damaged";

INSTANTIATE_TEST_SUITE_P(
    Rows, VideoProbeRefusal,
    ::testing::Values(
        ProbeRefusal{"a missing file", "none.mp4", {}, "No such file or directory"},
        ProbeRefusal{"an empty file", "empty.mp4",
                     [](const std::string& path) { testing::WriteBytes(path, {}); }, kNotAVideo},
        ProbeRefusal{"random bytes", "noise.webm",
                     [](const std::string& path) {
                         std::mt19937 random(5);
                         Bytes bytes(100000);
                         for (auto& byte : bytes) byte = static_cast<unsigned char>(random());
                         testing::WriteBytes(path, bytes);
                     },
                     kNotAVideo},
        ProbeRefusal{"a PNG picture", "picture.gif",
                     [](const std::string& path) {
                         ASSERT_EQ(WritePng(path, testing::MovingGradient(30, 20, 0), {}), "");
                     },
                     kNotAVideo},
        ProbeRefusal{"an MP4 cut before its index", "cut.mp4",
                     [](const std::string& path) {
                         const Bytes& whole = SomeMp4();
                         ASSERT_GT(whole.size(), 1000u);
                         testing::WriteBytes(path, Bytes(whole.begin(), whole.begin() + 600));
                     },
                     kNotAVideo},
        ProbeRefusal{"an MP4 with too long a comment", "long.mp4",
                     [](const std::string& path) { WriteWithLongComment(VideoFormat::kMp4, path); },
                     "carries a comment of 262145 bytes"},
        ProbeRefusal{
            "a WebM with too long a comment", "long.webm",
            [](const std::string& path) { WriteWithLongComment(VideoFormat::kWebm, path); },
            "carries a comment of 262145 bytes"},
        ProbeRefusal{"a folder", "folder.mp4",
                     [](const std::string& path) { std::filesystem::create_directory(path); },
                     "cannot read"}),
    [](const auto& info) { return testing::RowName(info.param.name); });

}  // namespace
}  // namespace seedscape
