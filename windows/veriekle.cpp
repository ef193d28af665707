#include "veriekle.h"

TForm13::TForm13(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Veri Tabanı Dosyası Seçin"));
}
