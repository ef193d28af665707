#pragma once
// The name window of a new group: the typed name becomes an empty group file
// and a line of the group window's list.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTimer;

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);

    QLabel* nameLabel;
    QLineEdit* nameEdit;           // the new group's name, at most 16 characters
    QPushButton* okButton;  // Tamam
    QPushButton* cancelButton;  // İptal
    QStatusBar* statusBar;
    QTimer* enableTimer;             // enables "Tamam" while the edit holds text

    // Opened from the group window with an empty name.
    void execute();

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Edit1KeyPress();
    void Timer1Timer();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
};
