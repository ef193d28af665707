// The group window: creating, deleting and emptying groups, the group in use,
// and what its closing writes into the group list file and the main window.

#include "app/forms.h"
#include "app/Unit1.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "tests/common/failingdisk.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "windows/birles.h"
#include "windows/grup.h"
#include "windows/isim.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString Unusable =
    u"Grup adında \\ / : * ? \" < > | işaretleri ve denetim karakterleri kullanılamaz! Başka bir isim girin."_s;
const QString& Default = datafolder::DefaultGroup;
const QString GroupFile = datafolder::DefaultGroup + datafolder::GroupExtension;
const QByteArray Seven = fileBytes({u"Zeki"_s, u"a"_s, u"1"_s, u"Ali"_s, u"b"_s, u"2"_s, u"Mert"_s});

// Opens the group window from the menu and acts in it; a window still open
// afterwards is closed as by its close box.
[[nodiscard]] bool inGroupWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().groupsAction->trigger();
    return testPassing();
}

// "Yeni Grup Oluştur", the name typed, "Tamam" once the timer enables it;
// returns the name window's edit when the window stays open.
QString createGroup(const QString& group) {
    QString left = u"<closed>"_s;
    testhooks::onNextModal([&](QDialog*) {
        typeText(Form7->nameEdit, group);
        QTRY_VERIFY(Form7->okButton->isEnabled());
        QTest::mouseClick(Form7->okButton, Qt::LeftButton);
        if (Form7->isVisible()) left = Form7->nameEdit->text();
    });
    QTest::mouseClick(Form6->newGroupButton, Qt::LeftButton);
    return left;
}
}  // namespace

class TestGroupWindow : public ProgramTest {
    Q_OBJECT

private slots:
    void creatingAGroup_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("onDisk");  // an unlisted file already there
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("listed");
        const QString kept = u"Bu isimde bir grup dosyası Telefika Klasöründe zaten vardı; içindeki kayıtlar korundu."_s;
        QTest::newRow("new") << "İş" << "" << "" << true;
        QTest::newRow("listed in other case") << "EV" << "" << "Bu isimde başka bir grup bulunmaktadır!" << false;
        QTest::newRow("unlisted file") << "Ali" << "Ali" << kept << true;
        QTest::newRow("unlisted file, other case") << "iŞ" << "İş" << kept << true;
        for (const QString& bad : {u"../x"_s, u"a/b"_s, u"a\\b"_s, u"a:b"_s, u"a*b"_s, u"a?b"_s, u"a\"b"_s, u"<a>"_s, u"a|b"_s})
            QTest::newRow(qPrintable(bad)) << bad << "" << Unusable << false;
    }
    void creatingAGroup() {
        QFETCH(QString, typed);
        QFETCH(QString, onDisk);
        QFETCH(QString, message);
        QFETCH(bool, listed);
        if (!onDisk.isEmpty()) home->write(onDisk + u".vexo"_s, Seven);
        STOP_IF_FAILED(startWith({u"Ev"_s, Default, u"Zeytin"_s, u"Ev"_s}, {{u"Ev"_s, Seven}, {u"Zeytin"_s, QByteArray()}}));
        const QStringList before = home->dataFiles();
        const QByteArray list = home->read(u"Ayarlar.cnt"_s);
        STOP_IF_FAILED(inGroupWindow([&] {
            const QString left = createGroup(typed);
            QCOMPARE(testhooks::messages(), message.isEmpty() ? QStringList() : QStringList{message});
            // refused: the window stays, the edit cleared for a taken name
            QCOMPARE(left, listed ? u"<closed>"_s : message == Unusable ? typed : QString());
            QCOMPARE(rows(Form6->groupListBox).contains(typed), listed);
            QCOMPARE(home->read(u"Ayarlar.cnt"_s), list);  // only the closing writes it
            if (onDisk.isEmpty() && listed) {
                QCOMPARE(home->read(typed + u".vexo"_s), QByteArray());
                QCOMPARE(home->dataFiles().size(), before.size() + 1);
            } else {
                QCOMPARE(home->dataFiles(), before);
                if (!onDisk.isEmpty()) QCOMPARE(home->read(onDisk + u".vexo"_s), Seven);
            }
            QTest::mouseClick(Form6->exitButton, Qt::LeftButton);
        }));
        QVERIFY(!QFile::exists(home->path() + u"/x.vexo"_s));
        QStringList names = {Default, u"Ev"_s, u"Zeytin"_s};
        if (listed) names.insert(typed == u"İş"_s || typed == u"iŞ"_s ? 2 : 1, typed);
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes(QStringList{u"Ev"_s} + names));
        QCOMPARE(rows(Form6->groupListBox), names);
    }

    // A group whose file the window makes or removes is named as pending
    // from that moment until the closing has written the list; a start
    // after a kill in between settles it (tst_startup, tst_crash).
    void aGroupIsPendingUntilTheClosingWritesTheList_data() {
        QTest::addColumn<bool>("deleting");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("a new group") << false << "Aile" << QStringList{u"Ev"_s, Default, u"Aile"_s, u"Ev"_s};
        QTest::newRow("a group deleted") << true << "Ev" << QStringList{Default, Default};
    }
    void aGroupIsPendingUntilTheClosingWritesTheList() {
        QFETCH(bool, deleting);
        QFETCH(QString, group);
        QFETCH(QStringList, written);
        STOP_IF_FAILED(startWith({u"Ev"_s, Default, u"Ev"_s}, {{u"Ev"_s, Seven}}));
        const QByteArray list = home->read(u"Ayarlar.cnt"_s);
        STOP_IF_FAILED(inGroupWindow([&] {
            QCOMPARE(pendinggroups::names(), QStringList());
            if (deleting) {
                testhooks::onNextModal([&](QDialog*) { QTest::mouseClick(Form9->deleteButton, Qt::LeftButton); });
                STOP_IF_FAILED(clickRow(Form6->groupListBox, group));
                QTest::mouseClick(Form6->deleteGroupButton, Qt::LeftButton);
                testhooks::messages().clear();
            } else {
                QCOMPARE(createGroup(group), u"<closed>"_s);
            }
            QCOMPARE(home->has(group + u".vexo"_s), !deleting);
            QCOMPARE(pendinggroups::names(), QStringList{group});
            QCOMPARE(home->read(u"Ayarlar.cnt"_s), list);
            QTest::mouseClick(Form6->exitButton, Qt::LeftButton);
        }));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes(written));
        QCOMPARE(pendinggroups::names(), QStringList());
        QVERIFY(!QFile::exists(pendinggroups::path()));
    }

    void theNameWindowConfirmsByTamamOrEnter() {
        STOP_IF_FAILED(startWith({Default, Default}, {}));
        STOP_IF_FAILED(inGroupWindow([&] {
            testhooks::onNextModal([&](QDialog*) {
                QVERIFY(!Form7->okButton->isEnabled());
                QTest::keyClick(Form7->nameEdit, Qt::Key_Return);  // empty: nothing
                QVERIFY(Form7->isVisible());
                typeText(Form7->nameEdit, u"Arkadaşlar ve Aile"_s);
                QCOMPARE(Form7->nameEdit->text(), u"Arkadaşlar ve Ai"_s);
                QTRY_VERIFY(Form7->okButton->isEnabled());
                QTest::keyClick(Form7->nameEdit, Qt::Key_Return);
                QVERIFY(!Form7->isVisible());
            });
            QTest::mouseClick(Form6->newGroupButton, Qt::LeftButton);
        }));
        QCOMPARE(home->read(u"Arkadaşlar ve Ai.vexo"_s), QByteArray());
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default, u"Arkadaşlar ve Ai"_s}));
    }

    void deletingAndEmptying_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("active");
        QTest::addColumn<bool>("emptying");
        QTest::addColumn<int>("answer");  // 0 click "Evet", 1 Enter, 2 Alt+E, 3 "Hayır"
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("activeAfter");
        const QString reassigned = u"Kullanılan Grup Kayıtlar Olarak Atandı!"_s;
        QTest::newRow("delete the group in use") << "Ev" << "Ev" << false << 0 << reassigned << Default;
        QTest::newRow("delete another group") << "Ev" << "İş" << false << 1 << "" << "İş";
        QTest::newRow("delete, then Hayır") << "Ev" << "Ev" << false << 3 << "" << "Ev";
        QTest::newRow("empty the active group") << "Ev" << "Ev" << true << 0 << "İşlem Tamamlandı!" << "Ev";
        QTest::newRow("empty by Enter") << "Ev" << "Ev" << true << 1 << "İşlem Tamamlandı!" << "Ev";
        QTest::newRow("empty by Alt+E") << "Ev" << "İş" << true << 2 << "İşlem Tamamlandı!" << "İş";
        QTest::newRow("empty the default group") << Default << Default << true << 0 << "İşlem Tamamlandı!" << Default;
    }
    void deletingAndEmptying() {
        QFETCH(QString, group);
        QFETCH(QString, active);
        QFETCH(bool, emptying);
        QFETCH(int, answer);
        QFETCH(QString, message);
        QFETCH(QString, activeAfter);
        STOP_IF_FAILED(startWith({active, Default, u"Ev"_s, u"İş"_s}, {{u"Ev"_s, Seven}, {u"İş"_s, fileBytes({u"Işık"_s, u""_s, u"5"_s})}}));
        home->write(group + u".vexo"_s, Seven);
        const bool changed = answer != 3;
        STOP_IF_FAILED(inGroupWindow([&] {
            testhooks::onNextModal([&](QDialog*) {
                QVERIFY(QTest::qWaitForWindowActive(Form9));
                QCOMPARE(Form9->groupNameValue->text(), group);
                QCOMPARE(Form9->capacityValue->text(), u"2 kişi"_s);
                QCOMPARE(Form9->questionLabel->text(),
                         emptying ? u"Aşağıdaki bilgilere sahip grubun içeriğini silmek      istiyor musunuz?"_s
                                  : u"Aşağıdaki bilgilere sahip grubu silmek      istiyor musunuz?"_s);
                QPushButton* yes = emptying ? Form9->emptyButton : Form9->deleteButton;
                if (answer == 0) QTest::mouseClick(yes, Qt::LeftButton);
                if (answer == 1) QTest::keyClick(Form9, Qt::Key_Return);
                if (answer == 2) QTest::keyClick(Form9, Qt::Key_E, Qt::AltModifier);
                if (answer == 3) QTest::mouseClick(Form9->noButton, Qt::LeftButton);
                QTRY_VERIFY(!Form9->isVisible());  // a mnemonic clicks a moment later
            });
            STOP_IF_FAILED(clickRow(Form6->groupListBox, group));
            QTest::mouseClick(emptying ? Form6->emptyGroupButton : Form6->deleteGroupButton, Qt::LeftButton);
            QCOMPARE(testhooks::messages(), message.isEmpty() ? QStringList() : QStringList{message});
            // the file changes at once
            const QByteArray expected = !changed ? Seven : emptying ? QByteArray() : QByteArray("<missing>");
            QCOMPARE(home->read(group + u".vexo"_s), expected);
            QCOMPARE(rows(Form6->groupListBox).contains(group), emptying || !changed);
        }));
        QVERIFY(!Form9->isEmptyMode());
        QCOMPARE(Form9->questionLabel->text(), u"Aşağıdaki bilgilere sahip grubu silmek      istiyor musunuz?"_s);
        QCOMPARE(Book->groupNames().text(0), activeAfter);
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:"_s + activeAfter);
        QCOMPARE(mainWindow().groupSelector->currentText(), activeAfter);
        const QByteArray activeBytes = home->read(activeAfter + u".vexo"_s);
        QCOMPARE(fileBytes(texts(Book->recordLines())), activeBytes);
        QCOMPARE(Book->nameIndex().count(), activeBytes.isEmpty() ? 0 : activeAfter == u"İş"_s ? 1 : 3);
    }

    void refusedDeletionsChangeNothing_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("emptying");
        QTest::addColumn<QString>("message");
        const QString noSelection = u"Kaydı silinecek grup üzerine tıklayıp işleme daha sonra devam edin!"_s;
        QTest::newRow("delete, nothing selected") << "" << false << noSelection;
        QTest::newRow("empty, nothing selected") << "" << true << noSelection;
        QTest::newRow("delete the default group") << Default << false << "Bu Grup Kaldırılamaz!";
    }
    void refusedDeletionsChangeNothing() {
        QFETCH(QString, selected);
        QFETCH(bool, emptying);
        QFETCH(QString, message);
        home->write(GroupFile, Seven);
        STOP_IF_FAILED(startWith({Default, Default, u"Ev"_s}, {{u"Ev"_s, Seven}}));
        home->write(GroupFile, Seven);
        STOP_IF_FAILED(inGroupWindow([&] {
            if (!selected.isEmpty()) STOP_IF_FAILED(clickRow(Form6->groupListBox, selected));
            QTest::mouseClick(emptying ? Form6->emptyGroupButton : Form6->deleteGroupButton, Qt::LeftButton);
        }));
        QCOMPARE(testhooks::messages(), QStringList{message});
        QVERIFY(!testhooks::modalWindows().contains(u"Grup Silme Onay?"_s));
        QCOMPARE(home->read(GroupFile), Seven);
        QCOMPARE(home->read(u"Ev.vexo"_s), Seven);
    }

    void aListedGroupWithoutAFileFallsBackToTheDefault_data() {
        QTest::addColumn<bool>("emptying");
        QTest::newRow("Grup Sil") << false;
        QTest::newRow("Grup İçeriğini Sil") << true;
    }
    void aListedGroupWithoutAFileFallsBackToTheDefault() {
        QFETCH(bool, emptying);
        STOP_IF_FAILED(startWith({u"Ev"_s, Default, u"Ev"_s, u"Yok"_s}, {{u"Ev"_s, Seven}}));
        home->write(GroupFile, fileBytes({u"Can"_s, u""_s, u"1"_s}));
        STOP_IF_FAILED(inGroupWindow([&] {
            STOP_IF_FAILED(clickRow(Form6->groupListBox, u"Yok"_s));
            QTest::mouseClick(emptying ? Form6->emptyGroupButton : Form6->deleteGroupButton, Qt::LeftButton);
            QCOMPARE(testhooks::messages(), QStringList{u"Grup Dosyası Bulunamıyor"_s});
            QCOMPARE(rows(Form6->groupListBox), (QStringList{Default, u"Ev"_s}));
            QCOMPARE(Form6->inUseField->text(), Default);
            QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:@Kayıtlar@"_s);  // at once
            QCOMPARE(texts(Book->recordLines()), (QStringList{u"Can"_s, u""_s, u"1"_s}));
        }));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default, u"Ev"_s}));
    }

    void theGroupListAtOpeningAndClosing_data() {
        QTest::addColumn<QStringList>("groupList");  // empty: removed after start-up
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("inUse");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("unsorted") << QStringList{u"Ev"_s, u"Zeytin"_s, Default, u"Çiçek"_s, u"Ev"_s, u"ağaç"_s}
                                  << QStringList{Default, u"ağaç"_s, u"Çiçek"_s, u"Ev"_s, u"Zeytin"_s} << "Ev"
                                  << QStringList{u"Ev"_s, Default, u"ağaç"_s, u"Çiçek"_s, u"Ev"_s, u"Zeytin"_s};
        QTest::newRow("one line") << QStringList{u"Ev"_s} << QStringList() << Default << QStringList{Default};
        QTest::newRow("missing") << QStringList() << QStringList{Default} << Default << QStringList{Default, Default};
    }
    void theGroupListAtOpeningAndClosing() {
        QFETCH(QStringList, groupList);
        QFETCH(QStringList, listed);
        QFETCH(QString, inUse);
        QFETCH(QStringList, written);
        const QMap<QString, QByteArray> files = {{u"Ev"_s, Seven}, {u"Zeytin"_s, QByteArray()}, {u"Çiçek"_s, QByteArray()}, {u"ağaç"_s, QByteArray()}};
        STOP_IF_FAILED(startWith(groupList.isEmpty() ? QStringList{Default, Default} : groupList, files));
        if (groupList.isEmpty()) QVERIFY(QFile::remove(home->dataPath(u"Ayarlar.cnt"_s)));
        STOP_IF_FAILED(inGroupWindow([&] {
            QCOMPARE(rows(Form6->groupListBox), listed);
            QCOMPARE(Form6->inUseField->text(), inUse);
            if (groupList.isEmpty()) {
                QCOMPARE(testhooks::messages(), QStringList{u"Ayarlar Bölümü İlk Kez Çalıştırılıyor!"_s});
                QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default}));
            }
        }));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes(written));
        QCOMPARE(texts(Book->groupNames()), written);
        QStringList items;
        for (int i = 0; i < mainWindow().groupSelector->count(); ++i) items << mainWindow().groupSelector->itemText(i);
        QCOMPARE(items, written.mid(1));
    }

    void choosingTheGroupInUse_data() {
        QTest::addColumn<int>("how");  // 0 double-click, 1 Enter, 2 double-click below the rows
        QTest::addColumn<QString>("activeAfter");
        QTest::newRow("double-click") << 0 << "Ev";
        QTest::newRow("Enter") << 1 << "Ev";
        QTest::newRow("double-click on no row") << 2 << Default;
    }
    void choosingTheGroupInUse() {
        QFETCH(int, how);
        QFETCH(QString, activeAfter);
        STOP_IF_FAILED(startWith({Default, Default, u"Ev"_s}, {{u"Ev"_s, Seven}}));
        mainWindow().nameField->setText(u"Ali"_s);
        mainWindow().searchField->setText(u"x"_s);
        STOP_IF_FAILED(inGroupWindow([&] {
            QListWidget* list = Form6->groupListBox;
            if (how == 0) STOP_IF_FAILED(clickRow(list, u"Ev"_s, true));
            if (how == 1) {
                STOP_IF_FAILED(clickRow(list, u"Ev"_s));
                QTest::keyClick(list, Qt::Key_Return);
            }
            if (how == 2) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 150));
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 150));
            }
            QCOMPARE(Form6->isVisible(), how == 2);
        }));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:"_s + activeAfter);
        QCOMPARE(mainWindow().groupSelector->currentText(), activeAfter);
        QCOMPARE(Book->recordLines().count(), activeAfter == u"Ev"_s ? 7 : 0);
        QCOMPARE(mainWindow().nameField->text(), QString());
        QCOMPARE(mainWindow().searchField->text(), QString());
    }

    void aClosingThatCannotWriteTheGroupListChangesNothing_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("fileGone");  // the chosen group's file went while the window was open
        QTest::newRow("read-only folder") << int(FailingDisk::ReadOnlyMount) << false;
        QTest::newRow("read-only folder, file gone") << int(FailingDisk::ReadOnlyMount) << true;
        QTest::newRow("full disk") << int(FailingDisk::FileSizeLimit) << false;
        QTest::newRow("full disk, file gone") << int(FailingDisk::FileSizeLimit) << true;
    }
    void aClosingThatCannotWriteTheGroupListChangesNothing() {
        QFETCH(int, kind);
        QFETCH(bool, fileGone);
        FailingDisk disk{FailingDisk::Kind(kind)};
        if (!disk.usable()) QSKIP(qPrintable(disk.reason()));
        home->write(u"Ev.vexo"_s, Seven);
        home->write(u"Is.vexo"_s, fileBytes({u"Can"_s, u""_s, u"5"_s}));
        STOP_IF_FAILED(startWith({u"Is"_s, Default, u"Ev"_s, u"Is"_s}, {}));
        const QByteArray list = home->read(u"Ayarlar.cnt"_s);
        mainWindow().nameField->setText(u"Ali"_s);
        STOP_IF_FAILED(inGroupWindow([&] {
            if (fileGone) QVERIFY(QFile::remove(home->dataPath(u"Is.vexo"_s)));
            else Form6->inUseField->setText(u"Ev"_s);
            disk.failing();
        }));
        disk.writable();
        QVERIFY(!Form6->isVisible());
        QVERIFY2(!testhooks::messages().isEmpty(), qPrintable(QString::fromLatin1(home->read(u"Ayarlar.cnt"_s)) + u" / "_s + mainWindow().statusPanel2->text()));
        QCOMPARE(testhooks::messages().last(),
                 errorText(u"Cannot create file "_s + QDir::toNativeSeparators(home->dataPath(u"Ayarlar.cnt"_s))));
        // The main window is as it was, and agrees with the group list file.
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), list);
        QCOMPARE(texts(Book->groupNames()), (QStringList{u"Is"_s, Default, u"Ev"_s, u"Is"_s}));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:Is"_s);
        QCOMPARE(mainWindow().groupSelector->currentText(), u"Is"_s);
        QCOMPARE(texts(Book->recordLines()), (QStringList{u"Can"_s, u""_s, u"5"_s}));
        QCOMPARE(texts(Book->nameIndex()), QStringList{u"Can"_s});
        QCOMPARE(mainWindow().nameField->text(), u"Ali"_s);

        // Closed again on a writable disk, the step takes effect whole.
        testhooks::messages().clear();
        STOP_IF_FAILED(inGroupWindow([&] { if (!fileGone) Form6->inUseField->setText(u"Ev"_s); }));
        const QString active = fileGone ? Default : QStringLiteral("Ev");
        QCOMPARE(home->read(u"Ayarlar.cnt"_s),
                 fileGone ? fileBytes({Default, Default, u"Ev"_s}) : fileBytes({u"Ev"_s, Default, u"Ev"_s, u"Is"_s}));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:"_s + active);
        QCOMPARE(mainWindow().groupSelector->currentText(), active);
        QCOMPARE(Book->recordLines().count(), fileGone ? 0 : 7);
        QCOMPARE(mainWindow().nameField->text(), QString());
    }

    void theGroupInUseWithoutAFileAtClosing() {
        STOP_IF_FAILED(startWith({u"Ev"_s, Default, u"Ev"_s}, {{u"Ev"_s, Seven}}));
        STOP_IF_FAILED(inGroupWindow([&] { QVERIFY(QFile::remove(home->dataPath(u"Ev.vexo"_s))); }));
        QCOMPARE(testhooks::messages(), QStringList{u"Gerekli Grup Dosyası Bulunamadı!"_s});
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default}));
        QCOMPARE(mainWindow().statusPanel2->text(), u"Grup:@Kayıtlar@"_s);
        QCOMPARE(Book->recordLines().count(), 0);
    }
};

TELEFIKA_TEST_MAIN(TestGroupWindow)
#include "tst_grup.moc"

