#include "app/shared/export_timing.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace seedscape {

namespace {

// Before this share and this time the rate still swings too much to foretell.
constexpr double kLeastShareForEstimate = 0.02;
constexpr double kLeastSecondsForEstimate = 1.0;

QString Tr(const char* text) {
    return QCoreApplication::translate("ExportTiming", text);
}

}  // namespace

QString DurationText(double seconds) {
    if (!(seconds >= 0)) seconds = 0;  // NaN too
    if (seconds < 10) return Tr("%1 s").arg(seconds, 0, 'f', 1);
    const long long whole = std::llround(seconds);
    if (whole < 60) return Tr("%1 s").arg(whole);
    if (whole < 3600) return Tr("%1 min %2 s").arg(whole / 60).arg(whole % 60);
    return Tr("%1 h %2 min").arg(whole / 3600).arg(whole % 3600 / 60);
}

QString ProgressText(double done, double elapsed) {
    const int percent = static_cast<int>(std::floor(std::clamp(done, 0.0, 1.0) * 100));
    const QString share = Tr("%1%").arg(percent);
    if (done < kLeastShareForEstimate || elapsed < kLeastSecondsForEstimate || done >= 1)
        return share;
    // The rate so far holds for the rest: the rows cost alike.
    const double left = elapsed * (1 - done) / done;
    return Tr("%1, about %2 left").arg(share, DurationText(left));
}

}  // namespace seedscape
