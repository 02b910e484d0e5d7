#include "video/atomic_output.h"

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

#include <cstdio>

namespace seedscape {

namespace {

constexpr int kBufferSize = 64 * 1024;

int WritePacket(void* opaque, std::uint8_t* data, int size) {
    auto* file = static_cast<AtomicFile*>(opaque);
    return file->Write(data, static_cast<std::size_t>(size)) ? size : AVERROR(EIO);
}

std::int64_t SeekTo(void* opaque, std::int64_t offset, int whence) {
    auto* file = static_cast<AtomicFile*>(opaque);
    // Not asked for the size: libavformat then does without it.
    if ((whence & AVSEEK_SIZE) != 0) return AVERROR(ENOSYS);
    const std::int64_t place = file->Seek(offset, whence & ~AVSEEK_FORCE);
    return place >= 0 ? place : AVERROR(EIO);
}

}  // namespace

void AtomicOutputDeleter::operator()(AVIOContext* io) const {
    if (io == nullptr) return;
    av_freep(&io->buffer);
    avio_context_free(&io);
}

AtomicOutput OpenAtomicOutput(AtomicFile& file) {
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    if (buffer == nullptr) return nullptr;
    AVIOContext* io =
        avio_alloc_context(buffer, kBufferSize, 1, &file, nullptr, WritePacket, SeekTo);
    if (io == nullptr) av_free(buffer);
    return AtomicOutput(io);
}

}  // namespace seedscape
