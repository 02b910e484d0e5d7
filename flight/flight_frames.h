#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "export/export_picture.h"
#include "flight/flight.h"
#include "flight/frame_plan.h"
#include "image_file/rgb_image.h"

namespace seedscape {

// Draws the frames of a flight that reads. A frame's pixels depend only on
// the flight and the frame's number: a key's frame is its picture as the
// key's recipe draws it at the flight's scale and supersampling; a frame
// between two keys of one family starts from the record that the earlier
// key's recipe leaves just before its picture, with the view and points
// moved; a frame between other keys mixes their pictures in linear light.
// What frames share (the keys' records, the two pictures a crossfade mixes)
// is kept, so that frames drawn in order cost no more than their pixels.
class FlightFrames {
  public:
    explicit FlightFrames(Flight flight, ExportOptions options = {});

    const Flight& flight() const { return flight_; }
    std::int64_t count() const { return FrameCount(flight_); }
    int width() const;
    int height() const;
    FramePlan Plan(std::int64_t frame) const;

    // Frame `frame`, 0 <= frame < count(). `progress` is told the share of
    // the frame done; returning false cancels, and then the frame is empty.
    std::optional<RgbImage> Draw(std::int64_t frame,
                                 const std::function<bool(double done)>& progress = {});

    // The record a moving frame or a loop's frame renders from, its view and
    // points set; nothing for a key's frame or a crossfade.
    std::optional<ImageState> FrameRecord(std::int64_t frame);
    // The grading of such a frame: between its keys' for a move, the key's
    // own for a loop.
    Grading FrameGrading(std::int64_t frame) const;

  private:
    Recipe KeyRecipe(std::size_t key) const;
    const ImageState& RecordBeforeKey(std::size_t key);
    // The key's picture, drawn or held; `keep` names a held picture that the
    // drawing may not let go.
    const RgbImage* KeyPicture(std::size_t key, const std::function<bool(double)>& progress,
                               std::optional<std::size_t> keep = std::nullopt);
    std::optional<RgbImage> DrawCrossfade(const FramePlan& plan,
                                          const std::function<bool(double)>& progress);
    std::optional<RgbImage> DrawRecord(ImageState state, const Grading& grading,
                                       const std::function<bool(double)>& progress);

    Flight flight_;
    ExportOptions options_;
    std::vector<ImageState> key_views_;  // each key's record before its picture, not rendered into
    std::vector<bool> segment_moves_;    // segment k joins keys k and k + 1 of one family
    std::vector<std::optional<ImageState>> records_;  // rendered into, made when first needed
    struct HeldPicture {
        std::optional<std::size_t> key;
        RgbImage picture;
    };
    std::array<HeldPicture, 2> pictures_;  // the pictures of the last two keys drawn
};

// The mix of two pictures of one size in linear light, `weight` of `to`.
RgbImage MixInLinearLight(const RgbImage& from, const RgbImage& to, double weight);

}  // namespace seedscape
