// The usage window: the rules word for word, line for line, read-only.

#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/kullanim.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>

namespace {
// Typed here again from the rules, blanks at line ends included.
const QStringList Expected = {
    "***Programın amacı:",
    "++Bu programın amacı numaraların kayıtlı ",
    "olduğu bir ",
    "havuz yaratmak ve istediğiniz kişiye çok kısa ",
    "bir sürede ulaşmanızı sağlamaktır!",
    "********************",
    "Kayıt Alınırken Dikkat Edilmesi Gerekenler:",
    "",
    "+Her hangi bir kişinin kaydını girerken aynı ",
    "isimde olan kişilerde problem çıkmaz ancak ",
    "aynı numaraya sahip bir başka girişi ",
    "olmayacaktır!",
    "+Kaydını aldığınız kişiyi kaydının yapıldığı grup ",
    "altında bulabilirsiniz!",
    "+Program kayıt işlemlerini isim sıralamalarına ",
    "göre yapmaktadır.",
    "",
    "Kayıt Arama:",
    "+Bu alanda seçtiğiniz İsime göre veya ",
    "Numaraya göre arama seçeneklerine göre ",
    "bulunan kayıtlar düzgün olarak sıralanır!",
    "+Bir sonraki aynı isimdeki başkabir kayıda ",
    "ulaşmak için sonraki tuşuna basın!Bu ",
    "isimdekilerin başına dönmek için ara tuşuna ",
    "tekrar basın!",
    "",
    "Düzelt Tuşu:",
    "+Düzelt Tuşuna bastığınızda o numaraya ",
    "sahip kişi hakkında işlem yapılır!",
    "",
    "Ekranı Temizle:",
    "+Kayıtlara hiçbir şekilde bir zarar verilmeden ",
    "arama ayarları ve görünen kişi kayıtları ",
    "ekrandan temizlenir!",
};

QStringList memoLines() {
    QStringList lines;
    for (QTextBlock b = Form10->Memo1->document()->firstBlock(); b.isValid(); b = b.next()) lines << b.text();
    return lines;
}

// The usage window from the menu, handed to the actions.
void inUsageWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    Form1->Kullanm1->trigger();
}
}  // namespace

class TestUsage : public ProgramTest {
    Q_OBJECT

    void start() {
        createForms();
        Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(Form1));
    }

private slots:
    void theTextLineForLine() {
        start();
        QCOMPARE(Expected.size(), 34);
        QStringList shown;
        inUsageWindow([&] { shown = memoLines(); });
        QCOMPARE(testhooks::modalWindows(), QStringList{"Kullanım Esasları"});
        for (int i = 0; i < Expected.size(); ++i) QCOMPARE(shown.value(i), Expected[i]);
        QCOMPARE(shown.size(), Expected.size());
        QCOMPARE(Form10->Label1->text(), QStringLiteral("Telefika v2.0  "));
    }

    void editing_data() {
        QTest::addColumn<QString>("keys");
        QTest::newRow("typing") << "abc";
        QTest::newRow("Enter") << "\r";
        QTest::newRow("Delete") << "\x7f";
        QTest::newRow("Backspace") << "\b";
    }
    // Nothing the user presses changes the text.
    void editing() {
        QFETCH(QString, keys);
        start();
        inUsageWindow([&] {
            Form10->Memo1->setFocus();
            Form10->Memo1->selectAll();
            for (QChar c : keys) {
                if (c == '\r') QTest::keyClick(Form10->Memo1, Qt::Key_Return);
                else if (c == '\x7f') QTest::keyClick(Form10->Memo1, Qt::Key_Delete);
                else if (c == '\b') QTest::keyClick(Form10->Memo1, Qt::Key_Backspace);
                else QTest::keyClick(Form10->Memo1, c.toLatin1());
            }
            QCOMPARE(memoLines(), Expected);
        });
    }

    // Long lines wrap at the box's width: nothing lies beyond its right edge,
    // and the text scrolls up and down. Each opening starts at the top.
    void wrapsAndScrolls() {
        start();
        inUsageWindow([&] {
            QScrollBar* across = Form10->Memo1->horizontalScrollBar();
            QScrollBar* down = Form10->Memo1->verticalScrollBar();
            QCOMPARE(across->maximum(), 0);
            QVERIFY(down->isVisible());
            QVERIFY(down->maximum() > 0);
            down->setValue(down->maximum());
        });
        int reopened = -1;
        inUsageWindow([&] { reopened = Form10->Memo1->verticalScrollBar()->value(); });
        QCOMPARE(reopened, 0);
    }

    // Everything lies inside the window, the title fits, "Tamam" closes.
    void laidOutAndClosedByTamam() {
        start();
        bool closed = false;
        inUsageWindow([&] {
            QCOMPARE(Form10->size(), QSize(333, 311));
            for (QWidget* w : std::initializer_list<QWidget*>{Form10->Label1, Form10->Memo1, Form10->BitBtn1})
                QVERIFY(Form10->rect().contains(w->geometry()));
            QVERIFY(Form10->Label1->sizeHint().width() <= Form10->Label1->width());
            QVERIFY(Form10->Label1->sizeHint().height() <= Form10->Label1->height());
            QTest::mouseClick(Form10->BitBtn1, Qt::LeftButton);
            closed = !Form10->isVisible();
        });
        QVERIFY(closed);
    }
};

TELEFIKA_TEST_MAIN(TestUsage)
#include "tst_kullanim.moc"
