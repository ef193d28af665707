#pragma once
// The name list window.

#include <QDialog>

class TForm16 : public QDialog {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);
};
