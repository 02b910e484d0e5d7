#include "tests/support/png_bytes.h"

#include <stdlib.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace seedscape::testing {

Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

RgbImage RandomImage(int width, int height, std::uint32_t seed) {
    RgbImage image(width, height);
    std::uint32_t state = seed * 2654435761u + 1;
    for (std::uint8_t& byte : image.pixels) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        byte = static_cast<std::uint8_t>(state >> 7);
    }
    return image;
}

namespace {

std::uint32_t BigEndian(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

void PutBigEndian(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

}  // namespace

std::vector<Chunk> SplitChunks(const Bytes& png) {
    std::vector<Chunk> chunks;
    std::size_t offset = 8;
    while (offset + 12 <= png.size()) {
        const std::uint32_t length = BigEndian(&png[offset]);
        if (offset + 12 + length > png.size()) break;
        Chunk chunk;
        chunk.type.assign(reinterpret_cast<const char*>(&png[offset + 4]), 4);
        chunk.data.assign(png.begin() + static_cast<std::ptrdiff_t>(offset + 8),
                          png.begin() + static_cast<std::ptrdiff_t>(offset + 8 + length));
        chunk.crc = BigEndian(&png[offset + 8 + length]);
        chunks.push_back(std::move(chunk));
        offset += 12 + length;
    }
    return chunks;
}

Bytes JoinChunks(const std::vector<Chunk>& chunks) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    for (const Chunk& chunk : chunks) {
        PutBigEndian(png, static_cast<std::uint32_t>(chunk.data.size()));
        png.insert(png.end(), chunk.type.begin(), chunk.type.end());
        png.insert(png.end(), chunk.data.begin(), chunk.data.end());
        PutBigEndian(png, chunk.crc);
    }
    return png;
}

Chunk MakeChunk(const std::string& type, const Bytes& data) {
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), 4);
    crc = crc32(crc, data.data(), static_cast<uInt>(data.size()));
    return {type, data, static_cast<std::uint32_t>(crc)};
}

Bytes TextData(const std::string& keyword, const std::string& text) {
    Bytes data(keyword.begin(), keyword.end());
    data.push_back(0);
    data.insert(data.end(), text.begin(), text.end());
    return data;
}

}  // namespace seedscape::testing
