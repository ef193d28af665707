#pragma once
// The group window: every group listed; a group created, deleted or emptied;
// a group file taken in from disk; the group in use chosen. Files change at
// once; the group list file and the main window follow when it closes.

#include "store/datafolder.h"
#include "ui/secondarywindow.h"

class PhoneBook;

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;

class TForm6 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm6(PhoneBook& book, QWidget* parent = nullptr);

    // While the window is open this list is the authority on which groups exist.
    QListWidget* groupListBox = nullptr;
    // The group that becomes the active one when the window closes.
    QLineEdit* inUseField = nullptr;
    QLabel* inUseLabel = nullptr;
    // The group list file: line 0 the active group, then the group names.
    StringList groupListCopy = datafolder::defaultGroupList();

    QFrame* buttonFrame = nullptr;
    QPushButton* newGroupButton = nullptr;  // Yeni Grup Oluştur
    QPushButton* deleteGroupButton = nullptr;  // Grup Sil
    QPushButton* emptyGroupButton = nullptr;  // Grup İçeriğini Sil
    QPushButton* addFileButton = nullptr;  // Veri Tabanı Ekle
    QPushButton* exitButton = nullptr;  // Çıkış
    QStatusBar* statusBar = nullptr;

    // Opened from the main window's menu.
    void execute();

    // The selected group's name; empty when none is selected.
    QString selectedGroup() const;
    // True when the list holds the group, in any letter case.
    bool listsGroup(const QString& group) const;

    // What the windows opened from this one do, as the phone book tells it:
    // a new group joins the list at its sorted place, unless listed already;
    // a group whose file was deleted leaves the list, and when it was the
    // group in use the default group takes its place, with a message.
    void listGroup(const QString& group);
    void groupRemoved(const QString& group);

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void groupListBoxDblClick(QListWidgetItem* item);
    // Closing, by whatever means: the group list file and the main window
    // are brought up to date.
    void done(int result) override;

protected:
    void buildWidgets() override;

private:
    QListWidgetItem* selectedItem() const;
    void confirmSelected(bool emptying);
    void FormClose();

private:
    PhoneBook& book;
};
