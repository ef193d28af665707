#include "windows/yeniisim.h"

#include "app/forms.h"
#include "store/datafolder.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/grup.h"
#include "windows/veriekle.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

TForm14::TForm14(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Yeni İsim"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(300, 116);

    Label1 = new QLabel(QStringLiteral("Aynı isimde başka bir dosya Telefika Klasöründe bulundu!!Başka bir isim girin"), this);
    Label1->setGeometry(8, 8, 284, 34);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(8, 48, 284, 21);
    Edit1->setMaxLength(16);
    guardText(Edit1);
    Label1->setBuddy(Edit1);
    name(Edit1, Label1->text());
    connect(Edit1, &QLineEdit::textChanged, this, &TForm14::Edit1Change);

    BitBtn2 = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    BitBtn2->setGeometry(58, 80, 88, 27);
    BitBtn2->setDefault(true);
    BitBtn2->setEnabled(false);
    BitBtn1 = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    BitBtn1->setGeometry(154, 80, 88, 27);
    BitBtn1->setAutoDefault(false);
    for (QPushButton* b : {BitBtn1, BitBtn2}) name(b, b->text());
    connect(BitBtn1, &QPushButton::clicked, this, &TForm14::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm14::BitBtn2Click);
}

void TForm14::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Edit1->setFocus();
}

void TForm14::Edit1Change() { BitBtn2->setEnabled(!Edit1->text().isEmpty()); }

void TForm14::BitBtn1Click() { close(); }

// The picked file is copied to the scratch file, which then takes the new
// group's name. A name whose group file exists is refused: nothing is
// overwritten, and a failed copy leaves no scratch file behind.
void TForm14::BitBtn2Click() {
    const QString group = Edit1->text();
    if (group.isEmpty() || !acceptGroupName(group)) return;
    const QString target = datafolder::groupFilePath(group);
    if (datafolder::exists(target)) {
        ShowMessage(QStringLiteral("Bu isimde başka bir grup bulunmaktadır!"));
        Edit1->clear();
        return;
    }
    const QString scratch = datafolder::path() + QStringLiteral("temp.tmp");
    if (!datafolder::copyFile(Form13->pickedPath(), scratch) || !datafolder::renameFile(scratch, target)) {
        datafolder::deleteFile(scratch);
        ShowMessage(CopyFailedMessage);
        close();
        return;
    }
    if (lookupItem(Form6->groupListBox, group) < 0) addSorted(Form6->groupListBox, group);
    ShowMessage(QStringLiteral("İşlem Tamam"));
    close();
}

void TForm14::done(int result) {
    Edit1->clear();
    QDialog::done(result);
}
