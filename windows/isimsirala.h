#pragma once
// The group merger.

#include <QDialog>

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
};
