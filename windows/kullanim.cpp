#include "windows/kullanim.h"

#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>

const QStringList TForm10::UsageLines = {
    QStringLiteral("***Programın amacı:"),
    QStringLiteral("++Bu programın amacı numaraların kayıtlı "),
    QStringLiteral("olduğu bir "),
    QStringLiteral("havuz yaratmak ve istediğiniz kişiye çok kısa "),
    QStringLiteral("bir sürede ulaşmanızı sağlamaktır!"),
    QStringLiteral("********************"),
    QStringLiteral("Kayıt Alınırken Dikkat Edilmesi Gerekenler:"),
    QString(),
    QStringLiteral("+Her hangi bir kişinin kaydını girerken aynı "),
    QStringLiteral("isimde olan kişilerde problem çıkmaz ancak "),
    QStringLiteral("aynı numaraya sahip bir başka girişi "),
    QStringLiteral("olmayacaktır!"),
    QStringLiteral("+Kaydını aldığınız kişiyi kaydının yapıldığı grup "),
    QStringLiteral("altında bulabilirsiniz!"),
    QStringLiteral("+Program kayıt işlemlerini isim sıralamalarına "),
    QStringLiteral("göre yapmaktadır."),
    QString(),
    QStringLiteral("Kayıt Arama:"),
    QStringLiteral("+Bu alanda seçtiğiniz İsime göre veya "),
    QStringLiteral("Numaraya göre arama seçeneklerine göre "),
    QStringLiteral("bulunan kayıtlar düzgün olarak sıralanır!"),
    QStringLiteral("+Bir sonraki aynı isimdeki başkabir kayıda "),
    QStringLiteral("ulaşmak için sonraki tuşuna basın!Bu "),
    QStringLiteral("isimdekilerin başına dönmek için ara tuşuna "),
    QStringLiteral("tekrar basın!"),
    QString(),
    QStringLiteral("Düzelt Tuşu:"),
    QStringLiteral("+Düzelt Tuşuna bastığınızda o numaraya "),
    QStringLiteral("sahip kişi hakkında işlem yapılır!"),
    QString(),
    QStringLiteral("Ekranı Temizle:"),
    QStringLiteral("+Kayıtlara hiçbir şekilde bir zarar verilmeden "),
    QStringLiteral("arama ayarları ve görünen kişi kayıtları "),
    QStringLiteral("ekrandan temizlenir!"),
};

TForm10::TForm10(QWidget* parent) : SecondaryWindow(parent) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Kullanım Esasları"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(333, 311);
}

void TForm10::buildWidgets() {
    titleLabel = label(this, QStringLiteral("Telefika v2.0  "), QRect(8, 6, 317, 24));
    QFont title = titleLabel->font();
    title.setBold(true);
    title.setItalic(true);
    title.setPixelSize(17);
    titleLabel->setFont(title);
    fixedText(titleLabel, Qt::red);

    usageText = new QPlainTextEdit(this);
    usageText->setGeometry(8, 34, 317, 210);
    usageText->setReadOnly(true);
    usageText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    usageText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    usageText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cream(usageText);
    usageText->setPlainText(UsageLines.join(QLatin1Char('\n')));
    // as many whole lines as fit in its place, so the last one is not cut through
    const int chrome = 2 * usageText->frameWidth() + 2 * int(usageText->document()->documentMargin());
    const int line = usageText->fontMetrics().lineSpacing();
    usageText->resize(usageText->width(), chrome + (usageText->height() - chrome) / line * line);
    name(usageText, windowTitle());
    showFocus(usageText);

    okButton = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    okButton->setGeometry(117, 254, 99, 30);
    okButton->setCursor(Qt::PointingHandCursor);
    okButton->setDefault(true);
    name(okButton, okButton->text());
    showFocus(okButton);  // a default button looks the same with and without the focus

    statusBar = emptyStatusBar(this, QRect(0, 291, 333, 20));

    connect(okButton, &QPushButton::clicked, this, &TForm10::BitBtn1Click);
}

void TForm10::execute() {
    ensureBuilt();
    usageText->moveCursor(QTextCursor::Start);
    usageText->ensureCursorVisible();
    okButton->setFocus();
    execModal(this);
}

void TForm10::BitBtn1Click() { close(); }

