#include "windows/Unit8.h"

#include "store/datafolder.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/forms.h"
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
    QLabel* l = label(parent, text, x, y);
    l->setBuddy(buddy);  // the value box keeps its text as its name
    return l;
}

}  // namespace

TForm8::TForm8(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Yazdırılacak Grup"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(200, 168);
}

void TForm8::buildWidgets() {
    chooserFrame = new QFrame(this);
    chooserFrame->setGeometry(4, 4, 192, 36);
    chooserFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    groupChooser = new QComboBox(chooserFrame);
    groupChooser->setGeometry(8, 7, 176, 22);
    groupChooser->setEditable(false);  // pick only
    groupChooser->setFrame(false);
    groupChooser->setCursor(Qt::PointingHandCursor);
    groupChooser->addItem(DefaultGroup);
    name(groupChooser, windowTitle());

    valuesFrame = new QFrame(this);
    valuesFrame->setGeometry(4, 44, 192, 60);
    valuesFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    groupValue = valueBox(valuesFrame, QRect(66, 6, 118, 21));
    capacityValue = valueBox(valuesFrame, QRect(66, 33, 118, 21));
    groupCaption = caption(valuesFrame, QStringLiteral("Grup:"), 8, 9, groupValue);
    capacityCaption = caption(valuesFrame, QStringLiteral("Kapasite:"), 8, 36, capacityValue);

    okButton = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    okButton->setGeometry(8, 112, 88, 30);
    cancelButton = new QPushButton(standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("İptal"), this);
    cancelButton->setGeometry(104, 112, 88, 30);
    okButton->setDefault(true);

    statusBar = emptyStatusBar(this, QRect(0, 149, 200, 19));

    connect(groupChooser, &QComboBox::currentIndexChanged, this, &TForm8::ComboBox1Change);
    connect(okButton, &QPushButton::clicked, this, &TForm8::BitBtn1Click);
    connect(cancelButton, &QPushButton::clicked, this, &TForm8::BitBtn2Click);
}

// Every opening reloads the group list and starts from the default group.
void TForm8::execute() {
    ensureBuilt();
    groupListCopy.load(datafolder::groupListPath());
    {
        const QSignalBlocker quiet(groupChooser);
        groupChooser->clear();
        addGroupNames(groupChooser, groupListCopy, false);
        groupChooser->setCurrentIndex(groupChooser->findText(DefaultGroup));
    }
    groupPrintLines.load(datafolder::groupFilePath(DefaultGroup));
    showChosen(groupChooser->currentText());
    execModal(this);
}

void TForm8::showChosen(const QString& group) {
    groupValue->setText(group);
    capacityValue->setText(QString::number(datafolder::contactsHeld(groupPrintLines.count())) +
                           QStringLiteral(" kişi"));
}

// A group without a file changes nothing.
void TForm8::ComboBox1Change() {
    const QString group = groupChooser->currentText();
    const QString path = datafolder::groupFilePath(group);
    if (!datafolder::exists(path)) return;
    groupPrintLines.load(path);
    showChosen(group);
}

// "Tamam": the chosen group's file read again and printed; the chooser stays
// open beneath the print window.
void TForm8::BitBtn1Click() {
    const QString group = groupChooser->currentText();
    const QString path = datafolder::groupFilePath(group);
    if (!datafolder::exists(path)) return;
    groupPrintLines.load(path);
    Form4->execute(group, groupPrintLines);
}

void TForm8::BitBtn2Click() { close(); }
