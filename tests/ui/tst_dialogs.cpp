// The test hooks of app/dialogs: what a test queued and nothing used is named,
// so the test that queued it fails.

#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"

#include <QDialog>

using namespace Qt::StringLiterals;

class TestDialogHooks : public ProgramTest {
    Q_OBJECT

private slots:
    void unusedAnswersAreNamed_data() {
        QTest::addColumn<int>("handlers");
        QTest::addColumn<QStringList>("saveNames");
        QTest::addColumn<QStringList>("openNames");
        QTest::addColumn<int>("modalsShown");
        QTest::addColumn<QStringList>("left");
        const QString modal = u"1 queued modal window handler(s) never called (modal windows shown: %1)"_s;
        QTest::newRow("nothing queued") << 0 << QStringList() << QStringList() << 1 << QStringList();
        QTest::newRow("a handler used") << 1 << QStringList() << QStringList() << 1 << QStringList();
        QTest::newRow("a handler left") << 1 << QStringList() << QStringList() << 0 << QStringList{modal.arg(u"none"_s)};
        QTest::newRow("one of two left") << 2 << QStringList() << QStringList() << 1
                                         << QStringList{modal.arg(u"\"Pencere\""_s)};
        QTest::newRow("names left") << 0 << QStringList{u"/a/Ev"_s, u""_s} << QStringList() << 0
                                    << QStringList{u"the save file name \"/a/Ev\" never asked for"_s,
                                                   u"a cancelled save dialog never asked for"_s};
        QTest::newRow("open names left") << 0 << QStringList() << QStringList{u"/a/rehber.vcf"_s, u""_s} << 0
                                         << QStringList{u"the open file name \"/a/rehber.vcf\" never asked for"_s,
                                                        u"a cancelled open dialog never asked for"_s};
    }
    void unusedAnswersAreNamed() {
        QFETCH(int, handlers);
        QFETCH(QStringList, saveNames);
        QFETCH(QStringList, openNames);
        QFETCH(int, modalsShown);
        QFETCH(QStringList, left);
        int called = 0;
        for (int i = 0; i < handlers; ++i) testhooks::onNextModal([&](QDialog*) { ++called; });
        for (const QString& name : saveNames) testhooks::setNextSaveFileName(name);
        for (const QString& name : openNames) testhooks::setNextOpenFileName(name);
        for (int i = 0; i < modalsShown; ++i) {
            QDialog dialog;
            dialog.setWindowTitle(u"Pencere"_s);
            execModal(&dialog);
        }
        QCOMPARE(called, qMin(handlers, modalsShown));
        QCOMPARE(testhooks::unused(), left);
        testhooks::enable();  // this test's own answers are left on purpose
    }

    void aFileNameIsUsedOnce_data() {
        QTest::addColumn<bool>("open");
        QTest::newRow("save") << false;
        QTest::newRow("open") << true;
    }
    void aFileNameIsUsedOnce() {
        QFETCH(bool, open);
        const auto ask = [&] {
            return open ? askOpenFileName(nullptr, u"Kişi Dosyaları"_s, u"*.vcf *.csv"_s)
                        : askSaveFileName(nullptr, u"Rehber Dosyaları"_s, u"*.vexo"_s);
        };
        (open ? testhooks::setNextOpenFileName : testhooks::setNextSaveFileName)(u"/a/Ev"_s);
        // the other kind of dialog does not take it
        QCOMPARE(open ? askSaveFileName(nullptr, u"Rehber Dosyaları"_s, u"*.vexo"_s)
                      : askOpenFileName(nullptr, u"Kişi Dosyaları"_s, u"*.vcf *.csv"_s),
                 QString());
        QCOMPARE(ask(), u"/a/Ev"_s);
        QCOMPARE(testhooks::unused(), QStringList());
        QCOMPARE(ask(), QString());  // none queued: cancelled
    }
};

TELEFIKA_TEST_MAIN(TestDialogHooks)
#include "tst_dialogs.moc"

