#include "app/Unit1.h"

#include "app/forms.h"
#include "book/phonebook.h"
#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/about.h"
#include "windows/ALFABE.h"
#include "windows/disaktar.h"
#include "windows/grup.h"
#include "windows/iceaktar.h"
#include "windows/isimlistesi.h"
#include "windows/isimsirala.h"
#include "windows/karekod.h"
#include "windows/kullanim.h"
#include "windows/onay.h"
#include "windows/syncsettings.h"
#include "windows/syncwindow.h"
#include "windows/tum.h"
#include "windows/Unit8.h"
#include "windows/yazdir.h"
#include "windows/yedek.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QStringListModel>
#include <QTimer>

using datafolder::DefaultGroup;

TForm1::TForm1(PhoneBook& phoneBook, QWidget* parent) : QMainWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("                Telefika 2003 v2.0"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildWidgets();
    buildMenus();
    buildTabOrder();
    setFixedSize(sizeHint());  // a fixed border: the client area stays 301 × 371
    ui.sensitiveCheck->setFocus();  // the first stop of the Tab order
    connectHandlers();
    connectPhoneBook();

    FormCreate();
    ui.refreshTimer->start();
}

// Every widget and menu item joined to its handler.
void TForm1::connectHandlers() {
    connect(ui.refreshTimer, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(ui.groupSelector, &QComboBox::activated, this, &TForm1::combobox1Change);
    connect(ui.groupSelector->lineEdit(), &QLineEdit::textEdited, this, &TForm1::combobox1Change);
    connect(ui.saveButton, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(ui.numberField, &QLineEdit::returnPressed, this, &TForm1::Edit3KeyPress);
    connect(ui.editButton, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(ui.deleteButton, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connect(ui.clearButton, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(ui.exitButton, &QPushButton::clicked, this, &TForm1::close);
    connect(ui.searchButton, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(ui.searchField, &QLineEdit::returnPressed, this, &TForm1::Edit4KeyPress);
    connect(ui.numberSearchField, &QLineEdit::returnPressed, this, &TForm1::bb2Click);
    connect(ui.nextButton, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(ui.nameMode, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton1Click(); });
    connect(ui.numberMode, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton2Click(); });
    connect(ui.sensitiveCheck, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(ui.sensitiveChoice, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(ui.sensitiveChoice->lineEdit(), &QLineEdit::textEdited, this, &TForm1::ComboBox2Change);

    connect(ui.printAction, &QAction::triggered, this, &TForm1::Yazdr1Click);
    connect(ui.printGroupAction, &QAction::triggered, this, &TForm1::GrubuYazdr1Click);
    connect(ui.importAction, &QAction::triggered, this, &TForm1::openImportWindow);
    connect(ui.exportAction, &QAction::triggered, this, &TForm1::openExportWindow);
    connect(ui.quitAction, &QAction::triggered, this, &TForm1::k1Click);
    connect(ui.nameListAction, &QAction::triggered, this, &TForm1::smListesi1Click);
    connect(ui.alphabeticAction, &QAction::triggered, this, &TForm1::bb1Click);
    connect(ui.browserAction, &QAction::triggered, this, &TForm1::Tarayc1Click);
    connect(ui.backupAction, &QAction::triggered, this, &TForm1::Yedek1Click);
    connect(ui.mergerAction, &QAction::triggered, this, &TForm1::GrupBirletirici1Click);
    connect(ui.qrAction, &QAction::triggered, this, &TForm1::openQrCodeWindow);
    connect(ui.groupsAction, &QAction::triggered, this, &TForm1::Gruplemleri1Click);
    connect(ui.syncSettingsAction, &QAction::triggered, this, &TForm1::openSyncSettingsWindow);
    connect(ui.syncAction, &QAction::triggered, this, &TForm1::openSyncWindow);
    connect(ui.aboutAction, &QAction::triggered, this, &TForm1::Hakknda1Click);
    connect(ui.usageAction, &QAction::triggered, this, &TForm1::Kullanm1Click);
}

TForm1::~TForm1() {
    // Taking the window down moves the focus out of an editable drop-down,
    // which then reports its text as chosen: no handler of a window that is
    // half gone may run, so its widgets fall silent first.
    for (QWidget* w : findChildren<QWidget*>()) w->blockSignals(true);
}

void TForm1::setStatusGroup(const QString& group) {
    ui.statusPanel2->setText(QStringLiteral("Grup:") + group);
    name(ui.statusPanel2, ui.statusPanel2->text());
}

QString TForm1::activeGroup() const { return ui.groupSelector->currentText(); }

QString TForm1::statusGroupText() const { return ui.statusPanel2->text(); }

// The phone book's signals: a change shows at once, wherever it was made.
void TForm1::connectPhoneBook() {
    connect(&book, &PhoneBook::contactsChanged, this, &TForm1::contactsChanged);
    connect(&book, &PhoneBook::activeGroupChanged, this, &TForm1::showActiveGroup);
    connect(&book, &PhoneBook::groupListChanged, this, &TForm1::fillGroupSelector);
    connect(&book, &PhoneBook::contactHandedOver, this, &TForm1::showHandedOver);
}

// The counts at once; a change made elsewhere (an import, a merge) lays the
// sensitive search out anew, as this window's own corrections do.
void TForm1::contactsChanged() {
    showCounts();
    if (!changingContacts) recheckSensitive();
}

// Another group active, or the same read anew: the status bar names it, the
// fields are emptied and the search starts afresh on its contacts.
void TForm1::showActiveGroup() {
    setStatusGroup(book.activeGroup());
    clearContactAndSearchFields();
    recheckSensitive();
}

void TForm1::showHandedOver(const QString& name, const QString& surname, const QString& number, bool prepareNext) {
    if (prepareNext) rebuildNextMatchLines();
    takeContact(name, surname, number);
}

void TForm1::takeContact(const QString& name, const QString& surname, const QString& number) {
    ui.nameField->setText(name);
    ui.surnameField->setText(surname);
    ui.numberField->setText(number);
    ui.foundNumber->setText(number);
}

template <typename Lines>
void TForm1::takeContactAt(const Lines& lines, int first) {
    ui.nameField->setText(lines.text(first));
    ui.surnameField->setText(lines.text(first + 1));
    ui.numberField->setText(lines.text(first + 2));
    ui.foundNumber->setText(ui.numberField->text());
}

void TForm1::clearContactFieldsAndSearch() {
    ui.nameField->clear();
    ui.surnameField->clear();
    ui.numberField->clear();
    ui.searchField->clear();
}

void TForm1::clearContactAndSearchFields() {
    clearContactFieldsAndSearch();
    ui.numberSearchField->clear();
}

void TForm1::fillGroupSelector() {
    ui.groupSelector->clear();
    const QString active = book.activeGroup();
    addGroupNames(ui.groupSelector, book.groupNames(), true);
    // the first item added would have taken the text's place
    ui.groupSelector->setEditText(active);
}

void TForm1::recheckSensitive() {
    if (!ui.sensitiveCheck->isChecked()) return;
    ui.sensitiveCheck->setChecked(false);
    ui.sensitiveCheck->setChecked(true);
}

// Start-up: on the first start the DataFolder, the default group and the
// group list file are made; on every later start the group list and the
// active group are loaded, the list settled first with the groups a killed
// copy left pending (store/pendinggroups.h). An error stops it where it happens; the window
// opens all the same.
void TForm1::FormCreate() {
    try {
        if (datafolder::exists(datafolder::groupListPath())) {
            book.loadGroupList();
            const QString active = book.activeGroup();
            if (datafolder::exists(datafolder::groupFilePath(active))) {
                book.activateGroup(active);
            } else {
                ShowMessage(QStringLiteral("Gerekli Grup Dosyası Bulunamadı!"));
                book.activateGroup(DefaultGroup, true);
                ui.groupSelector->setEditText(DefaultGroup);
            }
        } else {
            book.createDataFolder();
            book.activateGroup(DefaultGroup, true);
            ShowMessage(QStringLiteral("Telefika 2003 veri havuzu ilk defa oluşturuldu!"));
        }
    } catch (const StoreError& e) {
        ShowError(e.message());
    }
}

void TForm1::showCounts() {
    const int n = book.recordLines().count();
    ui.countLine->setText(QStringLiteral("Toplam Kayıtlı Kişi :%1 kişi..").arg(datafolder::contactsHeld(n)));
    ui.capacityLine->setText(QStringLiteral("Kalan Kapasite     :%1 kişi..").arg(datafolder::remainingCapacity(n)));
}

void TForm1::Timer1Timer() {
    showCounts();
    const bool blankNumber = ui.numberField->text() == QString(11, QLatin1Char(' '));
    ui.deleteButton->setEnabled(!blankNumber);
    ui.editButton->setEnabled(!blankNumber);
    ui.saveButton->setEnabled(!blankNumber);
}

// The group switch, at every change of GroupSelector's text: a text that
// names an existing group file makes that group active; any other text
// changes nothing but the emptied fields. A switch that cannot read the
// group or write the group list takes no effect: the selector names the
// group still active again, the fields keep what they held, and the error
// is shown.
void TForm1::combobox1Change() {
    const QString t = ui.groupSelector->currentText();
    if (datafolder::exists(datafolder::groupFilePath(t))) {
        try {
            book.activateGroup(t, true);
        } catch (const StoreError& e) {
            ui.groupSelector->setEditText(book.activeGroup());
            ShowError(e.message());
            return;
        }
    }
    clearContactAndSearchFields();
    recheckSensitive();
}

// ---------------------------------------------------------------------------
// The menus: each item opens its window.

void TForm1::Yazdr1Click() { Form4->execute(); }

void TForm1::GrubuYazdr1Click() { Form8->execute(); }

void TForm1::k1Click() { close(); }

void TForm1::smListesi1Click() { Form16->execute(activeGroup()); }

void TForm1::Tarayc1Click() { Form3->execute(); }

void TForm1::Yedek1Click() { Form17->execute(); }

void TForm1::GrupBirletirici1Click() { Form12->execute(); }

// A vCard or CSV file chosen, read and shown with what its import will do.
void TForm1::openImportWindow() {
    const QString path = askOpenFileName(this, QStringLiteral("Kişi Dosyaları"), QStringLiteral("*.vcf *.vcard *.csv"));
    if (!path.isEmpty()) importWindow->execute(path);
}

void TForm1::openExportWindow() { exportWindow->execute(); }

// The contact of the three fields as a QR code; with all three blank there
// is nothing to show.
void TForm1::openQrCodeWindow() {
    const QString number = ui.numberField->text().trimmed();
    if (ui.nameField->text().trimmed().isEmpty() && ui.surnameField->text().trimmed().isEmpty() && number.isEmpty()) {
        ShowMessage(QStringLiteral("Karekod için önce bir kişi girin ya da arayıp bulun: İsim, Soyad ve Cep Tel boş!"));
        return;
    }
    qrCodeWindow->execute(ui.nameField->text(), ui.surnameField->text(), number);
}

void TForm1::Gruplemleri1Click() { Form6->execute(); }

void TForm1::openSyncSettingsWindow() { syncSettingsWindow->execute(); }

void TForm1::openSyncWindow() { syncWindow->execute(); }

void TForm1::Hakknda1Click() { Form2->execute(); }

void TForm1::Kullanm1Click() { Form10->execute(); }

void TForm1::closeEvent(QCloseEvent* event) {
    // Every change is on disk already: nothing to save, nothing to ask.
    for (QDialog* w : findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly))
        if (w->isVisible()) w->close();
    event->accept();
}

// ---------------------------------------------------------------------------
// Adding a contact

bool TForm1::saveContact() { return saveContact(-1); }

bool TForm1::saveContact(int replacing) {
    // An empty name would be a contact nobody can find: nothing is stored.
    if (ui.nameField->text().isEmpty()) {
        ShowMessage(QStringLiteral("Kaydetmek için önce bir isim girin!"));
        return false;
    }
    ui.nameField->setText(contacts::normalisedName(ui.nameField->text()));

    const QScopedValueRollback<bool> own(changingContacts, true);
    const PhoneBook::Saved saved =
        book.saveContact(codepage::encode(ui.nameField->text()), codepage::encode(ui.surnameField->text()),
                         codepage::encode(ui.numberField->text()), replacing);
    if (saved.refused) {
        ShowMessage(QStringLiteral("                       Aynı numaraya sahip başka bir kişi bulundu."
                                   "                                                             İsim:") +
                    saved.duplicate[0] + QStringLiteral("    Soyad: ") + saved.duplicate[1] +
                    QStringLiteral("     Numara: ") + saved.duplicate[2]);
        return false;
    }
    ui.nameField->clear();
    ui.surnameField->clear();
    if (!saved.between) ui.numberField->clear();
    ShowMessage(QStringLiteral("Kayıt işlemi tamamlandı!!"));
    if (saved.between) ui.numberField->clear();  // only once the message is closed
    return true;
}

void TForm1::BitBtn1Click() { saveContact(); }

void TForm1::Edit3KeyPress() { saveContact(); }

// ---------------------------------------------------------------------------
// Editing, deleting and clearing

// The contact FoundNumber names is saved anew from the fields, in place of
// the old one; a refused save keeps the old one.
void TForm1::BitBtn2Click() {
    const int i = contacts::lookupNumberLine(book.recordLines(), ui.foundNumber->text());
    if (i < 0) {
        ShowMessage(QStringLiteral("Düzelmek İçin Önce Kayıt Girin!"));
        clearContactFieldsAndSearch();
    } else {
        saveContact(i);
    }
    recheckSensitive();
}

void TForm1::BitBtn4Click() {
    const StringList& lines = book.recordLines();
    const int i = contacts::lookupNumberLine(lines, ui.numberField->text());
    if (i < 0) {
        ShowMessage(QStringLiteral("Bu numaraya sahip kayıt bulunmamakta!"));
    } else {
        Form11->execute(lines.text(i - 2), lines.text(i - 1), lines.text(i),
                        [this](const QString& number) { deleteConfirmed(number); });
    }
    recheckSensitive();
}

// "&Evet" in the delete confirmation: the contact shown there goes.
void TForm1::deleteConfirmed(const QString& number) {
    const QScopedValueRollback<bool> own(changingContacts, true);
    if (!book.deleteContact(number)) return;
    clearContactFieldsAndSearch();
    ShowMessage(QStringLiteral("      Kayıt Silindi      "));
}

void TForm1::BitBtn3Click() { clearContactAndSearchFields(); }

// ---------------------------------------------------------------------------
// Search by name or number

void TForm1::rebuildNextMatchLines() {
    // From the contact NameField shows now: the lines after its first contact.
    const StringList& lines = book.recordLines();
    nextMatchLines.takeAfter(lines, lines.lookup(ui.nameField->text()) + 3);
}

void TForm1::lookUp(Entry entry) {
    rebuildNextMatchLines();
    const bool byNumber = ui.numberMode->isChecked();
    const bool numberKey = byNumber && entry != Entry::SearchFieldEnter;
    const QString key = numberKey ? ui.numberSearchField->text() : ui.searchField->text();

    const StringList& lines = book.recordLines();
    const int i = lines.lookup(key);
    if (i < 0) {
        ShowMessage(QStringLiteral("Böyle bir kayıt bulunamadı!"));
        clearContactFieldsAndSearch();
        if (entry == Entry::SearchButton || (entry == Entry::NumberSearchEnter && byNumber))
            ui.numberSearchField->clear();
    } else {
        // The match is taken for a name line or a number line wherever it stands.
        const int first = byNumber ? i - 2 : i;
        takeContactAt(lines, first);
    }
    if (entry == Entry::SearchButton) (byNumber ? ui.numberSearchField : ui.searchField)->setFocus();
}

void TForm1::BitBtn6Click() { lookUp(Entry::SearchButton); }

void TForm1::Edit4KeyPress() { lookUp(Entry::SearchFieldEnter); }

void TForm1::bb2Click() { lookUp(Entry::NumberSearchEnter); }

void TForm1::BitBtn7Click() {
    const int j = nextMatchLines.lookup(ui.nameField->text());
    if (j < 0) {
        ShowMessage(QStringLiteral("        Kayıtların sonu!       "));
        return;
    }
    takeContactAt(nextMatchLines, j);
    nextMatchLines.remove(nextMatchLines.lookup(ui.nameField->text()));
}

void TForm1::RadioButton1Click() {
    if (ui.sensitiveCheck->isChecked()) {
        fillSensitiveChoice();
        return;
    }
    ui.numberSearchField->hide();
    clearContactAndSearchFields();
    ui.searchField->setMaxLength(32767);  // no limit
    ui.searchField->setFocus();
}

void TForm1::RadioButton2Click() {
    if (ui.sensitiveCheck->isChecked()) {
        fillSensitiveChoice();
        return;
    }
    ui.numberSearchField->show();
    ui.numberSearchField->raise();
    clearContactAndSearchFields();
    ui.searchField->setMaxLength(11);
    ui.numberSearchField->setFocus();
}

// ---------------------------------------------------------------------------
// Sensitive search: the names or numbers of the group in a sorted drop-down
// over SearchField; picking or typing one shows its contact at once.

void TForm1::CheckBox1Click() {
    if (ui.sensitiveCheck->isChecked()) {
        ui.numberSearchField->hide();
        ui.searchButton->setEnabled(false);
        ui.nextButton->setEnabled(false);
        // SearchField lies under the drop-down: out of sight and out of the Tab order
        ui.searchField->hide();
        ui.sensitiveChoice->show();
        ui.sensitiveChoice->raise();
        // Whichever mode was in force, this ends in NameMode with the names
        // listed; only the names are taken from the group.
        if (ui.nameMode->isChecked())
            fillSensitiveChoice();
        else
            ui.nameMode->setChecked(true);  // its check fills the list
    } else {
        ui.searchField->show();
        if (ui.numberMode->isChecked()) {
            ui.numberSearchField->show();
            ui.numberSearchField->raise();
        }
        ui.searchButton->setEnabled(true);
        ui.nextButton->setEnabled(true);
        ui.sensitiveChoice->hide();
    }
}

// The mode buttons' part while the sensitive search is on: the list is taken
// anew from RecordLines; no field is cleared.
void TForm1::fillSensitiveChoice() {
    const auto listed = ui.numberMode->isChecked() ? contacts::Listed::Numbers : contacts::Listed::Names;
    if (book.recordLines().count() >= 2)
        sensitiveEntries = contacts::sortedEntries(book.recordLines(), listed);
    else
        sensitiveEntries = {};
    ui.sensitiveItems->setStringList(sensitiveEntries.texts);
    ui.sensitiveChoice->setCurrentIndex(-1);
    ui.sensitiveChoice->setEditText(QString());
    ui.sensitiveChoice->setFocus();
}

// Shows the contact of SensitiveChoice's text: in NameMode the contact of the
// chosen entry, or of a typed name its first contact; in NumberMode the first
// contact with that number. A text that names no contact changes nothing but
// FoundNumber, which follows NumberField.
void TForm1::ComboBox2Change() {
    const StringList& recordLines = book.recordLines();
    const QString t = ui.sensitiveChoice->currentText();
    int first = -1;  // the name line of the contact to show
    if (t.isEmpty()) {
        clearContactAndSearchFields();
    } else if (ui.nameMode->isChecked()) {
        // The chosen entry's own contact, while it still stands where the
        // list found it (a save since may have moved it); otherwise the
        // first contact of that name.
        const int row = ui.sensitiveChoice->currentIndex();
        const int k = row >= 0 && row < sensitiveEntries.count() ? sensitiveEntries.contacts[row] : -1;
        if (k >= 0 && 3 * k < recordLines.count() && collation::equalText(sensitiveEntries.texts[row], t) &&
            collation::equalText(recordLines.text(3 * k), t))
            first = 3 * k;
        else if (const int named = contacts::lookupName(recordLines, t); named >= 0)
            first = 3 * named;
    } else if (const int i = contacts::lookupNumberLine(recordLines, t); i >= 0) {
        first = i - 2;
    }
    if (first >= 0)
        takeContact(contacts::lineOrEmpty(recordLines, first), contacts::lineOrEmpty(recordLines, first + 1),
                    contacts::lineOrEmpty(recordLines, first + 2));
    else
        ui.foundNumber->setText(ui.numberField->text());
}

// ---------------------------------------------------------------------------
// Alphabetic index

// The active group split into the thirty letter pages of the alphabetic index
// window, which then opens; the build reads RecordLines and changes nothing.
void TForm1::bb1Click() {
    const StringList& recordLines = book.recordLines();
    if (recordLines.isEmpty()) {
        ShowMessage(QStringLiteral("Veri tabanında İçerik ayrılabilecek bir kayıt bulunmamaktadır!"));
        return;
    }
    Form15->execute(activeGroup(), recordLines);
}
