// The main window's layout: its widgets, their places and looks, the menus
// and the Tab order, as a form file holds them. The behaviour is in Unit1.cpp.

#include "app/Unit1.h"

#include "store/contacts.h"
#include "ui/controls.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringListModel>
#include <QStyle>
#include <QTimer>

namespace {

QLineEdit* edit(QWidget* parent, int x, int y, int w) {
    auto* e = new QLineEdit(parent);
    e->setGeometry(x, y, w, 21);
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

// A search field: bold on cream.
QLineEdit* searchEdit(QWidget* parent, const QString& accessibleName) {
    QLineEdit* e = edit(parent, 8, 96, 129);
    bold(e);
    cream(e);
    name(e, accessibleName);
    return e;
}

// A field that takes a number: digits only, at most eleven.
void numberOnly(QLineEdit* field) {
    field->setMaxLength(11);
    field->setValidator(nullptr);
    digitsOnly(field);
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
    name(box->lineEdit(), hint);  // the edit holds the focus
    bold(box);
    guardText(box);
    return box;
}

// A button that shows a picture, and its caption if it has one; its hint
// names it otherwise.
QPushButton* pictureButton(QWidget* parent, QStyle::StandardPixmap picture, const QString& hint,
                           const QString& caption, const QRect& place, int iconSize = 24) {
    auto* button = new QPushButton(standardIcon(picture), caption, parent);
    button->setGeometry(place);
    button->setIconSize(QSize(iconSize, iconSize));
    button->setToolTip(hint);
    name(button, caption.isEmpty() ? hint : QString(caption).remove(QLatin1Char('&')));
    return button;
}

// The version's cursive script.
QFont scriptFont() {
    QFont script;
    script.setFamilies(preferredFamilies({QStringLiteral("Z003"), QStringLiteral("URW Chancery L"),
                                          QStringLiteral("Monotype Corsiva"), QStringLiteral("Script MT Bold")}));
    script.setStyleHint(QFont::Cursive);
    script.setPixelSize(19);
    script.setBold(true);
    script.setItalic(true);
    return script;
}

}  // namespace

void TForm1::buildWidgets() {
    auto* client = new QWidget(this);
    client->setFixedSize(301, 371);
    setCentralWidget(client);

    ui.groupSelector = dropDown(client, QRect(8, 1, 137, 21), QStringLiteral("Kullanılan Grubu Değiştir"));
    paint(ui.groupSelector, QPalette::Base, Qt::blue);
    paint(ui.groupSelector, QPalette::Text, Qt::white);

    QLabel* version = label(client, QStringLiteral("Versiyon 2.0  "), QRect(176, 0, 108, 22));
    version->setFont(scriptFont());
    fixedText(version, Maroon);

    buildContactBox(client);
    buildSearchBox(client);
    buildButtons(client);
    buildStatusLines(client);

    ui.refreshTimer = new QTimer(this);
    ui.refreshTimer->setInterval(100);
}

// "Bilgiler": the contact fields.
void TForm1::buildContactBox(QWidget* client) {
    auto* info = new QGroupBox(QStringLiteral("Bilgiler"), client);
    info->setGeometry(8, 24, 137, 185);
    ui.nameField = labelledEdit(info, QStringLiteral("İsim"), 8, 22, 121);
    ui.surnameField = labelledEdit(info, QStringLiteral("Soyad"), 8, 66, 121);
    for (QLineEdit* field : {ui.nameField, ui.surnameField}) guardText(field, contacts::FieldLength);
    ui.foundNumber = edit(info, 8, 126, 121);
    ui.foundNumber->setMaxLength(11);
    ui.foundNumber->setFocusPolicy(Qt::NoFocus);
    ui.foundNumber->hide();  // lies under NumberField, never seen
    name(ui.foundNumber, QStringLiteral("Bulunan Cep Tel"));
    ui.numberField = labelledEdit(info, QStringLiteral("Cep Tel"), 8, 110, 121);
    numberOnly(ui.numberField);
}

// "Arama": the modes, the three search widgets in one place (one shown at a
// time), "Ara" and "Sonraki".
void TForm1::buildSearchBox(QWidget* client) {
    auto* search = new QGroupBox(QStringLiteral("Arama"), client);
    search->setGeometry(152, 24, 145, 185);
    ui.sensitiveCheck = new QCheckBox(QStringLiteral("Hassas Arama"), search);
    ui.sensitiveCheck->setGeometry(8, 22, 129, 17);
    ui.nameMode = new QRadioButton(QStringLiteral("İsme Göre Ara"), search);
    ui.nameMode->setGeometry(8, 40, 129, 17);
    ui.nameMode->setToolTip(QStringLiteral("İsme Göre Arama"));
    ui.nameMode->setChecked(true);
    ui.numberMode = new QRadioButton(QStringLiteral("Cep Noya Göre Ara"), search);
    ui.numberMode->setGeometry(8, 58, 129, 17);
    ui.numberMode->setToolTip(QStringLiteral("Cep Tel. Göre Arama"));

    QLabel* searchLabel = label(search, QStringLiteral("Aranacak Bilgi"), 8, 80);
    ui.searchField = searchEdit(search, QStringLiteral("Aranacak Bilgi"));
    searchLabel->setBuddy(ui.searchField);
    ui.numberSearchField = searchEdit(search, QStringLiteral("Aranacak Cep Tel"));
    numberOnly(ui.numberSearchField);
    ui.numberSearchField->hide();
    ui.sensitiveChoice = dropDown(search, QRect(8, 96, 129, 21), QStringLiteral("Hassas Arama"));
    cream(ui.sensitiveChoice);
    ui.sensitiveChoice->hide();
    ui.sensitiveItems = new QStringListModel(this);
    auto* list = new QListView(ui.sensitiveChoice);
    list->setUniformItemSizes(true);  // a full group opens at once
    ui.sensitiveChoice->setView(list);
    ui.sensitiveChoice->setModel(ui.sensitiveItems);

    ui.searchButton = pictureButton(search, QStyle::SP_FileDialogContentsView, QStringLiteral("Ara"), QStringLiteral("Ara"), QRect(8, 128, 60, 33), 16);
    ui.nextButton = pictureButton(search, QStyle::SP_ArrowRight, QStringLiteral("Sonraki Aynı İsim"), QStringLiteral("Sonraki"), QRect(72, 128, 65, 33), 16);
    // red while it can be pressed; greyed out while the sensitive search is on
    fixedButtonText(ui.nextButton, Qt::red);
}

// The picture buttons below the boxes, and the maker's lines.
void TForm1::buildButtons(QWidget* client) {
    ui.saveButton = pictureButton(client, QStyle::SP_DialogSaveButton, QStringLiteral("Kaydet"), QString(), QRect(8, 216, 65, 41));
    ui.editButton = pictureButton(client, QStyle::SP_FileDialogDetailedView, QStringLiteral("Düzelt"), QString(), QRect(80, 216, 65, 41));
    ui.editButton->setEnabled(false);
    ui.clearButton = pictureButton(client, QStyle::SP_DialogResetButton, QStringLiteral("Ekranı Temizle"), QString(), QRect(8, 256, 65, 41));
    ui.deleteButton = pictureButton(client, QStyle::SP_TrashIcon, QStringLiteral("Sil"), QStringLiteral("Sil"), QRect(80, 256, 65, 41));
    ui.deleteButton->setEnabled(false);
    ui.exitButton = pictureButton(client, QStyle::SP_DialogCloseButton, QStringLiteral("Çıkış"), QStringLiteral("&Çıkış"), QRect(152, 264, 137, 33));

    QLabel* maker = label(client, QStringLiteral("www.telefika.com.tr\nTürkçe cep rehberi"), QRect(152, 216, 137, 41));
    maker->setAlignment(Qt::AlignCenter);
    maker->setWordWrap(true);
    maker->setAutoFillBackground(true);
    paint(maker, QPalette::Window, Qt::yellow);
    paint(maker, QPalette::WindowText, Qt::darkBlue);

    QLabel* product = label(client, QStringLiteral("Telefika Yazılım"), 104, 304);
    bold(product);
    product->adjustSize();
}

// The status bar's two panels, with the count and capacity lines over the first.
void TForm1::buildStatusLines(QWidget* client) {
    auto* status = new QStatusBar(client);
    status->setGeometry(0, 322, 301, 49);
    status->setSizeGripEnabled(false);
    ui.statusPanel1 = sunkenPanel(status, QString(), QRect());
    ui.statusPanel1->setFixedWidth(170);
    ui.statusPanel2 = sunkenPanel(status, QString(), QRect());
    status->addWidget(ui.statusPanel1, 0);
    status->addWidget(ui.statusPanel2, 1);

    ui.countLine = label(client, QStringLiteral("--"), 8, 328);
    ui.capacityLine = label(client, QStringLiteral("--"), 8, 348);
    fixedText(ui.capacityLine, Qt::red);
    for (QLabel* l : {ui.countLine, ui.capacityLine}) {
        l->resize(160, 16);
        l->raise();  // drawn over the status bar
    }
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    auto item = [](QMenu* menu, const QString& caption, QStyle::StandardPixmap picture,
                   const QKeySequence& shortcut = QKeySequence()) {
        QAction* a = menu->addAction(standardIcon(picture), caption);
        a->setShortcut(shortcut);
        return a;
    };

    QMenu* file = bar->addMenu(QStringLiteral("Dosya"));
    ui.printAction = item(file, QStringLiteral("Yazdır"), QStyle::SP_FileDialogDetailedView, QKeySequence(QStringLiteral("Ctrl+P")));
    file->addSeparator();
    ui.printGroupAction = item(file, QStringLiteral("Grubu Yazdır"), QStyle::SP_FileDialogListView, QKeySequence(QStringLiteral("Ctrl+Y")));
    file->addSeparator();
    ui.importAction = item(file, QStringLiteral("İçe Aktar..."), QStyle::SP_ArrowDown);
    ui.exportAction = item(file, QStringLiteral("Dışa Aktar..."), QStyle::SP_ArrowUp);
    file->addSeparator();
    ui.quitAction = item(file, QStringLiteral("Çık"), QStyle::SP_DialogCloseButton);

    QMenu* tools = bar->addMenu(QStringLiteral("Araçlar"));
    ui.nameListAction = item(tools, QStringLiteral("İsim Listesi"), QStyle::SP_FileDialogListView);
    ui.alphabeticAction = item(tools, QStringLiteral("Alfabetik Sıralama"), QStyle::SP_FileDialogInfoView);
    ui.browserAction = item(tools, QStringLiteral("Tarayıcı"), QStyle::SP_MediaSeekForward, QKeySequence(QStringLiteral("Ctrl+T")));
    tools->addSeparator();
    ui.backupAction = item(tools, QStringLiteral("Yedek"), QStyle::SP_DriveFDIcon);
    ui.mergerAction = item(tools, QStringLiteral("Grup Birleştirici"), QStyle::SP_DirLinkIcon);
    tools->addSeparator();
    ui.qrAction = item(tools, QStringLiteral("Karekod"), QStyle::SP_ComputerIcon);

    QMenu* groups = bar->addMenu(QStringLiteral("Rehber Grubu"));
    ui.groupsAction = item(groups, QStringLiteral("Grup İşlemleri"), QStyle::SP_DirIcon);
    groups->addSeparator();
    ui.syncSettingsAction = item(groups, QStringLiteral("Eşitleme Ayarları..."), QStyle::SP_DriveNetIcon);
    ui.syncAction = item(groups, QStringLiteral("Şimdi Eşitle"), QStyle::SP_BrowserReload);

    QMenu* help = bar->addMenu(QStringLiteral("Yardım"));
    ui.aboutAction = item(help, QStringLiteral("Hakkında"), QStyle::SP_MessageBoxInformation, QKeySequence(Qt::Key_F1));
    ui.usageAction = item(help, QStringLiteral("Kullanım"), QStyle::SP_DialogHelpButton);
}

void TForm1::buildTabOrder() {
    const QList<QWidget*> order = {ui.sensitiveCheck, ui.nameMode,     ui.numberMode,  ui.searchField,
                                   ui.numberSearchField, ui.sensitiveChoice, ui.searchButton, ui.nextButton,
                                   ui.saveButton,     ui.editButton,   ui.deleteButton, ui.clearButton,
                                   ui.exitButton,     ui.nameField,    ui.surnameField, ui.numberField,
                                   ui.groupSelector};
    for (int i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}
