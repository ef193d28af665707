// `telefika --sync-setup`, `--sync` and `--sync-remove` run as a script runs
// them, as a child process without a display and without a keyring (its
// session bus leads nowhere), against a real server: radicale, started for
// each test function. Usage errors are rows of tst_commandline.

#include "sync/synclink.h"
#include "tests/common/radicale.h"
#include "tests/common/temphome.h"
#include "tests/common/testenv.h"

#include <QProcess>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Default = QStringLiteral("@Kayıtlar@");
const QString Group = QStringLiteral("Ev");
const QString NoKeyring = u"Bu masaüstünde anahtarlık yok: parola hiçbir yere yazılmadı; her eşitlemede "
                          u"--password-stdin ile ya da sorulunca verin.\n"_s;

struct Run {
    int code = -1;
    QString out, err;
};

Run telefika(const QStringList& arguments, const QByteArray& input = QByteArray()) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(display));
    env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/bus"_s);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TELEFIKA_PROGRAM), arguments);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) p.kill();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

}  // namespace

class TestSyncCommands : public QObject {
    Q_OBJECT
    std::unique_ptr<TempHome> home;
    std::unique_ptr<Radicale> server;

    QString book;  // the address book's name on the server, as linkAndSync made it
    Run firstSync;

    QByteArray password() const { return server->password().toUtf8() + '\n'; }
    // Ev linked to a new address book named after it, its contacts uploaded.
    bool linkAndSync(const QStringList& contacts) {
        link(contacts);
        return testPassing();
    }
    void link(const QStringList& contacts) {
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, Group}));
        home->write(Default + u".vexo"_s, QByteArray());
        home->write(Group + u".vexo"_s, fileBytes(contacts));
        const QString root = server->url().toString() + server->user() + u'/';
        const Run setup = telefika({u"--sync-setup"_s, u"ev"_s, root, u"--user"_s, server->user(), u"--password-stdin"_s},
                                   password());
        const QUrl address = synclink::of(Group).value_or(synclink::Link{}).book;
        QCOMPARE(setup.err, u"telefika: Uyarı: adres şifresiz (http): parola ağda açık gider.\n"_s);
        QCOMPARE(setup.out, u"\"Ev\" grubu sunucuda yapılan \"Ev\" adres defterine bağlandı: "_s + address.toString() +
                                u'\n' + NoKeyring);
        QCOMPARE(setup.code, 0);
        firstSync = telefika({u"--sync"_s, Group, u"--password-stdin"_s}, password());
        QCOMPARE(firstSync.err, QString());
        QCOMPARE(firstSync.code, 0);
        book = address.path().section(u'/', -2, -2);
        QCOMPARE(server->cards(book).size(), contacts.size() / 3);
    }

private slots:
    void init() {
        home = std::make_unique<TempHome>();
        server = std::make_unique<Radicale>();
        QVERIFY(server->start());
    }
    void cleanup() {
        server.reset();
        home.reset();
    }

    // Linked, synced both ways, a name with ESC shown escaped, the link removed
    // while the server's book stays.
    void setupSyncAndRemove() {
        STOP_IF_FAILED(linkAndSync({u"Ali\x1b[2J"_s, u"Veli"_s, u"05321112233"_s, u"Zeki"_s, u""_s, u"05327651200"_s}));
        QVERIFY2(firstSync.out.contains(u"Ali\\x1B[2J"_s) && !firstSync.out.contains(QChar(0x1b)), qPrintable(firstSync.out));
        QVERIFY(server->putCard(book, u"telefon.vcf"_s,
                                "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:telefon\r\nN:Öztürk;Şule;;;\r\nFN:Şule Öztürk\r\n"
                                "TEL;TYPE=CELL:+90 533 444 55 66\r\nTEL;TYPE=HOME:02121234567\r\nEND:VCARD\r\n")
                    .size());
        const Run sync = telefika({u"--sync"_s, Group, u"--password-stdin"_s}, password());
        QCOMPARE(sync.err, QString());
        QCOMPARE(sync.code, 0);
        QVERIFY(sync.out.endsWith(u'\n') && sync.out.count(u'\n') == 2);  // one change, the counts
        QCOMPARE(home->read(Group + u".vexo"_s), fileBytes({u"Ali\x1b[2J"_s, u"Veli"_s, u"05321112233"_s, u"Şule"_s,
                                                            u"Öztürk"_s, u"05334445566"_s, u"Zeki"_s, u""_s,
                                                            u"05327651200"_s}));
        const Run removed = telefika({u"--sync-remove"_s, u"EV"_s});
        QCOMPARE(removed.out, u"\"Ev\" grubunun eşitleme bağlantısı kaldırıldı; sunucudaki adres defteri olduğu gibi "
                              u"duruyor.\n"_s);
        QCOMPARE(removed.code, 0);
        QVERIFY(!synclink::of(Group));
        QCOMPARE(server->cards(book).size(), 3);
    }

    // What stops a sync: exit 1, a Turkish reason, nothing changed here.
    void failuresChangeNothing_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("err");
        const QStringList sync{u"--sync"_s, Group, u"--password-stdin"_s};
        QTest::newRow("wrong password") << sync << QByteArray("yanlış\n") << u"Kullanıcı adı ya da parola yanlış."_s;
        QTest::newRow("no line on standard input") << sync << QByteArray()
                                                   << u"Standart girdiden parola okunamadı: --password-stdin bir satır bekler."_s;
        QTest::newRow("no keyring, no terminal") << QStringList{u"--sync"_s, Group} << QByteArray()
                                                 << u"Bu masaüstünde anahtarlık yok: parolayı --password-stdin ile verin."_s;
    }
    void failuresChangeNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(QString, err);
        STOP_IF_FAILED(linkAndSync({u"Ali"_s, u"Veli"_s, u"05321112233"_s}));
        home->write(Group + u".vexo"_s, fileBytes({u"Ali"_s, u"Yeni"_s, u"05321112233"_s}));
        const QUrl linked = synclink::of(Group)->book;
        const Run r = telefika(arguments, input);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, u"telefika: "_s + err + u'\n');
        QCOMPARE(home->read(Group + u".vexo"_s), fileBytes({u"Ali"_s, u"Yeni"_s, u"05321112233"_s}));
        QCOMPARE(synclink::of(Group)->book, linked);
        QVERIFY(server->cards(book).value(0).contains("N:Veli;Ali;;;"));
    }

    // A contact changed on both sides, or an emptied group: nothing is
    // overwritten or deleted, exit 1; --confirm-deletion deletes.
    void conflictsAndDeletionsWait_data() {
        QTest::addColumn<bool>("emptied");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("err");
        QTest::addColumn<int>("cardsLeft");
        QTest::newRow("changed on both sides") << false << false << 1
            << u"1 çakışma kaldı: iki tarafta da değişen kişilerin hiçbiri üzerine yazılmadı. Hangisinin kalacağını "
               u"pencerede \"Şimdi Eşitle\" sorar."_s << 2;
        QTest::newRow("emptied") << true << false << 1
            << u"\"Ev\" grubu boşaltılmış: eşitleme sunucudaki 2 kartı silecekti, hiçbiri silinmedi. Silmek için "
               u"--confirm-deletion ile yeniden çalıştırın ya da pencerede \"Şimdi Eşitle\"yi kullanın."_s << 2;
        QTest::newRow("emptied, deletion confirmed") << true << true << 0 << QString() << 0;
    }
    void conflictsAndDeletionsWait() {
        QFETCH(bool, emptied);
        QFETCH(bool, confirmed);
        QFETCH(int, code);
        QFETCH(QString, err);
        QFETCH(int, cardsLeft);
        STOP_IF_FAILED(linkAndSync({u"Ali"_s, u"Veli"_s, u"05321112233"_s, u"Zeki"_s, u""_s, u"05327651200"_s}));
        for (const QString& file : server->cardFiles(book)) {
            const QByteArray card = server->card(book, file);
            if (!emptied && card.contains(";Ali;")) QVERIFY(server->putCard(book, file, QByteArray(card).replace(";Ali;", ";Aliye;")).size());
        }
        const QByteArray here = emptied ? QByteArray() : fileBytes({u"Ali"_s, u"Yılmaz"_s, u"05321112233"_s, u"Zeki"_s,
                                                                   u""_s, u"05327651200"_s});
        home->write(Group + u".vexo"_s, here);
        QStringList arguments{u"--sync"_s, Group, u"--password-stdin"_s};
        if (confirmed) arguments << u"--confirm-deletion"_s;
        const Run r = telefika(arguments, password());
        QCOMPARE(r.err, err.isEmpty() ? QString() : u"telefika: "_s + err + u'\n');
        QCOMPARE(r.code, code);
        QCOMPARE(server->cards(book).size(), cardsLeft);
        if (!confirmed) QCOMPARE(home->read(Group + u".vexo"_s), here);
    }
};

QTEST_GUILESS_MAIN(TestSyncCommands)
#include "tst_synccommands.moc"
