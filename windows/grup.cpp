#include "grup.h"

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Rehber Grubu"));
}

void TForm6::execute() {}
