#pragma once

#include <QString>

namespace seedscape {

// "0.4 s", "12 s", "3 min 5 s", "1 h 2 min": a duration as a person reads it.
QString DurationText(double seconds);

// "42%, about 1 min 5 s left" after `elapsed` seconds with the share `done`
// (0 to 1) written; only the percentage until the estimate can be trusted.
QString ProgressText(double done, double elapsed);

}  // namespace seedscape
