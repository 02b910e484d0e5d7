#pragma once

#include <string>
#include <string_view>

namespace seedscape {

// `typed` made fit to repeat inside a one-line message on a terminal. Control
// characters are written as escapes (a newline as \n, an escape as \x1b), so
// that what the user typed can neither break the line nor drive the terminal;
// so are bytes that are not UTF-8, the C1 controls, which some terminals
// obey too, the controls of writing direction, which would reorder the
// message, and the backslash itself (\\), so that every escape reads one way.
// Printable text, non-ASCII letters included, is kept as it is.
std::string EscapeForMessage(std::string_view typed);

}  // namespace seedscape
