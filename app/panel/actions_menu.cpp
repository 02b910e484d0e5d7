#include "app/panel/actions_menu.h"

#include <QMenu>

#include "app/panel/side_panel.h"

namespace seedscape {

QToolButton* MakeActionsMenuButton(QWidget* window, const WindowActions& a) {
    auto* menu = new QMenu(window);
    menu->setObjectName(QStringLiteral("ActionsMenu"));
    // In the panel's order, its sections apart.
    const QList<QList<QAction*>> groups = {
        {a.go_to_seed, a.back, a.forward},
        {a.new_image_mother, a.increase_magnification, a.reduce_magnification, a.show_help},
        {a.save_image, a.export_picture, a.copy_recipe, a.copy_picture, a.paste_recipe, a.open},
        {a.variations, a.atlas},
        {a.add_key, a.flight},
        {a.add_favourite},
        {a.zoom_in, a.zoom_out, a.full_screen, a.show_panel},
    };
    for (const QList<QAction*>& group : groups) {
        if (!menu->isEmpty()) menu->addSeparator();
        for (QAction* action : group) {
            // A menu opened by a click is no context menu: its keys are shown
            // whatever the desktop does for those.
            action->setShortcutVisibleInContextMenu(true);
            menu->addAction(action);
        }
    }
    auto* button = new QToolButton(window);
    button->setObjectName(QStringLiteral("ActionsMenuButton"));
    button->setText(QStringLiteral("\u2261"));
    button->setToolTip(SidePanel::tr("Every action and its key"));
    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    // The button is as small as the grid's own; the menu arrow would crowd
    // out its sign.
    button->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    return button;
}

}  // namespace seedscape
