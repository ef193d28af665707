#include "app/Unit1.h"

#include "app/forms.h"
#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "store/storeerror.h"
#include "ui/contactfields.h"
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
#include <QStringListModel>
#include <QTimer>

using datafolder::DefaultGroup;

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("                Telefika 2003 v2.0"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    buildWidgets();
    buildMenus();
    buildTabOrder();
    setFixedSize(sizeHint());  // a fixed border: the client area stays 301 × 371
    sensitiveCheck->setFocus();  // the first stop of the Tab order
    connectHandlers();

    FormCreate();
    refreshTimer->start();
}

// Every widget and menu item joined to its handler.
void TForm1::connectHandlers() {
    connect(refreshTimer, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(groupSelector, &QComboBox::activated, this, &TForm1::combobox1Change);
    connect(groupSelector->lineEdit(), &QLineEdit::textEdited, this, &TForm1::combobox1Change);
    connect(saveButton, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(numberField, &QLineEdit::returnPressed, this, &TForm1::Edit3KeyPress);
    connect(editButton, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(deleteButton, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connect(clearButton, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(exitButton, &QPushButton::clicked, this, &TForm1::close);
    connect(searchButton, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(searchField, &QLineEdit::returnPressed, this, &TForm1::Edit4KeyPress);
    connect(numberSearchField, &QLineEdit::returnPressed, this, &TForm1::bb2Click);
    connect(nextButton, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(nameMode, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton1Click(); });
    connect(numberMode, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton2Click(); });
    connect(sensitiveCheck, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(sensitiveChoice, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(sensitiveChoice->lineEdit(), &QLineEdit::textEdited, this, &TForm1::ComboBox2Change);

    connect(printAction, &QAction::triggered, this, &TForm1::Yazdr1Click);
    connect(printGroupAction, &QAction::triggered, this, &TForm1::GrubuYazdr1Click);
    connect(importAction, &QAction::triggered, this, &TForm1::eAktar1Click);
    connect(exportAction, &QAction::triggered, this, &TForm1::DaAktar1Click);
    connect(quitAction, &QAction::triggered, this, &TForm1::k1Click);
    connect(nameListAction, &QAction::triggered, this, &TForm1::smListesi1Click);
    connect(alphabeticAction, &QAction::triggered, this, &TForm1::bb1Click);
    connect(browserAction, &QAction::triggered, this, &TForm1::Tarayc1Click);
    connect(backupAction, &QAction::triggered, this, &TForm1::Yedek1Click);
    connect(mergerAction, &QAction::triggered, this, &TForm1::GrupBirletirici1Click);
    connect(qrAction, &QAction::triggered, this, &TForm1::Karekod1Click);
    connect(groupsAction, &QAction::triggered, this, &TForm1::Gruplemleri1Click);
    connect(aboutAction, &QAction::triggered, this, &TForm1::Hakknda1Click);
    connect(usageAction, &QAction::triggered, this, &TForm1::Kullanm1Click);
}

TForm1::~TForm1() {
    // Taking the window down moves the focus out of an editable drop-down,
    // which then reports its text as chosen: no handler of a window that is
    // half gone may run, so its widgets fall silent first.
    for (QWidget* w : findChildren<QWidget*>()) w->blockSignals(true);
}

QString TForm1::activeGroupPath() const {
    return datafolder::groupFilePath(groupNames.text(0));
}

void TForm1::setStatusGroup(const QString& group) {
    statusPanel2->setText(QStringLiteral("Grup:") + group);
    name(statusPanel2, statusPanel2->text());
}

void TForm1::rebuildNameIndex() { ::rebuildNameIndex(recordLines, nameIndex); }

QString TForm1::activeGroup() const { return groupSelector->currentText(); }

QString TForm1::statusGroupText() const { return statusPanel2->text(); }

void TForm1::activateGroup(const QString& group, bool writeGroupList) {
    StringList names = groupNames;
    names.replace(0, codepage::encode(group));
    switchGroup(group, std::move(names), writeGroupList);
}

void TForm1::activateGroup(const QString& group, const StringList& groupList) {
    switchGroup(group, groupList, true);
}

void TForm1::switchGroup(const QString& group, StringList names, bool writeGroupList) {
    // Read and write first: a failure leaves memory and screen as they were.
    StringList lines;
    lines.load(datafolder::groupFilePath(group));
    if (writeGroupList) names.save(datafolder::groupListPath());
    recordLines = std::move(lines);
    rebuildNameIndex();
    groupNames = std::move(names);
    setStatusGroup(group);
}

void TForm1::takeContact(const QString& name, const QString& surname, const QString& number) {
    nameField->setText(name);
    surnameField->setText(surname);
    numberField->setText(number);
    foundNumber->setText(number);
}

template <typename Lines>
void TForm1::takeContactAt(const Lines& lines, int first) {
    nameField->setText(lines.text(first));
    surnameField->setText(lines.text(first + 1));
    numberField->setText(lines.text(first + 2));
    foundNumber->setText(numberField->text());
}

void TForm1::takeContact(const ContactFields& fields) {
    takeContact(fields.nameEdit->text(), fields.surnameEdit->text(), fields.numberEdit->text());
}

void TForm1::clearContactFieldsAndSearch() {
    nameField->clear();
    surnameField->clear();
    numberField->clear();
    searchField->clear();
}

void TForm1::clearContactAndSearchFields() {
    clearContactFieldsAndSearch();
    numberSearchField->clear();
}

void TForm1::fillGroupSelector() {
    groupSelector->clear();
    const QString active = groupNames.text(0);
    addGroupNames(groupSelector, groupNames, true);
    // the first item added would have taken the text's place
    groupSelector->setEditText(active);
}

void TForm1::recheckSensitive() {
    if (!sensitiveCheck->isChecked()) return;
    sensitiveCheck->setChecked(false);
    sensitiveCheck->setChecked(true);
}

// Start-up: on the first start the DataFolder, the default group and the
// group list file are made; on every later start the group list and the
// active group are loaded, the list settled first with the groups a killed
// copy left pending (store/pendinggroups.h). An error stops it where it happens; the window
// opens all the same.
void TForm1::FormCreate() {
    const QString listPath = datafolder::groupListPath();
    try {
        if (datafolder::exists(listPath)) {
            groupNames.load(listPath);
            pendinggroups::settleAtStart(groupNames, listPath);  // what a killed copy left half-done
            fillGroupSelector();
            const QString active = groupNames.text(0);
            if (datafolder::exists(datafolder::groupFilePath(active))) {
                activateGroup(active);
            } else {
                ShowMessage(QStringLiteral("Gerekli Grup Dosyası Bulunamadı!"));
                activateGroup(DefaultGroup, true);
                groupSelector->setEditText(DefaultGroup);
            }
        } else {
            datafolder::createFolder(datafolder::path());
            // The group list alone may have been removed: the default group's
            // contacts are kept, never overwritten by an empty file.
            const QString defaultPath = datafolder::groupFilePath(DefaultGroup);
            if (!datafolder::exists(defaultPath)) StringList().save(defaultPath);
            activateGroup(DefaultGroup, true);
            ShowMessage(QStringLiteral("Telefika 2003 veri havuzu ilk defa oluşturuldu!"));
        }
    } catch (const StoreError& e) {
        ShowError(e.message());
    }
}

void TForm1::Timer1Timer() {
    const int n = recordLines.count();
    countLine->setText(QStringLiteral("Toplam Kayıtlı Kişi :%1 kişi..").arg(datafolder::contactsHeld(n)));
    capacityLine->setText(QStringLiteral("Kalan Kapasite     :%1 kişi..").arg(datafolder::remainingCapacity(n)));
    const bool blankNumber = numberField->text() == QString(11, QLatin1Char(' '));
    deleteButton->setEnabled(!blankNumber);
    editButton->setEnabled(!blankNumber);
    saveButton->setEnabled(!blankNumber);
}

// The group switch, at every change of GroupSelector's text: a text that
// names an existing group file makes that group active; any other text
// changes nothing but the emptied fields. A switch that cannot read the
// group or write the group list takes no effect: the selector names the
// group still active again, the fields keep what they held, and the error
// is shown.
void TForm1::combobox1Change() {
    const QString t = groupSelector->currentText();
    if (datafolder::exists(datafolder::groupFilePath(t))) {
        try {
            activateGroup(t, true);
        } catch (const StoreError& e) {
            groupSelector->setEditText(groupNames.isEmpty() ? QString() : groupNames.text(0));
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

void TForm1::smListesi1Click() { Form16->execute(); }

void TForm1::Tarayc1Click() { Form3->execute(); }

void TForm1::Yedek1Click() { Form17->execute(); }

void TForm1::GrupBirletirici1Click() { Form12->execute(); }

// A vCard or CSV file chosen, read and shown with what its import will do.
void TForm1::eAktar1Click() {
    const QString path = askOpenFileName(this, QStringLiteral("Kişi Dosyaları"), QStringLiteral("*.vcf *.vcard *.csv"));
    if (!path.isEmpty()) Form18->execute(path);
}

void TForm1::DaAktar1Click() { Form19->execute(); }

// The contact of the three fields as a QR code; with all three blank there
// is nothing to show.
void TForm1::Karekod1Click() {
    const QString number = numberField->text().trimmed();
    if (nameField->text().trimmed().isEmpty() && surnameField->text().trimmed().isEmpty() && number.isEmpty()) {
        ShowMessage(QStringLiteral("Karekod için önce bir kişi girin ya da arayıp bulun: İsim, Soyad ve Cep Tel boş!"));
        return;
    }
    Form20->execute(nameField->text(), surnameField->text(), number);
}

void TForm1::Gruplemleri1Click() { Form6->execute(); }

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

bool TForm1::saveContact() {
    // An empty name would be a contact nobody can find: nothing is stored.
    if (nameField->text().isEmpty()) {
        ShowMessage(QStringLiteral("Kaydetmek için önce bir isim girin!"));
        return false;
    }
    nameField->setText(contacts::normalisedName(nameField->text()));

    const int i = recordLines.lookup(numberField->text());
    if (i >= 0) {
        ShowMessage(QStringLiteral("                       Aynı numaraya sahip başka bir kişi bulundu."
                                   "                                                             İsim:") +
                    contacts::lineOrEmpty(recordLines, i - 2) + QStringLiteral("    Soyad: ") +
                    contacts::lineOrEmpty(recordLines, i - 1) + QStringLiteral("     Numara: ") +
                    contacts::lineOrEmpty(recordLines, i));
        return false;
    }

    const contacts::Placement placed =
        contacts::placeContact(recordLines, nameIndex, codepage::encode(nameField->text()),
                               codepage::encode(surnameField->text()), codepage::encode(numberField->text()));
    nameField->clear();
    surnameField->clear();
    if (!placed.between) numberField->clear();
    recordLines.save(activeGroupPath());
    ShowMessage(QStringLiteral("Kayıt işlemi tamamlandı!!"));
    if (placed.between) numberField->clear();  // only once the message is closed
    return true;
}

void TForm1::BitBtn1Click() { saveContact(); }

void TForm1::Edit3KeyPress() { saveContact(); }

// ---------------------------------------------------------------------------
// Editing, deleting and clearing

void TForm1::BitBtn2Click() {
    const int i = contacts::lookupNumberLine(recordLines, foundNumber->text());
    if (i < 0) {
        ShowMessage(QStringLiteral("Düzelmek İçin Önce Kayıt Girin!"));
        clearContactFieldsAndSearch();
    } else {
        const QByteArray oldName = recordLines.get(i - 2);
        const QByteArray oldSurname = recordLines.get(i - 1);
        const QByteArray oldNumber = recordLines.get(i);
        contacts::removeContact(recordLines, i);
        rebuildNameIndex();
        // Refused: the old contact goes back where it stood, as the file still has it.
        if (!saveContact()) contacts::insertContact(recordLines, i - 2, oldName, oldSurname, oldNumber);
    }
    rebuildNameIndex();
    recheckSensitive();
}

void TForm1::BitBtn4Click() {
    const int i = contacts::lookupNumberLine(recordLines, numberField->text());
    if (i < 0) {
        ShowMessage(QStringLiteral("Bu numaraya sahip kayıt bulunmamakta!"));
    } else {
        Form11->execute(recordLines.text(i - 2), recordLines.text(i - 1), recordLines.text(i));
    }
    recheckSensitive();
}

// "&Evet" in the delete confirmation: the contact shown there goes.
void TForm1::deleteConfirmed(const QString& number) {
    const int j = contacts::lookupNumberLine(recordLines, number);
    if (j < 0) return;
    contacts::removeContact(recordLines, j);
    rebuildNameIndex();  // before the write: a failed one must not leave the index behind
    recordLines.save(activeGroupPath());
    clearContactFieldsAndSearch();
    ShowMessage(QStringLiteral("      Kayıt Silindi      "));
}

void TForm1::BitBtn3Click() { clearContactAndSearchFields(); }

// ---------------------------------------------------------------------------
// Search by name or number

void TForm1::rebuildNextMatchLines() {
    // From the contact NameField shows now: the lines after its first contact.
    nextMatchLines.takeAfter(recordLines, recordLines.lookup(nameField->text()) + 3);
}

void TForm1::lookUp(Entry entry) {
    rebuildNextMatchLines();
    const bool byNumber = numberMode->isChecked();
    const bool numberKey = byNumber && entry != Entry::SearchFieldEnter;
    const QString key = numberKey ? numberSearchField->text() : searchField->text();

    const int i = recordLines.lookup(key);
    if (i < 0) {
        ShowMessage(QStringLiteral("Böyle bir kayıt bulunamadı!"));
        clearContactFieldsAndSearch();
        if (entry == Entry::SearchButton || (entry == Entry::NumberSearchEnter && byNumber))
            numberSearchField->clear();
    } else {
        // The match is taken for a name line or a number line wherever it stands.
        const int first = byNumber ? i - 2 : i;
        takeContactAt(recordLines, first);
    }
    if (entry == Entry::SearchButton) (byNumber ? numberSearchField : searchField)->setFocus();
}

void TForm1::BitBtn6Click() { lookUp(Entry::SearchButton); }

void TForm1::Edit4KeyPress() { lookUp(Entry::SearchFieldEnter); }

void TForm1::bb2Click() { lookUp(Entry::NumberSearchEnter); }

void TForm1::BitBtn7Click() {
    const int j = nextMatchLines.lookup(nameField->text());
    if (j < 0) {
        ShowMessage(QStringLiteral("        Kayıtların sonu!       "));
        return;
    }
    takeContactAt(nextMatchLines, j);
    nextMatchLines.remove(nextMatchLines.lookup(nameField->text()));
}

void TForm1::RadioButton1Click() {
    if (sensitiveCheck->isChecked()) {
        fillSensitiveChoice();
        return;
    }
    numberSearchField->hide();
    clearContactAndSearchFields();
    searchField->setMaxLength(32767);  // no limit
    searchField->setFocus();
}

void TForm1::RadioButton2Click() {
    if (sensitiveCheck->isChecked()) {
        fillSensitiveChoice();
        return;
    }
    numberSearchField->show();
    numberSearchField->raise();
    clearContactAndSearchFields();
    searchField->setMaxLength(11);
    numberSearchField->setFocus();
}

// ---------------------------------------------------------------------------
// Sensitive search: the names or numbers of the group in a sorted drop-down
// over SearchField; picking or typing one shows its contact at once.

void TForm1::CheckBox1Click() {
    if (sensitiveCheck->isChecked()) {
        numberSearchField->hide();
        searchButton->setEnabled(false);
        nextButton->setEnabled(false);
        // SearchField lies under the drop-down: out of sight and out of the Tab order
        searchField->hide();
        sensitiveChoice->show();
        sensitiveChoice->raise();
        // Whichever mode was in force, this ends in NameMode with the names
        // listed; only the names are taken from the group.
        if (nameMode->isChecked())
            fillSensitiveChoice();
        else
            nameMode->setChecked(true);  // its check fills the list
    } else {
        searchField->show();
        if (numberMode->isChecked()) {
            numberSearchField->show();
            numberSearchField->raise();
        }
        searchButton->setEnabled(true);
        nextButton->setEnabled(true);
        sensitiveChoice->hide();
    }
}

// The mode buttons' part while the sensitive search is on: the list is taken
// anew from RecordLines; no field is cleared.
void TForm1::fillSensitiveChoice() {
    const auto listed = numberMode->isChecked() ? contacts::Listed::Numbers : contacts::Listed::Names;
    if (recordLines.count() >= 2)
        sensitiveEntries = contacts::sortedEntries(recordLines, listed);
    else
        sensitiveEntries = {};
    sensitiveItems->setStringList(sensitiveEntries.texts);
    sensitiveChoice->setCurrentIndex(-1);
    sensitiveChoice->setEditText(QString());
    sensitiveChoice->setFocus();
}

// Shows the contact of SensitiveChoice's text: in NameMode the contact of the
// chosen entry, or of a typed name its first contact; in NumberMode the first
// contact with that number. A text that names no contact changes nothing but
// FoundNumber, which follows NumberField.
void TForm1::ComboBox2Change() {
    const QString t = sensitiveChoice->currentText();
    int first = -1;  // the name line of the contact to show
    if (t.isEmpty()) {
        clearContactAndSearchFields();
    } else if (nameMode->isChecked()) {
        // The chosen entry's own contact, while it still stands where the
        // list found it (a save since may have moved it); otherwise the
        // first contact of that name.
        const int row = sensitiveChoice->currentIndex();
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
        foundNumber->setText(numberField->text());
}

// ---------------------------------------------------------------------------
// Alphabetic index

// The active group split into the thirty letter pages of the alphabetic index
// window, which then opens; the build reads RecordLines and changes nothing.
void TForm1::bb1Click() {
    if (recordLines.isEmpty()) {
        ShowMessage(QStringLiteral("Veri tabanında İçerik ayrılabilecek bir kayıt bulunmamaktadır!"));
        return;
    }
    Form15->execute(activeGroup(), recordLines);
}
