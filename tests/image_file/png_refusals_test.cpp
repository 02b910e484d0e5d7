// Files are untrusted: every file that is missing, not a PNG, cut short,
// damaged or without a recipe is refused with a reason that names it, and
// nothing crashes (these tests are also run under the address and
// undefined-behaviour sanitizers).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "image_file/png_chunks.h"
#include "image_file/png_file.h"
#include "image_file/ppm_file.h"
#include "tests/support/png_bytes.h"

namespace seedscape {
namespace {

using testing::Bytes;
using testing::Chunk;
using testing::JoinChunks;
using testing::MakeChunk;
using testing::ScratchDirectory;
using testing::SplitChunks;
using testing::TextData;

constexpr char kRecipe[] = "seedscape/1 seed=449139 barva=7 press=150,100@5";

// A sound file to spoil: IHDR, the recipe, Software, IDAT..., IEND.
Bytes GoodPng(int width = 20, int height = 10) {
    std::string error;
    Bytes png = EncodePng(testing::RandomImage(width, height, 9), {kRecipe}, error);
    if (!error.empty()) ADD_FAILURE() << error;
    return png;
}

std::vector<Chunk> GoodChunks() {
    return SplitChunks(GoodPng());
}

std::size_t IndexOf(const std::vector<Chunk>& chunks, const std::string& type) {
    for (std::size_t k = 0; k < chunks.size(); ++k) {
        if (chunks[k].type == type) return k;
    }
    ADD_FAILURE() << "no " << type << " chunk";
    return 0;
}

// How each file is made; "{}" in the expected reason stands for its path.
struct BadFile {
    const char* name;
    std::function<void(const std::string& path)> make;
    std::string recipe_error;  // "" when the recipe reads back despite the fault
    bool pixels_readable;
};

void PrintTo(const BadFile& value, std::ostream* out) {
    *out << value.name;
}

std::string WithPath(std::string text, const std::string& path) {
    const std::size_t at = text.find("{}");
    if (at != std::string::npos) text.replace(at, 2, path);
    return text;
}

void Write(const std::string& path, const Bytes& bytes) {
    testing::WriteBytes(path, bytes);
}

void WriteChunks(const std::string& path, const std::vector<Chunk>& chunks) {
    Write(path, JoinChunks(chunks));
}

// Calls `change` on the chunks of a sound file and writes what comes out.
std::function<void(const std::string&)> Changed(std::function<void(std::vector<Chunk>&)> change) {
    return [change](const std::string& path) {
        std::vector<Chunk> chunks = GoodChunks();
        change(chunks);
        WriteChunks(path, chunks);
    };
}

const std::string kTruncated = "{} is truncated: the PNG image ends early";

std::vector<BadFile> BadFiles() {
    const std::string too_long(kLongestRecipeText + 1, 'x');
    return {
        {"Missing", [](const std::string&) {}, "cannot read {}: No such file or directory", false},
        {"Directory", [](const std::string& path) { std::filesystem::create_directory(path); },
         "cannot read {}: Is a directory", false},
        {"Fifo", [](const std::string& path) { mkfifo(path.c_str(), 0600); },
         "{} is not a regular file", false},
        {"Empty", [](const std::string& path) { Write(path, {}); }, "{} is empty, not a PNG image",
         false},
        {"Text",
         [](const std::string& path) {
             Write(path, {'h', 'e', 'l', 'l', 'o', '\n'});
         },
         "{} is not a PNG image", false},
        {"Ppm",
         [](const std::string& path) { Write(path, EncodePpm(testing::RandomImage(4, 4, 1))); },
         "{} is not a PNG image", false},
        {"SignatureWithOneByteWrong",
         [](const std::string& path) {
             Bytes png = GoodPng();
             png[4] = '\n';  // as a transfer in text mode would leave it
             Write(path, png);
         },
         "{} is not a PNG image", false},
        {"HalfASignature",
         [](const std::string& path) {
             Write(path, {0x89, 'P', 'N', 'G'});
         },
         kTruncated, false},
        {"SignatureOnly",
         [](const std::string& path) {
             Write(path, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'});
         },
         kTruncated, false},
        {"NoRecipe",
         [](const std::string& path) {
             std::string error;
             Write(path, EncodePng(testing::RandomImage(5, 5, 2), {""}, error));
         },
         "{} carries no seedscape recipe", true},
        {"OtherTextOnly", Changed([](std::vector<Chunk>& chunks) {
             chunks[1] = MakeChunk("tEXt", TextData("Comment", kRecipe));
         }),
         "{} carries no seedscape recipe", true},
        {"RecipeInCompressedText", Changed([](std::vector<Chunk>& chunks) {
             chunks[1] = MakeChunk("zTXt", TextData("seedscape-recipe", std::string(1, '\0')));
         }),
         "{} carries no seedscape recipe", true},
        {"RecipeCrcWrong", Changed([](std::vector<Chunk>& chunks) { chunks[1].crc ^= 1; }),
         "{} is a damaged PNG image: the checksum of its tEXt chunk does not match", true},
        {"RecipeTextChanged",
         Changed([](std::vector<Chunk>& chunks) { chunks[1].data.back() ^= 4; }),
         "{} is a damaged PNG image: the checksum of its tEXt chunk does not match", true},
        // Only the chunks that are read are checked: the recipe does not
        // depend on the others.
        {"OtherTextCrcWrong", Changed([](std::vector<Chunk>& chunks) { chunks[2].crc ^= 1; }), "",
         true},
        {"HeaderCrcWrong", Changed([](std::vector<Chunk>& chunks) { chunks[0].crc ^= 0x100; }),
         "{} is a damaged PNG image: the checksum of its IHDR chunk does not match", false},
        {"ImageDataCrcWrong",
         Changed([](std::vector<Chunk>& chunks) { chunks[IndexOf(chunks, "IDAT")].crc ^= 1; }), "",
         false},
        {"RecipeTooLong", Changed([too_long](std::vector<Chunk>& chunks) {
             chunks[1] = MakeChunk("tEXt", TextData("seedscape-recipe", too_long));
         }),
         "{} carries a seedscape recipe longer than 64 KiB", true},
        {"OtherTextLongerThanARecipe", Changed([too_long](std::vector<Chunk>& chunks) {
             chunks[2] = MakeChunk("tEXt", TextData("Comment", too_long + too_long));
         }),
         "", true},
        {"TwoRecipes",
         Changed([](std::vector<Chunk>& chunks) { chunks.insert(chunks.begin() + 1, chunks[1]); }),
         "{} carries more than one seedscape recipe", true},
        {"NoImageHeaderFirst",
         Changed([](std::vector<Chunk>& chunks) { std::swap(chunks[0], chunks[1]); }),
         "{} is a damaged PNG image: it does not begin with an image header", false},
        {"SecondImageHeader",
         Changed([](std::vector<Chunk>& chunks) { chunks.insert(chunks.begin() + 2, chunks[0]); }),
         "{} is a damaged PNG image: it has a second image header", false},
        {"ImageHeaderTooShort", Changed([](std::vector<Chunk>& chunks) {
             chunks[0].data.pop_back();
             chunks[0] = MakeChunk("IHDR", chunks[0].data);
         }),
         "{} is a damaged PNG image: its image header is not valid", false},
        {"NoImageData", Changed([](std::vector<Chunk>& chunks) {
             chunks.erase(chunks.begin() + static_cast<std::ptrdiff_t>(IndexOf(chunks, "IDAT")));
         }),
         "{} is a damaged PNG image: it has no image data", false},
        {"NoEnd", Changed([](std::vector<Chunk>& chunks) { chunks.pop_back(); }), kTruncated,
         false},
        {"ChunkTypeNotLetters",
         Changed([](std::vector<Chunk>& chunks) { chunks[2].type = "tE1t"; }),
         "{} is a damaged PNG image: a chunk's header is not valid", false},
        {"ChunkLengthOutOfRange",
         [](const std::string& path) {
             Bytes png = GoodPng();
             png[8] = 0xff;  // the image header's length
             Write(path, png);
         },
         "{} is a damaged PNG image: a chunk's header is not valid", false},
        {"ChunkLengthBeyondTheEnd",
         [](const std::string& path) {
             Bytes png = GoodPng();
             png[33] = 0x7f;  // the recipe chunk's length, just under 2 GiB
             Write(path, png);
         },
         kTruncated, false},
    };
}

class UntrustedPng : public ::testing::TestWithParam<BadFile> {};

TEST_P(UntrustedPng, IsRefusedWithAReasonThatNamesIt) {
    const BadFile& bad = GetParam();
    const ScratchDirectory folder;
    const std::string path = folder / "x.png";
    bad.make(path);

    const PngRecipeReading recipe = ReadPngRecipe(path);
    if (bad.recipe_error.empty()) {
        EXPECT_EQ(recipe.recipe.value_or("(none) " + recipe.error), kRecipe);
    } else {
        EXPECT_FALSE(recipe.recipe);
        EXPECT_EQ(recipe.error, WithPath(bad.recipe_error, path));
    }

    const PngPixelsReading pixels = ReadPngPixels(path);
    EXPECT_EQ(pixels.image.has_value(), bad.pixels_readable) << pixels.error;
    if (!pixels.image) {
        EXPECT_NE(pixels.error.find(path), std::string::npos) << pixels.error;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, UntrustedPng, ::testing::ValuesIn(BadFiles()),
                         [](const ::testing::TestParamInfo<BadFile>& info) {
                             return std::string(info.param.name);
                         });

// A file cut short anywhere, as by a crash or a full disk while another
// program wrote it: from a small file every length, from a picture-sized
// one, spread over the file and around every chunk boundary.
void ExpectEveryCutRefused(const Bytes& png, const std::vector<std::size_t>& lengths) {
    const ScratchDirectory folder;
    const std::string path = folder / "cut.png";
    for (const std::size_t length : lengths) {
        SCOPED_TRACE("cut to " + std::to_string(length) + " of " + std::to_string(png.size()));
        testing::WriteBytes(path,
                            Bytes(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(length)));
        const PngRecipeReading recipe = ReadPngRecipe(path);
        EXPECT_FALSE(recipe.recipe);
        EXPECT_EQ(recipe.error,
                  length == 0 ? path + " is empty, not a PNG image" : WithPath(kTruncated, path));
        const PngPixelsReading pixels = ReadPngPixels(path);
        EXPECT_FALSE(pixels.image);
        EXPECT_FALSE(pixels.error.empty());
    }
}

TEST(TruncatedPng, AtEveryLengthOfASmallFile) {
    const Bytes png = GoodPng();
    std::vector<std::size_t> lengths(png.size());
    for (std::size_t k = 0; k < png.size(); ++k) lengths[k] = k;
    ExpectEveryCutRefused(png, lengths);
}

TEST(TruncatedPng, AcrossAPictureSizedFile) {
    const Bytes png = GoodPng(291, 211);
    std::vector<std::size_t> lengths;
    for (std::size_t k = 1; k < 64; ++k) lengths.push_back(png.size() * k / 64);
    // Around every chunk's start and end.
    std::size_t offset = 8;
    for (const Chunk& chunk : SplitChunks(png)) {
        for (const std::size_t at : {offset, offset + 8, offset + 12 + chunk.data.size()}) {
            for (std::size_t near = at - 1; near <= at + 1; ++near) {
                if (near < png.size()) lengths.push_back(near);
            }
        }
        offset += 12 + chunk.data.size();
    }
    ExpectEveryCutRefused(png, lengths);
}

}  // namespace
}  // namespace seedscape
