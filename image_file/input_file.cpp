#include "image_file/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "image_file/atomic_file.h"

namespace seedscape {

InputFile OpenInputFile(const std::string& path) {
    InputFile file;
    // Without O_NONBLOCK, opening a named pipe would wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        file.error = "cannot read " + path + ": " + ErrorText(errno);
        return file;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0) {
        file.error = "cannot read " + path + ": " + ErrorText(errno);
    } else if (S_ISDIR(status.st_mode)) {
        file.error = "cannot read " + path + ": " + ErrorText(EISDIR);
    } else if (!S_ISREG(status.st_mode)) {
        file.error = path + " is not a regular file";
    } else if (fcntl(fd, F_SETFL, O_RDONLY) != 0) {
        file.error = "cannot read " + path + ": " + ErrorText(errno);
    }
    if (!file.error.empty()) {
        close(fd);
        return file;
    }
    file.fd = fd;
    file.size = static_cast<std::uint64_t>(status.st_size);
    return file;
}

}  // namespace seedscape
