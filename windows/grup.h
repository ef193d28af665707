#pragma once
// The group window.

#include <QDialog>

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Opened from the main window's menu.
    void execute();
};
