#pragma once

#include <string>

#include "flight/flight.h"
#include "flight/flight_text.h"

namespace seedscape {

// The flight a file holds. The file is untrusted: a missing file, one that is
// not a regular file, one longer than a flight may be, or a text that does
// not read gives the reason, naming the file.
FlightReading ReadFlightFile(const std::string& path);

// Writes the flight's text to `path`, whole or not at all. Returns "" or why
// not.
std::string WriteFlightFile(const std::string& path, const Flight& flight);

}  // namespace seedscape
