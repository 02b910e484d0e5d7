#include "cli/image_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>

#include "test_support.h"

namespace seedscape::cli {
namespace {

using testing::ReadPng;
using testing::ReadPpm;
using testing::ReadText;
using testing::SameImage;
using testing::ScratchDirectory;

// A rendered picture, plus a corner whose three channels all differ, so that
// swapped channels or rows cannot go unnoticed.
PixelImage Picture() {
    PixelImage image = testing::EngineImageMother(12345);
    for (int k = 0; k < 10; ++k) image.SetPixel(k, 0, MakeColour(255 - k, 7 * k, 128 + k));
    return image;
}

TEST(ImageFile, PngReadsBackAsTheSamePixels) {
    const ScratchDirectory folder;
    const PixelImage image = Picture();
    ASSERT_EQ(WritePng(folder / "a.png", image), "");
    std::string where;
    EXPECT_TRUE(SameImage(ReadPng(folder / "a.png"), image, &where)) << where;
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.png"}) << "temporary left behind";
}

TEST(ImageFile, PpmReadsBackAsTheSamePixels) {
    const ScratchDirectory folder;
    const PixelImage image = Picture();
    ASSERT_EQ(WritePpm(folder / "a.ppm", image), "");
    std::string where;
    EXPECT_TRUE(SameImage(ReadPpm(folder / "a.ppm"), image, &where)) << where;
    const std::string header =
        "P6\n" + std::to_string(image.width()) + " " + std::to_string(image.height()) + "\n255\n";
    EXPECT_EQ(ReadText(folder / "a.ppm").substr(0, header.size()), header);
}

TEST(ImageFile, ReplacesAnExistingFile) {
    const ScratchDirectory folder;
    std::ofstream(folder / "a.ppm") << "an older picture, much longer than nothing at all";
    ASSERT_EQ(WritePpm(folder / "a.ppm", Picture()), "");
    EXPECT_TRUE(SameImage(ReadPpm(folder / "a.ppm"), Picture()));
}

// Writes that cannot succeed: the reason comes back, nothing new is left in
// the folder, and a file already at the path keeps its old contents.
TEST(ImageFile, FolderThatDoesNotExist) {
    const ScratchDirectory folder;
    EXPECT_EQ(WritePng(folder / "missing/a.png", Picture()), "No such file or directory");
    EXPECT_TRUE(folder.Entries().empty());
}

TEST(ImageFile, ParentThatIsARegularFile) {
    const ScratchDirectory folder;
    std::ofstream(folder / "plain") << "x";
    EXPECT_EQ(WritePpm(folder / "plain/a.ppm", Picture()), "Not a directory");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"plain"});
}

TEST(ImageFile, PathThatIsAFolderFailsOnlyAtTheRenameAndCleansUp) {
    const ScratchDirectory folder;
    std::filesystem::create_directory(folder / "a.png");
    EXPECT_EQ(WritePng(folder / "a.png", Picture()), "Is a directory");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.png"});
    EXPECT_TRUE(std::filesystem::is_empty(folder / "a.png"));
}

// A full disk cannot be made here without privileges, but a file size limit
// fails write() part way through the data in the same way (EFBIG instead of
// ENOSPC), after the temporary already holds some bytes.
TEST(ImageFile, WriteThatStopsHalfWayLeavesTheOldFileAlone) {
    const ScratchDirectory folder;
    std::ofstream(folder / "a.ppm") << "old";

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const std::string reason = WritePpm(folder / "a.ppm", Picture());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(reason, "File too large");
    EXPECT_EQ(ReadText(folder / "a.ppm"), "old");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"a.ppm"});
}

}  // namespace
}  // namespace seedscape::cli
