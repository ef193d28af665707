#include "windows/isim.h"

#include "app/forms.h"
#include "store/datafolder.h"
#include "store/stringlist.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/grup.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Grup Adı Girin"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(250, 112);

    Label1 = new QLabel(QStringLiteral("Oluşturulacak Grup Adı:"), this);
    Label1->move(8, 8);
    Label1->adjustSize();
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(8, 24, 234, 21);
    Edit1->setMaxLength(16);
    guardText(Edit1);
    Label1->setBuddy(Edit1);
    name(Edit1, Label1->text());
    connect(Edit1, &QLineEdit::returnPressed, this, &TForm7::Edit1KeyPress);

    SpeedButton1 = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    SpeedButton1->setGeometry(8, 54, 113, 27);
    SpeedButton1->setEnabled(false);
    SpeedButton2 = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    SpeedButton2->setGeometry(129, 54, 113, 27);
    for (QPushButton* b : {SpeedButton1, SpeedButton2}) flat(b);
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm7::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &TForm7::SpeedButton2Click);

    StatusBar1 = emptyStatusBar(this, QRect(0, 92, 250, 20));

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &TForm7::Timer1Timer);
}

void TForm7::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Timer1Timer();
    Timer1->start();
    Edit1->setFocus();
}

void TForm7::execute() {
    Edit1->clear();
    execModal(this);
}

void TForm7::Timer1Timer() { SpeedButton1->setEnabled(!Edit1->text().isEmpty()); }

// A name the list already holds, in any letter case, is refused; so is one
// that cannot be a file name. A group file of that name that is there
// already, unlisted, keeps its contacts and becomes the group's file.
void TForm7::SpeedButton1Click() {
    const QString group = Edit1->text();
    if (group.isEmpty()) return;
    if (lookupItem(Form6->groupListBox, group) >= 0) {
        ShowMessage(QStringLiteral("Bu isimde başka bir grup bulunmaktadır!"));
        Edit1->clear();
        return;
    }
    if (!acceptGroupName(group)) return;
    const QString path = datafolder::groupFilePath(group);
    if (datafolder::exists(path))
        ShowMessage(QStringLiteral("Bu isimde bir grup dosyası Telefika Klasöründe zaten vardı; içindeki kayıtlar korundu."));
    else
        StringList().save(path);  // the new group's empty file
    addSorted(Form6->groupListBox, group);
    close();
}

void TForm7::SpeedButton2Click() { close(); }

// Enter in the edit confirms, as "Tamam" does, while the edit holds text.
void TForm7::Edit1KeyPress() {
    if (!Edit1->text().isEmpty()) SpeedButton1Click();
}

void TForm7::done(int result) {
    Timer1->stop();
    QDialog::done(result);
}
