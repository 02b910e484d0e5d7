#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace seedscape {

// Keys in the seed box: the box keeps what it types and edits with, and
// Ctrl+C and Ctrl+V act on its text as in any text field; every other key
// that one of `window`'s actions has goes to the window (Ctrl+E exports,
// Ctrl+D adds a favourite), and Escape hands the focus back to the window.
void RouteWindowKeysFromSeedBox(QLineEdit* box, QWidget* window);

// Whether a key pressed in the seed box belongs to one of `window_actions`
// rather than to the box.
bool IsWindowKeyInSeedBox(const QKeyEvent& key, const QList<QAction*>& window_actions);

}  // namespace seedscape
