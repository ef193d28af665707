#include "yeniisim.h"

TForm14::TForm14(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Yeni İsim"));
}
