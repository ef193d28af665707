#include "windows/yedek.h"

#include "book/phonebook.h"

#include "store/datafolder.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

TForm17::TForm17(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Yedek Al"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(300, 212);
}

void TForm17::buildWidgets() {
    groupLabel = label(this, QStringLiteral("Yedeklenecek Veri Tabanı:"), 8, 8);
    groupList = new QListWidget(this);
    groupList->setGeometry(8, 24, 180, 150);
    groupList->setSelectionMode(QAbstractItemView::SingleSelection);
    groupList->viewport()->setCursor(Qt::PointingHandCursor);
    cream(groupList);
    groupList->addItem(datafolder::DefaultGroup);
    groupLabel->setBuddy(groupList);
    name(groupList, groupLabel->text());

    chosenGroupLabel = sunkenPanel(this, QString(), QRect(8, 182, 180, 21));
    chosenGroupLabel->setIndent(4);
    bold(chosenGroupLabel);

    backupButton = new QPushButton(standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Al"), this);
    backupButton->setGeometry(196, 24, 96, 30);
    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    cancelButton->setGeometry(196, 60, 96, 30);
    for (QPushButton* b : {backupButton, cancelButton}) flat(b);

    connect(groupList, &QListWidget::itemSelectionChanged, this, &TForm17::ListBox1Click);
    connect(backupButton, &QPushButton::clicked, this, &TForm17::SpeedButton1Click);
    connect(cancelButton, &QPushButton::clicked, this, &TForm17::SpeedButton2Click);
}

// The list is reloaded from the group list file when there is one; a missing
// file is written from the window's own copy.
void TForm17::execute() {
    ensureBuilt();
    const QString listPath = datafolder::groupListPath();
    if (datafolder::exists(listPath)) {
        groupList->clear();
        groupListCopy.load(listPath);
        addGroupNames(groupList, groupListCopy);
    } else {
        ShowMessage(QStringLiteral("Ayarlar Bölümü İlk Kez Çalıştırılıyor!"));
        groupListCopy.save(listPath);
    }
    execModal(this);
}

void TForm17::ListBox1Click() {
    const QList<QListWidgetItem*> selected = groupList->selectedItems();
    if (!selected.isEmpty()) chosenGroupLabel->setText(selected.constFirst()->text());
}

// The backup: the chosen group's file copied to the chosen name with ".vexo"
// appended, never into the DataFolder. Success is reported only when the
// copy holds the group file's bytes exactly.
void TForm17::SpeedButton1Click() {
    const QString group = chosenGroupLabel->text();
    if (group.isEmpty()) {
        ShowMessage(QStringLiteral("Kaydını almak istediğiniz grup üzerine tıklayın!"));
        return;
    }
    const QString chosen = askSaveFileName(this, QStringLiteral("Rehber Dosyaları"), QStringLiteral("*.vexo"));
    if (chosen.isEmpty()) return;
    const QString target = chosen + datafolder::GroupExtension;
    if (datafolder::holds(target)) {  // it would lie there unlisted, or replace a group's file
        ShowMessage(QStringLiteral("Yedek, veri havuzunun (Telefika klasörünün) içine alınamaz! Başka bir yer seçin."));
        return;
    }
    const QString source = datafolder::groupFilePath(group);
    if (!datafolder::exists(source)) {
        ShowMessage(PhoneBook::GroupFileMissing);
        return;
    }
    if (!datafolder::copyFile(source, target) || !datafolder::sameBytes(source, target)) {
        ShowMessage(QStringLiteral("Yedek alınamadı! Seçilen yere yazılamadı."));
        return;
    }
    ShowMessage(QStringLiteral("Yedeğiniz Başarıyla Alındı!"));
}

void TForm17::SpeedButton2Click() { close(); }

void TForm17::done(int result) {
    groupList->clearSelection();
    chosenGroupLabel->clear();
    QDialog::done(result);
}
