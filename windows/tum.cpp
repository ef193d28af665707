#include "tum.h"

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tüm Kayıtlar"));
    setFixedSize(253, 249);
}
