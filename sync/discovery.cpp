#include "sync/discovery.h"

#include "sync/davclient.h"
#include "sync/davxml.h"

#include <QTimer>

namespace {

const QByteArray FindBody =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<D:propfind xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><D:prop>"
    "<D:resourcetype/><D:displayname/><D:current-user-principal/><C:addressbook-home-set/>"
    "</D:prop></D:propfind>";

const QString NothingFound = QStringLiteral("Bu adreste bir adres defteri bulunamadı.");
const QString NoCardDavAnswer = QStringLiteral("Sunucunun cevabı bozuk: bir CardDAV sunucusu değil mi?");

// ASCII letters and digits from a name, the Turkish letters without their marks.
QString slugOf(const QString& name) {
    static const QString from = QStringLiteral("çÇğĞıIİöÖşŞüÜâÂîÎûÛ");
    static const QString to = QStringLiteral("ccggiiioossuuaaiiuu");
    QString slug;
    for (QChar c : name) {
        const qsizetype at = from.indexOf(c);
        if (at >= 0) c = to.at(at);
        c = c.toLower();
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            slug += c;
        else if (!slug.isEmpty() && !slug.endsWith(QLatin1Char('-')))
            slug += QLatin1Char('-');
    }
    while (slug.endsWith(QLatin1Char('-'))) slug.chop(1);
    return slug.left(40).isEmpty() ? QStringLiteral("rehber") : slug.left(40);
}

QUrl withSlash(QUrl url) {
    if (!url.path().endsWith(QLatin1Char('/'))) url.setPath(url.path() + QLatin1Char('/'));
    return url;
}

}  // namespace

struct Discovery::Private {
    QUrl address;
    DavClient client;
    QString failure;
    QList<AddressBook> books;
    QUrl home;              // the addressbook-home-set, once found
    QString creating;       // the name of the book to make after discovery
    bool wellKnownTried = false;
    bool running = false;
    Private(const QUrl& a, const QString& user, const QString& password)
        : address(a), client(a, user, password) {}
};

Discovery::Discovery(const QUrl& address, const QString& user, const QString& password, QObject* parent)
    : QObject(parent), d(new Private(address, user, password)) {}

Discovery::~Discovery() { delete d; }

QString Discovery::failure() const { return d->failure; }

const QList<AddressBook>& Discovery::books() const { return d->books; }

bool Discovery::isUnencrypted(const QUrl& address) {
    return address.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0;
}

void Discovery::cancel() {
    if (!d->running) return;
    d->client.abortAll();
    end(QStringLiteral("İptal edildi."));
}

void Discovery::end(const QString& failure) {
    d->running = false;
    d->failure = failure;
    if (!failure.isEmpty()) d->books.clear();
    QTimer::singleShot(0, this, &Discovery::finished);
}

void Discovery::start() {
    d->books.clear();
    d->failure.clear();
    d->running = true;
    const QUrl address = d->address;
    if (!address.isValid() || (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https")) ||
        address.host().isEmpty())
        return end(QStringLiteral("Adres geçersiz: http:// ya da https:// ile başlayan bir adres yazın."));
    if (address.path().isEmpty() || address.path() == QLatin1String("/")) return tryWellKnown();
    ask(address, [this](const davxml::Response& r) { found(r); });
}

void Discovery::tryWellKnown() {
    d->wellKnownTried = true;
    ask(d->address.resolved(QUrl(QStringLiteral("/.well-known/carddav"))), [this](const davxml::Response& r) { found(r); });
}

// A PROPFIND (Depth 0) of what leads to the address books.
void Discovery::ask(const QUrl& url, const std::function<void(const davxml::Response&)>& next) {
    d->client.send("PROPFIND", url, FindBody, {{"Depth", "0"}}, [this, next](const DavClient::Answer& a) {
        if (!a.ok()) return end(a.failure);
        if (a.status == 401) return end(DavClient::statusFailure(401));
        if (a.status != 207) {
            // no WebDAV at the address given: the server's own way in
            if (!d->wellKnownTried && (a.status == 405 || a.status == 501)) return tryWellKnown();
            return end(DavClient::statusFailure(a.status));
        }
        const std::optional<davxml::Multistatus> m = davxml::parse(a.body);
        if (!m) return end(NoCardDavAnswer);
        davxml::Response r = m->responses.isEmpty() ? davxml::Response() : m->responses.first();
        r.href = a.url.resolved(QUrl(r.href.isEmpty() ? a.url.path() : r.href)).toString();
        next(r);
    });
}

// What a PROPFIND found: the address book itself, the home set, or the principal.
void Discovery::found(const davxml::Response& r) {
    if (r.addressBook) {
        d->books = {AddressBook{withSlash(QUrl(r.href)), r.displayName}};
        if (d->books.first().name.isEmpty()) d->books.first().name = QUrl(r.href).path().section(QLatin1Char('/'), -2, -2);
        return d->creating.isEmpty() ? end(QString()) : end(QStringLiteral("Bu adres zaten bir adres defterinin."));
    }
    if (!r.homeSets.isEmpty()) return list(withSlash(QUrl(r.href).resolved(QUrl(r.homeSets.first()))));
    if (!r.principal.isEmpty()) {
        const QUrl principal = QUrl(r.href).resolved(QUrl(r.principal));
        return ask(principal, [this, principal](const davxml::Response& p) {
            if (p.homeSets.isEmpty()) return end(NothingFound);
            list(withSlash(principal.resolved(QUrl(p.homeSets.first()))));
        });
    }
    if (!d->wellKnownTried) return tryWellKnown();
    end(NothingFound);
}

// The address books in the home set.
void Discovery::list(const QUrl& home) {
    d->home = home;
    d->client.send("PROPFIND", home, FindBody, {{"Depth", "1"}}, [this, home](const DavClient::Answer& a) {
        if (!a.ok()) return end(a.failure);
        if (a.status != 207) return end(DavClient::statusFailure(a.status));
        const std::optional<davxml::Multistatus> m = davxml::parse(a.body);
        if (!m) return end(NoCardDavAnswer);
        d->books.clear();
        for (const davxml::Response& r : m->responses) {
            if (!r.addressBook) continue;
            const QUrl url = withSlash(home.resolved(QUrl(r.href)));
            const QString name = r.displayName.isEmpty() ? url.path().section(QLatin1Char('/'), -2, -2) : r.displayName;
            d->books.append(AddressBook{url, name});
        }
        if (!d->creating.isEmpty()) return make(1);
        end(d->books.isEmpty() ? QStringLiteral("Sunucuda hiç adres defteri yok; grup için yeni bir tane yapılabilir.")
                               : QString());
    });
}

void Discovery::create(const QString& name) {
    d->creating = name.isEmpty() ? QStringLiteral("Telefika") : name;
    if (d->home.isValid() && !d->home.isEmpty()) {
        d->running = true;
        d->failure.clear();
        return make(1);
    }
    start();
}

// An extended MKCOL (RFC 5689) of a new address book in the home set; an
// address taken already gets the next number.
void Discovery::make(int attempt) {
    QString slug = slugOf(d->creating);
    if (attempt > 1) slug += QLatin1Char('-') + QString::number(attempt);
    const QUrl url = d->home.resolved(QUrl(slug + QLatin1Char('/')));
    for (const AddressBook& book : std::as_const(d->books))
        if (book.url.path() == url.path()) return make(attempt + 1);
    const QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                            "<D:mkcol xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><D:set><D:prop>"
                            "<D:resourcetype><D:collection/><C:addressbook/></D:resourcetype><D:displayname>" +
                            davxml::escaped(d->creating) + "</D:displayname></D:prop></D:set></D:mkcol>";
    d->client.send("MKCOL", url, body, {}, [this, url, attempt](const DavClient::Answer& a) {
        if (!a.ok()) return end(a.failure);
        if (a.status == 405 && attempt < 20) return make(attempt + 1);
        if (a.status != 201) return end(DavClient::statusFailure(a.status));
        d->books = {AddressBook{url, d->creating}};
        d->creating.clear();
        end(QString());
    });
}
