#pragma once
// The picker of a group file to take in.

#include <QDialog>

class TForm13 : public QDialog {
    Q_OBJECT
public:
    explicit TForm13(QWidget* parent = nullptr);
};
