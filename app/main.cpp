#include <QApplication>

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
    form.Form_Load(seedscape::SecondsSinceMidnight());
    return QApplication::exec();
}
