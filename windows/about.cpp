#include "windows/about.h"

#include "app/forms.h"
#include "app/Unit1.h"
#include "formats/jpegimage.h"
#include "platform/userinfo.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QUrl>

static void initAboutResources() { Q_INIT_RESOURCE(telefika); }

namespace {

const QColor SkyBlue(166, 202, 240);

QLabel* label(QWidget* parent, const QString& text, const QRect& place) {
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(place);
    return l;
}

// The program's own icon when it has one, else the window's small picture.
QPixmap programIcon() {
    const QPixmap own = QApplication::windowIcon().pixmap(32, 32);
    if (!own.isNull()) return own;
    return QPixmap(QStringLiteral(":/about/icon.png"));
}

}  // namespace

const QString TForm2::WebAddress = QStringLiteral("http://www.telefika.com.tr");

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    initAboutResources();
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Hakkında"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(351, 520);

    // Over the picture: the icon, the version and the maker, on a dark band.
    Image1 = label(this, QString(), QRect(0, 0, 353, 321));
    Image1->setScaledContents(true);
    Image2 = label(this, QString(), QRect(12, 12, 32, 32));
    Image2->setScaledContents(true);
    Label1 = label(this, QStringLiteral("Verrsiyon:2.0"), QRect(52, 18, 160, 20));
    paint(Label1, QPalette::WindowText, Qt::yellow);
    QFont version = Label1->font();
    version.setBold(true);
    version.setPixelSize(15);
    Label1->setFont(version);
    Label2 = label(this, QStringLiteral("Tasarım ve Programlama:"), QRect(12, 258, 200, 18));
    paint(Label2, QPalette::WindowText, Qt::white);
    Label3 = label(this, QStringLiteral("Telefika Yazılım"), QRect(12, 280, 160, 22));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setAutoFillBackground(true);
    paint(Label3, QPalette::Window, Qt::red);
    paint(Label3, QPalette::WindowText, Qt::white);
    bold(Label3);

    // Below it: the web address and the registered user's details.
    Label4 = label(this, QUrl(WebAddress).host(), QRect(8, 328, 335, 18));
    Label4->setAlignment(Qt::AlignCenter);
    paint(Label4, QPalette::WindowText, Qt::blue);
    bold(Label4);
    QFont underlined = Label4->font();
    underlined.setUnderline(true);
    Label4->setFont(underlined);
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->installEventFilter(this);
    Label4->setToolTip(WebAddress);
    name(Label4, WebAddress);

    Bevel1 = new QFrame(this);
    Bevel1->setGeometry(8, 352, 335, 98);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Label5 = label(this, QStringLiteral("Windows Kullancı Bilgisi"), QRect(16, 360, 319, 20));
    Label5->setAlignment(Qt::AlignCenter);
    Label5->setAutoFillBackground(true);
    paint(Label5, QPalette::Window, SkyBlue);
    paint(Label5, QPalette::WindowText, Qt::red);
    bold(Label5);
    userLabel = label(this, QStringLiteral("--"), QRect(16, 390, 319, 20));
    organisationLabel = label(this, QStringLiteral("--"), QRect(16, 418, 319, 20));
    for (QLabel* l : {userLabel, organisationLabel}) {
        l->setAlignment(Qt::AlignCenter);
        bold(l);
    }

    SpeedButton1 = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    SpeedButton1->setGeometry(126, 462, 99, 30);
    SpeedButton1->setFlat(true);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setDefault(true);
    name(SpeedButton1, SpeedButton1->text());
    connect(SpeedButton1, &QPushButton::clicked, this, &TForm2::SpeedButton1Click);

    StatusBar1 = emptyStatusBar(this, QRect(0, 500, 351, 20));

    QFile picture(QStringLiteral(":/about/telefika.jpg"));
    showPicture(picture.open(QIODevice::ReadOnly) ? picture.readAll() : QByteArray());
}

void TForm2::showPicture(const QByteArray& jpegBytes) {
    const jpeg::Decoded decoded = jpeg::decode(jpegBytes);
    if (decoded.ok()) {
        Image1->setPixmap(QPixmap::fromImage(decoded.image));
    } else {
        Image1->clear();
        qWarning("About picture not shown: %s", qUtf8Printable(decoded.error));
    }
}

void TForm2::showRegistered(const userinfo::Registered& registered) {
    userLabel->setText(registered.user);
    organisationLabel->setText(registered.organisation);
}

void TForm2::execute() {
    showRegistered(userinfo::read());
    Image2->setPixmap(programIcon());
    execModal(this);
}

void TForm2::Label4Click() { QDesktopServices::openUrl(QUrl(WebAddress)); }

void TForm2::SpeedButton1Click() { close(); }

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && Label4->rect().contains(mouse->position().toPoint())) {
            Label4Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// "Yardım" > "Hakkında" (F1) of the main window.
void TForm1::Hakknda1Click() { Form2->execute(); }
