// The group print chooser: the group list in its file's order, the chosen
// group's contacts, and its print-out while the active group stays as it was.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/Unit8.h"
#include "windows/yazdir.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QString Hyphens(36, QLatin1Char('-'));
const QString Empty = QStringLiteral("Veri tabanında yazdırılabilecek bir kayıt bulunmamaktadır!");
const QByteArray Two = fileBytes({u"Ayşe"_s, u"Öztürk"_s, u"05321112233"_s, u"Mehmet"_s, u"Çelik"_s, u"05334445566"_s});
const QByteArray Three =
    fileBytes({u"Çağrı"_s, u"Ilgaz"_s, u"05420000001"_s, u"Gökhan"_s, u"Şahin"_s, u"05420000002"_s, u"Ümran"_s, u"İnce"_s, u"05420000003"_s});

QStringList page() { return Form4->printPage->toPlainText().split(QLatin1Char('\n')); }

QStringList entries() {
    QStringList out;
    for (int i = 0; i < Form8->groupChooser->count(); ++i) out << Form8->groupChooser->itemText(i);
    return out;
}

// "Grubu Yazdır"; the actions run in the open chooser.
void inChooser(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().printGroupAction->trigger();
}

// The group list names "Ev" as active; "Yok" has no file, "Boş" no contacts.
const QStringList GroupList = {u"Ev"_s, u"Zeytin"_s, Default, u"Ev"_s, u"Yok"_s, u"Boş"_s, u"Ağaç"_s};
const QMap<QString, QByteArray> GroupFiles = {{Default, Two},
                                              {u"Ev"_s, fileBytes({u"Ali"_s, u"Kaya"_s, u"05001112233"_s})},
                                              {u"Zeytin"_s, Three},
                                              {u"Boş"_s, QByteArray()},
                                              {u"Ağaç"_s, Two + Three}};
}  // namespace

class TestGroupPrintChooser : public ProgramTest {
    Q_OBJECT

private slots:
    // Entries as the file lists them; the default group chosen with its count.
    void openingShowsTheDefaultGroup() {
        STOP_IF_FAILED(startWith(GroupList, GroupFiles));
        inChooser([] {
            QCOMPARE(entries(), (QStringList{u"Zeytin"_s, Default, u"Ev"_s, u"Yok"_s, u"Boş"_s, u"Ağaç"_s}));
            QVERIFY(!Form8->groupChooser->isEditable());
            QCOMPARE(Form8->groupChooser->currentText(), Default);
            QCOMPARE(Form8->groupValue->text(), Default);
            QCOMPARE(Form8->capacityValue->text(), u"2 kişi"_s);
        });
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Yazdırılacak Grup"_s});
    }

    void choosingAGroup_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("shownGroup");
        QTest::addColumn<QString>("capacity");
        QTest::newRow("three contacts") << "Zeytin" << "Zeytin" << "3 kişi";
        QTest::newRow("five contacts") << "Ağaç" << "Ağaç" << "5 kişi";
        QTest::newRow("no contacts") << "Boş" << "Boş" << "0 kişi";
        QTest::newRow("no file: nothing changes") << "Yok" << Default << "2 kişi";
    }
    void choosingAGroup() {
        QFETCH(QString, group);
        QFETCH(QString, shownGroup);
        QFETCH(QString, capacity);
        STOP_IF_FAILED(startWith(GroupList, GroupFiles));
        inChooser([&] {
            STOP_IF_FAILED(choose(Form8->groupChooser, group));
            QCOMPARE(Form8->groupValue->text(), shownGroup);
            QCOMPARE(Form8->capacityValue->text(), capacity);
        });
        // the next opening starts from the default group again
        inChooser([] { QCOMPARE(Form8->capacityValue->text(), u"2 kişi"_s); });
    }

    // "Tamam" prints the chosen group on the second pace with its own group
    // line; the active group and its lines stay. Again after the print
    // window closed, it prints the same group from a fresh header.
    void printingAChosenGroup() {
        STOP_IF_FAILED(startWith(GroupList, GroupFiles));
        const QStringList recordLines = texts(Book->recordLines());
        inChooser([&] {
            STOP_IF_FAILED(choose(Form8->groupChooser, u"Zeytin"_s));
            for (int round = 0; round < 2; ++round) {
                testhooks::onNextModal([&](QDialog*) {
                    QVERIFY(Form8->isVisible());  // beneath the print window
                    QVERIFY(Form4->chosenGroupPace->isActive());
                    QVERIFY(!Form4->activeGroupPace->isActive());
                    QCOMPARE(page().mid(2, 7), (QStringList{u"Toplam Kayıtlı Kişi:3"_s, u"Grup:Zeytin"_s, Hyphens,
                                                            u"İsim :Çağrı"_s, u"Soyad :Ilgaz"_s, u"Cep No :05420000001"_s,
                                                            Hyphens}));
                    for (int k = 0; k < 3; ++k) Form4->Timer2Timer();
                    QVERIFY(Form4->exitButton->isEnabled());
                    QCOMPARE(page().size(), 5 + 3 * 4);
                    QCOMPARE(page().mid(13), (QStringList{u"İsim :Ümran"_s, u"Soyad :İnce"_s, u"Cep No :05420000003"_s, Hyphens}));
                    QTest::mouseClick(Form4->exitButton, Qt::LeftButton);
                });
                QTest::mouseClick(Form8->okButton, Qt::LeftButton);
                QVERIFY(Form8->isVisible());
                QCOMPARE(Form8->groupChooser->currentText(), u"Zeytin"_s);
                QCOMPARE(Form8->capacityValue->text(), u"3 kişi"_s);
            }
        });
        QCOMPARE(testhooks::modalWindows(), (QStringList{u"Yazdırılacak Grup"_s, u"Yazdırım"_s, u"Yazdırım"_s}));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:Ev"_s);
        QCOMPARE(texts(Book->recordLines()), recordLines);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({u"Ev"_s, u"Zeytin"_s, Default, u"Ev"_s, u"Yok"_s, u"Boş"_s, u"Ağaç"_s}));
        QCOMPARE(home->read(u"Zeytin.vexo"_s), Three);
        QVERIFY(testhooks::messages().isEmpty());
    }

    // "Tamam" at once prints the default group; the file is read again, so a
    // contact added since the opening is printed too.
    void tamamAtOncePrintsTheDefaultGroupAsItNowIs() {
        STOP_IF_FAILED(startWith(GroupList, GroupFiles));
        inChooser([&] {
            home->write(GroupFile, Two + fileBytes({u"Zafer"_s, u"Yıldız"_s, u"05559998877"_s}));
            testhooks::onNextModal([](QDialog*) {
                QCOMPARE(page().mid(2, 2), (QStringList{u"Toplam Kayıtlı Kişi:3"_s, u"Grup:@Kayıtlar@"_s}));
                QCOMPARE(page().at(5), u"İsim :Ayşe"_s);
            });
            QTest::mouseClick(Form8->okButton, Qt::LeftButton);
        });
        QCOMPARE(testhooks::modalWindows(), (QStringList{u"Yazdırılacak Grup"_s, u"Yazdırım"_s}));
    }

    void tamamOnAnEmptyOrMissingGroup_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("no contacts") << "Boş" << QStringList{Empty};
        QTest::newRow("file removed after the choice") << "Ağaç" << QStringList();
    }
    void tamamOnAnEmptyOrMissingGroup() {
        QFETCH(QString, group);
        QFETCH(QStringList, messages);
        STOP_IF_FAILED(startWith(GroupList, GroupFiles));
        inChooser([&] {
            STOP_IF_FAILED(choose(Form8->groupChooser, group));
            QFile::remove(home->dataPath(u"Ağaç.vexo"_s));
            QTest::mouseClick(Form8->okButton, Qt::LeftButton);
            QVERIFY(Form8->isVisible());
            QTest::mouseClick(Form8->cancelButton, Qt::LeftButton);
            QVERIFY(!Form8->isVisible());
        });
        QCOMPARE(testhooks::messages(), messages);
        QCOMPARE(testhooks::modalWindows(), QStringList{u"Yazdırılacak Grup"_s});
    }

    // Groups made or removed since the last opening appear as they now are.
    void everyOpeningReloadsTheGroupList() {
        STOP_IF_FAILED(startWith(GroupList, GroupFiles));
        inChooser([] { QCOMPARE(entries().size(), 6); });
        home->write(u"Ayarlar.cnt"_s, fileBytes({u"Ev"_s, Default, u"Ev"_s, u"Yeni"_s}));
        home->write(u"Yeni.vexo"_s, Three);
        inChooser([] {
            QCOMPARE(entries(), (QStringList{Default, u"Ev"_s, u"Yeni"_s}));
            STOP_IF_FAILED(choose(Form8->groupChooser, u"Yeni"_s));
            QCOMPARE(Form8->capacityValue->text(), u"3 kişi"_s);
        });
    }
};

TELEFIKA_TEST_MAIN(TestGroupPrintChooser)
#include "tst_Unit8.moc"

