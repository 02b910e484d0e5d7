#include "app/panel/export_runner.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressBar>
#include <memory>

#include "app/shared/export_timing.h"

namespace seedscape {

ExportRunner::ExportRunner(SidePanel* panel) : panel_(panel) {
    connect(panel_, &SidePanel::cancelExportClicked, this, [this] {
        if (job_) job_->Cancel();
    });
}

void ExportRunner::Start(const Recipe& recipe, const QString& path) {
    if (job_) {
        panel_->ShowProblem(tr("An export is running; wait for it or cancel it first"));
        return;
    }
    job_ = std::make_unique<ExportJob>(recipe, path);
    connect(job_.get(), &ExportJob::progressed, panel_, &SidePanel::ShowExportProgress);
    // The bar says how far the export is and how long it has to go.
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    if (auto* bar = panel_->findChild<QProgressBar*>()) {
        bar->setTextVisible(true);
        bar->setFormat(ProgressText(0, 0));
        connect(job_.get(), &ExportJob::progressed, bar, [bar, clock](double done) {
            bar->setFormat(ProgressText(done, clock->elapsed() / 1000.0));
        });
    }
    connect(job_.get(), &ExportJob::finished, this, [this](bool ok, const QString& message) {
        panel_->HideExportProgress();
        if (ok) {
            panel_->ShowMessage(message);
        } else {
            panel_->ShowProblem(message);
        }
        // The job's thread may still be returning from this signal: let it go
        // once control is back in the event loop.
        QMetaObject::invokeMethod(
            this, [this] { job_.reset(); }, Qt::QueuedConnection);
    });
    panel_->ShowExportProgress(0);
    // Stays while the progress bar runs; the outcome replaces it.
    panel_->ShowProblem(tr("Exporting %1").arg(QFileInfo(path).fileName()));
    job_->Start();
}

}  // namespace seedscape
