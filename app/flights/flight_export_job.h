#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <optional>
#include <thread>

#include "flight/flight.h"
#include "video/video_format.h"

namespace seedscape {

// One flight being written into a video beside the window, on a thread of
// its own, through WriteFlightVideo: a temporary file renamed once whole, so
// that a cancelled or failed export leaves nothing. Without a format, its
// frames go into a folder as numbered PNG files, each written whole.
class FlightExportJob : public QObject {
    Q_OBJECT

  public:
    // `flight` reads and fits `format` (see FlightExportProblem).
    FlightExportJob(Flight flight, QString path, std::optional<VideoFormat> format,
                    QObject* parent = nullptr);
    // Cancels the export if it still runs and waits for its thread: nothing
    // is left at the path then.
    ~FlightExportJob() override;

    void Start();
    void Cancel() { cancel_ = true; }
    // While held the export waits between bands of its frames, so that the
    // player's frames have the render threads first.
    void SetHeld(bool held) { held_ = held; }
    bool running() const { return running_; }
    const QString& path() const { return path_; }

  signals:
    // Frames done, with a fraction of the one being drawn, of `frames`.
    void progressed(double frames_done, qint64 frames);
    // `message` tells what was written, or why nothing was.
    void finished(bool ok, const QString& message);

  private:
    Flight flight_;
    QString path_;
    std::optional<VideoFormat> format_;  // none: PNG frames into a folder
    std::atomic<bool> cancel_{false};
    std::atomic<bool> held_{false};
    std::atomic<bool> running_{false};
    std::thread thread_;
};

// Whether an export's path names a folder for PNG frames: it ends in "/".
bool IsFramesFolder(const QString& path);

// "" when `flight` can be written to `path`, else why not: the format the
// name gives, the flight's rules, the size and frame rate the format holds.
QString FlightExportProblem(const Flight& flight, const QString& path);

}  // namespace seedscape
