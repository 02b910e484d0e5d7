#pragma once

// What every PNG this program writes has in common, shared by the writer of
// whole images and the writer fed a band of rows at a time. Internal to
// image_file/.
#include <png.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace seedscape::png_encoder {

// Where the encoder's bytes go: a file or memory.
using ByteSink = bool (*)(void* target, const unsigned char* data, std::size_t size) noexcept;

// Everything libpng's callbacks reach. Only trivially destructible members:
// libpng reports errors by longjmp, which skips destructors.
struct State {
    ByteSink sink;
    void* target;
    bool sink_failed;
    char message[200];
};

// A libpng write structure whose errors and bytes go to `state`; nullptr
// when there is no memory for it.
png_structp Create(State& state);

// Text chunks as keyword and text, kept alive while libpng copies them.
class Texts {
  public:
    void Add(std::string keyword, std::string text);
    png_text* chunks() { return chunks_.data(); }
    int count() const { return static_cast<int>(chunks_.size()); }

  private:
    std::vector<std::pair<std::string, std::string>> strings_;
    std::vector<png_text> chunks_;
};

// Sets the compression, the header of an 8-bit RGB image and the text chunks,
// and writes them: the texts stand before the image data, so that a reader
// finds them without decoding pixels. Call inside the caller's setjmp.
void WriteHead(png_structp png, png_infop info, int width, int height, Texts& texts);

}  // namespace seedscape::png_encoder
