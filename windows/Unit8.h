#pragma once
// The group print chooser: any group of the group list, picked with its
// number of contacts, printed without touching the active group.

#include "store/datafolder.h"
#include "ui/secondarywindow.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;

class TForm8 : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    QFrame* chooserFrame = nullptr;
    QFrame* valuesFrame = nullptr;
    QComboBox* groupChooser = nullptr;     // the group names, in the group list's order
    QLabel* groupCaption = nullptr;           // Grup:
    QLabel* capacityCaption = nullptr;           // Kapasite:
    QLabel* groupValue = nullptr;       // the chosen group's name
    QLabel* capacityValue = nullptr;    // its contacts + " kişi"
    QPushButton* okButton = nullptr;     // Tamam
    QPushButton* cancelButton = nullptr;     // İptal
    QStatusBar* statusBar = nullptr;

    // The group list file: line 0 the active group, then the group names.
    StringList groupListCopy = datafolder::defaultGroupList();
    // The chosen group's lines, three per contact; never written back.
    StringList groupPrintLines;

    // Opened from the main window's menu.
    void execute();

public slots:
    void ComboBox1Change();
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    void buildWidgets() override;

private:
    void showChosen(const QString& group);
};
