#include "app/panel/export_job.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include "app/shared/export_timing.h"
#include "export/write_picture.h"

namespace seedscape {

ExportJob::ExportJob(Recipe recipe, QString path, QObject* parent)
    : QObject(parent), recipe_(std::move(recipe)), path_(std::move(path)) {}

ExportJob::~ExportJob() {
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
}

void ExportJob::Start() {
    running_ = true;
    thread_ = std::thread([this] {
        QElapsedTimer clock;
        clock.start();
        // Progress arrives often; a tenth of a percent is as fine as the bar.
        int shown = -1;
        const PictureWriting written =
            WritePicturePng(recipe_, path_.toStdString(), [this, &shown](double done) {
                const int permille = static_cast<int>(done * 1000);
                if (permille != shown) {
                    shown = permille;
                    emit progressed(done);
                }
                return !cancel_;
            });
        const QString name = QFileInfo(path_).fileName();
        QString message;
        if (written.ok) {
            message = tr("Exported %1 in %2").arg(name, DurationText(clock.elapsed() / 1000.0));
        } else if (written.cancelled) {
            message = tr("Export cancelled; nothing was written");
        } else {
            message =
                tr("Could not export %1: %2").arg(name, QString::fromStdString(written.error));
        }
        running_ = false;
        emit finished(written.ok, message);
    });
}

}  // namespace seedscape
