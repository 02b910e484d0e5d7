#pragma once

#include <QAction>
#include <QMenu>
#include <QUndoGroup>
#include <QWidget>

namespace seedscape {

// The Edit section's actions, made on the window so that their keys work
// with the panel hidden: showing the section (Ctrl+P), and undo and redo of
// the current visit's edits (Ctrl+Z, Ctrl+Shift+Z), which follow `group`'s
// active stack.
struct EditActions {
    QAction* show_edit;    // checkable: whether the Edit section is shown
    QAction* show_points;  // checkable: whether the points' handles are shown (P)
    QAction* undo;
    QAction* redo;
};

EditActions MakeEditActions(QWidget* window, QUndoGroup* group);

}  // namespace seedscape

namespace seedscape {

// Adds the actions, their keys shown, as one more group of `menu`.
void ListEditActions(QMenu* menu, const EditActions& actions);

}  // namespace seedscape
