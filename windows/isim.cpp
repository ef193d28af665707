#include "windows/isim.h"

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "store/stringlist.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/grup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

TForm7::TForm7(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Grup Adı Girin"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(250, 112);
}

void TForm7::buildWidgets() {
    nameLabel = label(this, QStringLiteral("Oluşturulacak Grup Adı:"), 8, 8);
    nameEdit = new QLineEdit(this);
    nameEdit->setGeometry(8, 24, 234, 21);
    nameEdit->setMaxLength(16);
    guardText(nameEdit);
    nameLabel->setBuddy(nameEdit);
    name(nameEdit, nameLabel->text());

    okButton = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    okButton->setGeometry(8, 54, 113, 27);
    okButton->setEnabled(false);
    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    cancelButton->setGeometry(129, 54, 113, 27);
    for (QPushButton* b : {okButton, cancelButton}) flat(b);

    statusBar = emptyStatusBar(this, QRect(0, 92, 250, 20));

    enableTimer = new QTimer(this);
    enableTimer->setInterval(100);

    connect(nameEdit, &QLineEdit::returnPressed, this, &TForm7::Edit1KeyPress);
    connect(okButton, &QPushButton::clicked, this, &TForm7::SpeedButton1Click);
    connect(cancelButton, &QPushButton::clicked, this, &TForm7::SpeedButton2Click);
    connect(enableTimer, &QTimer::timeout, this, &TForm7::Timer1Timer);
}

void TForm7::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    nameEdit->setFocus();
}

// Opened from the group window with an empty name; "Tamam" waits for one.
void TForm7::execute(std::function<bool(const QString&)> listed) {
    ensureBuilt();
    listed_ = std::move(listed);
    nameEdit->clear();
    Timer1Timer();
    enableTimer->start();
    execModal(this);
}

void TForm7::Timer1Timer() { okButton->setEnabled(!nameEdit->text().isEmpty()); }

// A name the list already holds, in any letter case, is refused; so is one
// that cannot be a file name. A group file of that name that is there
// already, unlisted, keeps its contacts and becomes the group's file. The
// group is named among the pending groups before its file is made: the list
// names it only when the group window closes, and a start after a kill in
// between lists it (store/pendinggroups.h).
void TForm7::SpeedButton1Click() {
    const QString group = nameEdit->text();
    if (group.isEmpty()) return;
    if (listed_ && listed_(group)) {
        ShowMessage(QStringLiteral("Bu isimde başka bir grup bulunmaktadır!"));
        nameEdit->clear();
        return;
    }
    if (!acceptGroupName(group)) return;
    if (book.makeGroupFile(group))
        ShowMessage(QStringLiteral("Bu isimde bir grup dosyası Telefika Klasöründe zaten vardı; içindeki kayıtlar korundu."));
    close();
}

void TForm7::SpeedButton2Click() { close(); }

// Enter in the edit confirms, as "Tamam" does, while the edit holds text.
void TForm7::Edit1KeyPress() {
    if (!nameEdit->text().isEmpty()) SpeedButton1Click();
}

void TForm7::done(int result) {
    enableTimer->stop();
    QDialog::done(result);
}
