// The delete confirmation: it shows the contact, and no close request gets
// past it; only its two buttons leave it.

#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/onay.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QByteArray Two = fileBytes({"Ali", "Kaya", "0531", "Veli", "Er", "0532"});
}

class TestDeleteConfirmation : public ProgramTest {
    Q_OBJECT
    void start() {
        home->write("Ayarlar.cnt", fileBytes({"@Kayıtlar@", "@Kayıtlar@"}));
        home->write("@Kayıtlar@.vexo", Two);
        createForms();
        testhooks::messages().clear();
        Form1->numberField->setText("0532");
        QTRY_VERIFY(Form1->deleteButton->isEnabled());  // the main window's tick enables it
    }

private slots:
    void aCloseRequestIsRefusedAndNothingIsDeleted() {
        start();
        bool stayedOpen = false;
        testhooks::onNextModal([&](QDialog*) {
            QCOMPARE(Form11->nameValue->text(), "Veli");
            QCOMPARE(Form11->surnameValue->text(), "Er");
            QCOMPARE(Form11->numberValue->text(), "0532");
            const bool closed = Form11->close();  // what the window manager's close asks
            stayedOpen = !closed && Form11->isVisible();
            QTest::mouseClick(Form11->BitBtn2, Qt::LeftButton);
        });
        Form1->deleteButton->click();
        QVERIFY(stayedOpen);
        QVERIFY(!Form11->isVisible());
        QCOMPARE(home->read("@Kayıtlar@.vexo"), Two);
        QCOMPARE(testhooks::messages(), QStringList());
    }
};

TELEFIKA_TEST_MAIN(TestDeleteConfirmation)
#include "tst_onay.moc"
