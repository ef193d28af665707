#pragma once
// The rename window of a group file taken in: the DataFolder holds a file of
// the picked name, so the file is copied under a new group name.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TForm14 : public QDialog {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);

    QLabel* messageLabel;
    QLineEdit* nameEdit;      // the new group name, at most 16 characters
    QPushButton* cancelButton;  // İptal
    QPushButton* okButton;  // Tamam

public slots:
    void Edit1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
};
