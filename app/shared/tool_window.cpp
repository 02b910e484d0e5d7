#include "app/shared/tool_window.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <algorithm>

namespace seedscape {

namespace {

// The gap between the main window and the tool window beside it.
constexpr int kGap = 8;

// `start` moved so that `length` from it lies within [lowest, lowest + room).
int Within(int start, int length, int lowest, int room) {
    return std::max(lowest, std::min(start, lowest + room - length));
}

}  // namespace

QPoint PlaceBeside(const QRect& main_frame, const QSize& size, const QRect& available) {
    const int right = main_frame.right() + 1 + kGap;
    const bool fits_right = right + size.width() <= available.right() + 1;
    const QPoint wanted = fits_right ? QPoint(right, main_frame.top()) : main_frame.topLeft();
    return {Within(wanted.x(), size.width(), available.left(), available.width()),
            Within(wanted.y(), size.height(), available.top(), available.height())};
}

void AddCloseKeys(QWidget* window) {
    // Ctrl+W by name: the platform's Close may be another key, and one key
    // bound twice would do nothing.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
    }
}

void OpenBeside(QWidget* window, const QWidget* main) {
    QScreen* screen = main != nullptr ? main->screen() : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect available = screen->availableGeometry();
    // The frame adds a title bar and borders the window's own size leaves out.
    const QSize frame_extra = window->frameGeometry().size() - window->geometry().size();
    const QSize room = available.size() - frame_extra;
    window->resize(window->size().boundedTo(room));
    const QRect main_frame = main != nullptr ? main->frameGeometry() : available;
    window->move(PlaceBeside(main_frame, window->frameGeometry().size(), available));
}

}  // namespace seedscape
