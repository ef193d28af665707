#pragma once
// The confirmation window of deleting or emptying a group. It shows the
// group's name and size; in its empty mode the emptying button stands in
// place of the deleting one.

#include "store/stringlist.h"

#include <QDialog>

class QLabel;
class QPushButton;

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    // The selected group's file, to count its contacts and, when emptying,
    // to be written over it.
    StringList confirmLines;

    QLabel* questionLabel;
    QLabel* groupNameCaption;
    QLabel* groupNameValue;
    QLabel* capacityCaption;
    QLabel* capacityValue;
    QPushButton* deleteButton;  // &Evet: delete
    QPushButton* emptyButton;  // &Evet: empty, in the same place
    QPushButton* noButton;  // &Hayır

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
    void showEvent(QShowEvent* event) override;

private:
    void setDeleteMode();
    void setQuestion(const QString& question);
};
