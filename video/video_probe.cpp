#include "video/video_probe.h"

extern "C" {
#include <libavcodec/packet.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

#include <cstring>
#include <memory>

#include "video/libav_text.h"

namespace seedscape {

namespace {

// The containers a probe opens, by libavformat's demuxer names.
constexpr const char* kReadableContainers = "mov,mp4,m4a,3gp,3g2,mj2,matroska,webm,gif";
constexpr const char* kProbeBytes = "1048576";
constexpr const char* kAnalyseMicroseconds = "1000000";
// A GIF's frame rate is told by its delays, read from this many frames or
// bytes at most.
constexpr int kGifFramesForRate = 300;
constexpr std::int64_t kGifBytesForRate = 64 << 20;

struct InputDeleter {
    void operator()(AVFormatContext* input) const { avformat_close_input(&input); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

std::string NotAVideo(const std::string& path) {
    return path + " is not an MP4, WebM or GIF video, or it is damaged";
}

// Frames a second over the first frames of a GIF: their count over the time
// until the last of them ends.
double GifFrameRate(AVFormatContext* input, int stream_index) {
    std::unique_ptr<AVPacket, PacketDeleter> packet(av_packet_alloc());
    if (!packet) return 0;
    const AVRational tick = input->streams[stream_index]->time_base;
    int frames = 0;
    std::int64_t end = 0;
    while (frames < kGifFramesForRate && avio_tell(input->pb) < kGifBytesForRate &&
           av_read_frame(input, packet.get()) >= 0) {
        if (packet->stream_index == stream_index && packet->pts != AV_NOPTS_VALUE) {
            ++frames;
            end = packet->pts + packet->duration;
        }
        av_packet_unref(packet.get());
    }
    if (frames == 0 || end <= 0) return 0;
    return frames / (static_cast<double>(end) * tick.num / tick.den);
}

}  // namespace

VideoProbe ProbeVideo(const std::string& path) {
    QuietLibav();
    VideoProbe probe;
    AVDictionary* options = nullptr;
    av_dict_set(&options, "format_whitelist", kReadableContainers, 0);
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "probesize", kProbeBytes, 0);
    av_dict_set(&options, "analyzeduration", kAnalyseMicroseconds, 0);
    AVFormatContext* raw = nullptr;
    // "file:" so that a name with a colon in it is not taken for a protocol.
    const int code = avformat_open_input(&raw, ("file:" + path).c_str(), nullptr, &options);
    av_dict_free(&options);
    std::unique_ptr<AVFormatContext, InputDeleter> input(raw);
    if (code < 0) {
        // Whatever the container's fault, the user learns one thing: this
        // file is no video of ours. Missing or unreadable files say why.
        const bool unreadable = code == AVERROR(ENOENT) || code == AVERROR(EACCES) ||
                                code == AVERROR(EISDIR) || code == AVERROR(EIO);
        probe.error = unreadable ? LibavFailure("cannot read " + path, code) : NotAVideo(path);
        return probe;
    }
    const std::string container = input->iformat->name;
    if (container.find("gif") != std::string::npos) {
        probe.format = VideoFormat::kGif;
    } else if (container.find("matroska") != std::string::npos) {
        probe.format = VideoFormat::kWebm;
    } else {
        probe.format = VideoFormat::kMp4;
    }
    const int stream_index =
        av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (stream_index < 0) {
        probe.error = path + " holds no video";
        return probe;
    }
    const AVStream* stream = input->streams[stream_index];
    probe.width = stream->codecpar->width;
    probe.height = stream->codecpar->height;
    if (probe.width <= 0 || probe.height <= 0) {
        probe.error = NotAVideo(path);
        return probe;
    }
    if (probe.format == VideoFormat::kGif) {
        probe.fps = GifFrameRate(input.get(), stream_index);
    } else if (stream->avg_frame_rate.num > 0 && stream->avg_frame_rate.den > 0) {
        probe.fps = av_q2d(stream->avg_frame_rate);
    } else if (stream->r_frame_rate.num > 0 && stream->r_frame_rate.den > 0) {
        probe.fps = av_q2d(stream->r_frame_rate);
    }
    if (const AVDictionaryEntry* comment = av_dict_get(input->metadata, "comment", nullptr, 0)) {
        const std::size_t length = std::strlen(comment->value);
        if (length > kLongestVideoComment) {
            probe.error = path + " carries a comment of " + std::to_string(length) +
                          " bytes, more than the " + std::to_string(kLongestVideoComment) +
                          " a video of ours holds";
            return probe;
        }
        probe.comment.assign(comment->value, length);
    }
    return probe;
}

}  // namespace seedscape
