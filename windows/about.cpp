#include "windows/about.h"

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

// The picture's colours behind the labels drawn over it, the lightest of
// each channel there: the night sky at the top, the dark band at the foot.
const QColor SkyBehindVersion(16, 41, 82);
const QColor BandBehindMaker(15, 53, 70);

// The program's own icon when it has one, else the window's small picture.
QPixmap programIcon() {
    const QPixmap own = QApplication::windowIcon().pixmap(32, 32);
    if (!own.isNull()) return own;
    return QIcon(QStringLiteral(":/about/icon.png")).pixmap(QSize(32, 32));  // with icon@2x.png on a scaled screen
}

}  // namespace

const QString TForm2::WebAddress = QStringLiteral("http://www.telefika.com.tr");

TForm2::TForm2(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Hakkında"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(351, 520);
}

void TForm2::buildWidgets() {
    initAboutResources();
    buildPictureWidgets();
    buildDetailWidgets();

    okButton = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    okButton->setGeometry(126, 462, 99, 30);
    okButton->setFlat(true);
    showFocus(okButton);
    okButton->setCursor(Qt::PointingHandCursor);
    okButton->setDefault(true);
    name(okButton, okButton->text());

    statusBar = emptyStatusBar(this, QRect(0, 500, 351, 20));

    // the picture drawn at twice its size for a screen that scales the window
    QFile picture(devicePixelRatioF() > 1.0 ? QStringLiteral(":/about/telefika@2x.jpg")
                                            : QStringLiteral(":/about/telefika.jpg"));
    showPicture(picture.open(QIODevice::ReadOnly) ? picture.readAll() : QByteArray());

    connect(okButton, &QPushButton::clicked, this, &TForm2::SpeedButton1Click);
    keyboardLink(webLink, [this] { Label4Click(); });
}

// The picture, and over it the icon, the version and the maker, on a dark band.
void TForm2::buildPictureWidgets() {
    pictureLabel = label(this, QString(), QRect(0, 0, 353, 321));
    pictureLabel->setScaledContents(true);
    iconImage = label(this, QString(), QRect(12, 12, 32, 32));
    iconImage->setScaledContents(true);
    versionLabel = label(this, QStringLiteral("Verrsiyon:2.0"), QRect(52, 18, 160, 20));
    paint(versionLabel, QPalette::WindowText, Qt::yellow);
    paint(versionLabel, QPalette::Window, SkyBehindVersion);  // drawn over the picture, not filled
    QFont version = versionLabel->font();
    version.setBold(true);
    version.setPixelSize(15);
    versionLabel->setFont(version);
    makerCaption = label(this, QStringLiteral("Tasarım ve Programlama:"), QRect(12, 258, 200, 18));
    paint(makerCaption, QPalette::WindowText, Qt::white);
    paint(makerCaption, QPalette::Window, BandBehindMaker);
    makerLabel = label(this, QStringLiteral("Telefika Yazılım"), QRect(12, 280, 160, 22));
    makerLabel->setAlignment(Qt::AlignCenter);
    makerLabel->setAutoFillBackground(true);
    paint(makerLabel, QPalette::Window, Qt::red);
    paint(makerLabel, QPalette::WindowText, Qt::white);
    bold(makerLabel);
}

// Below the picture: the web address and the registered user's details.
void TForm2::buildDetailWidgets() {
    webLink = label(this, QUrl(WebAddress).host(), QRect(8, 328, 335, 18));
    webLink->setAlignment(Qt::AlignCenter);
    fixedText(webLink, Qt::blue);
    bold(webLink);
    QFont underlined = webLink->font();
    underlined.setUnderline(true);
    webLink->setFont(underlined);
    webLink->setCursor(Qt::PointingHandCursor);
    webLink->installEventFilter(this);
    webLink->setToolTip(WebAddress);
    webLink->setAccessibleDescription(WebAddress);

    userInfoFrame = new QFrame(this);
    userInfoFrame->setGeometry(8, 352, 335, 98);
    userInfoFrame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    userInfoCaption = label(this, QStringLiteral("Windows Kullancı Bilgisi"), QRect(16, 360, 319, 20));
    userInfoCaption->setAlignment(Qt::AlignCenter);
    userInfoCaption->setAutoFillBackground(true);
    paint(userInfoCaption, QPalette::Window, SkyBlue);
    // a darker red than the window's others: plain red on sky blue is hard to read
    paint(userInfoCaption, QPalette::WindowText, QColor(192, 0, 0));
    bold(userInfoCaption);
    userLabel = label(this, QStringLiteral("--"), QRect(16, 390, 319, 20));
    organisationLabel = label(this, QStringLiteral("--"), QRect(16, 418, 319, 20));
    for (QLabel* l : {userLabel, organisationLabel}) {
        l->setAlignment(Qt::AlignCenter);
        bold(l);
    }
}

void TForm2::showPicture(const QByteArray& jpegBytes) {
    ensureBuilt();
    const jpeg::Decoded decoded = jpeg::decode(jpegBytes);
    if (decoded.ok()) {
        pictureLabel->setPixmap(QPixmap::fromImage(decoded.image));
    } else {
        pictureLabel->clear();
        qWarning("About picture not shown: %s", qUtf8Printable(decoded.error));
    }
}

void TForm2::showRegistered(const userinfo::Registered& registered) {
    userLabel->setText(registered.user);
    organisationLabel->setText(registered.organisation);
}

void TForm2::execute() {
    ensureBuilt();
    showRegistered(userinfo::read());
    iconImage->setPixmap(programIcon());
    okButton->setFocus();  // Enter closes the window, as before the link took the focus
    execModal(this);
}

void TForm2::Label4Click() { QDesktopServices::openUrl(QUrl(WebAddress)); }

void TForm2::SpeedButton1Click() { close(); }

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == webLink && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && webLink->rect().contains(mouse->position().toPoint())) {
            Label4Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

