#include "bilgi.h"

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Veri Tabanı Araştırılıyor"));
    setFixedSize(225, 145);
}
