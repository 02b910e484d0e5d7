#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "app/panel/export_job.h"
#include "app/panel/side_panel.h"
#include "recipe/recipe.h"

namespace seedscape {

// Runs the window's exports beside it, one at a time: the panel shows the
// progress and what came of it, and its Cancel button stops the export.
class ExportRunner : public QObject {
    Q_OBJECT

  public:
    explicit ExportRunner(SidePanel* panel);

    // Starts writing `recipe`'s picture to `path`; refused, with the reason
    // in the panel, while another export runs.
    void Start(const Recipe& recipe, const QString& path);
    // The export running, if any.
    ExportJob* job() const { return job_.get(); }

  private:
    SidePanel* panel_;
    std::unique_ptr<ExportJob> job_;
};

}  // namespace seedscape
