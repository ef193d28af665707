#include "isim.h"

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Grup Adı Girin"));
}
