#pragma once
// The confirmation window of deleting a contact.

#include <QDialog>

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
};
