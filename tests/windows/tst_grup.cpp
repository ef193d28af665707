// The group window: creating, deleting and emptying groups, the group in use,
// and what its closing writes into the group list file and the main window.

#include "app/forms.h"
#include "app/Unit1.h"
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

namespace {
const QString Default = QStringLiteral("@Kayıtlar@");
const QByteArray Seven = fileBytes({"Zeki", "a", "1", "Ali", "b", "2", "Mert"});

// Opens the group window from the menu and acts in it; a window still open
// afterwards is closed as by its close box.
[[nodiscard]] bool inGroupWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    Form1->Gruplemleri1->trigger();
    return testPassing();
}

// "Yeni Grup Oluştur", the name typed, "Tamam" once the timer enables it;
// returns the name window's edit when the window stays open.
QString createGroup(const QString& group) {
    QString left = "<closed>";
    testhooks::onNextModal([&](QDialog*) {
        typeText(Form7->Edit1, group);
        QTRY_VERIFY(Form7->SpeedButton1->isEnabled());
        QTest::mouseClick(Form7->SpeedButton1, Qt::LeftButton);
        if (Form7->isVisible()) left = Form7->Edit1->text();
    });
    QTest::mouseClick(Form6->SpeedButton1, Qt::LeftButton);
    return left;
}
}  // namespace

class TestGroupWindow : public ProgramTest {
    Q_OBJECT

    // The group list file, each group's file, then the program.
    void start(const QStringList& groupList, const QMap<QString, QByteArray>& files) {
        home->write("Ayarlar.cnt", fileBytes(groupList));
        home->write("@Kayıtlar@.vexo", QByteArray());
        for (auto f = files.begin(); f != files.end(); ++f) home->write(f.key() + ".vexo", f.value());
        createForms();
        testhooks::messages().clear();
    }

private slots:
    void creatingAGroup_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("onDisk");  // an unlisted file already there
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("listed");
        const QString unusable = UnusableGroupNameMessage;
        const QString kept = "Bu isimde bir grup dosyası Telefika Klasöründe zaten vardı; içindeki kayıtlar korundu.";
        QTest::newRow("new") << "İş" << "" << "" << true;
        QTest::newRow("listed in other case") << "EV" << "" << "Bu isimde başka bir grup bulunmaktadır!" << false;
        QTest::newRow("unlisted file") << "Ali" << "Ali" << kept << true;
        QTest::newRow("unlisted file, other case") << "iŞ" << "İş" << kept << true;
        for (const char* bad : {"../x", "a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "<a>", "a|b"})
            QTest::newRow(bad) << bad << "" << unusable << false;
    }
    void creatingAGroup() {
        QFETCH(QString, typed);
        QFETCH(QString, onDisk);
        QFETCH(QString, message);
        QFETCH(bool, listed);
        if (!onDisk.isEmpty()) home->write(onDisk + ".vexo", Seven);
        start({"Ev", Default, "Zeytin", "Ev"}, {{"Ev", Seven}, {"Zeytin", QByteArray()}});
        const QStringList before = home->dataFiles();
        const QByteArray list = home->read("Ayarlar.cnt");
        STOP_IF_FAILED(inGroupWindow([&] {
            const QString left = createGroup(typed);
            QCOMPARE(testhooks::messages(), message.isEmpty() ? QStringList() : QStringList{message});
            // refused: the window stays, the edit cleared for a taken name
            QCOMPARE(left, listed ? "<closed>" : message == UnusableGroupNameMessage ? typed : QString());
            QCOMPARE(rows(Form6->groupListBox).contains(typed), listed);
            QCOMPARE(home->read("Ayarlar.cnt"), list);  // only the closing writes it
            if (onDisk.isEmpty() && listed) {
                QCOMPARE(home->read(typed + ".vexo"), QByteArray());
                QCOMPARE(home->dataFiles().size(), before.size() + 1);
            } else {
                QCOMPARE(home->dataFiles(), before);
                if (!onDisk.isEmpty()) QCOMPARE(home->read(onDisk + ".vexo"), Seven);
            }
            QTest::mouseClick(Form6->SpeedButton5, Qt::LeftButton);
        }));
        QVERIFY(!QFile::exists(home->path() + "/x.vexo"));
        QStringList names = {Default, "Ev", "Zeytin"};
        if (listed) names.insert(typed == "İş" || typed == "iŞ" ? 2 : 1, typed);
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes(QStringList{"Ev"} + names));
        QCOMPARE(rows(Form6->groupListBox), names);
    }

    void theNameWindowConfirmsByTamamOrEnter() {
        start({Default, Default}, {});
        STOP_IF_FAILED(inGroupWindow([&] {
            testhooks::onNextModal([&](QDialog*) {
                QVERIFY(!Form7->SpeedButton1->isEnabled());
                QTest::keyClick(Form7->Edit1, Qt::Key_Return);  // empty: nothing
                QVERIFY(Form7->isVisible());
                typeText(Form7->Edit1, "Arkadaşlar ve Aile");
                QCOMPARE(Form7->Edit1->text(), "Arkadaşlar ve Ai");
                QTRY_VERIFY(Form7->SpeedButton1->isEnabled());
                QTest::keyClick(Form7->Edit1, Qt::Key_Return);
                QVERIFY(!Form7->isVisible());
            });
            QTest::mouseClick(Form6->SpeedButton1, Qt::LeftButton);
        }));
        QCOMPARE(home->read("Arkadaşlar ve Ai.vexo"), QByteArray());
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({Default, Default, "Arkadaşlar ve Ai"}));
    }

    void deletingAndEmptying_data() {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("active");
        QTest::addColumn<bool>("emptying");
        QTest::addColumn<int>("answer");  // 0 click "Evet", 1 Enter, 2 Alt+E, 3 "Hayır"
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("activeAfter");
        const QString reassigned = "Kullanılan Grup Kayıtlar Olarak Atandı!";
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
        start({active, Default, "Ev", "İş"}, {{"Ev", Seven}, {"İş", fileBytes({"Işık", "", "5"})}});
        home->write(group + ".vexo", Seven);
        const bool changed = answer != 3;
        STOP_IF_FAILED(inGroupWindow([&] {
            testhooks::onNextModal([&](QDialog*) {
                QVERIFY(QTest::qWaitForWindowActive(Form9));
                QCOMPARE(Form9->groupNameValue->text(), group);
                QCOMPARE(Form9->capacityValue->text(), "2 kişi");
                QCOMPARE(Form9->questionLabel->text(),
                         emptying ? "Aşağıdaki bilgilere sahip grubun içeriğini silmek      istiyor musunuz?"
                                  : "Aşağıdaki bilgilere sahip grubu silmek      istiyor musunuz?");
                QPushButton* yes = emptying ? Form9->BitBtn3 : Form9->BitBtn1;
                if (answer == 0) QTest::mouseClick(yes, Qt::LeftButton);
                if (answer == 1) QTest::keyClick(Form9, Qt::Key_Return);
                if (answer == 2) QTest::keyClick(Form9, Qt::Key_E, Qt::AltModifier);
                if (answer == 3) QTest::mouseClick(Form9->BitBtn2, Qt::LeftButton);
                QTRY_VERIFY(!Form9->isVisible());  // a mnemonic clicks a moment later
            });
            STOP_IF_FAILED(clickRow(Form6->groupListBox, group));
            QTest::mouseClick(emptying ? Form6->SpeedButton3 : Form6->SpeedButton2, Qt::LeftButton);
            QCOMPARE(testhooks::messages(), message.isEmpty() ? QStringList() : QStringList{message});
            // the file changes at once
            const QByteArray expected = !changed ? Seven : emptying ? QByteArray() : QByteArray("<missing>");
            QCOMPARE(home->read(group + ".vexo"), expected);
            QCOMPARE(rows(Form6->groupListBox).contains(group), emptying || !changed);
        }));
        QVERIFY(!Form9->isEmptyMode());
        QCOMPARE(Form9->questionLabel->text(), "Aşağıdaki bilgilere sahip grubu silmek      istiyor musunuz?");
        QCOMPARE(Form1->groupNames.text(0), activeAfter);
        QCOMPARE(Form1->statusPanel2->text(), "Grup:" + activeAfter);
        QCOMPARE(Form1->groupSelector->currentText(), activeAfter);
        const QByteArray activeBytes = home->read(activeAfter + ".vexo");
        QCOMPARE(fileBytes(texts(Form1->recordLines)), activeBytes);
        QCOMPARE(Form1->nameIndex.count(), activeBytes.isEmpty() ? 0 : activeAfter == "İş" ? 1 : 3);
    }

    void refusedDeletionsChangeNothing_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("emptying");
        QTest::addColumn<QString>("message");
        const QString noSelection = "Kaydı silinecek grup üzerine tıklayıp işleme daha sonra devam edin!";
        QTest::newRow("delete, nothing selected") << "" << false << noSelection;
        QTest::newRow("empty, nothing selected") << "" << true << noSelection;
        QTest::newRow("delete the default group") << Default << false << "Bu Grup Kaldırılamaz!";
    }
    void refusedDeletionsChangeNothing() {
        QFETCH(QString, selected);
        QFETCH(bool, emptying);
        QFETCH(QString, message);
        home->write("@Kayıtlar@.vexo", Seven);
        start({Default, Default, "Ev"}, {{"Ev", Seven}});
        home->write("@Kayıtlar@.vexo", Seven);
        STOP_IF_FAILED(inGroupWindow([&] {
            if (!selected.isEmpty()) STOP_IF_FAILED(clickRow(Form6->groupListBox, selected));
            QTest::mouseClick(emptying ? Form6->SpeedButton3 : Form6->SpeedButton2, Qt::LeftButton);
        }));
        QCOMPARE(testhooks::messages(), QStringList{message});
        QVERIFY(!testhooks::modalWindows().contains("Grup Silme Onay?"));
        QCOMPARE(home->read("@Kayıtlar@.vexo"), Seven);
        QCOMPARE(home->read("Ev.vexo"), Seven);
    }

    void aListedGroupWithoutAFileFallsBackToTheDefault_data() {
        QTest::addColumn<bool>("emptying");
        QTest::newRow("Grup Sil") << false;
        QTest::newRow("Grup İçeriğini Sil") << true;
    }
    void aListedGroupWithoutAFileFallsBackToTheDefault() {
        QFETCH(bool, emptying);
        start({"Ev", Default, "Ev", "Yok"}, {{"Ev", Seven}});
        home->write("@Kayıtlar@.vexo", fileBytes({"Can", "", "1"}));
        STOP_IF_FAILED(inGroupWindow([&] {
            STOP_IF_FAILED(clickRow(Form6->groupListBox, "Yok"));
            QTest::mouseClick(emptying ? Form6->SpeedButton3 : Form6->SpeedButton2, Qt::LeftButton);
            QCOMPARE(testhooks::messages(), QStringList{"Grup Dosyası Bulunamıyor"});
            QCOMPARE(rows(Form6->groupListBox), (QStringList{Default, "Ev"}));
            QCOMPARE(Form6->inUseField->text(), Default);
            QCOMPARE(Form1->statusPanel2->text(), "Grup:@Kayıtlar@");  // at once
            QCOMPARE(texts(Form1->recordLines), (QStringList{"Can", "", "1"}));
        }));
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({Default, Default, "Ev"}));
    }

    void theGroupListAtOpeningAndClosing_data() {
        QTest::addColumn<QStringList>("groupList");  // empty: removed after start-up
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("inUse");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("unsorted") << QStringList{"Ev", "Zeytin", Default, "Çiçek", "Ev", "ağaç"}
                                  << QStringList{Default, "ağaç", "Çiçek", "Ev", "Zeytin"} << "Ev"
                                  << QStringList{"Ev", Default, "ağaç", "Çiçek", "Ev", "Zeytin"};
        QTest::newRow("one line") << QStringList{"Ev"} << QStringList() << Default << QStringList{Default};
        QTest::newRow("missing") << QStringList() << QStringList{Default} << Default << QStringList{Default, Default};
    }
    void theGroupListAtOpeningAndClosing() {
        QFETCH(QStringList, groupList);
        QFETCH(QStringList, listed);
        QFETCH(QString, inUse);
        QFETCH(QStringList, written);
        const QMap<QString, QByteArray> files = {{"Ev", Seven}, {"Zeytin", ""}, {"Çiçek", ""}, {"ağaç", ""}};
        start(groupList.isEmpty() ? QStringList{Default, Default} : groupList, files);
        if (groupList.isEmpty()) QVERIFY(QFile::remove(home->dataPath("Ayarlar.cnt")));
        STOP_IF_FAILED(inGroupWindow([&] {
            QCOMPARE(rows(Form6->groupListBox), listed);
            QCOMPARE(Form6->inUseField->text(), inUse);
            if (groupList.isEmpty()) {
                QCOMPARE(testhooks::messages(), QStringList{"Ayarlar Bölümü İlk Kez Çalıştırılıyor!"});
                QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({Default, Default}));
            }
        }));
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes(written));
        QCOMPARE(texts(Form1->groupNames), written);
        QStringList items;
        for (int i = 0; i < Form1->groupSelector->count(); ++i) items << Form1->groupSelector->itemText(i);
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
        start({Default, Default, "Ev"}, {{"Ev", Seven}});
        Form1->nameField->setText("Ali");
        Form1->searchField->setText("x");
        STOP_IF_FAILED(inGroupWindow([&] {
            QListWidget* list = Form6->groupListBox;
            if (how == 0) STOP_IF_FAILED(clickRow(list, "Ev", true));
            if (how == 1) {
                STOP_IF_FAILED(clickRow(list, "Ev"));
                QTest::keyClick(list, Qt::Key_Return);
            }
            if (how == 2) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 150));
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(20, 150));
            }
            QCOMPARE(Form6->isVisible(), how == 2);
        }));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:" + activeAfter);
        QCOMPARE(Form1->groupSelector->currentText(), activeAfter);
        QCOMPARE(Form1->recordLines.count(), activeAfter == "Ev" ? 7 : 0);
        QCOMPARE(Form1->nameField->text(), QString());
        QCOMPARE(Form1->searchField->text(), QString());
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
        home->write("Ev.vexo", Seven);
        home->write("Is.vexo", fileBytes({"Can", "", "5"}));
        start({"Is", Default, "Ev", "Is"}, {});
        const QByteArray list = home->read("Ayarlar.cnt");
        Form1->nameField->setText("Ali");
        STOP_IF_FAILED(inGroupWindow([&] {
            if (fileGone) QVERIFY(QFile::remove(home->dataPath("Is.vexo")));
            else Form6->inUseField->setText("Ev");
            disk.failing();
        }));
        disk.writable();
        QVERIFY(!Form6->isVisible());
        QVERIFY2(!testhooks::messages().isEmpty(), qPrintable(home->read("Ayarlar.cnt") + " / " + Form1->statusPanel2->text()));
        QCOMPARE(testhooks::messages().last(),
                 errorText("Cannot create file " + QDir::toNativeSeparators(home->dataPath("Ayarlar.cnt"))));
        // The main window is as it was, and agrees with the group list file.
        QCOMPARE(home->read("Ayarlar.cnt"), list);
        QCOMPARE(texts(Form1->groupNames), (QStringList{"Is", Default, "Ev", "Is"}));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:Is");
        QCOMPARE(Form1->groupSelector->currentText(), "Is");
        QCOMPARE(texts(Form1->recordLines), (QStringList{"Can", "", "5"}));
        QCOMPARE(texts(Form1->nameIndex), QStringList{"Can"});
        QCOMPARE(Form1->nameField->text(), "Ali");

        // Closed again on a writable disk, the step takes effect whole.
        testhooks::messages().clear();
        STOP_IF_FAILED(inGroupWindow([&] { if (!fileGone) Form6->inUseField->setText("Ev"); }));
        const QString active = fileGone ? Default : QStringLiteral("Ev");
        QCOMPARE(home->read("Ayarlar.cnt"),
                 fileGone ? fileBytes({Default, Default, "Ev"}) : fileBytes({"Ev", Default, "Ev", "Is"}));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:" + active);
        QCOMPARE(Form1->groupSelector->currentText(), active);
        QCOMPARE(Form1->recordLines.count(), fileGone ? 0 : 7);
        QCOMPARE(Form1->nameField->text(), QString());
    }

    void theGroupInUseWithoutAFileAtClosing() {
        start({"Ev", Default, "Ev"}, {{"Ev", Seven}});
        STOP_IF_FAILED(inGroupWindow([&] { QVERIFY(QFile::remove(home->dataPath("Ev.vexo"))); }));
        QCOMPARE(testhooks::messages(), QStringList{"Gerekli Grup Dosyası Bulunamadı!"});
        QCOMPARE(home->read("Ayarlar.cnt"), fileBytes({Default, Default}));
        QCOMPARE(Form1->statusPanel2->text(), "Grup:@Kayıtlar@");
        QCOMPARE(Form1->recordLines.count(), 0);
    }
};

TELEFIKA_TEST_MAIN(TestGroupWindow)
#include "tst_grup.moc"
