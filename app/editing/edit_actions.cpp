#include "app/editing/edit_actions.h"

#include <QKeySequence>

namespace seedscape {

namespace {

void Name(QWidget* window, QAction* action, const char* name, const QKeySequence& keys) {
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(action->text().remove(QLatin1Char('&')),
                                                     keys.toString(QKeySequence::NativeText)));
    window->addAction(action);
}

}  // namespace

EditActions MakeEditActions(QWidget* window, QUndoGroup* group) {
    EditActions a{};
    a.show_edit = new QAction(QObject::tr("Edit"), window);
    a.show_edit->setCheckable(true);
    Name(window, a.show_edit, "ShowEdit", QKeySequence(QObject::tr("Ctrl+P")));
    a.show_points = new QAction(QObject::tr("Points"), window);
    a.show_points->setCheckable(true);
    Name(window, a.show_points, "ShowPoints", QKeySequence(Qt::Key_P));
    a.undo = group->createUndoAction(window, QObject::tr("Undo"));
    Name(window, a.undo, "Undo", QKeySequence(QObject::tr("Ctrl+Z")));
    a.redo = group->createRedoAction(window, QObject::tr("Redo"));
    Name(window, a.redo, "Redo", QKeySequence(QObject::tr("Ctrl+Shift+Z")));
    return a;
}

void ListEditActions(QMenu* menu, const EditActions& actions) {
    menu->addSeparator();
    for (QAction* action : {actions.show_edit, actions.show_points, actions.undo, actions.redo}) {
        action->setShortcutVisibleInContextMenu(true);
        menu->addAction(action);
    }
}

}  // namespace seedscape
