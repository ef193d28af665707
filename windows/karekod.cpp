#include "windows/karekod.h"

#include "store/codepage.h"
#include "store/interchange.h"
#include "store/stringlist.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

namespace {
constexpr int PictureSide = 280;  // the most pixels a code takes on a side
}

QrCodeWindow::QrCodeWindow(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName(QStringLiteral("qrCodeWindow"));
    setWindowTitle(QStringLiteral("Karekod"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(304, 394);
}

void QrCodeWindow::buildWidgets() {
    qrPicture = new QLabel(this);
    qrPicture->setGeometry(12, 12, PictureSide, PictureSide);
    qrPicture->setAlignment(Qt::AlignCenter);
    name(qrPicture, QStringLiteral("Karekod"));

    contactValue = label(this, QString(), QRect(12, 298, PictureSide, 34));
    contactValue->setAlignment(Qt::AlignCenter);
    contactValue->setWordWrap(true);
    bold(contactValue);
    hintLabel = label(this, QStringLiteral("Telefonun kamerasıyla okutun: kişi rehbere eklenir."),
                      QRect(12, 334, PictureSide, 16));
    hintLabel->setAlignment(Qt::AlignCenter);

    closeButton = new QPushButton(standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("Kapat"), this);
    closeButton->setGeometry(106, 356, 92, 30);
    closeButton->setDefault(true);
    showFocus(closeButton);  // the only stop: the ring shows it holds the keyboard

    connect(closeButton, &QPushButton::clicked, this, &QrCodeWindow::closeClicked);
}

void QrCodeWindow::execute(const QString& name, const QString& surname, const QString& number) {
    StringList contact;
    contact.add(codepage::encode(name));
    contact.add(codepage::encode(surname));
    contact.add(codepage::encode(number));
    qrcode::Picture picture = qrcode::encode(interchange::exportLines(contact, interchange::Format::VCard30), PictureSide);
    if (!picture.ok()) {
        ShowMessage(QStringLiteral("Bu kişi bir karekoda sığmıyor!"));
        return;
    }
    ensureBuilt();
    picture_ = std::move(picture);
    qrPicture->setPixmap(QPixmap::fromImage(picture_.image));
    QStringList shown;
    for (const QString& part : {name, surname, number})
        if (!part.trimmed().isEmpty()) shown << part.trimmed();
    contactValue->setText(shown.join(QLatin1Char(' ')));
    ::name(qrPicture, QStringLiteral("Karekod: ") + contactValue->text());
    execModal(this);
}

void QrCodeWindow::closeClicked() { close(); }
