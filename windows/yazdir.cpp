#include "yazdir.h"

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Yazdırım"));
    setFixedSize(304, 443);
}
