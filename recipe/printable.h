#pragma once

#include <string>
#include <string_view>

namespace seedscape {

// `text` as a message may repeat it: control characters become escapes
// ("\n", "\t", "\x1b") so that what someone else typed or wrote into a file
// can neither split a one-line message nor steer the terminal.
std::string Printable(std::string_view text);

}  // namespace seedscape
