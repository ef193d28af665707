// The sync of a group with a CardDAV address book, against a real server
// (radicale, started for each test function).

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "sync/discovery.h"
#include "sync/synclink.h"
#include "sync/syncrunner.h"
#include "tests/common/radicale.h"
#include "tests/common/temphome.h"

#include <QSignalSpy>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Group = u"Ev"_s;
const QString Book = u"rehber"_s;

QByteArray card(const QByteArray& uid, const QByteArray& fn, const QByteArray& n, const QByteArray& tel,
                const QByteArray& extra = QByteArray()) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nFN:" + fn + "\r\nN:" + n + "\r\nTEL;TYPE=CELL:" + tel +
           "\r\n" + extra + "END:VCARD\r\n";
}

}  // namespace

class TestSync : public QObject {
    Q_OBJECT
    std::unique_ptr<TempHome> home;
    std::unique_ptr<Radicale> server;
    std::unique_ptr<PhoneBook> book;

    void setGroup(const QStringList& lines) {
        home->write(Group + u".vexo"_s, fileBytes(lines));
        book->reload();
    }
    QStringList group() const { return texts(*book->groupLines(Group)); }

    SyncReport sync(const QList<Resolution>& resolutions = {}, int confirm = -1) {
        SyncRunner runner(*book, Group, server->password());
        runner.setResolutions(resolutions);
        QSignalSpy finished(&runner, &SyncRunner::finished);
        connect(&runner, &SyncRunner::deletionNeedsConfirmation, &runner, [&](int) {
            if (confirm < 0) QTest::qFail("asked to confirm", __FILE__, __LINE__);
            runner.confirmDeletion(confirm == 1);
        });
        runner.start();
        if (!finished.wait(60000)) QTest::qFail("no end", __FILE__, __LINE__);
        return runner.report();
    }

private slots:
    void init() {
        home = std::make_unique<TempHome>();
        home->write(u"Ayarlar.cnt"_s, fileBytes({Group, datafolder::DefaultGroup, Group}));
        home->write(datafolder::DefaultGroup + u".vexo"_s, QByteArray());
        home->write(Group + u".vexo"_s, QByteArray());
        book = std::make_unique<PhoneBook>();
        book->loadGroupList();
        book->activateGroup(Group);
        server = std::make_unique<Radicale>();
        QVERIFY(server->start());
        QVERIFY(server->makeBook(Book));
        synclink::keep(Group, server->bookUrl(Book), server->user());
    }
    void cleanup() {
        server.reset();
        book.reset();
        home.reset();
    }

    void discoverySmoke() {
        for (QUrl url : {server->url(), server->bookUrl(Book), QUrl(server->url().toString() + u"ayse/"_s)}) {
            Discovery dis(url, server->user(), server->password());
            QSignalSpy done(&dis, &Discovery::finished);
            dis.start();
            QVERIFY(done.wait(20000));
            qDebug() << url << dis.failure();
            for (auto b : dis.books()) qDebug() << b.url << b.name;
        }
        Discovery dis(server->url(), server->user(), server->password());
        QSignalSpy done(&dis, &Discovery::finished);
        dis.create(u"İş Yeri"_s);
        QVERIFY(done.wait(20000));
        qDebug() << dis.failure();
        for (auto b : dis.books()) qDebug() << b.url << b.name;
    }
    void smoke() {
        server->putCard(Book, u"a.vcf"_s, card("a", "Ayşe Yılmaz", "Yılmaz;Ayşe;;;", "+90 532 123 45 67", "EMAIL:a@b.c\r\n"));
        setGroup({u"Can"_s, u"Öztürk"_s, u"05331112233"_s, u"Ayşe"_s, u"Yılmaz"_s, u"05321234567"_s});
        SyncReport r = sync();
        qDebug() << r.failure << r.lines() << r.summary();
        qDebug() << group();
        qDebug() << server->cards(Book);
        r = sync();
        qDebug() << r.failure << r.lines() << r.summary();
        setGroup({u"Can"_s, u"Öztürk"_s, u"05331112234"_s, u"Ayşe"_s, u"Yılmazer"_s, u"05321234567"_s});
        r = sync();
        qDebug() << r.failure << r.lines() << r.summary();
        qDebug() << server->cards(Book);
        qDebug() << home->read(u"../.Telefika.sync-4556"_s);
    }
};

QTEST_GUILESS_MAIN(TestSync)
#include "tst_sync.moc"
