#pragma once
// The name window of a new group.

#include <QDialog>

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
};
