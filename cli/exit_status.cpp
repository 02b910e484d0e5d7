#include "cli/exit_status.h"

#include <cerrno>
#include <cstring>

#include "recipe/message_text.h"

namespace seedscape::cli {

bool Print(std::FILE* out, const std::string& text) {
    errno = 0;
    const bool ok = std::fputs(text.c_str(), out) >= 0 && std::fflush(out) == 0;
    return ok && std::ferror(out) == 0;
}

int ReportUnprintable(std::FILE* err) {
    const int failure = errno;
    std::fprintf(err, "%s: cannot write to standard output: %s\n", kProgram,
                 failure != 0 ? std::strerror(failure) : "write error");
    return kExitWriteFailed;
}

int ReportUnwritable(std::FILE* err, const std::string& path, const std::string& reason) {
    std::fprintf(err, "%s: cannot write %s: %s\n", kProgram, EscapeForMessage(path).c_str(),
                 EscapeForMessage(reason).c_str());
    return kExitWriteFailed;
}

}  // namespace seedscape::cli
