// The test hooks of app/dialogs: what a test queued and nothing used is named,
// so the test that queued it fails.

#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"

#include <QDialog>

class TestDialogHooks : public ProgramTest {
    Q_OBJECT

private slots:
    void unusedAnswersAreNamed_data() {
        QTest::addColumn<int>("handlers");
        QTest::addColumn<QStringList>("saveNames");
        QTest::addColumn<int>("modalsShown");
        QTest::addColumn<QStringList>("left");
        const QString modal = "1 queued modal window handler(s) never called (modal windows shown: %1)";
        QTest::newRow("nothing queued") << 0 << QStringList() << 1 << QStringList();
        QTest::newRow("a handler used") << 1 << QStringList() << 1 << QStringList();
        QTest::newRow("a handler left") << 1 << QStringList() << 0 << QStringList{modal.arg("none")};
        QTest::newRow("one of two left") << 2 << QStringList() << 1 << QStringList{modal.arg("\"Pencere\"")};
        QTest::newRow("names left") << 0 << QStringList{"/a/Ev", ""} << 0
                                    << QStringList{"the save file name \"/a/Ev\" never asked for",
                                                   "a cancelled save dialog never asked for"};
    }
    void unusedAnswersAreNamed() {
        QFETCH(int, handlers);
        QFETCH(QStringList, saveNames);
        QFETCH(int, modalsShown);
        QFETCH(QStringList, left);
        int called = 0;
        for (int i = 0; i < handlers; ++i) testhooks::onNextModal([&](QDialog*) { ++called; });
        for (const QString& name : saveNames) testhooks::setNextSaveFileName(name);
        for (int i = 0; i < modalsShown; ++i) {
            QDialog dialog;
            dialog.setWindowTitle("Pencere");
            execModal(&dialog);
        }
        QCOMPARE(called, qMin(handlers, modalsShown));
        QCOMPARE(testhooks::unused(), left);
        testhooks::enable();  // this test's own answers are left on purpose
    }

    void aSaveNameIsUsedOnce() {
        testhooks::setNextSaveFileName("/a/Ev");
        QCOMPARE(askSaveFileName(nullptr, "Rehber Dosyaları", "*.vexo"), "/a/Ev");
        QCOMPARE(testhooks::unused(), QStringList());
        QCOMPARE(askSaveFileName(nullptr, "Rehber Dosyaları", "*.vexo"), QString());  // none queued: cancelled
    }
};

TELEFIKA_TEST_MAIN(TestDialogHooks)
#include "tst_dialogs.moc"
