#include "kullanim.h"

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Kullanım Esasları"));
    setFixedSize(333, 311);
}
