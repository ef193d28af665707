#pragma once
// The name window of a new group: the typed name becomes an empty group file
// and a line of the group window's list.

#include "ui/secondarywindow.h"

#include <functional>

class PhoneBook;

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTimer;

class TForm7 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm7(PhoneBook& book, QWidget* parent = nullptr);

    QLabel* nameLabel = nullptr;
    QLineEdit* nameEdit = nullptr;           // the new group's name, at most 16 characters
    QPushButton* okButton = nullptr;  // Tamam
    QPushButton* cancelButton = nullptr;  // İptal
    QStatusBar* statusBar = nullptr;
    QTimer* enableTimer = nullptr;             // enables "Tamam" while the edit holds text

    // Opened from the group window with an empty name; `listed` tells
    // whether that window lists a group already.
    void execute(std::function<bool(const QString&)> listed);

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Edit1KeyPress();
    void Timer1Timer();
    void done(int result) override;

protected:
    void buildWidgets() override;
    void showEvent(QShowEvent* event) override;

private:
    PhoneBook& book;
    std::function<bool(const QString&)> listed_;
};
