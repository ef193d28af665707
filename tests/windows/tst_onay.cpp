// The delete confirmation: it shows the contact, and no close request gets
// past it; only its two buttons leave it.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/onay.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QByteArray Two = fileBytes({u"Ali"_s, u"Kaya"_s, u"0531"_s, u"Veli"_s, u"Er"_s, u"0532"_s});
}

class TestDeleteConfirmation : public ProgramTest {
    Q_OBJECT

private slots:
    void aCloseRequestIsRefusedAndNothingIsDeleted() {
        STOP_IF_FAILED(startWith({datafolder::DefaultGroup, datafolder::DefaultGroup}, {{datafolder::DefaultGroup, Two}}));
        mainWindow().numberField->setText(u"0532"_s);
        QTRY_VERIFY(mainWindow().deleteButton->isEnabled());  // the main window's tick enables it
        bool stayedOpen = false;
        testhooks::onNextModal([&](QDialog*) {
            QCOMPARE(Form11->nameValue->text(), u"Veli"_s);
            QCOMPARE(Form11->surnameValue->text(), u"Er"_s);
            QCOMPARE(Form11->numberValue->text(), u"0532"_s);
            const bool closed = Form11->close();  // what the window manager's close asks
            stayedOpen = !closed && Form11->isVisible();
            QTest::mouseClick(Form11->noButton, Qt::LeftButton);
        });
        mainWindow().deleteButton->click();
        QVERIFY(stayedOpen);
        QVERIFY(!Form11->isVisible());
        QCOMPARE(home->read(GroupFile), Two);
        QCOMPARE(testhooks::messages(), QStringList());
    }
};

TELEFIKA_TEST_MAIN(TestDeleteConfirmation)
#include "tst_onay.moc"

