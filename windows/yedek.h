#pragma once
// The backup window: a group's file copied, byte for byte, to a place and
// name the user chooses.

#include "store/datafolder.h"
#include "ui/secondarywindow.h"

class QLabel;
class QListWidget;
class QPushButton;

class TForm17 : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);

    QLabel* groupLabel = nullptr;
    QListWidget* groupList = nullptr;      // the group names, sorted
    QLabel* chosenGroupLabel = nullptr;   // the group last chosen in the list
    QPushButton* backupButton = nullptr;  // Al
    QPushButton* cancelButton = nullptr;  // İptal
    // The group list file: line 0 the active group, then the group names.
    StringList groupListCopy = datafolder::defaultGroupList();

    // Opened from the main window's menu.
    void execute();

public slots:
    void ListBox1Click();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void done(int result) override;

protected:
    void buildWidgets() override;
};
