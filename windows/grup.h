#pragma once
// The group window: every group listed; a group created, deleted or emptied;
// a group file taken in from disk; the group in use chosen. Files change at
// once; the group list file and the main window follow when it closes.

#include "store/datafolder.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // While the window is open this list is the authority on which groups exist.
    QListWidget* groupListBox;
    // The group that becomes the active one when the window closes.
    QLineEdit* inUseField;
    QLabel* inUseLabel;
    // The group list file: line 0 the active group, then the group names.
    StringList groupListCopy = datafolder::defaultGroupList();

    QFrame* buttonFrame;
    QPushButton* newGroupButton;  // Yeni Grup Oluştur
    QPushButton* deleteGroupButton;  // Grup Sil
    QPushButton* emptyGroupButton;  // Grup İçeriğini Sil
    QPushButton* addFileButton;  // Veri Tabanı Ekle
    QPushButton* exitButton;  // Çıkış
    QStatusBar* statusBar;

    // Opened from the main window's menu.
    void execute();

    // The selected group's row, or nullptr when none is selected.
    QListWidgetItem* selectedGroup() const;

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

private:
    void confirmSelected(bool emptying);
    void FormClose();
};
