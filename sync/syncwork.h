#pragma once
// What one sync knows while it runs, and the decisions made on it: which
// side changed each contact since the last sync, and what is done about it
// on each side. The runner (syncrunner.cpp) asks the server; the decisions
// (syncplan.cpp) make no request.

#include "store/stringlist.h"
#include "sync/cardmap.h"
#include "sync/syncreport.h"
#include "sync/syncstate.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace syncwork {

using cardmap::Contact;

// How a contact of the last sync stands here.
enum class Here { Same, Changed, Deleted, BeingMade };

// A card as the server gave it by addressbook-multiget.
struct Fetched {
    QString etag;
    cardmap::Read read;
    QString uid;
    QByteArray bytes;  // kept only for a card that may be changed from here
    bool gone = false; // answered 404
};

// A write on the server, done after the group is written.
struct ServerOp {
    enum Kind { Make, Change, Delete, DeleteUnconfirmed } kind;
    int card;           // the state's card
    Contact contact;    // Make, Change: what the card holds after
    QByteArray bytes;   // Change: the server's card, patched in place
    QString etag;       // Change, Delete: If-Match
    QString reason;     // for the report
    int attempts = 0;
};

struct Work {
    syncstate::State state;
    QList<Resolution> resolutions;

    // The group at the start, as contacts.
    StringList lines;
    QList<Contact> local;
    QHash<QByteArray, int> localByNumber;

    // The state's cards as they stand here: parallel to state.cards.
    QList<Here> here;
    QList<int> localOf;   // the local contact of a card, -1 for none
    QList<int> newLocal;  // contacts that no card stands for

    // The server's changes since the last sync.
    bool full = false;                 // a listing of every card, not changes alone
    QHash<QString, QString> listed;    // href -> etag, changed or (full) every card
    QSet<QString> gone;                // hrefs deleted there
    QString token, ctag;               // for the next sync
    QHash<QString, int> cardByHref;    // the state's card of an href
    QStringList toFetch;
    QHash<QString, Fetched> fetched;

    // The decisions.
    QList<int> removeHere;             // local contacts that go here
    QList<Contact> addHere;            // contacts put in here, with...
    QList<SyncReport::Entry> hereEntries;  // ...what the report says of them
    QList<ServerOp> ops;
    int serverDeletes = 0;
    bool needsConfirmation = false;
    SyncReport* report = nullptr;
};

// The state's cards against the group's lines: Work::here, localOf, newLocal.
void diffLocal(Work& work);
// The hrefs to fetch once the server's changes are known.
void planFetch(Work& work);
// The decision for every card and contact; fills the ops, the changes here
// and the report's conflicts and cards left out.
void decide(Work& work);
// The group's lines with the changes here made, contacts in name order.
StringList linesAfter(const Work& work);

}  // namespace syncwork
