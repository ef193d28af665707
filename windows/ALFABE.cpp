#include "ALFABE.h"

TForm15::TForm15(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Alfabetik İçerik"));
}
