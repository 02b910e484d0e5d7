#include "video/libav_text.h"

extern "C" {
#include <libavutil/error.h>
#include <libavutil/log.h>
}

#include <mutex>

namespace seedscape {

std::string LibavFailure(const std::string& what, int code) {
    char reason[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, reason, sizeof reason) != 0) {
        return what + ": error " + std::to_string(code);
    }
    return what + ": " + reason;
}

void QuietLibav() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

}  // namespace seedscape
