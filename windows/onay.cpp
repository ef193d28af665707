#include "onay.h"

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Silme Onay?"));
    setFixedSize(248, 162);
}
