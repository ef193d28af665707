#include "windows/yeniisim.h"

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/grup.h"
#include "windows/veriekle.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

TForm14::TForm14(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Yeni İsim"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(300, 116);
}

void TForm14::buildWidgets() {
    messageLabel = new QLabel(QStringLiteral("Aynı isimde başka bir dosya Telefika Klasöründe bulundu!!Başka bir isim girin"), this);
    messageLabel->setGeometry(8, 8, 284, 34);
    messageLabel->setAlignment(Qt::AlignCenter);
    messageLabel->setWordWrap(true);
    nameEdit = new QLineEdit(this);
    nameEdit->setGeometry(8, 48, 284, 21);
    nameEdit->setMaxLength(16);
    guardText(nameEdit);
    messageLabel->setBuddy(nameEdit);
    name(nameEdit, messageLabel->text());

    okButton = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    okButton->setGeometry(58, 80, 88, 27);
    okButton->setDefault(true);
    okButton->setEnabled(false);
    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    cancelButton->setGeometry(154, 80, 88, 27);
    cancelButton->setAutoDefault(false);
    for (QPushButton* b : {cancelButton, okButton}) name(b, b->text());

    connect(nameEdit, &QLineEdit::textChanged, this, &TForm14::Edit1Change);
    connect(cancelButton, &QPushButton::clicked, this, &TForm14::BitBtn1Click);
    connect(okButton, &QPushButton::clicked, this, &TForm14::BitBtn2Click);
}

void TForm14::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    nameEdit->setFocus();
}

// Opened from the file picker when the DataFolder holds the picked name.
void TForm14::execute(const QString& from) {
    ensureBuilt();
    from_ = from;
    execModal(this);
}

void TForm14::Edit1Change() { okButton->setEnabled(!nameEdit->text().isEmpty()); }

void TForm14::BitBtn1Click() { close(); }

// The picked file is copied under the new group's name, whole or not at all
// (a killed copy leaves nothing a start does not remove), the group named
// among the pending groups first (store/pendinggroups.h). A name whose group
// file exists is refused: nothing is overwritten.
void TForm14::BitBtn2Click() {
    const QString group = nameEdit->text();
    if (group.isEmpty() || !acceptGroupName(group)) return;
    const QString target = datafolder::groupFilePath(group);
    if (datafolder::exists(target)) {
        ShowMessage(QStringLiteral("Bu isimde başka bir grup bulunmaktadır!"));
        nameEdit->clear();
        return;
    }
    if (!book.takeInGroupFile(from_, group)) {
        ShowMessage(CopyFailedMessage);
        close();
        return;
    }
    ShowMessage(QStringLiteral("İşlem Tamam"));
    close();
}

void TForm14::done(int result) {
    nameEdit->clear();
    QDialog::done(result);
}
