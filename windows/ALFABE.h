#pragma once
// The alphabetic index window.

#include <QDialog>

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
};
