#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

#include "flight/flight.h"

namespace seedscape {

// Plays a flight at 1x and at its frame rate. The frames are drawn on a
// thread of the player's own by FlightFrames, as the exporter draws them, one
// at a time: while one is being drawn no other is asked for, and a frame
// whose time has passed by the moment it could be shown is skipped rather
// than shown late. The event thread only asks, and shows what arrives.
class FlightPlayer : public QObject {
    Q_OBJECT

  public:
    // How playing went since the last Play: frames shown against frames
    // whose time came, and the longest the event loop came late to a tick.
    struct Counts {
        long long shown = 0;
        long long due = 0;
        double longest_late_ms = 0;
    };

    explicit FlightPlayer(QObject* parent = nullptr);
    // Stops the drawing thread; a frame being drawn is given up.
    ~FlightPlayer() override;

    // A flight that reads (CheckFlight), or none; pauses and shows its first
    // frame. The flight's scale and supersampling are set aside: the player
    // draws at 1x.
    void SetFlight(std::optional<Flight> flight);
    // A loop plays round and round; any other flight stops on its last frame.
    void Play();
    void Pause();
    bool playing() const { return playing_; }
    // Pauses and shows `frame` (clamped to the flight), as the slider asks.
    void ShowFrame(std::int64_t frame);

    std::int64_t count() const { return count_; }
    int fps() const { return fps_; }
    // The frame shown last; -1 before any.
    std::int64_t frame() const { return shown_frame_; }
    Counts counts() const { return counts_; }

  signals:
    void frameShown(qint64 frame, const QImage& image);
    void playingChanged(bool playing);

  private:
    struct Request {
        std::uint64_t generation = 0;
        std::int64_t sequence = 0;  // frames since the flight's start, a loop's laps counted
    };

    void Tick();
    // The sequence number whose time is `ms` after playing started.
    std::int64_t SequenceAt(double ms) const;
    std::int64_t FrameOf(std::int64_t sequence) const;
    void Ask(std::int64_t sequence);
    void Deliver(std::uint64_t generation, std::int64_t sequence, const QImage& image,
                 double draw_ms);
    void Show(std::int64_t sequence, const QImage& image);
    void Work();

    // Event thread.
    std::int64_t count_ = 0;
    int fps_ = 30;
    bool loop_ = false;
    bool playing_ = false;
    std::uint64_t generation_ = 0;
    bool in_flight_ = false;
    std::optional<std::int64_t>
        wanted_;  // paused: the frame to draw once the one in flight is back
    std::int64_t start_sequence_ = 0;
    std::int64_t last_asked_ = -1;
    std::int64_t last_shown_sequence_ = -1;
    std::int64_t shown_frame_ = -1;
    std::optional<std::pair<std::int64_t, QImage>> ready_;  // drawn early, waiting for its time
    double draw_estimate_ms_ = 0;
    double last_tick_ms_ = 0;
    QElapsedTimer clock_;
    QTimer ticker_;
    Counts counts_;

    // Shared with the drawing thread.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Flight> new_flight_;
    std::optional<Request> request_;
    std::uint64_t current_generation_ = 0;
    bool stopping_ = false;
    std::thread worker_;  // last: started once the rest is ready
};

}  // namespace seedscape
