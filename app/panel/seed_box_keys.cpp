#include "app/panel/seed_box_keys.h"

#include <QAction>
#include <QKeyEvent>

namespace seedscape {

namespace {

class SeedBoxKeys : public QObject {
  public:
    SeedBoxKeys(QLineEdit* box, QWidget* window) : QObject(box), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            window_->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
        // A line edit claims the keys it knows (Ctrl+E moves to the end,
        // Ctrl+D deletes) before any shortcut sees them; declining the claim
        // lets the window's action have the key.
        if (event->type() == QEvent::ShortcutOverride &&
            IsWindowKeyInSeedBox(*static_cast<QKeyEvent*>(event), window_->actions())) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget* window_;
};

}  // namespace

bool IsWindowKeyInSeedBox(const QKeyEvent& key, const QList<QAction*>& window_actions) {
    if (key.matches(QKeySequence::Copy) || key.matches(QKeySequence::Paste)) return false;
    // "n", "+" and "-" are typed into the box, not pressed on the grid.
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if (!(key.modifiers() & commands) && !key.text().isEmpty() && key.text().at(0).isPrint())
        return false;
    const QKeySequence pressed(key.keyCombination());
    for (const QAction* action : window_actions) {
        for (const QKeySequence& keys : action->shortcuts()) {
            if (keys.matches(pressed) == QKeySequence::ExactMatch) return true;
        }
    }
    return false;
}

void RouteWindowKeysFromSeedBox(QLineEdit* box, QWidget* window) {
    box->installEventFilter(new SeedBoxKeys(box, window));
}

}  // namespace seedscape
