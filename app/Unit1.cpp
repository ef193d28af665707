#include "app/Unit1.h"

#include "app/forms.h"
#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "ui/contactfields.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/ALFABE.h"
#include "windows/grup.h"
#include "windows/isimlistesi.h"
#include "windows/isimsirala.h"
#include "windows/onay.h"
#include "windows/tum.h"
#include "windows/Unit8.h"
#include "windows/yazdir.h"
#include "windows/yedek.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStringListModel>
#include <QStyle>
#include <QTimer>

using datafolder::DefaultGroup;

namespace {

QLabel* label(QWidget* parent, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

QLineEdit* edit(QWidget* parent, int x, int y, int w, int h = 21) {
    auto* e = new QLineEdit(parent);
    e->setGeometry(x, y, w, h);
    guardText(e);
    return e;
}

// An edit under its label; the label names it for screen readers.
QLineEdit* labelledEdit(QWidget* parent, const QString& caption, int x, int y, int w) {
    QLabel* l = label(parent, caption, x, y);
    QLineEdit* e = edit(parent, x, y + 16, w);
    l->setBuddy(e);
    name(e, caption);
    return e;
}

// An editable drop-down whose items the program sorts; typing neither
// completes nor adds an item. Its hint names it.
QComboBox* dropDown(QWidget* parent, const QRect& place, const QString& hint) {
    auto* box = new QComboBox(parent);
    box->setGeometry(place);
    box->setEditable(true);
    box->setCompleter(nullptr);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setToolTip(hint);
    name(box, hint);
    bold(box);
    guardText(box);
    return box;
}

// A button that shows a picture; its hint names it.
QPushButton* pictureButton(QWidget* parent, QStyle::StandardPixmap picture, const QString& hint,
                           const QString& caption, int x, int y, int w, int h) {
    auto* b = new QPushButton(standardIcon(picture), caption, parent);
    b->setGeometry(x, y, w, h);
    b->setIconSize(QSize(24, 24));
    b->setToolTip(hint);
    name(b, caption.isEmpty() ? hint : QString(caption).remove(QLatin1Char('&')));
    return b;
}

}  // namespace

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

    refreshTimer = new QTimer(this);
    refreshTimer->setInterval(100);
    connect(refreshTimer, &QTimer::timeout, this, &TForm1::Timer1Timer);

    connect(saveButton, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
    connect(numberField, &QLineEdit::returnPressed, this, &TForm1::Edit3KeyPress);
    connect(editButton, &QPushButton::clicked, this, &TForm1::BitBtn2Click);
    connect(deleteButton, &QPushButton::clicked, this, &TForm1::BitBtn4Click);
    connect(clearButton, &QPushButton::clicked, this, &TForm1::BitBtn3Click);
    connect(searchButton, &QPushButton::clicked, this, &TForm1::BitBtn6Click);
    connect(searchField, &QLineEdit::returnPressed, this, &TForm1::Edit4KeyPress);
    connect(numberSearchField, &QLineEdit::returnPressed, this, &TForm1::bb2Click);
    connect(nextButton, &QPushButton::clicked, this, &TForm1::BitBtn7Click);
    connect(nameMode, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton1Click(); });
    connect(numberMode, &QRadioButton::toggled, this, [this](bool on) { if (on) RadioButton2Click(); });
    buildSensitiveSearch();

    FormCreate();
    refreshTimer->start();
}

TForm1::~TForm1() {
    // Taking the window down moves the focus out of an editable drop-down,
    // which then reports its text as chosen: no handler of a window that is
    // half gone may run, so its widgets fall silent first.
    for (QWidget* w : findChildren<QWidget*>()) w->blockSignals(true);
}

void TForm1::buildWidgets() {
    auto* client = new QWidget(this);
    client->setFixedSize(301, 371);
    setCentralWidget(client);

    groupSelector = dropDown(client, QRect(8, 1, 137, 21), QStringLiteral("Kullanılan Grubu Değiştir"));
    paint(groupSelector, QPalette::Base, Qt::blue);
    paint(groupSelector, QPalette::Text, Qt::white);
    connect(groupSelector, &QComboBox::activated, this, &TForm1::combobox1Change);
    connect(groupSelector->lineEdit(), &QLineEdit::textEdited, this, &TForm1::combobox1Change);

    auto* version = new QLabel(QStringLiteral("Versiyon 2.0  "), client);
    version->setGeometry(176, 0, 108, 22);
    QFont script;
    script.setFamilies({QStringLiteral("Z003"), QStringLiteral("URW Chancery L"),
                        QStringLiteral("Monotype Corsiva"), QStringLiteral("Script MT Bold")});
    script.setStyleHint(QFont::Cursive);
    script.setPixelSize(19);
    script.setBold(true);
    script.setItalic(true);
    version->setFont(script);
    paint(version, QPalette::WindowText, Maroon);

    // "Bilgiler": the contact fields
    auto* info = new QGroupBox(QStringLiteral("Bilgiler"), client);
    info->setGeometry(8, 24, 137, 185);
    nameField = labelledEdit(info, QStringLiteral("İsim"), 8, 22, 121);
    surnameField = labelledEdit(info, QStringLiteral("Soyad"), 8, 66, 121);
    for (QLineEdit* field : {nameField, surnameField}) guardText(field, contacts::FieldLength);
    foundNumber = edit(info, 8, 126, 121);
    foundNumber->setMaxLength(11);
    foundNumber->setFocusPolicy(Qt::NoFocus);
    foundNumber->hide();  // lies under NumberField, never seen
    name(foundNumber, QStringLiteral("Bulunan Cep Tel"));
    numberField = labelledEdit(info, QStringLiteral("Cep Tel"), 8, 110, 121);
    numberField->setMaxLength(11);
    numberField->setValidator(nullptr);
    digitsOnly(numberField);

    // "Arama": the search
    auto* search = new QGroupBox(QStringLiteral("Arama"), client);
    search->setGeometry(152, 24, 145, 185);
    sensitiveCheck = new QCheckBox(QStringLiteral("Hassas Arama"), search);
    sensitiveCheck->setGeometry(8, 22, 129, 17);
    nameMode = new QRadioButton(QStringLiteral("İsme Göre Ara"), search);
    nameMode->setGeometry(8, 40, 129, 17);
    nameMode->setToolTip(QStringLiteral("İsme Göre Arama"));
    nameMode->setChecked(true);
    numberMode = new QRadioButton(QStringLiteral("Cep Noya Göre Ara"), search);
    numberMode->setGeometry(8, 58, 129, 17);
    numberMode->setToolTip(QStringLiteral("Cep Tel. Göre Arama"));
    QLabel* searchLabel = label(search, QStringLiteral("Aranacak Bilgi"), 8, 80);
    searchField = edit(search, 8, 96, 129);
    bold(searchField);
    cream(searchField);
    searchLabel->setBuddy(searchField);
    name(searchField, QStringLiteral("Aranacak Bilgi"));
    numberSearchField = edit(search, 8, 96, 129);
    numberSearchField->setMaxLength(11);
    numberSearchField->setValidator(nullptr);
    digitsOnly(numberSearchField);
    bold(numberSearchField);
    cream(numberSearchField);
    name(numberSearchField, QStringLiteral("Aranacak Cep Tel"));
    numberSearchField->hide();
    sensitiveChoice = dropDown(search, QRect(8, 96, 129, 21), QStringLiteral("Hassas Arama"));
    cream(sensitiveChoice);
    sensitiveChoice->hide();
    searchButton = pictureButton(search, QStyle::SP_FileDialogContentsView, QStringLiteral("Ara"),
                                 QStringLiteral("Ara"), 8, 128, 60, 33);
    nextButton = pictureButton(search, QStyle::SP_ArrowRight, QStringLiteral("Sonraki Aynı İsim"),
                               QStringLiteral("Sonraki"), 72, 128, 65, 33);
    paint(nextButton, QPalette::ButtonText, Qt::red);
    for (QPushButton* b : {searchButton, nextButton}) b->setIconSize(QSize(16, 16));

    saveButton = pictureButton(client, QStyle::SP_DialogSaveButton, QStringLiteral("Kaydet"), QString(),
                               8, 216, 65, 41);
    editButton = pictureButton(client, QStyle::SP_FileDialogDetailedView, QStringLiteral("Düzelt"),
                               QString(), 80, 216, 65, 41);
    editButton->setEnabled(false);
    clearButton = pictureButton(client, QStyle::SP_DialogResetButton, QStringLiteral("Ekranı Temizle"),
                                QString(), 8, 256, 65, 41);
    deleteButton = pictureButton(client, QStyle::SP_TrashIcon, QStringLiteral("Sil"), QStringLiteral("Sil"),
                                 80, 256, 65, 41);
    deleteButton->setEnabled(false);
    exitButton = pictureButton(client, QStyle::SP_DialogCloseButton, QStringLiteral("Çıkış"),
                               QStringLiteral("&Çıkış"), 152, 264, 137, 33);
    connect(exitButton, &QPushButton::clicked, this, &TForm1::close);

    auto* maker = new QLabel(QStringLiteral("www.telefika.com.tr\nTürkçe cep rehberi"), client);
    maker->setGeometry(152, 216, 137, 41);
    maker->setAlignment(Qt::AlignCenter);
    maker->setWordWrap(true);
    maker->setAutoFillBackground(true);
    paint(maker, QPalette::Window, Qt::yellow);
    paint(maker, QPalette::WindowText, Qt::darkBlue);

    auto* product = label(client, QStringLiteral("Telefika Yazılım"), 104, 304);
    bold(product);
    product->adjustSize();

    auto* status = new QStatusBar(client);
    status->setGeometry(0, 322, 301, 49);
    status->setSizeGripEnabled(false);
    statusPanel1 = sunkenPanel(status, QString(), QRect());
    statusPanel1->setFixedWidth(170);
    statusPanel2 = sunkenPanel(status, QString(), QRect());
    status->addWidget(statusPanel1, 0);
    status->addWidget(statusPanel2, 1);

    countLine = label(client, QStringLiteral("--"), 8, 328);
    capacityLine = label(client, QStringLiteral("--"), 8, 348);
    paint(capacityLine, QPalette::WindowText, Qt::red);
    for (QLabel* l : {countLine, capacityLine}) {
        l->resize(160, 16);
        l->raise();  // drawn over the status bar
    }
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const QString& caption, QStyle::StandardPixmap picture,
                       const QKeySequence& shortcut = QKeySequence()) {
        QAction* a = menu->addAction(standardIcon(picture), caption);
        a->setShortcut(shortcut);
        return a;
    };

    QMenu* Dosya1 = bar->addMenu(QStringLiteral("Dosya"));
    printAction = item(Dosya1, QStringLiteral("Yazdır"), QStyle::SP_FileDialogDetailedView, QKeySequence(QStringLiteral("Ctrl+P")));
    Dosya1->addSeparator();
    printGroupAction = item(Dosya1, QStringLiteral("Grubu Yazdır"), QStyle::SP_FileDialogListView, QKeySequence(QStringLiteral("Ctrl+Y")));
    Dosya1->addSeparator();
    quitAction = item(Dosya1, QStringLiteral("Çık"), QStyle::SP_DialogCloseButton);

    QMenu* Aralar1 = bar->addMenu(QStringLiteral("Araçlar"));
    nameListAction = item(Aralar1, QStringLiteral("İsim Listesi"), QStyle::SP_FileDialogListView);
    alphabeticAction = item(Aralar1, QStringLiteral("Alfabetik Sıralama"), QStyle::SP_FileDialogInfoView);
    browserAction = item(Aralar1, QStringLiteral("Tarayıcı"), QStyle::SP_MediaSeekForward, QKeySequence(QStringLiteral("Ctrl+T")));
    Aralar1->addSeparator();
    backupAction = item(Aralar1, QStringLiteral("Yedek"), QStyle::SP_DriveFDIcon);
    mergerAction = item(Aralar1, QStringLiteral("Grup Birleştirici"), QStyle::SP_DirLinkIcon);

    QMenu* RehberGrubu1 = bar->addMenu(QStringLiteral("Rehber Grubu"));
    groupsAction = item(RehberGrubu1, QStringLiteral("Grup İşlemleri"), QStyle::SP_DirIcon);

    QMenu* Yardm1 = bar->addMenu(QStringLiteral("Yardım"));
    aboutAction = item(Yardm1, QStringLiteral("Hakkında"), QStyle::SP_MessageBoxInformation, QKeySequence(Qt::Key_F1));
    usageAction = item(Yardm1, QStringLiteral("Kullanım"), QStyle::SP_DialogHelpButton);

    connect(quitAction, &QAction::triggered, this, &TForm1::k1Click);
    connect(groupsAction, &QAction::triggered, this, [] { Form6->execute(); });
    connect(backupAction, &QAction::triggered, this, [] { Form17->execute(); });
    connect(aboutAction, &QAction::triggered, this, &TForm1::Hakknda1Click);
    connect(usageAction, &QAction::triggered, this, &TForm1::Kullanm1Click);
    connect(nameListAction, &QAction::triggered, this, [] { Form16->execute(); });
    connect(browserAction, &QAction::triggered, this, [] { Form3->execute(); });
    connect(alphabeticAction, &QAction::triggered, this, &TForm1::bb1Click);
    connect(printAction, &QAction::triggered, this, [] { Form4->printActiveGroup(); });
    connect(printGroupAction, &QAction::triggered, this, [] { Form8->execute(); });
    connect(mergerAction, &QAction::triggered, this, [] { Form12->execute(); });
}

void TForm1::buildTabOrder() {
    const QList<QWidget*> order = {sensitiveCheck, nameMode,     numberMode,  searchField,
                                   numberSearchField, sensitiveChoice, searchButton, nextButton,
                                   saveButton,     editButton,   deleteButton, clearButton,
                                   exitButton,     nameField,    surnameField, numberField,
                                   groupSelector};
    for (int i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

QString TForm1::activeGroupPath() const {
    return datafolder::groupFilePath(groupNames.text(0));
}

void TForm1::setStatusGroup(const QString& group) {
    statusPanel2->setText(QStringLiteral("Grup:") + group);
    name(statusPanel2, statusPanel2->text());
}

void TForm1::rebuildNameIndex() { ::rebuildNameIndex(recordLines, nameIndex); }

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

void TForm1::takeContact(const ContactFields& fields) {
    takeContact(fields.nameEdit->text(), fields.surnameEdit->text(), fields.numberEdit->text());
}

void TForm1::clearContactAndSearchFields() {
    nameField->clear();
    surnameField->clear();
    numberField->clear();
    searchField->clear();
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
// active group are loaded. An error stops it where it happens; the window
// opens all the same.
void TForm1::FormCreate() {
    const QString listPath = datafolder::groupListPath();
    try {
        if (datafolder::exists(listPath)) {
            groupNames.load(listPath);
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

void TForm1::k1Click() { close(); }

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
        nameField->clear();
        surnameField->clear();
        numberField->clear();
        searchField->clear();
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
        Form11->showContact(recordLines.text(i - 2), recordLines.text(i - 1), recordLines.text(i));
        execModal(Form11);
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
    nameField->clear();
    surnameField->clear();
    numberField->clear();
    searchField->clear();
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
        nameField->clear();
        surnameField->clear();
        numberField->clear();
        searchField->clear();
        if (entry == Entry::SearchButton || (entry == Entry::NumberSearchEnter && byNumber))
            numberSearchField->clear();
    } else {
        // The match is taken for a name line or a number line wherever it stands.
        const int first = byNumber ? i - 2 : i;
        nameField->setText(recordLines.text(first));
        surnameField->setText(recordLines.text(first + 1));
        numberField->setText(recordLines.text(first + 2));
        foundNumber->setText(numberField->text());
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
    nameField->setText(nextMatchLines.text(j));
    surnameField->setText(nextMatchLines.text(j + 1));
    numberField->setText(nextMatchLines.text(j + 2));
    foundNumber->setText(numberField->text());
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

void TForm1::buildSensitiveSearch() {
    sensitiveItems = new QStringListModel(this);
    auto* list = new QListView(sensitiveChoice);
    list->setUniformItemSizes(true);  // a full group opens at once
    sensitiveChoice->setView(list);
    sensitiveChoice->setModel(sensitiveItems);
    // "Sonraki" is disabled while the search is on: its red caption greys out then
    QPalette greyed = nextButton->palette();
    greyed.setColor(QPalette::Disabled, QPalette::ButtonText,
                    QApplication::palette().color(QPalette::Disabled, QPalette::ButtonText));
    nextButton->setPalette(greyed);
    connect(sensitiveCheck, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(sensitiveChoice, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(sensitiveChoice->lineEdit(), &QLineEdit::textEdited, this, &TForm1::ComboBox2Change);
}

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
    if (first >= 0) {
        nameField->setText(contacts::lineOrEmpty(recordLines, first));
        surnameField->setText(contacts::lineOrEmpty(recordLines, first + 1));
        numberField->setText(contacts::lineOrEmpty(recordLines, first + 2));
    }
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
    Form15->showGroup(groupSelector->currentText(), recordLines);
    Form15->execute();
}
