#pragma once

#include <memory>

#include "image_file/atomic_file.h"

struct AVIOContext;

namespace seedscape {

struct AtomicOutputDeleter {
    void operator()(AVIOContext* io) const;
};
using AtomicOutput = std::unique_ptr<AVIOContext, AtomicOutputDeleter>;

// A libavformat output that writes and seeks through `file`, which must
// outlive it: so a muxer's bytes go to the temporary beside the path and
// appear only when the file is committed. Null when out of memory.
AtomicOutput OpenAtomicOutput(AtomicFile& file);

}  // namespace seedscape
