// The floor of the start-up benchmark: a Qt program that shows a bare main
// window with a menu bar and a status bar, writes "shown" at its first paint
// and ends, as the program does with TELEFIKA_QUIT_WHEN_SHOWN set.

#include "app/quitwhenshown.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Telefika 2003"));
    for (const char* menu : {"Dosya", "Araçlar", "Rehber Grubu", "Yardım"})
        window.menuBar()->addMenu(QString::fromUtf8(menu));
    window.statusBar()->showMessage(QStringLiteral("Grup:@Kayıtlar@"));
    window.installEventFilter(new QuitWhenShown(&window));
    window.show();
    return app.exec();
}
