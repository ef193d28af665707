// The sync of a group with a CardDAV address book, against a real server
// (radicale, started for each test function).

#include "sync/discovery.h"
#include "sync/syncrunner.h"
#include "tests/common/radicale.h"
#include "tests/common/temphome.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestSync : public QObject {
    Q_OBJECT
    std::unique_ptr<TempHome> home;
    std::unique_ptr<Radicale> server;

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

    void serverAnswers() {
        QVERIFY(server->makeBook(u"rehber"_s));
        QVERIFY(!server->putCard(u"rehber"_s, u"a.vcf"_s,
                                 "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:a\r\nFN:A B\r\nN:B;A;;;\r\nEND:VCARD\r\n")
                     .isEmpty());
        QCOMPARE(server->cardFiles(u"rehber"_s), QStringList{u"a.vcf"_s});
    }
};

QTEST_MAIN(TestSync)
#include "tst_sync.moc"
