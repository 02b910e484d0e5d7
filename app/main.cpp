#include <QApplication>
#include <QTime>

#include "app/grid/form1.h"
#include "image_file/interrupt_cleanup.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // An export or a saved picture cut short by Ctrl+C or a kill leaves no
    // partial temporary beside its file.
    seedscape::RemoveTemporariesOnInterrupt();
    QApplication::setApplicationName(QStringLiteral("seedscape"));
    QGuiApplication::setDesktopFileName(QStringLiteral("seedscape"));

    seedscape::Form1 form;
    const float seconds_since_midnight =
        static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
    form.Form_Load(seconds_since_midnight);
    return QApplication::exec();
}
