#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QWidget>

#include "app/panel/favourites_list.h"
#include "app/panel/favourites_status.h"
#include "app/panel/side_panel.h"
#include "app/panel/window_actions.h"

namespace seedscape {

// The main window's panel and the parts of it the window fills and reads.
struct WindowPanel {
    QScrollArea* scroller;  // holds the panel, which scrolls when the window is short
    SidePanel* side;
    QLineEdit* seed_box;
    QLabel* seed_problem;                 // why the seed typed was refused; hidden until then
    FavouritesStatus* favourites_status;  // what is not saved, and why
    FavouritesList* favourites;
};

// Builds the panel on `window`: the seed box with back and forward, then a
// section of buttons for each group of `actions`, the favourites listed
// under their own. The window's keys work from the seed box.
WindowPanel BuildWindowPanel(QWidget* window, const WindowActions& actions);

}  // namespace seedscape
