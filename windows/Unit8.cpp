#include "windows/Unit8.h"

#include "app/forms.h"
#include "store/datafolder.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/yazdir.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>

using datafolder::DefaultGroup;

namespace {

QLabel* valueBox(QWidget* parent, const QRect& place) {
    QLabel* l = sunkenPanel(parent, QString(), place);
    l->setIndent(4);
    l->setAutoFillBackground(true);
    paint(l, QPalette::Window, Cream);
    paint(l, QPalette::WindowText, Qt::red);
    bold(l);
    return l;
}

QLabel* caption(QWidget* parent, const QString& text, int x, int y, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    l->setBuddy(buddy);
    name(buddy, text);
    return l;
}

}  // namespace

TForm8::TForm8(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Yazdırılacak Grup"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(200, 168);

    Bevel1 = new QFrame(this);
    Bevel1->setGeometry(4, 4, 192, 36);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    ComboBox1 = new QComboBox(Bevel1);
    ComboBox1->setGeometry(8, 7, 176, 22);
    ComboBox1->setEditable(false);  // pick only
    ComboBox1->setFrame(false);
    ComboBox1->setCursor(Qt::PointingHandCursor);
    ComboBox1->addItem(DefaultGroup);
    name(ComboBox1, windowTitle());
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm8::ComboBox1Change);

    Bevel2 = new QFrame(this);
    Bevel2->setGeometry(4, 44, 192, 60);
    Bevel2->setFrameStyle(QFrame::Box | QFrame::Sunken);
    groupValue = valueBox(Bevel2, QRect(66, 6, 118, 21));
    capacityValue = valueBox(Bevel2, QRect(66, 33, 118, 21));
    Label1 = caption(Bevel2, QStringLiteral("Grup:"), 8, 9, groupValue);
    Label2 = caption(Bevel2, QStringLiteral("Kapasite:"), 8, 36, capacityValue);

    BitBtn1 = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    BitBtn1->setGeometry(8, 112, 88, 30);
    BitBtn2 = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    BitBtn2->setGeometry(104, 112, 88, 30);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm8::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm8::BitBtn2Click);

    StatusBar1 = emptyStatusBar(this, QRect(0, 149, 200, 19));
}

// Every opening reloads the group list and starts from the default group.
void TForm8::execute() {
    groupListCopy.load(datafolder::groupListPath());
    {
        const QSignalBlocker quiet(ComboBox1);
        ComboBox1->clear();
        addGroupNames(ComboBox1, groupListCopy, false);
        ComboBox1->setCurrentIndex(ComboBox1->findText(DefaultGroup));
    }
    groupPrintLines.load(datafolder::groupFilePath(DefaultGroup));
    showChosen(ComboBox1->currentText());
    execModal(this);
}

void TForm8::showChosen(const QString& group) {
    groupValue->setText(group);
    capacityValue->setText(QString::number(datafolder::contactsHeld(groupPrintLines.count())) +
                           QStringLiteral(" kişi"));
}

// A group without a file changes nothing.
void TForm8::ComboBox1Change() {
    const QString group = ComboBox1->currentText();
    const QString path = datafolder::groupFilePath(group);
    if (!datafolder::exists(path)) return;
    groupPrintLines.load(path);
    showChosen(group);
}

// "Tamam": the chosen group's file read again and printed; the chooser stays
// open beneath the print window.
void TForm8::BitBtn1Click() {
    const QString group = ComboBox1->currentText();
    const QString path = datafolder::groupFilePath(group);
    if (!datafolder::exists(path)) return;
    groupPrintLines.load(path);
    Form4->printChosenGroup(group);
}

void TForm8::BitBtn2Click() { close(); }
