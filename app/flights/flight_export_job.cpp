#include "app/flights/flight_export_job.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <chrono>
#include <cmath>

#include "app/shared/export_timing.h"
#include "flight/flight_frames.h"
#include "flight/flight_text.h"
#include "flight/write_flight.h"
#include "state/grid_geometry.h"

namespace seedscape {

namespace {

// How often a held export looks whether it may go on.
constexpr std::chrono::milliseconds kHeldPause{10};

}  // namespace

FlightExportJob::FlightExportJob(Flight flight, QString path, std::optional<VideoFormat> format,
                                 QObject* parent)
    : QObject(parent), flight_(std::move(flight)), path_(std::move(path)), format_(format) {}

FlightExportJob::~FlightExportJob() {
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
}

void FlightExportJob::Start() {
    running_ = true;
    thread_ = std::thread([this] {
        QElapsedTimer clock;
        clock.start();
        FlightFrames frames(flight_);
        // A tenth of a percent is as fine as the bar shows.
        long long shown = -1;
        const FlightProgress progress = [this, &shown](double done, std::int64_t count) {
            const auto permille = static_cast<long long>(std::floor(done * 1000 / count));
            if (permille != shown) {
                shown = permille;
                emit progressed(done, count);
            }
            while (held_ && !cancel_) std::this_thread::sleep_for(kHeldPause);
            return !cancel_;
        };
        const std::string error =
            format_
                ? WriteFlightVideo(frames, path_.toStdString(), *format_, progress)
                : WriteFlightFrames(frames, 0, frames.count() - 1, path_.toStdString(), progress);
        const QString name = QFileInfo(path_).fileName();
        QString message;
        if (error.empty()) {
            message = tr("Exported %1 in %2").arg(name, DurationText(clock.elapsed() / 1000.0));
        } else if (error == kFlightCancelled) {
            message = format_ ? tr("Export cancelled; nothing was written")
                              : tr("Export cancelled; the frames drawn so far are whole");
        } else {
            message = tr("Could not export %1: %2").arg(name, QString::fromStdString(error));
        }
        running_ = false;
        emit finished(error.empty(), message);
    });
}

bool IsFramesFolder(const QString& path) {
    return path.endsWith(QLatin1Char('/'));
}

QString FlightExportProblem(const Flight& flight, const QString& path) {
    if (IsFramesFolder(path)) return QString::fromStdString(CheckFlight(flight));
    const std::optional<VideoFormat> format = VideoFormatFromPath(path.toStdString());
    if (!format) {
        return QObject::tr("%1: a video's name ends in .mp4, .webm or .gif")
            .arg(QFileInfo(path).fileName());
    }
    std::string problem = CheckFlight(flight);
    if (problem.empty()) {
        problem =
            VideoSizeProblem(*format, kImageWidth * flight.scale, kImageHeight * flight.scale);
    }
    if (problem.empty()) problem = VideoFrameRateProblem(*format, flight.fps);
    return QString::fromStdString(problem);
}

}  // namespace seedscape
