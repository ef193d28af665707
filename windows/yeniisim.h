#pragma once
// The rename window of a group file taken in.

#include <QDialog>

class TForm14 : public QDialog {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);
};
