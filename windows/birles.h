#pragma once
// The confirmation window of deleting or emptying a group. It shows the
// group's name and size; in its empty mode the emptying button stands in
// place of the deleting one.

#include "store/stringlist.h"
#include "ui/secondarywindow.h"

class PhoneBook;

class QLabel;
class QPushButton;

class TForm9 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm9(PhoneBook& book, QWidget* parent = nullptr);

    // The selected group's file, to count its contacts and, when emptying,
    // to be written over it.
    StringList confirmLines;

    QLabel* questionLabel = nullptr;
    QLabel* groupNameCaption = nullptr;
    QLabel* groupNameValue = nullptr;
    QLabel* capacityCaption = nullptr;
    QLabel* capacityValue = nullptr;
    QPushButton* deleteButton = nullptr;  // &Evet: delete
    QPushButton* emptyButton = nullptr;  // &Evet: empty, in the same place
    QPushButton* noButton = nullptr;  // &Hayır

    // Opened from the group window for a group whose file is there: its name
    // and size shown, in the emptying mode or the deleting one.
    void execute(const QString& group, bool emptying);

    // The emptying button and question in place of the deleting ones, until
    // the window closes.
    void setEmptyMode();
    bool isEmptyMode() const;

public slots:
    void BitBtn1Click();
    void BitBtn3Click();
    void BitBtn2Click();
    void done(int result) override;

protected:
    void buildWidgets() override;
    void showEvent(QShowEvent* event) override;

private:
    void setDeleteMode();
    void setQuestion(const QString& question);

private:
    PhoneBook& book;
};
