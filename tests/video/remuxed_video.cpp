#include "tests/video/remuxed_video.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace seedscape::testing {

std::string RemuxWithComment(const std::string& from, const std::string& to,
                             const std::string& comment) {
    AVFormatContext* input = nullptr;
    AVFormatContext* output = nullptr;
    AVPacket* packet = av_packet_alloc();
    std::string error;
    if (avformat_open_input(&input, from.c_str(), nullptr, nullptr) < 0 ||
        avformat_find_stream_info(input, nullptr) < 0) {
        error = "cannot open " + from;
    } else if (avformat_alloc_output_context2(&output, nullptr, nullptr, to.c_str()) < 0) {
        error = "no muxer for " + to;
    } else {
        for (unsigned k = 0; k < input->nb_streams && error.empty(); ++k) {
            AVStream* stream = avformat_new_stream(output, nullptr);
            if (stream == nullptr ||
                avcodec_parameters_copy(stream->codecpar, input->streams[k]->codecpar) < 0) {
                error = "cannot copy a stream";
                break;
            }
            stream->codecpar->codec_tag = 0;
            stream->time_base = input->streams[k]->time_base;
        }
        av_dict_set(&output->metadata, "comment", comment.c_str(), 0);
        if (error.empty() && (avio_open(&output->pb, to.c_str(), AVIO_FLAG_WRITE) < 0 ||
                              avformat_write_header(output, nullptr) < 0)) {
            error = "cannot begin " + to;
        }
        while (error.empty() && av_read_frame(input, packet) >= 0) {
            av_packet_rescale_ts(packet, input->streams[packet->stream_index]->time_base,
                                 output->streams[packet->stream_index]->time_base);
            if (av_interleaved_write_frame(output, packet) < 0) error = "cannot write " + to;
        }
        if (error.empty() && av_write_trailer(output) < 0) error = "cannot end " + to;
        if (output->pb != nullptr) avio_closep(&output->pb);
    }
    av_packet_free(&packet);
    avformat_free_context(output);
    avformat_close_input(&input);
    return error;
}

}  // namespace seedscape::testing
