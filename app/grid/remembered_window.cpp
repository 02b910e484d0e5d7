#include "app/grid/remembered_window.h"

#include <QGuiApplication>
#include <QScreen>

namespace seedscape {

QList<QRect> FreeScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
    return areas;
}

bool FitsSomeScreen(const QWidget& window) {
    const QSize size = window.frameGeometry().size();
    for (const QRect& area : FreeScreenAreas()) {
        if (size.width() <= area.width() && size.height() <= area.height()) return true;
    }
    return false;
}

}  // namespace seedscape
