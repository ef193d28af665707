#include "windows/kullanim.h"

#include "app/forms.h"
#include "app/Unit1.h"
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

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Kullanım Esasları"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(333, 311);

    Label1 = new QLabel(QStringLiteral("Telefika v2.0  "), this);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setGeometry(8, 6, 317, 24);
    QFont title = Label1->font();
    title.setBold(true);
    title.setItalic(true);
    title.setPixelSize(17);
    Label1->setFont(title);
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(red);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setGeometry(8, 34, 317, 210);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    cream(Memo1);
    Memo1->setPlainText(UsageLines.join(QLatin1Char('\n')));
    // as many whole lines as fit in its place, so the last one is not cut through
    const int chrome = 2 * Memo1->frameWidth() + 2 * int(Memo1->document()->documentMargin());
    const int line = Memo1->fontMetrics().lineSpacing();
    Memo1->resize(Memo1->width(), chrome + (Memo1->height() - chrome) / line * line);
    name(Memo1, windowTitle());

    BitBtn1 = new QPushButton(standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Tamam"), this);
    BitBtn1->setGeometry(117, 254, 99, 30);
    BitBtn1->setCursor(Qt::PointingHandCursor);
    BitBtn1->setDefault(true);
    name(BitBtn1, BitBtn1->text());
    connect(BitBtn1, &QPushButton::clicked, this, &TForm10::BitBtn1Click);

    StatusBar1 = emptyStatusBar(this, QRect(0, 291, 333, 20));
}

void TForm10::execute() {
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->ensureCursorVisible();
    BitBtn1->setFocus();
    execModal(this);
}

void TForm10::BitBtn1Click() { close(); }

// "Yardım" > "Kullanım" of the main window.
void TForm1::Kullanm1Click() { Form10->execute(); }
