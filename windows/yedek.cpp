#include "yedek.h"

TForm17::TForm17(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Yedek Al"));
}

void TForm17::execute() {}
