#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "flight/flight.h"

namespace seedscape {

// What a video export asks for: its file (the name gives the format), and
// the size, supersampling and frame rate the flight is drawn at.
struct FlightExportChoice {
    QString path;
    int scale = 1;
    int supersample = 1;
    int fps = 30;
};

// Asks for the settings, starting from the flight's own, then for the file.
// Nothing when either is cancelled.
std::optional<FlightExportChoice> AskFlightExport(QWidget* parent, const Flight& flight);

}  // namespace seedscape
