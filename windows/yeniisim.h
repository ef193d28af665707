#pragma once
// The rename window of a group file taken in: the DataFolder holds a file of
// the picked name, so the file is copied under a new group name.

#include "ui/secondarywindow.h"

class PhoneBook;

class QLabel;
class QLineEdit;
class QPushButton;

class TForm14 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm14(PhoneBook& book, QWidget* parent = nullptr);

    QLabel* messageLabel = nullptr;
    QLineEdit* nameEdit = nullptr;      // the new group name, at most 16 characters
    QPushButton* cancelButton = nullptr;  // İptal
    QPushButton* okButton = nullptr;  // Tamam

    // Opened from the file picker when the DataFolder holds the picked
    // name: the file at `from` is taken in under the name typed here.
    void execute(const QString& from);

public slots:
    void Edit1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    void done(int result) override;

protected:
    void buildWidgets() override;
    void showEvent(QShowEvent* event) override;

private:
    PhoneBook& book;
    QString from_;
};
