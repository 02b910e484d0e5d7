#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "flight/flight.h"

namespace seedscape {

// A flight as text: a first line of settings, then a line for each key, its
// time in seconds, how the segment ending at it eases, and its recipe:
//
//   seedscape-flight/1 fps=30 scale=4 supersample=2
//   at=0 seedscape/1 seed=449139
//   at=4 ease=smooth seedscape/1 seed=449139 press=150,100@20
//   at=6.5 seedscape/1 seed=449139 press=150,100@20 press=60,150@100
//
// A loop adds loop=SECONDS to the first line and has one key.

// Either a flight or why the text is not one. The reason names the line and
// the token ("line 3: at=0.05: 0.05 s at 30 fps does not fall on a frame").
struct FlightReading {
    std::optional<Flight> flight;
    std::string error;
};

// Reads a flight strictly. The settings may be left out (fps=30, scale=1,
// supersample=1) but keep their order; a setting twice or out of place, an
// unknown word, a time that is not on a frame, a key's recipe that does not
// read or carries export settings, is refused. Lines end in "\n" or "\r\n",
// the last one may end without; blank lines are skipped.
FlightReading ParseFlight(std::string_view text);

// The flight in its one canonical form, ending with "\n": every setting on
// the first line (loop only for a loop), ease only where it is smooth, each
// time as short as it reads back, each recipe by PrintRecipe.
std::string PrintFlight(const Flight& flight);

// "" when ParseFlight would accept the flight's text, else why not, worded
// as ParseFlight words it but naming the key ("key 3: at=0.05: ...") or the
// setting ("fps=0: ...") instead of the line.
std::string CheckFlight(const Flight& flight);

// A few lines for --help: the grammar of a flight and its limits.
std::string FlightGrammarText();

}  // namespace seedscape
