// Which sizes each format stores, and the largest scale of a flight's
// picture (291 x 211 at scale 1) that fits each.
#include "video/video_format.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/support/row_name.h"

namespace seedscape {
namespace {

struct SizeRow {
    std::string name;
    VideoFormat format;
    int width;
    int height;
    bool accepted;
};

void PrintTo(const SizeRow& row, std::ostream* out) {
    *out << row.name;
}

class VideoSizes : public ::testing::TestWithParam<SizeRow> {};

TEST_P(VideoSizes, AreAcceptedOrRefusedWithAReason) {
    const SizeRow& row = GetParam();
    const std::string problem = VideoSizeProblem(row.format, row.width, row.height);
    if (row.accepted) {
        EXPECT_EQ(problem, "");
    } else {
        EXPECT_NE(problem, "");
        // A size the format cannot hold is told with the format's name.
        if (row.width > 0 && row.height > 0) {
            EXPECT_NE(problem.find(VideoFormatName(row.format)), std::string::npos) << problem;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, VideoSizes,
    ::testing::Values(
        SizeRow{"H264 8192 x 4352 is 139264 blocks exactly", VideoFormat::kMp4, 8192, 4352, true},
        SizeRow{"H264 8191 x 4351 pads to 139264 blocks", VideoFormat::kMp4, 8191, 4351, true},
        SizeRow{"H264 8192 x 4353 needs one row of blocks more", VideoFormat::kMp4, 8192, 4353,
                false},
        SizeRow{"H264 16384 wide and thin fits", VideoFormat::kMp4, 16384, 16, true},
        SizeRow{"H264 16385 wide pads past the longest side", VideoFormat::kMp4, 16385, 16, false},
        SizeRow{"H264 1164 x 844 at scale 4", VideoFormat::kMp4, 1164, 844, true},
        SizeRow{"VP9 16384 x 2176 is the most pixels exactly", VideoFormat::kWebm, 16384, 2176,
                true},
        SizeRow{"VP9 16384 x 2177 pads past the most pixels", VideoFormat::kWebm, 16384, 2177,
                false},
        SizeRow{"VP9 16385 wide", VideoFormat::kWebm, 16385, 2, false},
        SizeRow{"VP9 16384 high", VideoFormat::kWebm, 2, 16384, true},
        SizeRow{"GIF 65535 wide", VideoFormat::kGif, 65535, 1, true},
        SizeRow{"GIF 65536 high", VideoFormat::kGif, 1, 65536, false},
        SizeRow{"GIF 1 x 1", VideoFormat::kGif, 1, 1, true},
        SizeRow{"H264 no pixels", VideoFormat::kMp4, 0, 10, false},
        SizeRow{"VP9 a negative height", VideoFormat::kWebm, 10, -2, false},
        SizeRow{"H264 the largest int wide", VideoFormat::kMp4, 2147483647, 2, false}),
    [](const auto& info) { return testing::RowName(info.param.name); });

TEST(LargestScale, OfAFlightPictureInEachFormat) {
    // H.264: 24 x 291 = 6984 and 24 x 211 = 5064 make 437 x 317 = 138529
    // blocks; scale 25 (7276 x 5276 after padding) would need 150150.
    EXPECT_EQ(LargestScaleFor(VideoFormat::kMp4, 291, 211), 24);
    // VP9: 6984 x 5064 = 35366976 pixels; 7276 x 5276 = 38388176.
    EXPECT_EQ(LargestScaleFor(VideoFormat::kWebm, 291, 211), 24);
    // GIF: 225 x 291 = 65475; 226 x 291 = 65766.
    EXPECT_EQ(LargestScaleFor(VideoFormat::kGif, 291, 211), 225);
    EXPECT_EQ(LargestScaleFor(VideoFormat::kGif, 70000, 1), 0);
}

TEST(VideoFormatFromPath, ReadsTheExtensionInAnyCase) {
    EXPECT_EQ(VideoFormatFromPath("out/flight.MP4"), VideoFormat::kMp4);
    EXPECT_EQ(VideoFormatFromPath("flight.WebM"), VideoFormat::kWebm);
    EXPECT_EQ(VideoFormatFromPath("a.b.gif"), VideoFormat::kGif);
    EXPECT_EQ(VideoFormatFromPath("flight.mp4.png"), std::nullopt);
    EXPECT_EQ(VideoFormatFromPath("gif"), std::nullopt);
}

}  // namespace
}  // namespace seedscape
