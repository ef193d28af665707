#pragma once
// The group merger: a second group's contacts merged into a first group, or
// into a new group, in name order; contacts whose number is there already
// are listed in a report that can be saved. The window does not block the
// main window; a merge that writes the active group or adds a group brings
// the main window up to date at once.

#include "store/datafolder.h"
#include "ui/secondarywindow.h"

class PhoneBook;

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

class TForm12 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm12(PhoneBook& book, QWidget* parent = nullptr);

    QGroupBox* optionsBox = nullptr;     // Grup İşlemleri
    QLabel* firstGroupLabel = nullptr;
    QComboBox* firstGroupChooser = nullptr;     // Birleştirilecek 1. Grup
    QLabel* secondGroupLabel = nullptr;
    QComboBox* secondGroupChooser = nullptr;     // Birleştirilecek 2. Grup
    QCheckBox* newGroupCheck = nullptr;     // Farklı isimde birleştir
    QLabel* newGroupLabel = nullptr;
    QLineEdit* newGroupEdit = nullptr;         // Yeni Grup İsmi:
    QLabel* noteLabel = nullptr;           // the note
    QCheckBox* surnameCheck = nullptr;     // Soyadlara Ekle
    QLabel* surnameTextLabel = nullptr;
    QLineEdit* surnameTextEdit = nullptr;         // Ayırd Edici Metin:
    QLabel* aboutLink = nullptr;           // hakkında
    QProgressBar* gauge = nullptr;
    QTextEdit* reportEdit = nullptr;     // the report
    QMenu* reportMenu = nullptr;
    QAction* saveAction = nullptr;
    QAction* clearAction = nullptr;
    QPushButton* mergeButton = nullptr;     // Birleştir
    QPushButton* exitButton = nullptr;     // Çık
    QTimer* menuTimer = nullptr;           // enables the report's menu

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
    void buildWidgets() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildOptions();
    void buildReport();
    void fillPickers();
    void setReport(const QStringList& lines);
    void setReportText(const QString& text);
    void updateMergeButton();
    void mergeGroups();
    bool newGroupNameFree(const QString& newGroup);
    bool readGroups(const QString& firstPath);
    void writeResult(const QString& resultPath, const QString& newGroup);

private:
    PhoneBook& book;
};
