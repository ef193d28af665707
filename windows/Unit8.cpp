#include "Unit8.h"

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Yazdırılacak Grup"));
    setFixedSize(200, 168);
}
