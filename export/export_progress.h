#pragma once

namespace seedscape {

// The share of an export written, 0 to 1, in proportion to the time it is
// expected to take: the drawing, then the encoding of the pixels read back.
// How long the encoding takes is guessed from the pixels until it starts,
// then measured. The share never goes back.
class ExportProgress {
  public:
    explicit ExportProgress(double pixels) : pixels_(pixels) {}

    // `drawn` of the drawing done, `seconds` after it began.
    double Drawn(double drawn, double seconds);

    // `encoded` of the rows encoded, `seconds` after the encoding began,
    // the drawing having taken `drawing_seconds`.
    double Encoded(double encoded, double seconds, double drawing_seconds);

  private:
    double Keep(double share);

    double pixels_;
    double shown_ = 0;
};

// The encoder's time a pixel, reading back included, guessed before it has
// started: about what 8-bit RGB takes with the encoder's settings.
inline constexpr double kGuessedEncodingSecondsPerPixel = 20e-9;

}  // namespace seedscape
