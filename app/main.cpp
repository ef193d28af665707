// Telefika 2003: a phone book of contacts in named groups.

#include "app/application.h"
#include "app/program.h"

int main(int argc, char** argv) {
    TelefikaApplication app(argc, argv);
    return runProgram(app);
}
