#include "isimsirala.h"

TForm12::TForm12(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Grup Birleştirici"));
}
