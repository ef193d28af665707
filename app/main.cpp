// Telefika 2003: a phone book of contacts in named groups.

#include "app/application.h"
#include "app/commandline.h"
#include "app/program.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    // With an option the program works without a window, and without a display.
    if (isCommandLine(argc, argv)) {
        QCoreApplication app(argc, argv);
        return runCommandLine(QCoreApplication::arguments().mid(1));
    }
    TelefikaApplication app(argc, argv);
    return runProgram(app);
}
