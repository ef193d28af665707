#pragma once
// The confirmation window of deleting or emptying a group.

#include <QDialog>

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
};
