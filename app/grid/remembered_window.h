#pragma once

#include <QCoreApplication>
#include <QList>
#include <QRect>
#include <QSettings>
#include <QWidget>
#include <optional>

#include "app/panel/side_panel.h"
#include "app/panel/window_fit.h"
#include "app/panel/window_settings.h"

namespace seedscape {

// The free areas of every screen.
QList<QRect> FreeScreenAreas();
// Whether `window` at its size now would lie wholly on some screen.
bool FitsSomeScreen(const QWidget& window);

// Puts the main window where it was last left: its place on screen, its
// zoom and whether the panel shows. Values that do not fit today's screens
// are passed over. `Window` is the main window (a template so that it need
// not be known here: it includes this file).
template <class Window>
void RestoreWindow(Window& form, const QSettings& settings) {
    if (const std::optional<bool> shown = ReadPanelShown(settings)) form.SetPanelVisible(*shown);
    if (const std::optional<int> zoom = ReadZoom(settings, kLargestZoom)) {
        const int before = form.zoom();
        form.SetZoom(*zoom);
        // A zoom kept on a larger screen may no longer fit this one: the
        // window would take a smaller one, or be larger than the screen.
        if (form.zoom() != *zoom || !FitsSomeScreen(form)) form.SetZoom(before);
    }
    if (const auto position =
            ReadWindowPosition(settings, form.frameGeometry().size(), FreeScreenAreas())) {
        form.move(*position);
    }
}

template <class Window>
void RememberWindow(const Window& form, QSettings& settings) {
    WriteMainWindow(settings, form.frameGeometry().topLeft(), form.zoom(),
                    form.panel()->isVisibleTo(&form));
}

// Restores `form` from the application's settings now and remembers it
// there when the program quits.
template <class Window>
void KeepWindowRemembered(Window& form) {
    RestoreWindow(form, QSettings());
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &form, [&form] {
        QSettings settings;
        RememberWindow(form, settings);
    });
}

}  // namespace seedscape
