#include "app/panel/window_actions.h"

#include "app/panel/side_panel.h"

namespace seedscape {

namespace {

QAction* MakeAction(QWidget* window, const char* name, const QString& text,
                    const QKeySequence& keys) {
    auto* action = new QAction(text, window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    // The panel's buttons tell their keys on hover.
    action->setToolTip(QStringLiteral("%1 (%2)").arg(QString(text).remove(QStringLiteral("...")),
                                                     keys.toString(QKeySequence::NativeText)));
    window->addAction(action);
    return action;
}

}  // namespace

WindowActions MakeWindowActions(QWidget* window) {
    WindowActions a{};
    a.go_to_seed = MakeAction(window, "GoToSeed", SidePanel::tr("Go to seed"),
                              QKeySequence(SidePanel::tr("Ctrl+G")));
    a.back = MakeAction(window, "Back", SidePanel::tr("Back"), QKeySequence::Back);
    a.forward = MakeAction(window, "Forward", SidePanel::tr("Forward"), QKeySequence::Forward);

    a.increase_magnification =
        MakeAction(window, "IncreaseMagnification", SidePanel::tr("Increase magnification"),
                   QKeySequence(Qt::Key_Plus));
    // "+" is typed with Shift on many keyboards; "=" is the same key.
    a.increase_magnification->setShortcuts(
        {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)});
    a.new_image_mother = MakeAction(window, "NewImageMother", SidePanel::tr("New image mother"),
                                    QKeySequence(Qt::Key_N));
    a.reduce_magnification =
        MakeAction(window, "ReduceMagnification", SidePanel::tr("Reduce magnification"),
                   QKeySequence(Qt::Key_Minus));
    a.show_help = MakeAction(window, "ShowHelp", SidePanel::tr("Help"), QKeySequence(Qt::Key_F1));

    a.save_image =
        MakeAction(window, "SaveImage", SidePanel::tr("Save image..."), QKeySequence::Save);
    a.export_picture = MakeAction(window, "Export", SidePanel::tr("Export..."),
                                  QKeySequence(SidePanel::tr("Ctrl+E")));
    a.copy_recipe =
        MakeAction(window, "CopyRecipe", SidePanel::tr("Copy recipe"), QKeySequence::Copy);
    a.copy_picture = MakeAction(window, "CopyPicture", SidePanel::tr("Copy picture"),
                                QKeySequence(SidePanel::tr("Ctrl+Shift+C")));
    a.paste_recipe =
        MakeAction(window, "PasteRecipe", SidePanel::tr("Paste recipe"), QKeySequence::Paste);
    a.open = MakeAction(window, "Open", SidePanel::tr("Open..."), QKeySequence::Open);

    a.variations = MakeAction(window, "Variations", SidePanel::tr("Variations..."),
                              QKeySequence(SidePanel::tr("Ctrl+B")));
    a.atlas = MakeAction(window, "Atlas", SidePanel::tr("Atlas..."),
                         QKeySequence(SidePanel::tr("Ctrl+T")));
    a.add_favourite = MakeAction(window, "AddFavourite", SidePanel::tr("\u2605 Add to favourites"),
                                 QKeySequence(SidePanel::tr("Ctrl+D")));
    a.add_key = MakeAction(window, "AddKey", SidePanel::tr("Add key"),
                           QKeySequence(SidePanel::tr("Ctrl+K")));
    a.flight = MakeAction(window, "Flight", SidePanel::tr("Flight..."),
                          QKeySequence(SidePanel::tr("Ctrl+L")));

    a.show_panel = new QAction(SidePanel::tr("Show panel"), window);
    a.show_panel->setObjectName(QStringLiteral("ShowPanel"));
    a.show_panel->setCheckable(true);
    a.show_panel->setShortcut(QKeySequence(Qt::Key_F9));
    a.show_panel->setToolTip(SidePanel::tr("Show or hide this panel (F9)"));
    window->addAction(a.show_panel);
    a.zoom_in = MakeAction(window, "ZoomIn", SidePanel::tr("Zoom in"), QKeySequence::ZoomIn);
    a.zoom_out = MakeAction(window, "ZoomOut", SidePanel::tr("Zoom out"), QKeySequence::ZoomOut);
    a.full_screen =
        MakeAction(window, "FullScreen", SidePanel::tr("Full screen"), QKeySequence(Qt::Key_F11));
    return a;
}

}  // namespace seedscape
