#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "image_file/rgb_image.h"
#include "tests/support/scratch_directory.h"

namespace seedscape::testing {

using Bytes = std::vector<unsigned char>;

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

// An image of the given size whose every byte comes from a generator seeded
// with `seed`: no two neighbours alike, so a swapped channel, row or column
// shows.
RgbImage RandomImage(int width, int height, std::uint32_t seed);

// One chunk of a PNG file, as the test reads and remakes files by hand.
struct Chunk {
    std::string type;
    Bytes data;
    std::uint32_t crc = 0;  // as stored in the file
};

// The chunks after the signature; stops at the end of the bytes.
std::vector<Chunk> SplitChunks(const Bytes& png);
// The signature and the chunks, each with the CRC it carries.
Bytes JoinChunks(const std::vector<Chunk>& chunks);
// A chunk whose CRC is right.
Chunk MakeChunk(const std::string& type, const Bytes& data);
// A tEXt chunk's data: keyword, zero byte, text.
Bytes TextData(const std::string& keyword, const std::string& text);

}  // namespace seedscape::testing
