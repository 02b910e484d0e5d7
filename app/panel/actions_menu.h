#pragma once

#include <QToolButton>
#include <QWidget>

#include "app/panel/window_actions.h"

namespace seedscape {

// A small button on `window` whose menu lists every action with its key:
// the one way to everything that stays in sight with the panel hidden.
QToolButton* MakeActionsMenuButton(QWidget* window, const WindowActions& actions);

}  // namespace seedscape
