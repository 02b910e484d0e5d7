#pragma once

#include <string>

namespace seedscape {

// Temporaries that an interrupt must not leave behind. AtomicFile notes each
// of its temporaries here for as long as it exists. Once a program has called
// RemoveTemporariesOnInterrupt(), SIGINT, SIGTERM or SIGHUP first removes
// every noted temporary and then ends the program as the signal would have.

// Notes `path`; returns a ticket for ForgetTemporary, or -1 when the path is
// too long or too many temporaries are noted at once (then an interrupt may
// leave this one behind, as it would without the note). Safe from any thread.
int NoteTemporary(const std::string& path) noexcept;

// The temporary of `ticket` is gone or has become the real file. Safe from
// any thread; -1 is ignored.
void ForgetTemporary(int ticket) noexcept;

// Installs the handler for the signals that are at their default action; a
// signal the program was started with ignored (nohup) stays ignored.
void RemoveTemporariesOnInterrupt();

}  // namespace seedscape
