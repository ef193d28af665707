#include "windows/tum.h"

#include "book/phonebook.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "ui/contactfields.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

namespace {

const QString NothingToBrowse = QStringLiteral("Veri tabanında taranabilecek bir kayıt bulunmamaktadır!");

QString counterText(int position) {
    return QStringLiteral("Şu anda ") + QString::number(position / 3 + 1) + QStringLiteral(".kişidesiniz");
}

// A step button under its small label, which names it.
QPushButton* stepButton(QWidget* parent, const QString& caption, const QString& labelText, const QColor& colour,
                        int x, int y) {
    auto* label = new QLabel(labelText, parent);
    label->setGeometry(x, y, 44, 16);
    auto* b = new QPushButton(caption, parent);
    b->setGeometry(x, y + 16, 44, 26);
    b->setAutoDefault(false);
    bold(b);
    fixedButtonText(b, colour);
    label->setBuddy(b);
    name(b, QString(labelText).remove(QLatin1Char(':')));
    return b;
}

}  // namespace

TForm3::TForm3(PhoneBook& phoneBook, QWidget* parent) : SecondaryWindow(parent), book(phoneBook) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Tüm Kayıtlar"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(253, 249);
}

void TForm3::buildWidgets() {
    auto* top = new QFrame(this);
    top->setGeometry(4, 4, 245, 42);
    top->setFrameStyle(QFrame::Box | QFrame::Sunken);
    totalLabel = new QLabel(QStringLiteral("Toplam"), top);
    totalLabel->setGeometry(4, 3, 237, 17);
    bold(totalLabel);
    fixedText(totalLabel, Maroon);
    counterLabel = new QLabel(counterText(0), top);
    counterLabel->setGeometry(4, 21, 237, 17);
    bold(counterLabel);
    fixedText(counterLabel, Qt::blue);
    for (QLabel* l : {totalLabel, counterLabel}) l->setAlignment(Qt::AlignCenter);

    contactFields = new ContactFields(this, QPoint(8, 52), 120, 42);

    controlsBox = new QGroupBox(QStringLiteral("Tarayıcı Kumanda"), this);
    controlsBox->setGeometry(136, 50, 109, 124);
    backButton = stepButton(controlsBox, QStringLiteral("<"), QStringLiteral("Geri:"), Qt::red, 8, 18);
    forwardButton = stepButton(controlsBox, QStringLiteral(">"), QStringLiteral("İleri:"), Qt::red, 57, 18);
    firstButton = stepButton(controlsBox, QStringLiteral("<<"), QStringLiteral("Baş:"), Maroon, 8, 68);
    lastButton = stepButton(controlsBox, QStringLiteral(">>"), QStringLiteral("Son:"), Maroon, 57, 68);

    transferCheck = new QCheckBox(QStringLiteral("Ana Ekrana Aktar"), this);
    transferCheck->setGeometry(8, 184, 124, 20);

    exitButton = new QPushButton(standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Çıkış"), this);
    exitButton->setGeometry(136, 180, 109, 28);
    exitButton->setAutoDefault(false);
    name(exitButton, QStringLiteral("Çıkış"));

    positionLabel = new QLabel(QStringLiteral("0"), this);
    positionLabel->hide();

    statusBar = emptyStatusBar(this, QRect(0, 229, 253, 20));

    connect(backButton, &QPushButton::clicked, this, &TForm3::SpeedButton1Click);
    connect(forwardButton, &QPushButton::clicked, this, &TForm3::SpeedButton2Click);
    connect(firstButton, &QPushButton::clicked, this, &TForm3::SpeedButton3Click);
    connect(lastButton, &QPushButton::clicked, this, &TForm3::SpeedButton4Click);
    connect(transferCheck, &QCheckBox::toggled, this, &TForm3::CheckBox1Click);
    connect(exitButton, &QPushButton::clicked, this, &QDialog::close);
}

int TForm3::browserPosition() const { return positionLabel ? positionLabel->text().toInt() : 0; }

void TForm3::setBrowserPosition(int position) {
    ensureBuilt();
    positionLabel->setText(QString::number(position));
}

void TForm3::readContactAt(int position) {
    const StringList& lines = book.recordLines();
    // a last contact cut short shows its missing lines empty
    contactFields->showContact(contacts::lineOrEmpty(lines, position), contacts::lineOrEmpty(lines, position + 1),
                               contacts::lineOrEmpty(lines, position + 2));
}

void TForm3::showContactAt(int position) {
    readContactAt(position);
    counterLabel->setText(counterText(position));
    if (transferCheck->isChecked()) contactFields->handOver(book);
}

bool TForm3::keepWithinGroup() {
    const int n = book.recordLines().count();
    if (n == 0) {
        ShowMessage(NothingToBrowse);
        close();
        return false;
    }
    const int last = 3 * ((n - 1) / 3);
    if (browserPosition() > last) {
        setBrowserPosition(last);
        showContactAt(last);
    }
    return true;
}

void TForm3::execute() {
    ensureBuilt();
    const int n = book.recordLines().count();
    if (n == 0) {
        ShowMessage(NothingToBrowse);
        if (isVisible()) close();
        return;
    }
    totalLabel->setText(QStringLiteral("Toplam ") + QString::number(datafolder::contactsHeld(n)) + QStringLiteral(" kişi kayıtlı"));
    if (!keepWithinGroup()) return;
    readContactAt(browserPosition());
    if (isVisible()) {
        raise();  // already open: to the front
    } else {
        show();
        forwardButton->setFocus();
    }
    activateWindow();
}

// "<"
void TForm3::SpeedButton1Click() {
    if (!keepWithinGroup()) return;
    const int p = browserPosition();
    if (p - 3 < 0) {
        ShowMessage(QStringLiteral("Kayıtların Başındasınız!"));
        return;
    }
    setBrowserPosition(p - 3);
    showContactAt(p - 3);
}

// ">"
void TForm3::SpeedButton2Click() {
    if (!keepWithinGroup()) return;
    const int p = browserPosition();
    if (p + 3 < book.recordLines().count()) {
        setBrowserPosition(p + 3);
        showContactAt(p + 3);
    } else {
        ShowMessage(QStringLiteral("Kayıtların Sonundasınız!"));
    }
}

// "<<"
void TForm3::SpeedButton3Click() {
    if (!keepWithinGroup()) return;
    setBrowserPosition(0);
    showContactAt(0);
}

// ">>"
void TForm3::SpeedButton4Click() {
    if (!keepWithinGroup()) return;
    const int n = book.recordLines().count();
    if (browserPosition() + 3 < n) {
        const int last = 3 * ((n - 1) / 3);
        setBrowserPosition(last);
        showContactAt(last);
    }
}

void TForm3::CheckBox1Click(bool checked) {
    if (checked) contactFields->handOver(book);
}

void TForm3::done(int result) {
    contactFields->clear();
    setBrowserPosition(0);
    counterLabel->setText(counterText(0));
    transferCheck->setChecked(false);
    QDialog::done(result);
}
