#include "sync/syncwork.h"

#include "store/codepage.h"
#include "store/contacts.h"

namespace syncwork {

namespace {

const QString NumberTaken = QStringLiteral("Bu numara grupta zaten var");

QByteArray digestOf(const Contact& c) { return syncstate::digest(c.name, c.surname, c.number); }
QByteArray namesOf(const Contact& c) { return syncstate::namesDigest(c.name, c.surname); }

void linkTo(syncstate::Card& card, const Contact& c) {
    card.number = c.number;
    card.digest = digestOf(c);
    card.names = namesOf(c);
}

}  // namespace

void diffLocal(Work& w) {
    const QList<QByteArray>& l = w.lines.lines();
    for (qsizetype k = 0; k + 2 < l.size(); k += 3) {
        w.local.append(Contact{l[k], l[k + 1], l[k + 2]});
        if (!l[k + 2].isEmpty() && !w.localByNumber.contains(l[k + 2])) w.localByNumber.insert(l[k + 2], int(k / 3));
    }
    QList<bool> claimed(w.local.size(), false);
    w.isNew = QList<bool>(w.local.size(), false);
    QMultiHash<QByteArray, int> orphans;  // names digest -> card
    const QList<syncstate::Card>& cards = w.state.cards;
    w.here = QList<Here>(cards.size(), Here::Same);
    w.localOf = QList<int>(cards.size(), -1);
    for (int i = 0; i < cards.size(); ++i) {
        w.cardByHref.insert(cards[i].href, i);
        const int k = w.localByNumber.value(cards[i].number, -1);
        if (k >= 0 && !claimed[k]) {
            claimed[k] = true;
            w.localOf[i] = k;
            if (cards[i].beingMade()) w.here[i] = Here::BeingMade;
            else if (digestOf(w.local[k]) != cards[i].digest) w.here[i] = Here::Changed;
        } else {
            w.here[i] = cards[i].beingMade() ? Here::BeingMade : Here::Deleted;
            if (!cards[i].beingMade()) orphans.insert(cards[i].names, i);
        }
    }
    for (int k = 0; k < w.local.size(); ++k) {
        if (claimed[k] || w.local[k].number.isEmpty() || w.localByNumber.value(w.local[k].number) != k) continue;
        const auto orphan = orphans.find(namesOf(w.local[k]));
        if (orphan != orphans.end()) {  // the same name and surname under another number: an edit
            w.here[*orphan] = Here::Changed;
            w.localOf[*orphan] = k;
            orphans.erase(orphan);
        } else {
            w.newLocal.append(k);
            w.isNew[k] = true;
        }
    }
}

void planFetch(Work& w) {
    QSet<QString> wanted;
    for (auto it = w.listed.cbegin(); it != w.listed.cend(); ++it) {
        const int i = w.cardByHref.value(it.key(), -1);
        if (i < 0 || (!w.state.cards[i].beingMade() && w.state.cards[i].etag != it.value())) wanted.insert(it.key());
    }
    for (int i = 0; i < w.state.cards.size(); ++i) {
        const syncstate::Card& card = w.state.cards[i];
        if (card.beingMade()) continue;
        if (w.full && !w.listed.contains(card.href)) w.gone.insert(card.href);
        if (w.gone.contains(card.href)) continue;
        if (w.here[i] == Here::Changed || card.etag == QLatin1String(syncstate::Unknown)) wanted.insert(card.href);
    }
    w.toFetch = QStringList(wanted.cbegin(), wanted.cend());
    std::sort(w.toFetch.begin(), w.toFetch.end());
}

namespace {

// The decisions, one card at a time; numbers holds the group's numbers as
// they will be, so that no number is put in twice.
class Decider {
public:
    explicit Decider(Work& work) : w(work) {
        for (const Contact& c : w.local)
            if (!c.number.isEmpty()) numbers.insert(c.number);
    }

    void run() {
        int linked = 0, deletedHere = 0;
        for (int i = 0; i < w.state.cards.size(); ++i) {
            if (w.here[i] != Here::BeingMade) ++linked;
            if (w.here[i] == Here::Deleted) ++deletedHere;
            card(i);
        }
        for (const QString& href : std::as_const(w.toFetch))
            if (!w.cardByHref.contains(href)) serverNew(href);
        for (int k : std::as_const(w.newLocal))
            if (w.isNew[k]) makeCard(w.local[k], QString());
        w.needsConfirmation = linked > 0 && deletedHere == linked && w.serverDeletes > 0;
    }

private:
    enum class Server { Same, Changed, Deleted };

    Server serverSide(int i, const Fetched* f) const {
        const syncstate::Card& card = w.state.cards[i];
        if (w.gone.contains(card.href) || (f && f->gone)) return Server::Deleted;
        if (!f) return Server::Same;
        return f->read.contact && digestOf(*f->read.contact) == card.digest ? Server::Same : Server::Changed;
    }

    void card(int i) {
        syncstate::Card& card = w.state.cards[i];
        const Here here = w.here[i];
        if (here == Here::BeingMade) {
            if (w.localOf[i] >= 0) w.ops.append({ServerOp::Make, i, w.local[w.localOf[i]], {}, {}, {}});
            else w.ops.append({ServerOp::DeleteUnconfirmed, i, {}, {}, {}, {}});
            return;
        }
        const auto found = w.fetched.constFind(card.href);
        const Fetched* f = found == w.fetched.cend() ? nullptr : &*found;
        const Server server = serverSide(i, f);
        if (f && !f->gone) card.etag = f->etag;
        if (here == Here::Same && server == Server::Changed) return takeServer(i, *f, SyncReport::Kind::Changed, {});
        if (here == Here::Same && server == Server::Deleted) {
            dropHere(i, SyncReport::Kind::Deleted);
            card.href.clear();
        } else if (here == Here::Changed && server == Server::Same) {
            push(i, f);
        } else if (here == Here::Changed && server == Server::Changed) {
            both(i, *f);
        } else if (here == Here::Changed && server == Server::Deleted) {
            card.etag.clear();
            w.ops.append({ServerOp::Make, i, w.local[w.localOf[i]], {}, {}, QStringLiteral("sunucuda silinmişti, yeniden yapıldı")});
        } else if (here == Here::Deleted && server == Server::Same) {
            w.ops.append({ServerOp::Delete, i, {}, {}, card.etag, {}});
            ++w.serverDeletes;
        } else if (here == Here::Deleted && server == Server::Changed) {
            takeServer(i, *f, SyncReport::Kind::Added, QStringLiteral("burada silinmişti, sunucuda değiştiği için geri geldi"));
        } else if (here == Here::Deleted && server == Server::Deleted) {
            card.href.clear();
        }
    }

    // The server's card taken here, in place of the contact it stood for.
    void takeServer(int i, const Fetched& f, SyncReport::Kind kind, const QString& reason) {
        syncstate::Card& card = w.state.cards[i];
        if (!f.read.contact) return leftOut(f.read.shown, f.read.reason);
        const Contact& c = *f.read.contact;
        const int k = w.localOf[i];
        const bool ownNumber = k >= 0 && w.local[k].number == c.number;
        if (!ownNumber && numbers.contains(c.number)) return leftOut(f.read.shown, NumberTaken);
        if (k >= 0) {
            numbers.remove(w.local[k].number);
            w.removeHere.append(k);
        }
        numbers.insert(c.number);
        w.addHere.append(c);
        w.hereEntries.append({SyncReport::Side::Here, kind, cardmap::shown(c), reason});
        linkTo(card, c);
    }

    void dropHere(int i, SyncReport::Kind kind) {
        const int k = w.localOf[i];
        if (k < 0) return;
        numbers.remove(w.local[k].number);
        w.removeHere.append(k);
        w.hereEntries.append({SyncReport::Side::Here, kind, cardmap::shown(w.local[k]), {}});
    }

    // The contact here written into the server's card.
    void push(int i, const Fetched* f) {
        if (!f || f->bytes.isEmpty()) return;  // the server did not give the card: the next sync tries again
        const syncstate::Card& card = w.state.cards[i];
        const Contact& c = w.local[w.localOf[i]];
        w.ops.append({ServerOp::Change, i, c, cardmap::patched(f->bytes, c, card.number), f->etag, {}});
    }

    const Resolution* resolution(const QString& href) const {
        for (const Resolution& r : w.resolutions)
            if (r.href == href) return &r;
        return nullptr;
    }

    // Changed on both sides: the same change, the user's choice, or a conflict.
    void both(int i, const Fetched& f) {
        syncstate::Card& card = w.state.cards[i];
        const Contact& mine = w.local[w.localOf[i]];
        // the same contact as a save stores it ("İbrahim" here, "ibrahim" there): one change
        if (f.read.contact && cardmap::sameAsSaved(*f.read.contact, mine)) return linkTo(card, mine);
        const Resolution* r = resolution(card.href);
        if (r && r->take == Resolution::Take::Here) return push(i, &f);
        if (r && f.read.contact) return takeServer(i, f, SyncReport::Kind::Changed, QString());
        w.report->conflicts.append({card.href, cardmap::shown(mine), f.read.shown});
        card.etag = QString::fromLatin1(syncstate::Unknown);
    }

    // A card the last sync did not know.
    void serverNew(const QString& href) {
        const Fetched& f = w.fetched[href];
        if (f.gone) return;
        if (!f.read.contact) return leftOut(f.read.shown, f.read.reason);
        const Contact& c = *f.read.contact;
        const int k = w.localByNumber.value(c.number, -1);
        const bool matched = k >= 0 && w.isNew[k];
        if (!matched && numbers.contains(c.number)) return leftOut(f.read.shown, NumberTaken);
        const int i = int(w.state.cards.size());
        w.state.cards.append({c.number, href, f.uid, f.etag, {}, {}});
        w.here.append(Here::Same);
        w.localOf.append(matched ? k : -1);
        w.cardByHref.insert(href, i);
        if (!matched) {
            numbers.insert(c.number);
            w.addHere.append(c);
            w.hereEntries.append({SyncReport::Side::Here, SyncReport::Kind::Added, cardmap::shown(c), {}});
            return linkTo(w.state.cards[i], c);
        }
        w.isNew[k] = false;  // one contact on both sides
        syncstate::Card& card = w.state.cards[i];
        card.digest = card.names = syncstate::Unknown;
        w.here[i] = Here::Changed;
        both(i, f);
    }

    void makeCard(const Contact& c, const QString& reason) {
        syncstate::Card card;
        card.uid = cardmap::newUid();
        card.href = w.state.book.path() + card.uid + QStringLiteral(".vcf");
        linkTo(card, c);
        w.ops.append({ServerOp::Make, int(w.state.cards.size()), c, {}, {}, reason});
        w.state.cards.append(card);
        w.here.append(Here::BeingMade);
        w.localOf.append(-1);
    }

    void leftOut(const SyncContact& shown, const QString& reason) {
        w.report->entries.append({SyncReport::Side::Server, SyncReport::Kind::LeftOut, shown, reason});
    }

    Work& w;
    QSet<QByteArray> numbers;
};

}  // namespace

void decide(Work& w) { Decider(w).run(); }

StringList linesAfter(const Work& w) {
    const QSet<int> removed(w.removeHere.cbegin(), w.removeHere.cend());
    QList<QByteArray> kept;
    const QList<QByteArray>& l = w.lines.lines();
    kept.reserve(l.size());
    for (qsizetype k = 0; k < l.size(); ++k)
        if (!removed.contains(int(k / 3)) || k / 3 >= w.local.size()) kept.append(l[k]);
    StringList lines;
    lines.assign(std::move(kept));
    StringList index(true);
    rebuildNameIndex(lines, index);
    std::vector<contacts::NewContact> added;
    added.reserve(size_t(w.addHere.size()));
    for (const Contact& c : w.addHere) added.push_back({c.name, c.surname, c.number});
    contacts::placeContacts(lines, index, added);
    return lines;
}

}  // namespace syncwork
