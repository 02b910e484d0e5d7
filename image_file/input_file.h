#pragma once

#include <cstdint>
#include <string>

namespace seedscape {

// A file opened to be read: a regular file, never a directory, pipe or
// device, which could block or never end.
struct InputFile {
    int fd = -1;  // the caller closes it
    std::uint64_t size = 0;
    std::string error;  // "cannot read x.png: No such file or directory", or ""
};

InputFile OpenInputFile(const std::string& path);

}  // namespace seedscape
