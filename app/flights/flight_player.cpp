#include "app/flights/flight_player.h"

#include <QDebug>
#include <algorithm>
#include <cmath>
#include <memory>

#include "app/flights/rgb_qimage.h"
#include "flight/flight_frames.h"

namespace seedscape {

namespace {

// Ticks come twice a frame, so that a frame is shown at most half a frame
// after its time.
constexpr int kTicksPerFrame = 2;

}  // namespace

FlightPlayer::FlightPlayer(QObject* parent) : QObject(parent) {
    ticker_.setTimerType(Qt::PreciseTimer);
    connect(&ticker_, &QTimer::timeout, this, &FlightPlayer::Tick);
    clock_.start();
    worker_ = std::thread([this] { Work(); });
}

FlightPlayer::~FlightPlayer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void FlightPlayer::SetFlight(std::optional<Flight> flight) {
    Pause();
    ++generation_;
    in_flight_ = false;
    wanted_.reset();
    ready_.reset();
    draw_estimate_ms_ = 0;
    shown_frame_ = -1;
    count_ = 0;
    if (flight) {
        flight->scale = 1;
        flight->supersample = 1;
        count_ = FrameCount(*flight);
        fps_ = flight->fps;
        loop_ = flight->loop_us.has_value();
    }
    {
        std::lock_guard lock(mutex_);
        current_generation_ = generation_;
        request_.reset();
        new_flight_ = std::move(flight);
    }
    wake_.notify_all();
    if (count_ > 0) ShowFrame(0);
}

void FlightPlayer::Play() {
    if (playing_ || count_ == 0) return;
    // From the frame shown, or from the start once at the end.
    std::int64_t from = std::max<std::int64_t>(shown_frame_, 0);
    if (!loop_ && from >= count_ - 1) from = 0;
    playing_ = true;
    wanted_.reset();
    ready_.reset();
    counts_ = {};
    start_sequence_ = from;
    last_asked_ = from - 1;
    last_shown_sequence_ = from - 1;
    if (shown_frame_ == from) {
        // The frame on screen is the first one due: shown in its time.
        counts_.shown = 1;
        last_asked_ = from;
        last_shown_sequence_ = from;
    }
    clock_.restart();
    last_tick_ms_ = 0;
    ticker_.start(std::max(1, 1000 / (fps_ * kTicksPerFrame)));
    emit playingChanged(true);
    Tick();
}

void FlightPlayer::Pause() {
    if (!playing_) return;
    playing_ = false;
    ticker_.stop();
    ready_.reset();
    qDebug().noquote() << QStringLiteral(
                              "flight player: %1 of %2 frames shown, event loop late "
                              "by %3 ms at most")
                              .arg(counts_.shown)
                              .arg(counts_.due)
                              .arg(counts_.longest_late_ms, 0, 'f', 1);
    emit playingChanged(false);
}

void FlightPlayer::ShowFrame(std::int64_t frame) {
    Pause();
    if (count_ == 0) return;
    frame = std::clamp<std::int64_t>(frame, 0, count_ - 1);
    if (in_flight_) {
        wanted_ = frame;  // the latest wish only: asked for once the one drawing is back
        return;
    }
    Ask(frame);
}

std::int64_t FlightPlayer::SequenceAt(double ms) const {
    return start_sequence_ + static_cast<std::int64_t>(std::floor(ms * fps_ / 1000.0));
}

std::int64_t FlightPlayer::FrameOf(std::int64_t sequence) const {
    return loop_ ? sequence % count_ : sequence;
}

void FlightPlayer::Tick() {
    if (!playing_) return;
    const double now = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
    const double interval = ticker_.interval();
    if (last_tick_ms_ > 0) {
        counts_.longest_late_ms = std::max(counts_.longest_late_ms, now - last_tick_ms_ - interval);
    }
    last_tick_ms_ = now;
    const std::int64_t due = SequenceAt(now);
    if (!loop_ && due >= count_) {
        // Past the end: every frame's time has come.
        counts_.due = count_ - start_sequence_;
        Pause();
        if (shown_frame_ != count_ - 1) ShowFrame(count_ - 1);
        return;
    }
    counts_.due = due - start_sequence_ + 1;
    if (ready_ && ready_->first <= due) {
        // Shown in its own frame's time, or not at all.
        if (ready_->first == due) Show(ready_->first, ready_->second);
        ready_.reset();
    }
    if (in_flight_ || ready_) return;
    // Ask for the frame that will be due when the drawing is done.
    std::int64_t next = std::max(SequenceAt(now + draw_estimate_ms_), last_asked_ + 1);
    next = std::max(next, due);
    if (next == last_shown_sequence_) ++next;
    if (!loop_ && next >= count_) return;
    Ask(next);
}

void FlightPlayer::Ask(std::int64_t sequence) {
    in_flight_ = true;
    last_asked_ = sequence;
    {
        std::lock_guard lock(mutex_);
        request_ = Request{generation_, sequence};
    }
    wake_.notify_all();
}

void FlightPlayer::Deliver(std::uint64_t generation, std::int64_t sequence, const QImage& image,
                           double draw_ms) {
    if (generation != generation_) return;  // of a flight no longer played
    in_flight_ = false;
    // Each frame's cost weighs a quarter: a run of costly frames soon asks
    // further ahead.
    draw_estimate_ms_ =
        draw_estimate_ms_ == 0 ? draw_ms : 0.75 * draw_estimate_ms_ + 0.25 * draw_ms;
    if (!playing_) {
        if (wanted_ && *wanted_ != sequence) {
            const std::int64_t next = *wanted_;
            wanted_.reset();
            Ask(next);
            return;
        }
        wanted_.reset();
        Show(sequence, image);
        return;
    }
    const double now = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
    const std::int64_t due = SequenceAt(now);
    if (sequence == due) {
        Show(sequence, image);
    } else if (sequence > due) {
        ready_.emplace(sequence, image);
    }
    // Else it came late: skipped.
    Tick();
}

void FlightPlayer::Show(std::int64_t sequence, const QImage& image) {
    if (playing_) {
        ++counts_.shown;
        last_shown_sequence_ = sequence;
    }
    shown_frame_ = FrameOf(sequence);
    emit frameShown(shown_frame_, image);
}

void FlightPlayer::Work() {
    std::unique_ptr<FlightFrames> frames;
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || new_flight_ || request_; });
        if (stopping_) return;
        if (new_flight_) {
            std::optional<Flight> flight = std::move(new_flight_);
            new_flight_.reset();
            lock.unlock();
            frames = flight ? std::make_unique<FlightFrames>(std::move(*flight)) : nullptr;
            lock.lock();
            continue;
        }
        const Request request = *request_;
        request_.reset();
        if (request.generation != current_generation_ || !frames) continue;
        lock.unlock();
        QElapsedTimer timer;
        timer.start();
        const std::int64_t count = frames->count();
        const std::int64_t frame =
            frames->flight().loop_us ? request.sequence % count : request.sequence;
        // Given up when the player stops or moves to another flight.
        const std::optional<RgbImage> drawn = frames->Draw(frame, [this, &request](double) {
            std::lock_guard hold(mutex_);
            return !stopping_ && request.generation == current_generation_;
        });
        const double draw_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (drawn) {
            QImage image = RgbToQImage(*drawn);
            QMetaObject::invokeMethod(
                this,
                [this, generation = request.generation, sequence = request.sequence, image,
                 draw_ms] { Deliver(generation, sequence, image, draw_ms); },
                Qt::QueuedConnection);
        }
        lock.lock();
    }
}

}  // namespace seedscape
