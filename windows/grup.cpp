#include "windows/grup.h"

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "store/storeerror.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/birles.h"
#include "windows/forms.h"
#include "windows/isim.h"
#include "windows/veriekle.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

using datafolder::DefaultGroup;

TForm6::TForm6(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Rehber Grubu"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(336, 248);
    connect(&book, &PhoneBook::groupFileMade, this, &TForm6::listGroup);
    connect(&book, &PhoneBook::groupFileRemoved, this, &TForm6::groupRemoved);
}

void TForm6::buildWidgets() {
    groupListBox = new QListWidget(this);
    groupListBox->setGeometry(8, 8, 170, 170);
    groupListBox->setSelectionMode(QAbstractItemView::SingleSelection);
    groupListBox->addItem(DefaultGroup);
    name(groupListBox, QStringLiteral("Gruplar"));

    inUseLabel = label(this, QStringLiteral("Kullanılan Grup:"), 8, 184);
    inUseField = new QLineEdit(DefaultGroup, this);
    inUseField->setGeometry(8, 200, 170, 21);
    inUseField->setReadOnly(true);
    inUseLabel->setBuddy(inUseField);
    name(inUseField, inUseLabel->text());

    buttonFrame = new QFrame(this);
    buttonFrame->setGeometry(186, 8, 142, 213);
    buttonFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    const QStringList captions = {QStringLiteral("Yeni Grup Oluştur"), QStringLiteral("Grup Sil"),
                                  QStringLiteral("Grup İçeriğini Sil"), QStringLiteral("Veri Tabanı Ekle"),
                                  QStringLiteral("Çıkış")};
    const QList<QStyle::StandardPixmap> pictures = {QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon,
                                                     QStyle::SP_DialogResetButton, QStyle::SP_DialogOpenButton,
                                                     QStyle::SP_DialogCloseButton};
    QList<QPushButton*> buttons;
    for (int i = 0; i < captions.size(); ++i) {
        auto* b = new QPushButton(standardIcon(pictures[i]), captions[i], buttonFrame);
        b->setGeometry(6, 6 + 41 * i, 130, 35);
        flat(b);
        buttons << b;
    }
    newGroupButton = buttons[0];
    deleteGroupButton = buttons[1];
    emptyGroupButton = buttons[2];
    addFileButton = buttons[3];
    exitButton = buttons[4];

    statusBar = emptyStatusBar(this, QRect(0, 228, 336, 20));

    // a double-click, or Enter on the keyboard
    connect(groupListBox, &QListWidget::itemActivated, this, &TForm6::groupListBoxDblClick);
    connect(newGroupButton, &QPushButton::clicked, this, &TForm6::SpeedButton1Click);
    connect(deleteGroupButton, &QPushButton::clicked, this, &TForm6::SpeedButton2Click);
    connect(emptyGroupButton, &QPushButton::clicked, this, &TForm6::SpeedButton3Click);
    connect(addFileButton, &QPushButton::clicked, this, &TForm6::SpeedButton4Click);
    connect(exitButton, &QPushButton::clicked, this, &TForm6::SpeedButton5Click);
}

// The list is reloaded from the group list file when there is one, the
// pending groups settled into it (a closing that could not write the list
// left them); a missing file is written from the window's own copy.
void TForm6::execute() {
    ensureBuilt();
    const QString listPath = datafolder::groupListPath();
    if (datafolder::exists(listPath)) {
        groupListBox->clear();
        groupListCopy.load(listPath);
        pendinggroups::settle(groupListCopy);
        addGroupNames(groupListBox, groupListCopy);
        // a list of one line or none leaves the field as it was
        if (groupListCopy.count() > 1) inUseField->setText(groupListCopy.text(0));
    } else {
        ShowMessage(QStringLiteral("Ayarlar Bölümü İlk Kez Çalıştırılıyor!"));
        groupListCopy.save(listPath);
    }
    execModal(this);
}

QListWidgetItem* TForm6::selectedItem() const {
    if (!groupListBox) return nullptr;
    const QList<QListWidgetItem*> selected = groupListBox->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

QString TForm6::selectedGroup() const {
    const QListWidgetItem* item = selectedItem();
    return item ? item->text() : QString();
}

bool TForm6::listsGroup(const QString& group) const { return groupListBox && lookupItem(groupListBox, group) >= 0; }

void TForm6::listGroup(const QString& group) {
    ensureBuilt();
    if (!listsGroup(group)) addSorted(groupListBox, group);
}

void TForm6::groupRemoved(const QString& group) {
    ensureBuilt();
    if (group == inUseField->text()) {
        ShowMessage(QStringLiteral("Kullanılan Grup Kayıtlar Olarak Atandı!"));
        inUseField->setText(DefaultGroup);
    }
    QListWidgetItem* item = selectedItem();
    if (!item || item->text() != group) item = groupListBox->item(lookupItem(groupListBox, group));
    delete item;
}

void TForm6::SpeedButton1Click() {
    Form7->execute([this](const QString& group) { return listsGroup(group); });
}

void TForm6::SpeedButton2Click() { confirmSelected(false); }

void TForm6::SpeedButton3Click() { confirmSelected(true); }

void TForm6::SpeedButton4Click() { Form13->execute(); }

void TForm6::SpeedButton5Click() { close(); }

// Deleting or emptying: the confirmation window shows the selected group and
// its size. A listed group without a file leaves the list, and the default
// group becomes the current one at once.
void TForm6::confirmSelected(bool emptying) {
    QListWidgetItem* item = selectedItem();
    if (!item) {
        ShowMessage(QStringLiteral("Kaydı silinecek grup üzerine tıklayıp işleme daha sonra devam edin!"));
        return;
    }
    const QString group = item->text();
    if (!emptying && group == DefaultGroup) {
        ShowMessage(QStringLiteral("Bu Grup Kaldırılamaz!"));
        return;
    }
    const QString path = datafolder::groupFilePath(group);
    if (datafolder::exists(path)) {
        Form9->execute(group, emptying);
    } else {
        ShowMessage(PhoneBook::GroupFileMissing);
        delete item;
        book.activateGroup(DefaultGroup);
        inUseField->setText(DefaultGroup);
    }
}

void TForm6::groupListBoxDblClick(QListWidgetItem* item) {
    if (!item || !item->isSelected()) return;  // nothing chosen: ignored
    inUseField->setText(item->text());
    close();
}

void TForm6::done(int result) {
    // A file error stops the closing steps where it happens; the window
    // closes all the same, so a failing disk cannot hold the user in it.
    try {
        FormClose();
    } catch (const StoreError& e) {
        ShowError(e.message());
    }
    QDialog::done(result);
}

// The group in use becomes the active one and the group list file is
// rewritten with the listed groups; the pending groups it settles are
// forgotten. The group's file is read and the list
// written before the main window changes, so a failure leaves the main
// window and the group list file as they were.
void TForm6::FormClose() {
    const QString inUse = inUseField->text();
    if (!datafolder::exists(datafolder::groupFilePath(inUse))) {
        delete groupListBox->takeItem(lookupItem(groupListBox, inUse));
        ShowMessage(QStringLiteral("Gerekli Grup Dosyası Bulunamadı!"));
        inUseField->setText(DefaultGroup);
    }
    const QString active = inUseField->text();

    groupListCopy.clear();
    groupListCopy.add(active);
    for (int i = 0; i < groupListBox->count(); ++i) groupListCopy.add(groupListBox->item(i)->text());
    book.activateGroup(active, groupListCopy);  // the main window shows it at once
    pendinggroups::forgetSettled(groupListCopy);
}
