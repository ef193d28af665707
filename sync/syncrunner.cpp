#include "sync/syncrunner.h"

#include "book/phonebook.h"
#include "store/codepage.h"
#include "store/contacts.h"
#include "store/storeerror.h"
#include "sync/davclient.h"
#include "sync/davxml.h"
#include "sync/syncwork.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

#include <memory>

using syncwork::ServerOp;

namespace {

const int BatchSize = 100;   // cards a multiget asks for
const int InFlight = 4;      // writes sent side by side
const int MaxAttempts = 3;   // a write that meets 412 again and again gives up
const int MaxParts = 1000;   // parts of one listing: a server that never ends it is stopped

const QString Malformed = QStringLiteral("Sunucunun cevabı bozuk.");

QByteArray syncCollection(const QString& token) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<D:sync-collection xmlns:D=\"DAV:\"><D:sync-token>" +
           davxml::escaped(token) +
           "</D:sync-token><D:sync-level>1</D:sync-level><D:prop><D:getetag/></D:prop></D:sync-collection>";
}

const QByteArray EtagsBody = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                             "<D:propfind xmlns:D=\"DAV:\"><D:prop><D:resourcetype/><D:getetag/></D:prop></D:propfind>";
const QByteArray CtagBody = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<D:propfind xmlns:D=\"DAV:\" xmlns:CS=\"http://calendarserver.org/ns/\"><D:prop>"
                            "<CS:getctag/></D:prop></D:propfind>";

QByteArray multiget(const QStringList& hrefs) {
    QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                      "<C:addressbook-multiget xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\">"
                      "<D:prop><D:getetag/><C:address-data/></D:prop>";
    for (const QString& href : hrefs) body += "<D:href>" + davxml::escaped(QString::fromLatin1(QUrl::toPercentEncoding(href, "/"))) + "</D:href>";
    return body + "</C:addressbook-multiget>";
}

}  // namespace

struct SyncRunner::Private {
    PhoneBook& book;
    QString group, password;
    SyncReport report;
    syncwork::Work work;
    std::unique_ptr<DavClient> client;
    bool running = false;
    bool waitingForConfirmation = false;
    bool stateLive = false;  // the state is written from the group's write on
    bool stateDirty = false;
    QTimer stateTimer;
    int fetchedCount = 0;
    int parts = 0;  // parts of the listing read so far
    int nextOp = 0, opsDone = 0;
    bool stopSending = false;
    QList<syncwork::Contact> lateAdds;

    Private(PhoneBook& b, const QString& g, const QString& p) : book(b), group(g), password(p) {}
    QUrl urlOf(const QString& href) const {
        QUrl url = work.state.book;
        url.setPath(href);
        return url;
    }
    bool isBook(const QString& href) const {
        const QString bookPath = work.state.book.path();
        return href == bookPath || href + QLatin1Char('/') == bookPath;
    }
    bool insideBook(const QString& href) const {
        const QString bookPath = work.state.book.path();
        return href.startsWith(bookPath) && href.size() > bookPath.size() && !href.endsWith(QLatin1Char('/'));
    }
};

SyncRunner::SyncRunner(PhoneBook& book, const QString& group, const QString& password, QObject* parent)
    : QObject(parent), d(new Private(book, group, password)) {
    d->stateTimer.setSingleShot(true);
    d->stateTimer.setInterval(200);
    connect(&d->stateTimer, &QTimer::timeout, this, [this] { writeState(); });
}

SyncRunner::~SyncRunner() {
    if (d->client) d->client->abortAll();
    if (d->stateLive && d->stateDirty) writeState();
    delete d;
}

void SyncRunner::setResolutions(const QList<Resolution>& resolutions) { d->work.resolutions = resolutions; }

bool SyncRunner::isRunning() const { return d->running; }

const SyncReport& SyncRunner::report() const { return d->report; }

void SyncRunner::start() {
    if (d->running) return;
    d->running = true;
    d->report = SyncReport();
    const QList<Resolution> resolutions = d->work.resolutions;
    d->work = syncwork::Work();
    d->work.resolutions = resolutions;
    d->work.report = &d->report;
    d->stateLive = d->stateDirty = d->stopSending = d->waitingForConfirmation = false;
    d->fetchedCount = d->nextOp = d->opsDone = 0;
    d->lateAdds.clear();
    QTimer::singleShot(0, this, [this] { begin(); });
}

void SyncRunner::begin() {
    if (!d->running) return;
    const std::optional<syncstate::State> state = syncstate::read(d->group);
    if (!state) return finish(QStringLiteral("Bu grup bir adres defterine bağlı değil."));
    std::optional<StringList> lines;
    try {
        lines = d->book.groupLines(d->group);
    } catch (const StoreError&) {
        return finish(QStringLiteral("Grup dosyası okunamadı."));
    }
    if (!lines) return finish(PhoneBook::GroupFileMissing);
    d->work.state = *state;
    QUrl& bookUrl = d->work.state.book;  // a collection: the cards' paths go below it
    if (!bookUrl.path().endsWith(QLatin1Char('/'))) bookUrl.setPath(bookUrl.path() + QLatin1Char('/'));
    d->work.lines = *lines;
    syncwork::diffLocal(d->work);
    d->client = std::make_unique<DavClient>(state->book, state->user, d->password, this);
    emit progress(QStringLiteral("Değişiklikler alınıyor"), 0, 0);
    if (!d->running) return;  // cancelled from the signal
    listChanges(d->work.state.token);
}

// The changes since the token (RFC 6578); every card with an empty one. A
// server may give them in parts, saying so with 507 on the book itself: the
// next part comes with the token of the last.
void SyncRunner::listChanges(const QString& token, bool nextPart) {
    if (!nextPart) {
        d->parts = 0;
        d->work.listed.clear();
        d->work.gone.clear();
        d->work.full = token.isEmpty();
    }
    d->client->send("REPORT", d->work.state.book, syncCollection(token), {{"Depth", "0"}},
                    [this, token](const DavClient::Answer& a) {
                        if (!a.ok()) return finish(a.failure);
                        if (a.status == 207) return listed(a.body, token);
                        const QStringList conditions = davxml::parseError(a.body).names;
                        const bool badToken = a.status == 400 || ((a.status == 403 || a.status == 409) &&
                                                                  conditions.contains(QLatin1String("valid-sync-token")));
                        if (!token.isEmpty() && badToken) return listChanges(QString());
                        if (a.status == 401 || a.status == 404 || (a.status >= 500 && a.status != 501))
                            return finish(DavClient::statusFailure(a.status));
                        checkCtag();  // no sync-collection here
                    },
                    DavClient::Wait::Listing);
}

// A server without sync-collection: its ctag, then every card's etag.
void SyncRunner::checkCtag() {
    d->work.listed.clear();
    d->work.gone.clear();
    d->work.full = false;
    d->client->send("PROPFIND", d->work.state.book, CtagBody, {{"Depth", "0"}}, [this](const DavClient::Answer& a) {
        if (!a.ok()) return finish(a.failure);
        if (a.status != 207) return finish(DavClient::statusFailure(a.status));
        const std::optional<davxml::Multistatus> m = davxml::parse(a.body);
        if (!m) return finish(Malformed);
        const QString ctag = m->responses.isEmpty() ? QString() : m->responses.first().ctag;
        d->work.ctag = ctag;
        if (!ctag.isEmpty() && ctag == d->work.state.ctag) {  // nothing changed there
            syncwork::planFetch(d->work);
            return fetchNext();
        }
        d->client->send("PROPFIND", d->work.state.book, EtagsBody, {{"Depth", "1"}}, [this](const DavClient::Answer& b) {
            if (!b.ok()) return finish(b.failure);
            if (b.status != 207) return finish(DavClient::statusFailure(b.status));
            d->work.full = true;
            listed(b.body, std::nullopt);
        }, DavClient::Wait::Listing);
    });
}

// One part of the listing; `sent` the token it was asked with, none for a
// PROPFIND. A later part's entries stand over an earlier one's.
void SyncRunner::listed(const QByteArray& body, const std::optional<QString>& sent) {
    const std::optional<davxml::Multistatus> m = davxml::parse(body);
    if (!m) return finish(Malformed);
    syncwork::Work& w = d->work;
    bool more = false;
    for (const davxml::Response& r : m->responses) {
        if (r.status == 507 && d->isBook(r.href)) more = true;
        if (!d->insideBook(r.href) || r.collection) continue;
        if (r.status == 404) {
            w.listed.remove(r.href);
            w.gone.insert(r.href);
        } else if (r.status / 100 == 2 && !r.etag.isEmpty()) {
            w.gone.remove(r.href);
            w.listed.insert(r.href, r.etag);
        }
    }
    if (sent) w.token = m->syncToken;
    if (more) {
        // a listing cut short and not going on: what is missing would read as deleted there
        if (!sent || m->syncToken.isEmpty() || m->syncToken == *sent || ++d->parts > MaxParts)
            return finish(QStringLiteral("Sunucu kartların listesini eksik verdi; hiçbir şey değişmedi."));
        return listChanges(m->syncToken, true);
    }
    syncwork::planFetch(w);
    fetchNext();
}

// The cards wanted, by addressbook-multiget, a batch at a time.
void SyncRunner::fetchNext() {
    const QStringList& all = d->work.toFetch;
    if (d->fetchedCount >= all.size()) return decideAll();
    emit progress(QStringLiteral("Kartlar alınıyor"), d->fetchedCount, int(all.size()));
    if (!d->running) return;
    const QStringList batch = all.mid(d->fetchedCount, BatchSize);
    d->client->send("REPORT", d->work.state.book, multiget(batch), {{"Depth", "1"}}, [this, batch](const DavClient::Answer& a) {
        if (!a.ok()) return finish(a.failure);
        if (a.status != 207) return finish(DavClient::statusFailure(a.status));
        const std::optional<davxml::Multistatus> m = davxml::parse(a.body);
        if (!m) return finish(Malformed);
        for (const davxml::Response& r : m->responses)
            if (batch.contains(r.href)) keepFetched(r);
        d->fetchedCount += int(batch.size());
        fetchNext();
    });
}

void SyncRunner::keepFetched(const davxml::Response& r) {
    syncwork::Work& w = d->work;
    syncwork::Fetched f;
    if (r.status == 404) {
        f.gone = true;
    } else {
        if (r.card.isEmpty()) return;  // no card given: as if unchanged
        f.etag = r.etag;
        f.read = cardmap::read(r.card);
        f.uid = cardmap::uidOf(r.card);
        // the bytes only of a card that a change here may be written into
        const int i = w.cardByHref.value(r.href, -1);
        const bool mayChange = i < 0 ? f.read.contact && w.localByNumber.contains(f.read.contact->number)
                                     : w.here[i] == syncwork::Here::Changed;
        if (mayChange) f.bytes = r.card;
    }
    w.fetched.insert(r.href, std::move(f));
}

void SyncRunner::decideAll() {
    syncwork::decide(d->work);
    if (d->work.needsConfirmation) {
        d->waitingForConfirmation = true;
        emit deletionNeedsConfirmation(d->work.serverDeletes);
        return;
    }
    applyHere();
}

void SyncRunner::confirmDeletion(bool confirmed) {
    if (!d->waitingForConfirmation) return;
    d->waitingForConfirmation = false;
    if (confirmed) return applyHere();
    finish(QStringLiteral("Sunucudaki kartlar silinmedi; eşitleme durduruldu."));
}

// The server's changes written into the group in one write, then the state
// with the cards about to be made: a kill from here on finds them.
void SyncRunner::applyHere() {
    syncwork::Work& w = d->work;
    emit progress(QStringLiteral("Grup yazılıyor"), 0, 0);
    if (!d->running) return;
    try {
        const std::optional<StringList> now = d->book.groupLines(d->group);
        if (!now || now->lines() != w.lines.lines())
            return finish(QStringLiteral("Grup eşitleme sırasında değişti; eşitlemeyi yeniden başlatın."));
        if (!w.removeHere.isEmpty() || !w.addHere.isEmpty()) d->book.replaceGroupLines(d->group, syncwork::linesAfter(w));
    } catch (const StoreError&) {
        return finish(QStringLiteral("Grup dosyası yazılamadı; hiçbir şey değişmedi."));
    }
    d->report.entries = w.hereEntries + d->report.entries;
    w.state.token = w.token;
    if (!w.ctag.isEmpty()) w.state.ctag = w.ctag;
    d->stateLive = true;
    // with nothing to send, the end writes the state at once
    if (!w.ops.isEmpty() && !writeState()) return;
    sendNext();
}

bool SyncRunner::writeState() {
    d->stateTimer.stop();
    d->stateDirty = false;
    try {
        QElapsedTimer took;
        took.start();
        syncstate::write(d->group, d->work.state);
        // a large state on a slow disk: written less often, so the writes
        // never take more than a third of the time
        d->stateTimer.setInterval(int(std::max<qint64>(200, 2 * took.elapsed())));
        return true;
    } catch (const StoreError&) {
        d->stateLive = false;  // nothing more is written
        finish(QStringLiteral("Eşitleme durumu yazılamadı."));
        return false;
    }
}

void SyncRunner::sendNext() {
    if (!d->running) return;
    const QList<ServerOp>& ops = d->work.ops;
    while (!d->stopSending && d->nextOp < ops.size() && d->client->running() < InFlight) send(d->nextOp++);
    if (d->client->running() == 0 && (d->stopSending || d->nextOp >= ops.size())) finishWrites();
}

void SyncRunner::send(int n) {
    const ServerOp& op = d->work.ops[n];
    const syncstate::Card& card = d->work.state.cards[op.card];
    const QUrl url = d->urlOf(card.href);
    const auto answered = [this, n](const DavClient::Answer& a) { opAnswered(n, a); };
    const QByteArray vcard = "text/vcard; charset=utf-8";
    switch (op.kind) {
    case ServerOp::Make:
        return d->client->send("PUT", url, cardmap::newCard(op.contact, card.uid),
                               {{"If-None-Match", "*"}, {"Content-Type", vcard}}, answered);
    case ServerOp::Change:
        return d->client->send("PUT", url, op.bytes, {{"If-Match", op.etag.toUtf8()}, {"Content-Type", vcard}}, answered);
    case ServerOp::Delete: return d->client->send("DELETE", url, {}, {{"If-Match", op.etag.toUtf8()}}, answered);
    case ServerOp::DeleteUnconfirmed: return d->client->send("DELETE", url, {}, {}, answered);
    }
}

void SyncRunner::opAnswered(int n, const DavClient::Answer& a) {
    ServerOp& op = d->work.ops[n];
    syncstate::Card& card = d->work.state.cards[op.card];
    if (!a.ok()) return failWrites(a.failure);
    const bool done = a.status / 100 == 2;
    if (op.kind == ServerOp::Delete || op.kind == ServerOp::DeleteUnconfirmed) {
        if (a.status == 412) return refetch(n);
        if (!done && a.status != 404) return failWrites(DavClient::statusFailure(a.status));
        if (op.kind == ServerOp::Delete)
            d->report.entries.append({SyncReport::Side::Server, SyncReport::Kind::Deleted,
                                      SyncContact{{}, {}, QString::fromLatin1(card.number)}, {}});
        card.href.clear();
        return opDone();
    }
    if (done) return made(n, a.etag);
    if (a.status == 412) return refetch(n);
    if (a.status == 404 && op.kind == ServerOp::Change) {  // deleted there meanwhile: made again
        op.kind = ServerOp::Make;
        card.etag.clear();
        return resend(n);
    }
    const davxml::ErrorCondition e = davxml::parseError(a.body);
    if (a.status == 409 && e.names.contains(QLatin1String("no-uid-conflict")) && d->insideBook(e.href)) {
        card.href = e.href;  // the card with this UID is there already: linked to it
        return refetch(n);
    }
    failWrites(DavClient::statusFailure(a.status));
}

// A card written: its new etag from the answer, else read again (a server
// may rewrite what it was sent); an old etag is never kept.
void SyncRunner::made(int n, const QByteArray& etag) {
    ServerOp& op = d->work.ops[n];
    syncstate::Card& card = d->work.state.cards[op.card];
    if (etag.isEmpty() && op.attempts <= MaxAttempts) {
        ++op.attempts;
        d->client->send("GET", d->urlOf(card.href), {}, {}, [this, n](const DavClient::Answer& a) {
            if (!a.ok()) return failWrites(a.failure);
            made(n, a.status == 200 && !a.etag.isEmpty() ? a.etag : syncstate::Unknown);
        });
        return;
    }
    card.etag = QString::fromUtf8(etag.isEmpty() ? syncstate::Unknown : etag);
    card.number = op.contact.number;
    card.digest = syncstate::digest(op.contact.name, op.contact.surname, op.contact.number);
    card.names = syncstate::namesDigest(op.contact.name, op.contact.surname);
    const auto kind = op.kind == ServerOp::Make ? SyncReport::Kind::Added : SyncReport::Kind::Changed;
    d->report.entries.append({SyncReport::Side::Server, kind, cardmap::shown(op.contact), op.reason});
    opDone();
}

// A write refused with 412 (or a card made already): the card read again
// and the write decided anew on it.
void SyncRunner::refetch(int n) {
    ServerOp& op = d->work.ops[n];
    if (++op.attempts > MaxAttempts) return failWrites(QStringLiteral("Sunucudaki kart yazılırken sürekli değişti."));
    const QString href = d->work.state.cards[op.card].href;
    d->client->send("GET", d->urlOf(href), {}, {}, [this, n](const DavClient::Answer& a) {
        if (!a.ok()) return failWrites(a.failure);
        ServerOp& current = d->work.ops[n];
        if (a.status == 404) {
            if (current.kind == ServerOp::Delete || current.kind == ServerOp::DeleteUnconfirmed) {
                d->work.state.cards[current.card].href.clear();
                return opDone();
            }
            current.kind = ServerOp::Make;
            return resend(n);
        }
        if (a.status != 200) return failWrites(DavClient::statusFailure(a.status));
        reconsider(n, a.body, a.etag);
    });
}

void SyncRunner::reconsider(int n, const QByteArray& bytes, const QByteArray& etag) {
    ServerOp& op = d->work.ops[n];
    syncstate::Card& card = d->work.state.cards[op.card];
    const cardmap::Read read = cardmap::read(bytes);
    const bool asLastSynced =
        read.contact && syncstate::digest(read.contact->name, read.contact->surname, read.contact->number) == card.digest;
    const bool deleting = op.kind == ServerOp::Delete || op.kind == ServerOp::DeleteUnconfirmed;
    if (deleting && (asLastSynced || op.kind == ServerOp::DeleteUnconfirmed)) {
        op.etag = QString::fromUtf8(etag);
        op.kind = ServerOp::Delete;
        return resend(n);
    }
    if (deleting) return comeBack(n, read, etag);  // deleted here, changed there
    if (read.contact && cardmap::sameAsSaved(*read.contact, op.contact)) return made(n, etag.isEmpty() ? syncstate::Unknown : etag);
    if (op.kind == ServerOp::Make || asLastSynced) {  // our own card, or changed there beside the contact only
        op.bytes = cardmap::patched(bytes, op.contact, read.contact ? read.contact->number : card.number);
        op.etag = QString::fromUtf8(etag);
        op.kind = ServerOp::Change;
        return resend(n);
    }
    d->report.conflicts.append({card.href, cardmap::shown(op.contact), read.shown});
    card.etag = QString::fromLatin1(syncstate::Unknown);
    opDone();
}

// A card deleted here that was changed there meanwhile comes back here.
void SyncRunner::comeBack(int n, const cardmap::Read& read, const QByteArray& etag) {
    syncstate::Card& card = d->work.state.cards[d->work.ops[n].card];
    if (!read.contact) {
        d->report.entries.append({SyncReport::Side::Server, SyncReport::Kind::LeftOut, read.shown, read.reason});
        card.href.clear();
        return opDone();
    }
    card.etag = QString::fromUtf8(etag.isEmpty() ? syncstate::Unknown : etag);
    card.number = read.contact->number;
    card.digest = syncstate::digest(read.contact->name, read.contact->surname, read.contact->number);
    card.names = syncstate::namesDigest(read.contact->name, read.contact->surname);
    d->lateAdds.append(*read.contact);
    opDone();
}

void SyncRunner::resend(int n) {
    if (++d->work.ops[n].attempts > MaxAttempts + 2) return failWrites(QStringLiteral("Sunucudaki kart yazılamadı."));
    if (d->stopSending) return sendNext();
    if (d->work.ops[n].kind == ServerOp::Make) {
        d->work.state.cards[d->work.ops[n].card].etag.clear();
        if (!writeState()) return;  // recorded as being made before it is sent
    }
    send(n);
}

void SyncRunner::opDone() {
    ++d->opsDone;
    emit progress(QStringLiteral("Kartlar gönderiliyor"), d->opsDone, int(d->work.ops.size()));
    if (!d->running) return;
    d->stateDirty = true;
    if (!d->stateTimer.isActive()) d->stateTimer.start();
    sendNext();
}

void SyncRunner::failWrites(const QString& failure) {
    if (d->report.failure.isEmpty()) d->report.failure = failure;
    d->stopSending = true;
    sendNext();
}

// Cards that came back here while being deleted there go into the group in
// a second write; then the sync ends.
void SyncRunner::finishWrites() {
    if (!d->lateAdds.isEmpty()) {
        try {
            std::optional<StringList> lines = d->book.groupLines(d->group);
            if (!lines) return finish(PhoneBook::GroupFileMissing);
            StringList index(true);
            rebuildNameIndex(*lines, index);
            std::vector<contacts::NewContact> added;
            for (const syncwork::Contact& c : std::as_const(d->lateAdds)) {
                const bool taken = contacts::lookupNumberLine(*lines, codepage::decode(c.number)) >= 0;
                d->report.entries.append({SyncReport::Side::Here, taken ? SyncReport::Kind::LeftOut : SyncReport::Kind::Added,
                                          cardmap::shown(c),
                                          taken ? QStringLiteral("Bu numara grupta zaten var")
                                                : QStringLiteral("burada silinmişti, sunucuda değiştiği için geri geldi")});
                if (!taken) added.push_back({c.name, c.surname, c.number});
            }
            contacts::placeContacts(*lines, index, added);
            d->book.replaceGroupLines(d->group, *lines);
        } catch (const StoreError&) {
            return finish(QStringLiteral("Grup dosyası yazılamadı."));
        }
        d->lateAdds.clear();
    }
    finish(QString());
}

void SyncRunner::cancel() {
    if (!d->running) return;
    d->report.cancelled = true;
    finish(QString());
}

// The end: what was done stays recorded, the state written once more.
void SyncRunner::finish(const QString& failure) {
    if (!d->running) return;
    if (!failure.isEmpty() && d->report.failure.isEmpty()) d->report.failure = failure;
    if (d->client) d->client->abortAll();
    d->stateTimer.stop();
    if (d->stateLive) {
        if (d->report.succeeded()) d->work.state.lastSync = QDateTime::currentDateTimeUtc();
        try {
            syncstate::write(d->group, d->work.state);
        } catch (const StoreError&) {
            if (d->report.failure.isEmpty()) d->report.failure = QStringLiteral("Eşitleme durumu yazılamadı.");
        }
        d->stateLive = d->stateDirty = false;
    }
    d->running = false;
    d->waitingForConfirmation = false;
    QTimer::singleShot(0, this, &SyncRunner::finished);
}
