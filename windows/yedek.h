#pragma once
// The backup window: a group's file copied, byte for byte, to a place and
// name the user chooses.

#include "store/datafolder.h"

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;

class TForm17 : public QDialog {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);

    QLabel* groupLabel;
    QListWidget* groupList;      // the group names, sorted
    QLabel* chosenGroupLabel;   // the group last chosen in the list
    QPushButton* backupButton;  // Al
    QPushButton* cancelButton;  // İptal
    // The group list file: line 0 the active group, then the group names.
    StringList groupListCopy = datafolder::defaultGroupList();

    // Opened from the main window's menu.
    void execute();

public slots:
    void ListBox1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void done(int result) override;
};
