#pragma once
// The main window: the contact and search fields, the group selector, the
// menus and the status bar, over the phone book's active group
// (book/phonebook.h).

#include "store/sortedentries.h"
#include "store/stringlist.h"

#include <QMainWindow>

class ContactFields;
class PhoneBook;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QStringListModel;
class QTimer;

// The main window's widgets and menu items, by role.
struct MainWindowWidgets {
    QComboBox* groupSelector;
    QLineEdit* nameField;
    QLineEdit* surnameField;
    QLineEdit* numberField;
    QLineEdit* foundNumber;
    QLineEdit* searchField;
    QLineEdit* numberSearchField;
    QComboBox* sensitiveChoice;
    QStringListModel* sensitiveItems;  // SensitiveChoice's items
    QCheckBox* sensitiveCheck;
    QRadioButton* nameMode;
    QRadioButton* numberMode;
    QPushButton* searchButton;
    QPushButton* nextButton;
    QPushButton* saveButton;
    QPushButton* editButton;
    QPushButton* clearButton;
    QPushButton* deleteButton;
    QPushButton* exitButton;
    QLabel* statusPanel1;
    QLabel* statusPanel2;
    QLabel* countLine;
    QLabel* capacityLine;
    QTimer* refreshTimer;

    QAction* printAction;       // Dosya > Yazdır (Ctrl+P)
    QAction* printGroupAction;  // Dosya > Grubu Yazdır (Ctrl+Y)
    QAction* importAction;      // Dosya > İçe Aktar...
    QAction* exportAction;      // Dosya > Dışa Aktar...
    QAction* quitAction;        // Dosya > Çık
    QAction* nameListAction;    // Araçlar > İsim Listesi
    QAction* alphabeticAction;  // Araçlar > Alfabetik Sıralama
    QAction* browserAction;     // Araçlar > Tarayıcı (Ctrl+T)
    QAction* backupAction;      // Araçlar > Yedek
    QAction* mergerAction;      // Araçlar > Grup Birleştirici
    QAction* qrAction;          // Araçlar > Karekod
    QAction* groupsAction;      // Rehber Grubu > Grup İşlemleri
    QAction* syncSettingsAction;  // Rehber Grubu > Eşitleme Ayarları...
    QAction* syncAction;          // Rehber Grubu > Şimdi Eşitle
    QAction* aboutAction;       // Yardım > Hakkında (F1)
    QAction* usageAction;       // Yardım > Kullanım
};

// The main window shows the phone book's active group: it saves, corrects
// and deletes contacts through it, searches its lines, and follows its
// signals; every other window is opened from its menus.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(PhoneBook& book, QWidget* parent = nullptr);
    ~TForm1() override;

    // The group the group selector names: the active group, as the windows
    // that show it take it.
    QString activeGroup() const;
    // Status panel 2's text: "Grup:" + the active group, as a print-out heads it.
    QString statusGroupText() const;

    // Saves the contact of the three fields in name order; false when it was
    // refused and nothing was stored.
    bool saveContact();

public slots:
    void FormCreate();
    void Timer1Timer();
    void combobox1Change();
    void BitBtn1Click();   // "Kaydet"
    void Edit3KeyPress();  // Enter in NumberField
    void BitBtn2Click();   // "Düzelt"
    void BitBtn4Click();   // "Sil"
    void BitBtn3Click();   // "Ekranı Temizle"
    void BitBtn6Click();   // "Ara"
    void Edit4KeyPress();  // Enter in SearchField
    void bb2Click();       // Enter in NumberSearchField
    void BitBtn7Click();   // "Sonraki"
    void RadioButton1Click();  // "İsme Göre Ara" became checked
    void RadioButton2Click();  // "Cep Noya Göre Ara" became checked
    void CheckBox1Click();     // "Hassas Arama" checked or unchecked
    void ComboBox2Change();    // SensitiveChoice picked from or typed into
    // The menus
    void Yazdr1Click();
    void GrubuYazdr1Click();
    void openImportWindow();  // "İçe Aktar..."
    void openExportWindow();  // "Dışa Aktar..."
    void k1Click();
    void smListesi1Click();
    void bb1Click();  // "Alfabetik Sıralama"
    void Tarayc1Click();
    void Yedek1Click();
    void GrupBirletirici1Click();
    void openQrCodeWindow();  // "Karekod"
    void Gruplemleri1Click();
    void openSyncSettingsWindow();  // "Eşitleme Ayarları..."
    void openSyncWindow();          // "Şimdi Eşitle"
    void Hakknda1Click();
    void Kullanm1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    friend struct MainWindowTestAccess;

    PhoneBook& book;
    MainWindowWidgets ui;
    LineTail nextMatchLines;  // the lines after the contact last shown
    // SensitiveChoice's entries, and the contact each one came from.
    contacts::SortedEntries sensitiveEntries;
    // Set while this window's own save changes the contacts: it refreshes
    // its search itself where it should.
    bool changingContacts = false;

    // What the phone book's signals change here.
    void showCounts();
    void showActiveGroup();
    void showHandedOver(const QString& name, const QString& surname, const QString& number, bool prepareNext);
    void contactsChanged();

    // Status panel 2: "Grup:" + the group's name.
    void setStatusGroup(const QString& group);
    // The hand-over of a contact: the contact fields show it and FoundNumber
    // holds its number, so "Düzelt" and "Sil" act on it. The search fields
    // and NextMatchLines are not touched.
    void takeContact(const QString& name, const QString& surname, const QString& number);
    // The contact fields and the search fields emptied.
    void clearContactAndSearchFields();
    // GroupSelector's items: GroupNames lines 1.., its text line 0.
    void fillGroupSelector();
    // Turns the sensitive search off and on again, so it lays itself out anew.
    void recheckSensitive();
    // NextMatchLines from the contact NameField shows now: the lines after
    // its name's first contact, as a search prepares them for "Sonraki".
    void rebuildNextMatchLines();
    // The save, in place of the contact whose number line is `replacing`
    // when that is not -1.
    bool saveContact(int replacing);
    // The confirmed delete of the contact with that number.
    void deleteConfirmed(const QString& number);

    enum class Entry { SearchButton, SearchFieldEnter, NumberSearchEnter };
    void lookUp(Entry entry);
    // The contact whose name is line `first` of the lines, taken as
    // takeContact takes it, one line at a time: a line outside the lines
    // stops it there, with the fields before it filled.
    template <typename Lines>
    void takeContactAt(const Lines& lines, int first);
    // The sensitive search's part in the mode buttons: refills its list.
    void fillSensitiveChoice();
    // NameField, SurnameField, NumberField and SearchField emptied.
    void clearContactFieldsAndSearch();
    // The layout (Unit1layout.cpp) and the handlers joined to it.
    void buildWidgets();
    void buildContactBox(QWidget* client);
    void buildSearchBox(QWidget* client);
    void buildButtons(QWidget* client);
    void buildStatusLines(QWidget* client);
    void buildMenus();
    void buildTabOrder();
    void connectHandlers();
    void connectPhoneBook();
};
