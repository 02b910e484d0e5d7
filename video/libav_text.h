#pragma once

#include <string>

namespace seedscape {

// "what: the library's reason", one line, from a libav* error code.
std::string LibavFailure(const std::string& what, int code);

// Keeps libav*'s own messages (and the encoders' they pass on) off stderr,
// where they would break a terminal's progress line; every failure reaches
// the user as one line built by LibavFailure instead. Safe to call often.
void QuietLibav();

}  // namespace seedscape
