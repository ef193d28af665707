#include "isimlistesi.h"

TForm16::TForm16(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("İsim Listesi"));
    setFixedSize(358, 290);
}
