#pragma once
// The alphabetic index window: the active group split into thirty letter
// pages, nine tabs a row with every row in sight, the contact picked on a
// page, and its hand-over to the main window.

#include "store/alphabet.h"
#include "ui/secondarywindow.h"

class PhoneBook;

#include <QAbstractButton>
#include <QList>

#include <functional>

class ContactFields;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class StringList;

// One tab of the letter pages: checkable, drawn as a tab, a page tab to
// screen readers. The arrow keys are handed to the window.
class LetterTab : public QAbstractButton {
    Q_OBJECT
public:
    LetterTab(const QString& caption, QWidget* parent);
    std::function<bool(int key)> onKey;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The rows of tabs; a page tab list to screen readers.
class LetterTabRows : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};

class TForm15 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm15(PhoneBook& book, QWidget* parent = nullptr);

    static constexpr int TabsPerRow = 9;

    QLabel* letterLabel = nullptr;             // "Harfe Git:>>"
    QComboBox* letterChooser = nullptr;       // the letter to go to, the captions in tab order
    QLabel* groupLabel = nullptr;         // "İncelenen Grup: " and the group
    QLabel* totalLabel = nullptr;         // "Toplam Kayıtlı :" and the count
    LetterTabRows* tabRows = nullptr;
    QList<LetterTab*> letterTabs;     // in tab order
    QButtonGroup* tabGroup = nullptr;
    QStackedWidget* pageStack = nullptr;
    QList<QListWidget*> letterPages;  // the name lines of each page's run
    QList<QLabel*> counterLabels;     // "Harfte Kayıtlı Kişi: " and the count
    QGroupBox* infoBox = nullptr;             // "Bilgiler"
    ContactFields* contactFields = nullptr;
    QLabel* infoImage = nullptr;
    QPushButton* transferButton = nullptr;  // "Ana Ekrana Aktar"
    QPushButton* exitButton = nullptr;  // "Çıkış"

    // Of the last build; they map a page's row to its contact.
    alphabet::Boundaries letterBoundaries;

    int currentPage() const;
    void setCurrentPage(int page);

    // The build's share: the group's pages, counters and labels.
    void showGroup(const QString& group, const StringList& recordLines);
    // Opened by the main window's "Alfabetik Sıralama" with the active group.
    void execute(const QString& group, const StringList& recordLines);

public slots:
    void ListBoxClick(int page);      // a row selected on a page
    void ComboBox1Change(int index);  // a letter picked in "Harfe Git:>>"
    void PageControl1Change(int page);
    void BitBtn1Click();  // "Ana Ekrana Aktar", and a double click on a page
    void BitBtn2Click();  // "Çıkış"
    // Closing, by whatever means: page A, empty contact fields.
    void done(int result) override;

protected:
    void buildWidgets() override;

private:
    bool tabKey(int page, int key);
    void buildTabs();
    void buildPages();

private:
    PhoneBook& book;
};
