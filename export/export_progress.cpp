#include "export/export_progress.h"

#include <algorithm>

namespace seedscape {

double ExportProgress::Keep(double share) {
    shown_ = std::max(shown_, std::clamp(share, 0.0, 1.0));
    return shown_;
}

double ExportProgress::Drawn(double drawn, double seconds) {
    if (drawn <= 0) return Keep(0);
    const double drawing = seconds / drawn;
    const double encoding = pixels_ * kGuessedEncodingSecondsPerPixel;
    return Keep(drawn * drawing / (drawing + encoding));
}

double ExportProgress::Encoded(double encoded, double seconds, double drawing_seconds) {
    if (encoded >= 1) return Keep(1);
    // The guess gives way to the measured rate as the rows go by.
    const double guessed = pixels_ * kGuessedEncodingSecondsPerPixel;
    const double measured = encoded > 0 ? seconds / encoded : guessed;
    const double encoding = guessed + (measured - guessed) * encoded;
    return Keep((drawing_seconds + encoded * encoding) / (drawing_seconds + encoding));
}

}  // namespace seedscape
