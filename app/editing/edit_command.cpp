#include "app/editing/edit_command.h"

#include <utility>

namespace seedscape {

EditCommand::EditCommand(const QString& text, HandSetFields before, double fak_before,
                         HandSetFields after, Show show)
    : QUndoCommand(text),
      before_(std::move(before)),
      fak_before_(fak_before),
      after_(std::move(after)),
      show_(std::move(show)) {}

void EditCommand::undo() {
    show_(before_, fak_before_);
}

void EditCommand::redo() {
    show_(after_, 0.0);
}

}  // namespace seedscape
