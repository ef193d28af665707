#pragma once
// The group merger: a second group's contacts merged into a first group, or
// into a new group, in name order; contacts whose number is there already
// are listed in a report that can be saved. The window does not block the
// main window; a merge that writes the active group or adds a group brings
// the main window up to date at once.

#include "store/datafolder.h"

#include <QDialog>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTimer;

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);

    QGroupBox* optionsBox;     // Grup İşlemleri
    QLabel* firstGroupLabel;
    QComboBox* firstGroupChooser;     // Birleştirilecek 1. Grup
    QLabel* secondGroupLabel;
    QComboBox* secondGroupChooser;     // Birleştirilecek 2. Grup
    QCheckBox* newGroupCheck;     // Farklı isimde birleştir
    QLabel* newGroupLabel;
    QLineEdit* newGroupEdit;         // Yeni Grup İsmi:
    QLabel* noteLabel;           // the note
    QCheckBox* surnameCheck;     // Soyadlara Ekle
    QLabel* surnameTextLabel;
    QLineEdit* surnameTextEdit;         // Ayırd Edici Metin:
    QLabel* aboutLink;           // hakkında
    QProgressBar* gauge;
    QTextEdit* reportEdit;     // the report
    QMenu* reportMenu;
    QAction* saveAction;
    QAction* clearAction;
    QPushButton* mergeButton;     // Birleştir
    QPushButton* exitButton;     // Çık
    QTimer* menuTimer;           // enables the report's menu

    // The group list file: line 0 the active group, then the group names.
    StringList groupListCopy = datafolder::defaultGroupList();
    StringList mergeLines;            // the result, three lines per contact
    StringList mergeNameIndex{true};  // the names of mergeLines
    StringList secondLines;           // the second group

    // Opened from the main window's menu, without blocking it.
    void execute();

    // The report's lines; none when it is empty.
    QStringList reportLines() const;

public slots:
    void ComboBox1Change();  // a group picked in either picker
    void CheckBox1Click();
    void CheckBox2Click();
    void Label6Click();
    void BitBtn1Click();     // Birleştir
    void Button1Click();     // Çık
    void Kaydet1Click();
    void Temizle1Click();
    void Timer1Timer();
    // Closing, by whatever means: the main window is brought up to date and
    // the options are reset.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillPickers();
    void setReport(const QStringList& lines);
    void updateMergeButton();
    void mergeGroups();
};
