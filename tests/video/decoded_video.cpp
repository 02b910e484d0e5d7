#include "tests/video/decoded_video.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace seedscape::testing {

namespace {

struct Decoding {
    AVFormatContext* input = nullptr;
    AVCodecContext* decoder = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    ~Decoding() {
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
        avformat_close_input(&input);
    }
};

RgbImage ToRgb(const AVFrame& frame) {
    RgbImage image(frame.width, frame.height);
    SwsContext* converter = sws_getContext(
        frame.width, frame.height, static_cast<AVPixelFormat>(frame.format), frame.width,
        frame.height, AV_PIX_FMT_RGB24, SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    // libswscale's tables are indexed by the stream's colour space; one it
    // does not know of gets BT.601's.
    const int space = frame.colorspace;
    const int full_range = frame.color_range == AVCOL_RANGE_JPEG ? 1 : 0;
    sws_setColorspaceDetails(converter, sws_getCoefficients(space), full_range,
                             sws_getCoefficients(space), 1, 0, 1 << 16, 1 << 16);
    std::uint8_t* planes[1] = {image.pixels.data()};
    const int strides[1] = {image.width * 3};
    sws_scale(converter, frame.data, frame.linesize, 0, frame.height, planes, strides);
    sws_freeContext(converter);
    return image;
}

}  // namespace

DecodedVideo DecodeVideo(const std::string& path) {
    DecodedVideo video;
    Decoding d;
    if (avformat_open_input(&d.input, path.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(d.input, nullptr) < 0) {
        video.error = "cannot open " + path;
        return video;
    }
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(d.input, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (index < 0 || codec == nullptr) {
        video.error = "no video stream to decode in " + path;
        return video;
    }
    const AVStream* stream = d.input->streams[index];
    d.decoder = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(d.decoder, stream->codecpar);
    if (avcodec_open2(d.decoder, codec, nullptr) < 0) {
        video.error = "cannot start a decoder for " + path;
        return video;
    }
    const double tick = av_q2d(stream->time_base);
    const auto receive = [&] {
        while (avcodec_receive_frame(d.decoder, d.frame) == 0) {
            video.frames.push_back(ToRgb(*d.frame));
            video.times.push_back(static_cast<double>(d.frame->best_effort_timestamp) * tick);
            av_frame_unref(d.frame);
        }
    };
    while (av_read_frame(d.input, d.packet) >= 0) {
        if (d.packet->stream_index == index) {
            video.end =
                std::max(video.end, static_cast<double>(d.packet->pts + d.packet->duration) * tick);
            if (avcodec_send_packet(d.decoder, d.packet) < 0)
                video.error = "a packet does not decode";
            receive();
        }
        av_packet_unref(d.packet);
    }
    avcodec_send_packet(d.decoder, nullptr);
    receive();
    return video;
}

}  // namespace seedscape::testing
