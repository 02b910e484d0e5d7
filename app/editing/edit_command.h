#pragma once

#include <QUndoCommand>
#include <functional>

#include "app/editing/hand_set_fields.h"

namespace seedscape {

// One finished gesture of the Edit section (a spin, a slider let go, a
// choice, a drag, a reset): redo shows the fields after it, undo those
// before. `show` puts fields on the current picture and redraws the grid
// from the factor given: an edit draws as a pasted recipe is drawn (0), and
// undoing the first edit of a mother drawn by "new" gives back the factor it
// was drawn with, so the grid returns bit for bit.
class EditCommand : public QUndoCommand {
  public:
    using Show = std::function<void(const HandSetFields&, double fak)>;
    EditCommand(const QString& text, HandSetFields before, double fak_before, HandSetFields after,
                Show show);

    void undo() override;
    void redo() override;

  private:
    HandSetFields before_;
    double fak_before_;
    HandSetFields after_;
    Show show_;
};

}  // namespace seedscape
