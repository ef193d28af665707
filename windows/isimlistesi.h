#pragma once
// The name list: every name of the active group, sorted; a chosen name shows
// its contact, which "Ana Ekrana Aktar" or a double click hands to the main
// window.

#include "store/sortedentries.h"
#include "ui/secondarywindow.h"

class PhoneBook;

class ContactFields;
class QGroupBox;
class QLabel;
class QListView;
class QPushButton;
class QStringListModel;

class TForm16 : public SecondaryWindow {
    Q_OBJECT
public:
    TForm16(PhoneBook& book, QWidget* parent = nullptr);

    QListView* nameList = nullptr;       // the names, sorted
    QStringListModel* names = nullptr;   // its rows
    QGroupBox* contactBox = nullptr;      // captioned with the active group
    ContactFields* contactFields = nullptr;
    QLabel* positionLabel = nullptr;     // "Aktif    :" + the chosen row
    QLabel* totalLabel = nullptr;        // "Toplam Kayıt:" + the number of contacts
    QPushButton* transferButton = nullptr;      // Ana Ekrana Aktar
    QPushButton* exitButton = nullptr;      // Çıkış

    // Each row's own contact.
    contacts::SortedEntries entries;

    // Opened from the main window's menu.
    // Opened from the main window's menu with the group its selector names.
    void execute(const QString& group);

public slots:
    void ListBox1Click();
    void BitBtn1Click();
    void ListBox1DblClick();
    // Closing, by whatever means.
    void done(int result) override;

protected:
    void buildWidgets() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PhoneBook& book;
};
