#pragma once
// The backup window.

#include <QDialog>

class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);

    // Opened from the main window's menu.
    void execute();
};
