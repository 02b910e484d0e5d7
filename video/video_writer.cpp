#include "video/video_writer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <cstring>
#include <utility>

#include "image_file/atomic_file.h"
#include "video/atomic_output.h"
#include "video/gif_palette.h"
#include "video/libav_text.h"

namespace seedscape {

namespace {

// Chosen by timing frames of 1164 x 844: see the header.
constexpr const char* kX264Preset = "superfast";
constexpr const char* kX264Crf = "21";
constexpr const char* kVp9Deadline = "realtime";
constexpr const char* kVp9CpuUsed = "8";
constexpr const char* kVp9Crf = "32";
constexpr int kGifTicksPerSecond = 100;

struct MuxerDeleter {
    void operator()(AVFormatContext* muxer) const { avformat_free_context(muxer); }
};
struct EncoderDeleter {
    void operator()(AVCodecContext* encoder) const { avcodec_free_context(&encoder); }
};
struct FrameDeleter {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketDeleter {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ConverterDeleter {
    void operator()(SwsContext* converter) const { sws_freeContext(converter); }
};
struct DictionaryDeleter {
    void operator()(AVDictionary* dictionary) const { av_dict_free(&dictionary); }
};
using Dictionary = std::unique_ptr<AVDictionary, DictionaryDeleter>;

struct Codec {
    const char* muxer;
    const char* encoder;
    const char* encoder_name;  // for messages
};

Codec CodecOf(VideoFormat format) {
    switch (format) {
        case VideoFormat::kMp4:
            return {"mp4", "libx264", "H.264 encoder (libx264)"};
        case VideoFormat::kWebm:
            return {"webm", "libvpx-vp9", "VP9 encoder (libvpx)"};
        case VideoFormat::kGif:
            return {"gif", "gif", "GIF encoder"};
    }
    return {"", "", ""};
}

void Set(Dictionary& dictionary, const char* key, const std::string& value) {
    AVDictionary* raw = dictionary.release();
    av_dict_set(&raw, key, value.c_str(), 0);
    dictionary.reset(raw);
}

// The time frame n is shown from, in a GIF's hundredths of a second:
// round(100 n / fps), halves up.
std::int64_t GifTime(std::int64_t frame, int fps) {
    return (2 * kGifTicksPerSecond * frame + fps) / (2 * static_cast<std::int64_t>(fps));
}

}  // namespace

struct VideoWriter::State {
    State(const std::string& path, VideoFormat format, const VideoSettings& settings)
        : path(path), format(format), settings(settings), file(path) {}
    ~State() {
        // Some muxers free what they hold only in their trailer (GIF's keeps
        // the last frame back to learn its delay), so an abandoned video is
        // ended into its temporary, which AtomicFile then removes.
        if (header_written && !finished) av_write_trailer(muxer.get());
    }

    std::string path;
    VideoFormat format;
    VideoSettings settings;
    AtomicFile file;
    AtomicOutput output;
    std::unique_ptr<AVFormatContext, MuxerDeleter> muxer;
    std::unique_ptr<AVCodecContext, EncoderDeleter> encoder;
    AVStream* stream = nullptr;
    std::unique_ptr<SwsContext, ConverterDeleter> converter;
    std::unique_ptr<AVFrame, FrameDeleter> frame;
    std::unique_ptr<AVPacket, PacketDeleter> packet;
    RgbImage padded;                      // an odd-sized frame grown to even
    std::unique_ptr<GifPalette> palette;  // GIF only
    bool palette_built = false;
    int surveyed = 0;
    int written = 0;
    std::int64_t packets = 0;
    std::string failure;
    bool header_written = false;
    bool finished = false;

    std::string Fail(std::string reason) {
        if (failure.empty()) failure = std::move(reason);
        return failure;
    }
    // The file's own reason when the disk refused the bytes, else libav's.
    std::string FailWriting(int code) {
        if (!file.ok()) return Fail("cannot write " + path + ": " + file.error());
        return Fail(LibavFailure("cannot write " + path, code));
    }

    std::string Begin();
    std::string SendFrame(AVFrame* next);
    void Pad(const RgbImage& source);
};

std::string VideoWriter::State::Begin() {
    const Codec codec = CodecOf(format);
    const bool gif = format == VideoFormat::kGif;
    if (!file.ok()) return "cannot write " + path + ": " + file.error();
    output = OpenAtomicOutput(file);
    AVFormatContext* raw_muxer = nullptr;
    int code = avformat_alloc_output_context2(&raw_muxer, nullptr, codec.muxer, nullptr);
    muxer.reset(raw_muxer);
    if (code < 0)
        return LibavFailure(std::string("cannot start the ") + codec.muxer + " muxer", code);
    if (!output) return "cannot write " + path + ": out of memory";
    muxer->pb = output.get();
    muxer->flags |= AVFMT_FLAG_CUSTOM_IO;

    const AVCodec* found = avcodec_find_encoder_by_name(codec.encoder);
    if (found == nullptr) return std::string("this FFmpeg has no ") + codec.encoder_name;
    encoder.reset(avcodec_alloc_context3(found));
    frame.reset(av_frame_alloc());
    packet.reset(av_packet_alloc());
    if (!encoder || !frame || !packet) return "cannot write " + path + ": out of memory";
    encoder->width = StoredWidth(format, settings.width);
    encoder->height = StoredHeight(format, settings.height);
    encoder->framerate = AVRational{settings.fps, 1};
    encoder->time_base = gif ? AVRational{1, kGifTicksPerSecond} : AVRational{1, settings.fps};
    encoder->thread_count = settings.threads;
    Dictionary options;
    if (gif) {
        encoder->pix_fmt = AV_PIX_FMT_PAL8;
    } else {
        encoder->pix_fmt = AV_PIX_FMT_YUV420P;
        encoder->color_range = AVCOL_RANGE_MPEG;
        encoder->colorspace = AVCOL_SPC_BT709;
        encoder->color_primaries = AVCOL_PRI_BT709;
        encoder->color_trc = AVCOL_TRC_BT709;
    }
    if (format == VideoFormat::kMp4) {
        Set(options, "preset", kX264Preset);
        Set(options, "crf", kX264Crf);
    } else if (format == VideoFormat::kWebm) {
        encoder->bit_rate = 0;  // quality alone decides
        Set(options, "deadline", kVp9Deadline);
        Set(options, "cpu-used", kVp9CpuUsed);
        Set(options, "crf", kVp9Crf);
        Set(options, "row-mt", "1");
    }
    if ((muxer->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    AVDictionary* raw_options = options.release();
    code = avcodec_open2(encoder.get(), found, &raw_options);
    options.reset(raw_options);
    if (code < 0) return LibavFailure(std::string("cannot start the ") + codec.encoder_name, code);

    stream = avformat_new_stream(muxer.get(), nullptr);
    if (stream == nullptr) return "cannot write " + path + ": out of memory";
    code = avcodec_parameters_from_context(stream->codecpar, encoder.get());
    if (code < 0) return LibavFailure("cannot describe the video stream", code);
    stream->time_base = encoder->time_base;
    stream->avg_frame_rate = encoder->framerate;
    if (!gif && !settings.comment.empty()) {
        av_dict_set(&muxer->metadata, "comment", settings.comment.c_str(), 0);
    }
    Dictionary muxer_options;
    if (gif) Set(muxer_options, "loop", "0");  // forever
    raw_options = muxer_options.release();
    code = avformat_write_header(muxer.get(), &raw_options);
    muxer_options.reset(raw_options);
    if (code < 0) return FailWriting(code);
    header_written = true;

    frame->format = encoder->pix_fmt;
    frame->width = encoder->width;
    frame->height = encoder->height;
    code = av_frame_get_buffer(frame.get(), 0);
    if (code < 0) return LibavFailure("cannot make room for a frame", code);
    if (gif) {
        palette = std::make_unique<GifPalette>();
        return "";
    }
    // RGB in full range to BT.709's YUV in limited range, as the stream says.
    converter.reset(sws_getContext(encoder->width, encoder->height, AV_PIX_FMT_RGB24,
                                   encoder->width, encoder->height, AV_PIX_FMT_YUV420P,
                                   SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr));
    if (!converter) return "cannot start the colour conversion to YUV";
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(converter.get(), bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
    if (encoder->width != settings.width || encoder->height != settings.height) {
        padded = RgbImage(encoder->width, encoder->height);
    }
    return "";
}

// Passes a frame (or, as null, the end of the frames) to the encoder and
// every packet it has ready to the muxer.
std::string VideoWriter::State::SendFrame(AVFrame* next) {
    int code = avcodec_send_frame(encoder.get(), next);
    if (code < 0) return Fail(LibavFailure(std::string("cannot encode a frame"), code));
    while (true) {
        code = avcodec_receive_packet(encoder.get(), packet.get());
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF) return "";
        if (code < 0) return Fail(LibavFailure(std::string("cannot encode a frame"), code));
        if (format == VideoFormat::kGif) {
            // Each packet lasts until the next frame's time, the last one too.
            packet->pts = packet->dts = GifTime(packets, settings.fps);
            packet->duration = GifTime(packets + 1, settings.fps) - packet->pts;
        }
        ++packets;
        av_packet_rescale_ts(packet.get(), encoder->time_base, stream->time_base);
        packet->stream_index = stream->index;
        code = av_interleaved_write_frame(muxer.get(), packet.get());
        if (code < 0 || !file.ok()) return FailWriting(code < 0 ? code : AVERROR(EIO));
    }
}

// Copies `source` into `padded`, repeating its last column and last row.
void VideoWriter::State::Pad(const RgbImage& source) {
    const std::size_t row_bytes = static_cast<std::size_t>(source.width) * 3;
    for (int y = 0; y < padded.height; ++y) {
        const std::uint8_t* from = source.At(0, std::min(y, source.height - 1));
        std::uint8_t* to = padded.At(0, y);
        std::memcpy(to, from, row_bytes);
        if (padded.width > source.width) std::memcpy(to + row_bytes, from + row_bytes - 3, 3);
    }
}

VideoWriter::VideoWriter(std::unique_ptr<State> state) : state_(std::move(state)) {}

VideoWriter::~VideoWriter() = default;

std::unique_ptr<VideoWriter> VideoWriter::Open(const std::string& path, VideoFormat format,
                                               const VideoSettings& settings, std::string& error) {
    QuietLibav();
    error = VideoSizeProblem(format, settings.width, settings.height);
    if (error.empty()) error = VideoFrameRateProblem(format, settings.fps);
    if (error.empty() && settings.comment.size() > kLongestVideoComment) {
        error = "a video's comment holds at most " + std::to_string(kLongestVideoComment) +
                " bytes, not " + std::to_string(settings.comment.size());
    }
    // Metadata travels as C strings: a zero byte would end the comment early.
    if (error.empty() && settings.comment.find('\0') != std::string::npos) {
        error = "a video's comment cannot hold a zero byte";
    }
    if (!error.empty()) return nullptr;
    auto state = std::make_unique<State>(path, format, settings);
    error = state->Begin();
    if (!error.empty()) return nullptr;  // the temporary goes with the state
    return std::unique_ptr<VideoWriter>(new VideoWriter(std::move(state)));
}

bool VideoWriter::NeedsSurvey() const {
    return state_->format == VideoFormat::kGif;
}

void VideoWriter::Survey(const RgbImage& frame) {
    State& s = *state_;
    if (!s.palette || s.palette_built) return;
    if (frame.width != s.settings.width || frame.height != s.settings.height) return;
    s.palette->Count(frame);
    ++s.surveyed;
}

std::string VideoWriter::Write(const RgbImage& frame) {
    State& s = *state_;
    if (!s.failure.empty()) return s.failure;
    if (s.finished) return "the video is already finished";
    if (frame.width != s.settings.width || frame.height != s.settings.height) {
        return s.Fail("a frame of " + std::to_string(frame.width) + " x " +
                      std::to_string(frame.height) + " does not fit a video of " +
                      std::to_string(s.settings.width) + " x " + std::to_string(s.settings.height));
    }
    AVFrame* out = s.frame.get();
    int code = av_frame_make_writable(out);
    if (code < 0) return s.Fail(LibavFailure("cannot make room for a frame", code));
    if (s.palette) {
        if (!s.palette_built) {
            if (s.surveyed == 0)
                return s.Fail("a GIF's frames are surveyed before they are written");
            s.palette->Build();
            s.palette_built = true;
        }
        s.palette->Map(frame, out->data[0], out->linesize[0]);
        std::memcpy(out->data[1], s.palette->colours().data(), AVPALETTE_SIZE);
        out->pts = GifTime(s.written, s.settings.fps);
    } else {
        const RgbImage* source = &frame;
        if (s.padded.width > 0) {
            s.Pad(frame);
            source = &s.padded;
        }
        const std::uint8_t* planes[1] = {source->pixels.data()};
        const int strides[1] = {source->width * 3};
        sws_scale(s.converter.get(), planes, strides, 0, source->height, out->data, out->linesize);
        out->pts = s.written;
    }
    const std::string problem = s.SendFrame(out);
    if (!problem.empty()) return problem;
    ++s.written;
    return "";
}

std::string VideoWriter::Finish() {
    State& s = *state_;
    if (!s.failure.empty()) return s.failure;
    if (s.finished) return "the video is already finished";
    if (s.written == 0) return s.Fail("a video needs at least one frame");
    std::string problem = s.SendFrame(nullptr);
    if (!problem.empty()) return problem;
    if (s.format == VideoFormat::kGif) {
        // The muxer learns a frame's delay from the next frame's time; the
        // last one has none after it, so its delay is told.
        const std::int64_t last =
            GifTime(s.written, s.settings.fps) - GifTime(s.written - 1, s.settings.fps);
        av_opt_set_int(s.muxer->priv_data, "final_delay", last, 0);
    }
    s.header_written = false;  // the trailer is written once, whatever it returns
    const int code = av_write_trailer(s.muxer.get());
    if (code < 0) return s.FailWriting(code);
    avio_flush(s.output.get());
    if (s.output->error < 0 || !s.file.ok()) return s.FailWriting(s.output->error);
    problem = s.file.Commit();
    s.finished = true;
    if (!problem.empty()) return s.Fail("cannot write " + s.path + ": " + problem);
    return "";
}

int VideoWriter::frames_written() const {
    return state_->written;
}

}  // namespace seedscape
