#pragma once
// The group print chooser: any group of the group list, picked with its
// number of contacts, printed without touching the active group.

#include "store/datafolder.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    QFrame* chooserFrame;
    QFrame* valuesFrame;
    QComboBox* groupChooser;     // the group names, in the group list's order
    QLabel* groupCaption;           // Grup:
    QLabel* capacityCaption;           // Kapasite:
    QLabel* groupValue;       // the chosen group's name
    QLabel* capacityValue;    // its contacts + " kişi"
    QPushButton* okButton;     // Tamam
    QPushButton* cancelButton;     // İptal
    QStatusBar* statusBar;

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

private:
    void showChosen(const QString& group);
};
