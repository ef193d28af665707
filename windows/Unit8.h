#pragma once
// The group print chooser.

#include <QDialog>

class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
};
