#pragma once

#include <memory>
#include <string>

#include "image_file/rgb_image.h"
#include "video/video_format.h"

namespace seedscape {

// What a video is made of, whatever its format. Every frame is width x height
// (an RgbImage, rows top to bottom); the comment, at most
// kLongestVideoComment bytes of any text, travels in the file's metadata.
struct VideoSettings {
    int width = 0;
    int height = 0;
    int fps = 30;
    std::string comment;
    int threads = 0;  // the encoder's threads: 0 lets it choose, 1 keeps it to one
};

// Turns frames into a video file, which appears whole when Finish() succeeds
// and not at all otherwise: the bytes go to a temporary beside the path,
// removed on any failure, when the writer goes without Finish(), and when the
// program is interrupted (see AtomicFile).
//
// MP4: H.264 through libx264, preset "superfast" at CRF 21, yuv420p. At
//   1164 x 844 it took 17 to 22 ms of one core a frame, where "veryfast"
//   took 27 to 33 ms for files a fifth smaller and "ultrafast" 10 to 12 ms
//   for files twice as large: cheap beside the drawing of the frame.
// WebM: VP9 through libvpx, "realtime" deadline at cpu-used 8, its cheapest,
//   with rows encoded in parallel, CRF 32, yuv420p: 32 to 40 ms a frame at
//   1164 x 844, where the "good" deadline took ten times as long.
//   Both convert with BT.709's matrix to limited range (16-235) and say so in
//   the stream, so that players turn the colours back as they were made.
//   4:2:0 needs even sizes: an odd width gains a copy of the last column, an
//   odd height a copy of the last row (291 x 211 is stored as 292 x 212).
// GIF: one palette of 256 colours for the whole loop (see GifPalette), so
//   every frame is surveyed first; delays are in hundredths of a second, and
//   frame n is shown from round(100 n / fps) hundredths: at 30 fps the frames
//   last 3, 4, 3, 3, 4, 3... hundredths and every tenth of a second ends on
//   time. The GIF loops forever. FFmpeg's GIF muxer writes no comment
//   extension, so a GIF carries no comment.
class VideoWriter {
  public:
    // Null with `error` set when the settings cannot be stored in `format`
    // or the file cannot be begun.
    static std::unique_ptr<VideoWriter> Open(const std::string& path, VideoFormat format,
                                             const VideoSettings& settings, std::string& error);
    ~VideoWriter();
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // True for GIF: the palette is chosen from every frame, so each frame is
    // passed to Survey() once, in any order, before the first Write(). A
    // frame of another size, or one surveyed after the first Write(), is not
    // counted.
    bool NeedsSurvey() const;
    void Survey(const RgbImage& frame);

    // Adds the next frame. Returns "" or why not; after a failure the writer
    // only gives up.
    std::string Write(const RgbImage& frame);

    // Ends the stream, writes the file's index and renames it into place.
    // Returns "" or why not (then nothing is left behind).
    std::string Finish();

    // How many frames Write() has taken.
    int frames_written() const;

  private:
    struct State;
    explicit VideoWriter(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

}  // namespace seedscape
