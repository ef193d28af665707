// The sync settings window: the notes that warn, the link and the password
// kept (the password in the keyring alone), the link forgotten, and the
// address books found on a real Radicale.

#include "platform/keyring.h"
#include "store/datafolder.h"
#include "sync/synclink.h"
#include "tests/common/programtest.h"
#include "tests/common/radicale.h"
#include "ui/dialogs.h"
#include "windows/syncsettings.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
const QString Group = datafolder::DefaultGroup;
const QUrl Linked(u"https://dav.example.org/ayse/rehber/"_s);

struct TestKeyring {
    MemoryKeyring ring;
    TestKeyring() { setKeyring(&ring); }
    ~TestKeyring() { setKeyring(nullptr); }
};

[[nodiscard]] bool inSettings(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().syncSettingsAction->trigger();
    return testPassing();
}

QStringList items(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
}
}  // namespace

class TestSyncSettings : public ProgramTest {
    Q_OBJECT

private slots:
    void theNotesWarnOnlyWhenTheyShould_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("answer");  // the keyring's
        QTest::addColumn<bool>("httpNote");
        QTest::addColumn<bool>("keyringNote");
        QTest::newRow("https") << u"https://dav.example.org/"_s << int(Keyring::Outcome::Done) << false << false;
        QTest::newRow("http") << u"http://192.168.1.5:5232/"_s << int(Keyring::Outcome::Done) << true << false;
        QTest::newRow("no scheme: https") << u"dav.example.org/ayse/"_s << int(Keyring::Outcome::NotFound) << false << false;
        QTest::newRow("http, no keyring") << u"http://ev.local/"_s << int(Keyring::Outcome::NoKeyring) << true << true;
    }
    void theNotesWarnOnlyWhenTheyShould() {
        QFETCH(QString, address);
        QFETCH(int, answer);
        QFETCH(bool, httpNote);
        QFETCH(bool, keyringNote);
        TestKeyring keys;
        keys.ring.setAnswer(Keyring::Outcome(answer));
        STOP_IF_FAILED(startWithContacts({}));
        STOP_IF_FAILED(inSettings([&] {
            QTest::keyClicks(syncSettingsWindow->addressField, address);
            QTRY_COMPARE(syncSettingsWindow->noKeyringNote->isVisible(), keyringNote);
            QCOMPARE(syncSettingsWindow->plainHttpNote->isVisible(), httpNote);
        }));
    }

    // "Kaydet" on a linked group: the user changed, a typed password in the
    // keyring and in no file of the home folder.
    void saveKeepsTheLinkAndThePasswordOnlyInTheKeyring_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("kept");  // the keyring's secrets afterwards
        QTest::newRow("typed") << u"gizli-Şifre-9"_s << int(Keyring::Outcome::Done) << QStringList{u"gizli-Şifre-9"_s};
        QTest::newRow("none typed: the kept one stays") << QString() << int(Keyring::Outcome::Done) << QStringList{u"eski"_s};
        QTest::newRow("no keyring") << u"gizli-Şifre-9"_s << int(Keyring::Outcome::NoKeyring) << QStringList{u"eski"_s};
    }
    void saveKeepsTheLinkAndThePasswordOnlyInTheKeyring() {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(QStringList, kept);
        TestKeyring keys;
        STOP_IF_FAILED(startWithContacts({}));
        synclink::keep(Group, Linked, u"ali"_s);
        keys.ring.store(Keyring::keyFor(Group), u"eski"_s, [](Keyring::Outcome, const QString&) {});
        keys.ring.setAnswer(Keyring::Outcome(answer));
        STOP_IF_FAILED(inSettings([&] {
            syncSettingsWindow->userField->setText(u"veli"_s);
            typeText(syncSettingsWindow->passwordField, typed);
            QTest::mouseClick(syncSettingsWindow->saveButton, Qt::LeftButton);
            QTRY_COMPARE(syncSettingsWindow->noKeyringNote->isVisible(), answer == int(Keyring::Outcome::NoKeyring));
        }));
        keys.ring.setAnswer(Keyring::Outcome::Done);
        QCOMPARE(synclink::of(Group)->book.toString() + u' ' + synclink::of(Group)->user, Linked.toString() + u" veli"_s);
        QCOMPARE(keys.ring.secrets().values(), kept);
        for (QDirIterator files(QDir::homePath(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); files.hasNext();) {
            QFile f(files.next());
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY2(!f.readAll().contains("Şifre"), qPrintable(f.fileName()));
        }
    }

    void theLinkIsForgottenWithItsPassword_data() {
        QTest::addColumn<int>("way");  // 0: Bağlantıyı Kaldır, Evet; 1: the same, Hayır; 2: the group removed
        QTest::addColumn<bool>("left");
        QTest::newRow("removed, Evet") << 0 << false;
        QTest::newRow("removed, Hayır") << 1 << true;
        QTest::newRow("the group removed") << 2 << false;
    }
    void theLinkIsForgottenWithItsPassword() {
        QFETCH(int, way);
        QFETCH(bool, left);
        TestKeyring keys;
        STOP_IF_FAILED(startWith({u"Ev"_s, Group, u"Ev"_s}, {{u"Ev"_s, QByteArray()}}));
        synclink::keep(u"Ev"_s, Linked, u"ali"_s);
        keys.ring.store(Keyring::keyFor(u"Ev"_s), u"eski"_s, [](Keyring::Outcome, const QString&) {});
        if (way == 2) {
            Book->activateGroup(Group, true);
            QVERIFY(Book->removeGroupFile(u"Ev"_s));
        } else {
            STOP_IF_FAILED(inSettings([&] {
                testhooks::onNextModal([&](QDialog* box) {
                    QCOMPARE(static_cast<QMessageBox*>(box)->text(),
                             u"\"Ev\" grubunun adres defteriyle bağlantısı kaldırılsın mı?\nSunucudaki adres defteri ve kartları silinmez."_s);
                    static_cast<QMessageBox*>(box)->buttons().at(way)->click();
                });
                QTest::mouseClick(syncSettingsWindow->removeButton, Qt::LeftButton);
                QCOMPARE(syncSettingsWindow->removeButton->isEnabled(), left);
            }));
        }
        QTRY_COMPARE(keys.ring.secrets().size(), left ? 1 : 0);
        QCOMPARE(synclink::of(u"Ev"_s).has_value(), left);
    }

    // "Bağlantıyı Dene" against a real server: its address books, or why not.
    void tryingFindsTheAddressBooks_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("books");
        QTest::addColumn<QString>("status");
        QTest::newRow("the server's root") << u"gizli-şifre-1"_s
                                           << QStringList{u"İş"_s, u"Kişiler"_s, u"Yeni adres defteri: @Kayıtlar@"_s}
                                           << u"Bağlantı kuruldu: 2 adres defteri bulundu."_s;
        QTest::newRow("a wrong password") << u"yanlış"_s << QStringList() << u"Kullanıcı adı ya da parola yanlış."_s;
    }
    void tryingFindsTheAddressBooks() {
        QFETCH(QString, password);
        QFETCH(QStringList, books);
        QFETCH(QString, status);
        TestKeyring keys;
        Radicale server;
        QVERIFY(server.start() && server.makeBook(u"kisiler"_s, u"Kişiler"_s) && server.makeBook(u"is"_s, u"İş"_s));
        STOP_IF_FAILED(startWithContacts({}));
        STOP_IF_FAILED(inSettings([&] {
            QTest::keyClicks(syncSettingsWindow->addressField, server.url().toString());
            QTest::keyClicks(syncSettingsWindow->userField, server.user());
            typeText(syncSettingsWindow->passwordField, password);
            QTest::mouseClick(syncSettingsWindow->tryButton, Qt::LeftButton);
            QVERIFY(!syncSettingsWindow->tryButton->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(syncSettingsWindow->tryButton->isEnabled(), 30000);
            QCOMPARE(items(syncSettingsWindow->bookChooser), books);
            QCOMPARE(syncSettingsWindow->statusLabel->text(), status);
            QCOMPARE(syncSettingsWindow->saveButton->isEnabled(), !books.isEmpty());
        }));
    }
};

TELEFIKA_TEST_MAIN(TestSyncSettings)
#include "tst_syncsettings.moc"
