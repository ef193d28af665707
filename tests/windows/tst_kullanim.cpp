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

using namespace Qt::StringLiterals;

namespace {
// Typed here again from the rules, blanks at line ends included.
const QStringList Expected = {
    u"***Programın amacı:"_s,
    u"++Bu programın amacı numaraların kayıtlı "_s,
    u"olduğu bir "_s,
    u"havuz yaratmak ve istediğiniz kişiye çok kısa "_s,
    u"bir sürede ulaşmanızı sağlamaktır!"_s,
    u"********************"_s,
    u"Kayıt Alınırken Dikkat Edilmesi Gerekenler:"_s,
    u""_s,
    u"+Her hangi bir kişinin kaydını girerken aynı "_s,
    u"isimde olan kişilerde problem çıkmaz ancak "_s,
    u"aynı numaraya sahip bir başka girişi "_s,
    u"olmayacaktır!"_s,
    u"+Kaydını aldığınız kişiyi kaydının yapıldığı grup "_s,
    u"altında bulabilirsiniz!"_s,
    u"+Program kayıt işlemlerini isim sıralamalarına "_s,
    u"göre yapmaktadır."_s,
    u""_s,
    u"Kayıt Arama:"_s,
    u"+Bu alanda seçtiğiniz İsime göre veya "_s,
    u"Numaraya göre arama seçeneklerine göre "_s,
    u"bulunan kayıtlar düzgün olarak sıralanır!"_s,
    u"+Bir sonraki aynı isimdeki başkabir kayıda "_s,
    u"ulaşmak için sonraki tuşuna basın!Bu "_s,
    u"isimdekilerin başına dönmek için ara tuşuna "_s,
    u"tekrar basın!"_s,
    u""_s,
    u"Düzelt Tuşu:"_s,
    u"+Düzelt Tuşuna bastığınızda o numaraya "_s,
    u"sahip kişi hakkında işlem yapılır!"_s,
    u""_s,
    u"Ekranı Temizle:"_s,
    u"+Kayıtlara hiçbir şekilde bir zarar verilmeden "_s,
    u"arama ayarları ve görünen kişi kayıtları "_s,
    u"ekrandan temizlenir!"_s,
};

QStringList memoLines() {
    QStringList lines;
    for (QTextBlock b = Form10->usageText->document()->firstBlock(); b.isValid(); b = b.next()) lines << b.text();
    return lines;
}

// The usage window from the menu, handed to the actions.
void inUsageWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().usageAction->trigger();
}
}  // namespace

class TestUsage : public ProgramTest {
    Q_OBJECT

private slots:
    void theTextLineForLine() {
        STOP_IF_FAILED(startFresh(Window::Exposed));
        QStringList shown;
        inUsageWindow([&] { shown = memoLines(); });
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Kullanım Esasları"_s});
        for (int i = 0; i < Expected.size(); ++i) QCOMPARE(shown.value(i), Expected[i]);
        QCOMPARE(shown.size(), 34);
        QCOMPARE(Form10->titleLabel->text(), QStringLiteral("Telefika v2.0  "));
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
        STOP_IF_FAILED(startFresh(Window::Exposed));
        inUsageWindow([&] {
            Form10->usageText->setFocus();
            Form10->usageText->selectAll();
            for (QChar c : keys) {
                if (c == QLatin1Char('\r')) QTest::keyClick(Form10->usageText, Qt::Key_Return);
                else if (c == QLatin1Char('\x7f')) QTest::keyClick(Form10->usageText, Qt::Key_Delete);
                else if (c == QLatin1Char('\b')) QTest::keyClick(Form10->usageText, Qt::Key_Backspace);
                else QTest::keyClick(Form10->usageText, c.toLatin1());
            }
            QCOMPARE(memoLines(), Expected);
        });
    }

    // Long lines wrap at the box's width: nothing lies beyond its right edge,
    // and the text scrolls up and down. Each opening starts at the top.
    void wrapsAndScrolls() {
        STOP_IF_FAILED(startFresh(Window::Exposed));
        inUsageWindow([&] {
            QScrollBar* across = Form10->usageText->horizontalScrollBar();
            QScrollBar* down = Form10->usageText->verticalScrollBar();
            QCOMPARE(across->maximum(), 0);
            QVERIFY(down->isVisible());
            QVERIFY(down->maximum() > 0);
            down->setValue(down->maximum());
        });
        int reopened = -1;
        inUsageWindow([&] { reopened = Form10->usageText->verticalScrollBar()->value(); });
        QCOMPARE(reopened, 0);
    }

    // Everything lies inside the window, the title fits, "Tamam" closes.
    void laidOutAndClosedByTamam() {
        STOP_IF_FAILED(startFresh(Window::Exposed));
        bool closed = false;
        inUsageWindow([&] {
            QCOMPARE(Form10->size(), QSize(333, 311));
            for (QWidget* w : std::initializer_list<QWidget*>{Form10->titleLabel, Form10->usageText, Form10->okButton})
                QVERIFY(Form10->rect().contains(w->geometry()));
            QVERIFY(Form10->titleLabel->sizeHint().width() <= Form10->titleLabel->width());
            QVERIFY(Form10->titleLabel->sizeHint().height() <= Form10->titleLabel->height());
            QTest::mouseClick(Form10->okButton, Qt::LeftButton);
            closed = !Form10->isVisible();
        });
        QVERIFY(closed);
    }
};

TELEFIKA_TEST_MAIN(TestUsage)
#include "tst_kullanim.moc"

