// The sync window against a real Radicale: the password from the keyring or
// typed, the report and the main window's counts at the end, a wrong
// password told and typed again, and a conflict settled by its button.

#include "platform/keyring.h"
#include "store/datafolder.h"
#include "sync/synclink.h"
#include "tests/common/programtest.h"
#include "tests/common/radicale.h"
#include "ui/dialogs.h"
#include "windows/syncwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>

using namespace Qt::StringLiterals;

namespace {
const QString Group = datafolder::DefaultGroup;
const QStringList Ayse = {u"Ayşe"_s, u"Öztürk"_s, u"05321112233"_s};
const QByteArray PhoneCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:telefon-1\r\nN:Şahin;Çağlar;;;\r\nFN:Çağlar Şahin\r\n"
                             "TEL;TYPE=CELL:+905421234567\r\nTEL;TYPE=HOME:02121234567\r\nEMAIL:cs@ornek.tr\r\nEND:VCARD\r\n";

struct Fixture {
    MemoryKeyring ring;
    Radicale server;
    Fixture() { setKeyring(&ring); }
    ~Fixture() { setKeyring(nullptr); }
    // The default group linked to the server's book "rehber", the password kept.
    bool link(const QString& kept) {
        if (!server.start() || !server.makeBook(u"rehber"_s)) return false;
        synclink::keep(Group, server.bookUrl(u"rehber"_s), server.user());
        if (!kept.isEmpty()) ring.store(Keyring::keyFor(Group), kept, [](Keyring::Outcome, const QString&) {});
        return true;
    }
};

// Waits for the run to end: "Eşitle" is open again.
[[nodiscard]] bool ended() {
    for (QDeadlineTimer wait(30000); !syncWindow->startButton->isEnabled() && !wait.hasExpired();) QTest::qWait(20);
    if (!syncWindow->startButton->isEnabled()) QTest::qFail("the sync never ended", __FILE__, __LINE__);
    return testPassing();
}

// Opens the window on the default group and runs the actions in it.
[[nodiscard]] bool inSyncWindow(const std::function<void()>& actions) {
    testhooks::onNextModal([=](QDialog*) { actions(); });
    mainWindow().syncAction->trigger();
    return testPassing();
}
}  // namespace

class TestSyncWindow : public ProgramTest {
    Q_OBJECT

private slots:
    void aSyncEndsInItsReport_data() {
        QTest::addColumn<QString>("kept");   // the keyring's password; empty: none
        QTest::addColumn<QString>("typed");  // typed in the window after the first end; empty: nothing
        QTest::addColumn<QString>("failure");  // shown at the first end
        const QString right = u"gizli-şifre-1"_s;
        QTest::newRow("the keyring's password") << right << QString() << QString();
        QTest::newRow("none kept: typed") << QString() << right << QString();
        QTest::newRow("a wrong one kept, the right one typed") << u"yanlış"_s << right << u"Kullanıcı adı ya da parola yanlış."_s;
    }
    void aSyncEndsInItsReport() {
        QFETCH(QString, kept);
        QFETCH(QString, typed);
        QFETCH(QString, failure);
        Fixture f;
        QVERIFY(f.link(kept));
        QVERIFY(!f.server.putCard(u"rehber"_s, u"telefon-1.vcf"_s, PhoneCard).isEmpty());
        STOP_IF_FAILED(startWithContacts(Ayse));
        STOP_IF_FAILED(inSyncWindow([&] {
            STOP_IF_FAILED(ended());
            QCOMPARE(syncWindow->failureValue->text(), failure);
            if (!typed.isEmpty()) {
                typeText(syncWindow->passwordField, typed);
                QTest::mouseClick(syncWindow->startButton, Qt::LeftButton);
                QVERIFY(syncWindow->cancelButton->isEnabled());
                STOP_IF_FAILED(ended());
            }
            QCOMPARE(rows(syncWindow->reportList),
                     QStringList({u"Buraya eklendi: Çağlar Şahin 05421234567"_s, u"Sunucuya eklendi: Ayşe Öztürk 05321112233"_s,
                                  u"Burada: 1 eklendi, 0 değiştirildi, 0 silindi. Sunucuda: 1 eklendi, 0 değiştirildi, "
                                  u"0 silindi. Dışarıda kalan: 0. Çakışma: 0."_s}));
            QVERIFY(syncWindow->lastSyncValue->text() != u"Son eşitleme: hiç"_s);
            QCOMPARE(mainWindow().countLine->text(), u"Toplam Kayıtlı Kişi :2 kişi.."_s);
        }));
        QCOMPARE(f.server.cardFiles(u"rehber"_s).size(), 2);
        QVERIFY(f.server.card(u"rehber"_s, u"telefon-1.vcf"_s).contains("EMAIL:cs@ornek.tr"));
        QCOMPARE(f.ring.secrets().value(Keyring::keyFor(Group)), kept);  // a typed password is kept nowhere
    }

    void aGroupWithoutALinkIsToldSo() {
        STOP_IF_FAILED(startWithContacts(Ayse));
        mainWindow().syncAction->trigger();
        QCOMPARE(testhooks::messages(), QStringList{SyncWindow::NotLinked});
        QCOMPARE(testhooks::modalWindows(), QStringList());
    }

    // Changed on both sides: both shown; "Buradakini Al" syncs again and the
    // server takes this group's version.
    void aConflictIsSettledByItsButton() {
        Fixture f;
        QVERIFY(f.link(f.server.password()));
        STOP_IF_FAILED(startWithContacts(Ayse));
        STOP_IF_FAILED(inSyncWindow([] { STOP_IF_FAILED(ended()); }));
        const QString file = f.server.cardFiles(u"rehber"_s).value(0);
        QByteArray card = f.server.card(u"rehber"_s, file);
        QVERIFY(!f.server.putCard(u"rehber"_s, file, card.replace("Ayşe", "Ayla")).isEmpty());
        Book->replaceGroupLines(Group, listOf({u"Ayşe"_s, u"Kaya"_s, u"05321112233"_s}));
        STOP_IF_FAILED(inSyncWindow([&] {
            STOP_IF_FAILED(ended());
            QVERIFY(syncWindow->conflictArea->isVisible());
            QCOMPARE(syncWindow->takeServerButton(0)->accessibleDescription(), u"Sunucudaki: Ayla Öztürk 05321112233"_s);
            QCOMPARE(syncWindow->takeHereButton(0)->accessibleDescription(), u"Buradaki: Ayşe Kaya 05321112233"_s);
            QTest::mouseClick(syncWindow->takeHereButton(0), Qt::LeftButton);
            STOP_IF_FAILED(ended());
            QVERIFY(!syncWindow->conflictArea->isVisible());
        }));
        QVERIFY(f.server.card(u"rehber"_s, file).contains("N:Kaya;Ayşe;;;"));
    }
};

TELEFIKA_TEST_MAIN(TestSyncWindow)
#include "tst_syncwindow.moc"
