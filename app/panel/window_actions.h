#pragma once

#include <QAction>
#include <QWidget>

namespace seedscape {

// What the main window offers beyond its five buttons, as actions: each
// named for automation, with its keys and a tip that tells them. The panel
// shows them as buttons; the window connects each to what it does.
struct WindowActions {
    QAction* go_to_seed;
    QAction* back;
    QAction* forward;
    QAction* new_image_mother;
    QAction* increase_magnification;
    QAction* reduce_magnification;
    QAction* show_help;
    QAction* save_image;
    QAction* export_picture;
    QAction* copy_recipe;
    QAction* copy_picture;
    QAction* paste_recipe;
    QAction* open;
    QAction* variations;
    QAction* atlas;
    QAction* add_favourite;
    QAction* add_key;  // the latest picture as the flight's next key
    QAction* flight;   // opens the flight window
    QAction* zoom_in;
    QAction* zoom_out;
    QAction* full_screen;
    QAction* show_panel;  // checkable: whether the panel is shown
};

// Makes the actions on `window`, so that their keys work with the panel
// hidden too.
WindowActions MakeWindowActions(QWidget* window);

}  // namespace seedscape
