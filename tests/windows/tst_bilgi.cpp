// The progress window: its gauge's whole percentage, and that only "İptal"
// or the end of the print-out closes it.

#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/bilgi.h"
#include "windows/yazdir.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
// A group of that many contacts.
QStringList contactLines(int contacts) {
    QStringList lines;
    for (int k = 0; k < contacts; ++k) lines << QStringLiteral("Kişi%1").arg(k) << u"Soyad"_s << QString::number(k);
    return lines;
}
}  // namespace

class TestProgressWindow : public ProgramTest {
    Q_OBJECT

private slots:
    void gaugeShowsTheWholePercentage_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QString>("shown");
        QTest::newRow("5 of 12") << 5 << 12 << "41%";
        QTest::newRow("2 of 3, not rounded up") << 2 << 3 << "66%";
        QTest::newRow("199 of 200") << 199 << 200 << "99%";
        QTest::newRow("all") << 32733 << 32733 << "100%";
        QTest::newRow("above the maximum") << 5 << 3 << "100%";
        QTest::newRow("below 0") << -4 << 9 << "0%";
    }
    void gaugeShowsTheWholePercentage() {
        QFETCH(int, value);
        QFETCH(int, maximum);
        QFETCH(QString, shown);
        STOP_IF_FAILED(startWithContacts(contactLines(0)));
        Form5->setGauge(1, 2);  // a value before, which must not stay
        Form5->setGauge(value, maximum);
        QCOMPARE(Form5->gauge->text(), shown);
    }

    // While the page is composed, the keys that close windows do not close
    // this one; "İptal" closes it and the print window.
    void onlyIptalClosesIt() {
        STOP_IF_FAILED(startWithContacts(contactLines(8)));
        testhooks::onNextModal([](QDialog*) {
            Form4->Timer1Timer();
            QVERIFY(Form5->isVisible());
            QVERIFY(Form5->windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(Form5->windowFlags() & Qt::WindowStaysOnTopHint);
            QTest::keyClick(Form5, Qt::Key_Escape);
            QTest::keyClick(Form5, Qt::Key_F4, Qt::AltModifier);
            QTest::keyClick(Form5->cancelButton, Qt::Key_Return);  // a flat button Enter does not press
            QVERIFY(Form5->isVisible());
            QVERIFY(Form4->isVisible());
            QTest::mouseClick(Form5->cancelButton, Qt::LeftButton);
            QVERIFY(!Form5->isVisible());
            QVERIFY(!Form4->isVisible());
            QVERIFY(!Form4->activeGroupPace->isActive());
        });
        mainWindow().printAction->trigger();
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Yazdırım"_s});
        QVERIFY(testhooks::messages().isEmpty());
    }

    // The print window closed while the progress window shows (the main
    // window closing) takes the progress window with it.
    void closingThePrintWindowHidesIt() {
        STOP_IF_FAILED(startWithContacts(contactLines(8)));
        testhooks::onNextModal([](QDialog*) {
            Form4->Timer1Timer();
            QVERIFY(Form5->isVisible());
            Form1->close();
            QVERIFY(!Form4->isVisible());
            QVERIFY(!Form5->isVisible());
            QVERIFY(Form4->printPage->document()->isEmpty());
        });
        mainWindow().printAction->trigger();
    }
};

TELEFIKA_TEST_MAIN(TestProgressWindow)
#include "tst_bilgi.moc"

