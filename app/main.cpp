#include <QApplication>
#include <QTime>

#include "app/grid/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("seedscape"));
    QGuiApplication::setDesktopFileName(QStringLiteral("seedscape"));

    seedscape::Form1 form;
    const float seconds_since_midnight =
        static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
    form.Form_Load(seconds_since_midnight);
    return QApplication::exec();
}
