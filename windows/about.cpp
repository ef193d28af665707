#include "about.h"

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Hakkında"));
    setFixedSize(351, 520);
}
