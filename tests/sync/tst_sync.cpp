// The sync of a group with a CardDAV address book, against a real server
// (radicale, started for each test function), and against a peer that
// answers as a broken server would.

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "sync/cardmap.h"
#include "sync/davclient.h"
#include "sync/discovery.h"
#include "sync/synclink.h"
#include "sync/syncrunner.h"
#include "sync/syncstate.h"
#include "tests/common/radicale.h"
#include "tests/common/temphome.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString Group = u"Ev"_s;
const QString Book = u"rehber"_s;
using Cards = QMap<QString, QByteArray>;  // file name -> card; an empty card deletes it

QByteArray card(const QByteArray& uid, const QByteArray& name, const QByteArray& surname, const QByteArray& tel,
                const QByteArray& extra = QByteArray()) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nFN:" + name + ' ' + surname + "\r\nN:" + surname + ';' +
           name + ";;;\r\nTEL;TYPE=CELL:" + tel + "\r\n" + extra + "END:VCARD\r\n";
}

const QStringList base{u"Ayşe"_s, u"Yılmaz"_s, u"05321234567"_s, u"Can"_s, u"Öz"_s, u"05331112233"_s,
                       u"Mehmet"_s, u"Kaya"_s, u"05441112233"_s};
const QStringList onBase{u"Ayşe Yılmaz 05321234567"_s, u"Can Öz 05331112233"_s, u"Mehmet Kaya 05441112233"_s};
const QStringList noMehmet = base.mid(0, 6);
QStringList with(QStringList lines, int i, const QString& line) {
    lines[i] = line;
    return lines;
}
const QStringList ayseYildiz = with(base, 1, u"Yıldız"_s);
const QByteArray yilmazer = card("a", "Ayşe", "Yılmazer", "05321234567");
const QString conflict = u"Çakışma: burada Ayşe Yıldız 05321234567, sunucuda Ayşe Yılmazer 05321234567"_s;

// A peer that answers the requests in turn with `answers`, the last one
// again and again, and keeps the requests.
class Peer : public QTcpServer {
public:
    explicit Peer(const QByteArray& answer) : Peer(QList<QByteArray>{answer}) {}
    explicit Peer(const QList<QByteArray>& answers) : answers_(answers) {
        listen(QHostAddress::Any);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                const QByteArray bytes = socket->readAll();
                requests += bytes;
                QByteArray& pending = pending_[socket];
                pending += bytes;
                for (qsizetype end; (end = pending.indexOf("\r\n\r\n")) >= 0;) {
                    const QByteArray head = pending.left(end).toLower();
                    const qsizetype at = head.indexOf("\ncontent-length:");
                    const qsizetype length = at < 0 ? 0 : head.mid(at + 16).split('\r').first().trimmed().toLongLong();
                    if (pending.size() < end + 4 + length) break;
                    pending.remove(0, end + 4 + length);
                    socket->write(answers_.at(std::min(served_++, answers_.size() - 1)));
                }
            });
        });
    }
    QUrl url(const QString& host = u"127.0.0.1"_s) const { return QUrl(u"http://%1:%2/ayse/rehber/"_s.arg(host).arg(serverPort())); }
    QByteArray requests;

private:
    QList<QByteArray> answers_;
    qsizetype served_ = 0;
    QHash<QTcpSocket*, QByteArray> pending_;
};

QByteArray multistatus(const QByteArray& inside) {
    const QByteArray body = "<D:multistatus xmlns:D='DAV:' xmlns:C='urn:ietf:params:xml:ns:carddav' "
                            "xmlns:CS='http://calendarserver.org/ns/'>" + inside + "</D:multistatus>";
    return "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\n\r\n" + body;
}
QByteArray entry(const QByteArray& file, const QByteArray& card = {}) {
    return "<D:response><D:href>/ayse/rehber/" + file + "</D:href><D:propstat><D:prop><D:getetag>\"" + file +
           "\"</D:getetag>" + (card.isEmpty() ? "" : "<C:address-data>" + card + "</C:address-data>") +
           "</D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>";
}
// A listing's part that says more is to come, with its token.
QByteArray partOf(const QByteArray& inside, const QByteArray& token) {
    return inside + "<D:response><D:href>/ayse/rehber/</D:href><D:status>HTTP/1.1 507 Insufficient Storage</D:status>"
                    "</D:response><D:sync-token>" + token + "</D:sync-token>";
}

// The rows of syncBothWays: a change on one side; on both sides, and the rest.
void oneSideRows() {
    QTest::newRow("nothing changed") << Cards() << base << QString() << QString() << QStringList() << base << onBase << QStringList();
    QTest::newRow("changed here")
        << Cards() << ayseYildiz << QString() << QString() << QStringList{u"Sunucuda değiştirildi: Ayşe Yıldız 05321234567"_s}
        << ayseYildiz << QStringList{u"Ayşe Yıldız 05321234567"_s, onBase[1], onBase[2]} << QStringList();
    QTest::newRow("number changed here")
        << Cards() << with(base, 5, u"05339998877"_s) << QString() << QString()
        << QStringList{u"Sunucuda değiştirildi: Can Öz 05339998877"_s} << with(base, 5, u"05339998877"_s) << QStringList{onBase[0], u"Can Öz 05339998877"_s, onBase[2]} << QStringList();
    QTest::newRow("changed there")
        << Cards{{u"b.vcf"_s, card("b", "Mehmet", "Kaya", "05441112299")}} << base << QString() << QString()
        << QStringList{u"Burada değiştirildi: Mehmet Kaya 05441112299"_s} << with(base, 8, u"05441112299"_s)
        << QStringList{onBase[0], onBase[1], u"Mehmet Kaya 05441112299"_s} << QStringList();
    QTest::newRow("deleted here") << Cards() << noMehmet << QString() << QString()
                                  << QStringList{u"Sunucuda silindi: 05441112233"_s} << noMehmet << onBase.mid(0, 2) << QStringList();
    QTest::newRow("deleted there") << Cards{{u"a.vcf"_s, {}}} << base << QString() << QString()
                                   << QStringList{u"Burada silindi: Ayşe Yılmaz 05321234567"_s} << base.mid(3)
                                   << onBase.mid(1) << QStringList();
    QTest::newRow("changed on both sides") << Cards{{u"a.vcf"_s, yilmazer}} << ayseYildiz << QString() << QString()
                                           << QStringList{conflict} << ayseYildiz
                                           << QStringList{u"Ayşe Yılmazer 05321234567"_s, onBase[1], onBase[2]}
                                           << QStringList{conflict};
}
void bothSidesRows() {
    QTest::newRow("both, the server's taken")
        << Cards{{u"a.vcf"_s, yilmazer}} << ayseYildiz << QString() << u"server"_s
        << QStringList{u"Burada değiştirildi: Ayşe Yılmazer 05321234567"_s} << with(base, 1, u"Yılmazer"_s)
        << QStringList{u"Ayşe Yılmazer 05321234567"_s, onBase[1], onBase[2]} << QStringList();
    QTest::newRow("both, this side's taken")
        << Cards{{u"a.vcf"_s, yilmazer}} << ayseYildiz << QString() << u"here"_s
        << QStringList{u"Sunucuda değiştirildi: Ayşe Yıldız 05321234567"_s} << ayseYildiz
        << QStringList{u"Ayşe Yıldız 05321234567"_s, onBase[1], onBase[2]} << QStringList();
    QTest::newRow("deleted here, changed there")
        << Cards{{u"b.vcf"_s, card("b", "Mehmet", "Kayalı", "05441112233")}} << noMehmet << QString() << QString()
        << QStringList{u"Buraya eklendi: Mehmet Kayalı 05441112233 (burada silinmişti, sunucuda değiştiği için geri geldi)"_s}
        << noMehmet + QStringList{u"Mehmet"_s, u"Kayalı"_s, u"05441112233"_s}
        << QStringList{onBase[0], onBase[1], u"Mehmet Kayalı 05441112233"_s} << QStringList();
    QTest::newRow("changed here, deleted there")
        << Cards{{u"a.vcf"_s, {}}} << ayseYildiz << QString() << QString()
        << QStringList{u"Sunucuya eklendi: Ayşe Yıldız 05321234567 (sunucuda silinmişti, yeniden yapıldı)"_s}
        << ayseYildiz << QStringList{u"Ayşe Yıldız 05321234567"_s, onBase[1], onBase[2]} << QStringList();
    QTest::newRow("token refused") << Cards() << base << u"token"_s << QString() << QStringList() << base << onBase
                                   << QStringList();
    QTest::newRow("cards made before a kill")
        << Cards() << base << u"made"_s << QString()
        << QStringList{u"Sunucuya eklendi: Ayşe Yılmaz 05321234567"_s, u"Sunucuya eklendi: Can Öz 05331112233"_s,
                       u"Sunucuya eklendi: Mehmet Kaya 05441112233"_s}
        << base << onBase << QStringList();
    QTest::newRow("a card left out")
        << Cards{{u"c.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:c\r\nFN:Zeynep Ak\r\nN:Ak;Zeynep;;;\r\nEND:VCARD\r\n"}} << base
        << QString() << QString() << QStringList{u"Dışarıda kaldı: Zeynep Ak (Numara yok)"_s} << base
        << QStringList{u"-"_s} + onBase << QStringList();
    QTest::newRow("Turkish letters both ways")
        << Cards{{u"c.vcf"_s, card("c", "Çağrı", "Üstündağ", "05061234567")}}
        << base.mid(0, 6) + QStringList{u"ismail"_s, u"Işıkgöz"_s, u"05051234567"_s} + base.mid(6) << QString() << QString()
        << QStringList{u"Buraya eklendi: Çağrı Üstündağ 05061234567"_s, u"Sunucuya eklendi: ismail Işıkgöz 05051234567"_s}
        << base.mid(0, 6) + QStringList{u"Çağrı"_s, u"Üstündağ"_s, u"05061234567"_s, u"ismail"_s, u"Işıkgöz"_s, u"05051234567"_s} + base.mid(6)
        << onBase + QStringList{u"ismail Işıkgöz 05051234567"_s, u"Çağrı Üstündağ 05061234567"_s} << QStringList();
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
    void putCards(const Cards& cards) {
        for (auto it = cards.begin(); it != cards.end(); ++it)
            QVERIFY(it->isEmpty() ? server->deleteCard(Book, it.key()) : !server->putCard(Book, it.key(), *it).isEmpty());
    }
    // The server's cards as the group would read them.
    QStringList onServer() const {
        QStringList out;
        for (const QByteArray& bytes : server->cards(Book)) {
            const cardmap::Read r = cardmap::read(bytes);
            out.append(r.contact ? QStringList{r.shown.name, r.shown.surname, r.shown.number}.join(u' ') : u"-"_s);
        }
        std::sort(out.begin(), out.end());
        return out;
    }
    SyncReport runSync(const QList<Resolution>& resolutions = {}, int confirm = -1, const QString& password = {}) {
        SyncRunner runner(*book, Group, password.isNull() ? server->password() : password);
        runner.setResolutions(resolutions);
        QSignalSpy finished(&runner, &SyncRunner::finished);
        int asked = 0;
        connect(&runner, &SyncRunner::deletionNeedsConfirmation, &runner, [&](int cards) {
            asked = cards;
            runner.confirmDeletion(confirm == 1);
        });
        runner.start();
        if (!finished.wait(60000)) QTest::qFail("the sync did not end", __FILE__, __LINE__);
        SyncReport report = runner.report();
        if ((asked > 0) != (confirm >= 0)) report.failure += u" (confirmation asked: %1)"_s.arg(asked);
        return report;
    }
    static QStringList sorted(QStringList lines) {
        std::sort(lines.begin(), lines.end());
        return lines;
    }

private slots:
    void init() {
        home = std::make_unique<TempHome>();
        home->write(u"Ayarlar.cnt"_s, fileBytes({Group, datafolder::DefaultGroup, Group}));
        home->write(datafolder::DefaultGroup + u".vexo"_s, QByteArray());
        home->write(Group + u".vexo"_s, QByteArray());
        book = std::make_unique<PhoneBook>();
        book->loadGroupList();
        server = std::make_unique<Radicale>();
        QVERIFY(server->start());
        QVERIFY(server->makeBook(Book));
        synclink::keep(Group, server->bookUrl(Book), server->user());
    }
    void cleanup() {
        DavClient::setTimeoutMs(DavClient::DefaultTimeoutMs);
        server.reset();
        book.reset();
        home.reset();
    }

    void discovery_data() {
        QTest::addColumn<QString>("address");  // "server", "book", "principal", "closed", "missing"
        QTest::addColumn<QString>("password");
        QTest::addColumn<QStringList>("books");
        QTest::addColumn<QString>("failure");
        const QString right = u"gizli-şifre-1"_s;
        QTest::newRow("the server's address") << u"server"_s << right << QStringList{u"rehber"_s} << QString();
        QTest::newRow("the book's own") << u"book"_s << right << QStringList{u"rehber"_s} << QString();
        QTest::newRow("the user's") << u"principal"_s << right << QStringList{u"rehber"_s} << QString();
        QTest::newRow("wrong password") << u"server"_s << u"gizli"_s << QStringList() << u"Kullanıcı adı ya da parola yanlış."_s;
        QTest::newRow("no server there") << u"closed"_s << right << QStringList() << u"Sunucuya bağlanılamadı."_s;
        QTest::newRow("no such book") << u"missing"_s << right << QStringList() << u"Sunucuda bu adres bulunamadı (404)."_s;
    }
    void discovery() {
        QFETCH(QString, address);
        QFETCH(QString, password);
        const QMap<QString, QUrl> addresses{{u"server"_s, server->url()},
                                            {u"book"_s, server->bookUrl(Book)},
                                            {u"principal"_s, server->url().resolved(QUrl(u"/ayse/"_s))},
                                            {u"closed"_s, QUrl(u"http://127.0.0.1:1/"_s)},
                                            {u"missing"_s, server->bookUrl(u"yok"_s)}};
        Discovery discovery(addresses[address], server->user(), password);
        QSignalSpy finished(&discovery, &Discovery::finished);
        discovery.start();
        QVERIFY(finished.wait(20000));
        QFETCH(QStringList, books);
        QFETCH(QString, failure);
        QStringList found;
        for (const AddressBook& b : discovery.books()) found.append(b.name);
        QCOMPARE(found, books);
        QCOMPARE(discovery.failure(), failure);
    }

    // A new book named after the group, twice: the second gets the next address.
    void createBook() {
        for (const QString& expected : {u"/ayse/is-yeri-ogu/"_s, u"/ayse/is-yeri-ogu-2/"_s}) {
            Discovery discovery(server->url(), server->user(), server->password());
            QSignalSpy finished(&discovery, &Discovery::finished);
            discovery.create(u"İş Yeri: Oğu"_s);
            QVERIFY(finished.wait(20000));
            QCOMPARE(discovery.failure(), QString());
            QCOMPARE(discovery.books().size(), 1);
            QCOMPARE(discovery.books().first().url.path(), expected);
        }
    }

    // A first sync that matches both sides by number, a change on either side
    // or both, and a third sync that finds nothing left to do.
    void syncBothWays_data() {
        QTest::addColumn<Cards>("serverChange");
        QTest::addColumn<QStringList>("groupBetween");
        QTest::addColumn<QString>("stateEdit");  // "token": one the server refuses; "made": every card being made
        QTest::addColumn<QString>("take");       // the resolution for a.vcf
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<QStringList>("groupAfter");
        QTest::addColumn<QStringList>("serverAfter");
        QTest::addColumn<QStringList>("again");
        oneSideRows();
        bothSidesRows();
    }
    void syncBothWays() {
        QFETCH(Cards, serverChange);
        QFETCH(QStringList, groupBetween);
        QFETCH(QString, stateEdit);
        QFETCH(QString, take);
        putCards({{u"a.vcf"_s, card("a", "Ayşe", "Yılmaz", "+90 532 123 45 67")}, {u"b.vcf"_s, card("b", "Mehmet", "Kaya", "0544 111 22 33")}});
        setGroup({u"Ayşe"_s, u"Yılmaz"_s, u"05321234567"_s, u"Can"_s, u"Öz"_s, u"05331112233"_s});
        QCOMPARE(sorted(runSync().lines()),
                 (QStringList{u"Buraya eklendi: Mehmet Kaya 05441112233"_s, u"Sunucuya eklendi: Can Öz 05331112233"_s}));
        putCards(serverChange);
        setGroup(groupBetween);
        std::optional<syncstate::State> state = syncstate::read(Group);
        if (stateEdit == u"token"_s) state->token = u"http://radicale.org/ns/sync/0123"_s;
        for (syncstate::Card& c : state->cards)
            if (stateEdit == u"made"_s) c.etag.clear();
        syncstate::write(Group, *state);
        QList<Resolution> resolutions;
        if (!take.isEmpty())
            resolutions.append({server->bookUrl(Book).path() + u"a.vcf"_s, take == u"here"_s ? Resolution::Take::Here : Resolution::Take::Server});
        const SyncReport report = runSync(resolutions);
        QCOMPARE(report.failure, QString());
        QTEST(sorted(report.lines()), "report");
        QTEST(group(), "groupAfter");
        QTEST(onServer(), "serverAfter");
        QTEST(runSync(resolutions).lines(), "again");
    }

    // A change here touches the server's card in its N, FN and the one TEL
    // alone: every other line stays as the server had it.
    void serverCardKeepsItsLines() {
        putCards({{u"a.vcf"_s, card("a", "Ayşe", "Yılmaz", "+90 532 123 45 67",
                                    "TEL;TYPE=HOME:0212 555 00 00\r\nEMAIL:ayse@example.com\r\nNOTE:Uzun bir not\\, iki satırlık: "
                                    "katlanarak yazılır ve öyle kalır\r\nX-TAKMA-AD:Ayşecik\r\n")}});
        QCOMPARE(runSync().failure, QString());
        // the lines of the card that differ from the last ones seen
        QList<QByteArray> last = server->card(Book, u"a.vcf"_s).split('\n');
        const auto changedLines = [&] {
            const QList<QByteArray> now = server->card(Book, u"a.vcf"_s).split('\n');
            QStringList changed;
            if (now.size() != last.size()) changed.append(u"lines: %1 -> %2"_s.arg(last.size()).arg(now.size()));
            for (int i = 0; i < now.size(); ++i)
                if (i >= last.size() || now[i] != last[i]) changed.append(QString::fromUtf8(now[i]).trimmed());
            last = now;
            return changed;
        };
        setGroup({u"Ayşegül"_s, u"Yılmaz"_s, u"05321234567"_s});
        QCOMPARE(runSync().lines(), QStringList{u"Sunucuda değiştirildi: Ayşegül Yılmaz 05321234567"_s});
        QCOMPARE(changedLines(), (QStringList{u"FN:Ayşegül Yılmaz"_s, u"N:Yılmaz;Ayşegül;;;"_s}));
        setGroup({u"Ayşegül"_s, u"Yılmaz"_s, u"05329998877"_s});
        QCOMPARE(runSync().lines(), QStringList{u"Sunucuda değiştirildi: Ayşegül Yılmaz 05329998877"_s});
        QCOMPARE(changedLines(), QStringList{u"TEL;TYPE=CELL:+905329998877"_s});
    }

    // A file written elsewhere keeps "İsmail" where the card reads back as
    // "ismail": one name, so the phone touching the card's other lines while
    // the surname changes here is a change here alone, not a conflict.
    void dottedCapitalIsOneName() {
        setGroup({u"İsmail"_s, u"Işık"_s, u"05051234567"_s});
        QCOMPARE(runSync().lines(), QStringList{u"Sunucuya eklendi: İsmail Işık 05051234567"_s});
        const QString file = syncstate::read(Group)->cards.value(0).href.section(u'/', -1);
        putCards({{file, server->card(Book, file).replace("END:VCARD", "EMAIL:ismail@example.com\r\nEND:VCARD")}});
        setGroup({u"İsmail"_s, u"Işıkgöz"_s, u"05051234567"_s});
        QCOMPARE(runSync().lines(), QStringList{u"Sunucuda değiştirildi: İsmail Işıkgöz 05051234567"_s});
        QVERIFY(server->card(Book, file).contains("EMAIL:ismail@example.com"));
        // the same change made on both sides, as a sync killed after its write leaves it
        putCards({{file, server->card(Book, file).replace("Işıkgöz", "Işıkcan").replace("İsmail", "ismail")}});
        setGroup({u"İsmail"_s, u"Işıkcan"_s, u"05051234567"_s});
        const SyncReport same = runSync();
        QCOMPARE(same.lines(), QStringList());
        QCOMPARE(same.conflicts.size(), 0);
    }

    // A sync stopped at a stage and run again: each contact once on each side.
    void cancelledAndRunAgain_data() {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<int>("done");
        QTest::newRow("listing") << u"Değişiklikler alınıyor"_s << 0;
        QTest::newRow("fetching") << u"Kartlar alınıyor"_s << 0;
        QTest::newRow("sending") << u"Kartlar gönderiliyor"_s << 7;
    }
    void cancelledAndRunAgain() {
        QStringList lines;
        for (int i = 10; i < 40; ++i) {
            QVERIFY(!server->putCard(Book, u"s%1.vcf"_s.arg(i), card("s" + QByteArray::number(i), "Sunucu", "Kişi", "05320000" + QByteArray::number(i * 10))).isEmpty());
            lines << u"Yerel"_s << u"Kişi %1"_s.arg(i) << u"0533000%1"_s.arg(i * 10);
        }
        setGroup(lines);
        SyncRunner runner(*book, Group, server->password());
        QSignalSpy finished(&runner, &SyncRunner::finished);
        QFETCH(QString, stage);
        QFETCH(int, done);
        connect(&runner, &SyncRunner::progress, &runner, [&](const QString& s, int d) {
            if (s == stage && d >= done) runner.cancel();
        });
        runner.start();
        QVERIFY(finished.wait(60000));
        QVERIFY(runner.report().cancelled);
        QCOMPARE(runSync().failure, QString());
        QCOMPARE(group().size(), 180);
        const QStringList all = onServer();
        QCOMPARE(all.size(), 60);
        QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), 60);
    }

    // Every contact synced gone here: the sync asks before it deletes the cards there.
    void emptiedGroupAsks_data() {
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QStringList>("serverAfter");
        QTest::newRow("yes") << true << QString() << QStringList();
        QTest::newRow("no") << false << u"Sunucudaki kartlar silinmedi; eşitleme durduruldu."_s
                            << QStringList{u"Can Öz 05331112233"_s};
    }
    void emptiedGroupAsks() {
        setGroup({u"Can"_s, u"Öz"_s, u"05331112233"_s});
        QCOMPARE(runSync().failure, QString());
        setGroup({});
        QFETCH(bool, confirmed);
        QTEST(runSync({}, confirmed ? 1 : 0).failure, "failure");
        QTEST(onServer(), "serverAfter");
    }

    // A broken server: a Turkish reason, and nothing changed here.
    void brokenServer_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("failure");
        const QByteArray xml = "HTTP/1.1 207 Multi-Status\r\nContent-Type: application/xml\r\nContent-Length: ";
        QTest::newRow("malformed") << xml + "24\r\n\r\n<D:multistatus xmlns:D='" << u"Sunucunun cevabı bozuk."_s;
        QTest::newRow("huge") << xml + "90000000\r\n\r\n<D:multistatus xmlns:D='DAV:'>" << u"Sunucunun cevabı çok büyük."_s;
        QTest::newRow("slow") << QByteArray() << u"Sunucu zamanında cevap vermedi."_s;
        QTest::newRow("redirect loop") << QByteArray("HTTP/1.1 307 Temporary Redirect\r\nLocation: /ayse/rehber/\r\nContent-Length: 0\r\n\r\n")
                                       << u"Sunucu bir yönlendirme döngüsüne girdi."_s;
        QTest::newRow("401") << QByteArray("HTTP/1.1 401 Unauthorized\r\nContent-Length: 0\r\n\r\n") << u"Kullanıcı adı ya da parola yanlış."_s;
        QTest::newRow("403") << QByteArray("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n") << u"Sunucu bu işe izin vermedi (403)."_s;
        QTest::newRow("404") << QByteArray("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n") << u"Sunucuda bu adres bulunamadı (404)."_s;
        QTest::newRow("503") << QByteArray("HTTP/1.1 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n")
                             << u"Sunucuda bir hata oldu (503); daha sonra yeniden deneyin."_s;
    }
    void brokenServer() {
        QFETCH(QByteArray, answer);
        Peer peer(answer);
        DavClient::setTimeoutMs(1000);
        setGroup({u"Can"_s, u"Öz"_s, u"05331112233"_s});
        synclink::keep(Group, peer.url(), server->user());
        const QByteArray state = bytesOf(syncstate::path(Group));
        QTEST(runSync().failure, "failure");
        QCOMPARE(group(), (QStringList{u"Can"_s, u"Öz"_s, u"05331112233"_s}));
        QCOMPARE(bytesOf(syncstate::path(Group)), state);
    }

    // A listing the server gives in parts: every part is read; one cut
    // short that does not go on changes nothing. A server without
    // sync-collection: its ctag, then the etags by PROPFIND.
    void listing_data() {
        QTest::addColumn<QList<QByteArray>>("answers");
        QTest::addColumn<QStringList>("groupAfter");
        QTest::addColumn<QString>("failure");
        const QByteArray ayse = card("a", "Ayşe", "Yılmaz", "05321234567"), mehmet = card("m", "Mehmet", "Kaya", "05441112233");
        QTest::newRow("two parts") << QList<QByteArray>{multistatus(partOf(entry("a.vcf"), "t1")),
                                                        multistatus(entry("m.vcf") + "<D:sync-token>t2</D:sync-token>"),
                                                        multistatus(entry("a.vcf", ayse) + entry("m.vcf", mehmet))}
                                   << QStringList{u"Ayşe"_s, u"Yılmaz"_s, u"05321234567"_s, u"Mehmet"_s, u"Kaya"_s, u"05441112233"_s}
                                   << QString();
        QTest::newRow("cut short") << QList<QByteArray>{multistatus(partOf(entry("a.vcf"), "t1"))} << QStringList()
                                   << u"Sunucu kartların listesini eksik verdi; hiçbir şey değişmedi."_s;
        QTest::newRow("no sync-collection")
            << QList<QByteArray>{"HTTP/1.1 501 Not Implemented\r\nContent-Length: 0\r\n\r\n",
                                 multistatus("<D:response><D:href>/ayse/rehber/</D:href><D:propstat><D:prop><CS:getctag>c1"
                                             "</CS:getctag></D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>"),
                                 multistatus(entry("a.vcf")), multistatus(entry("a.vcf", ayse))}
            << QStringList{u"Ayşe"_s, u"Yılmaz"_s, u"05321234567"_s} << QString();
    }
    void listing() {
        QFETCH(QList<QByteArray>, answers);
        Peer peer(answers);
        synclink::keep(Group, peer.url(), server->user());
        QTEST(runSync().failure, "failure");
        QTEST(group(), "groupAfter");
    }

    // Credentials go to the address's own host, never on to another after a redirect.
    void noCredentialsAcrossHosts() {
        Peer other("HTTP/1.1 401 Unauthorized\r\nContent-Length: 0\r\n\r\n");
        Peer first("HTTP/1.1 307 Temporary Redirect\r\nLocation: " + other.url(u"localhost"_s).toEncoded() +
                   "\r\nContent-Length: 0\r\n\r\n");
        synclink::keep(Group, first.url(), server->user());
        runSync();
        QVERIFY(first.requests.contains("Authorization: Basic"));
        QVERIFY(other.requests.startsWith("REPORT /ayse/rehber/"));
        QVERIFY(!other.requests.contains("Authorization"));
    }
};

QTEST_GUILESS_MAIN(TestSync)
#include "tst_sync.moc"
