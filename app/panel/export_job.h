#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <thread>

#include "recipe/recipe.h"

namespace seedscape {

// One export running beside the window, in a thread of its own, so that the
// window stays usable: it tells its progress and can be cancelled, and a
// cancelled or failed export leaves no file behind.
class ExportJob : public QObject {
    Q_OBJECT

  public:
    ExportJob(Recipe recipe, QString path, QObject* parent = nullptr);
    // Cancels the export if it still runs, and waits for its thread.
    ~ExportJob() override;

    void Start();
    void Cancel() { cancel_ = true; }
    bool running() const { return running_; }

  signals:
    void progressed(double done);
    // `message` tells what was written, or why nothing was.
    void finished(bool ok, const QString& message);

  private:
    Recipe recipe_;
    QString path_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> running_{false};
    std::thread thread_;
};

}  // namespace seedscape
