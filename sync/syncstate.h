#pragma once
// The state of a group's last sync, in its own file beside the DataFolder's
// lock (datafolder::companionFile("sync-" + the group's name in hex), so no
// server's answer ever names a file here). JSON, written whole through the
// store's safe write (textfile::writeBytes). A line a value, each value
// percent-encoded, so no text of a server can break a line:
//   telefika-sync 1
//   book <address>          user <name>         last <ISO time, UTC>
//   token <sync token>      ctag <ctag>
//   card <number> <href> <uid> <etag> <digest> <names digest>   (one a contact)

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

namespace syncstate {

// One contact as last synced, or a card being made on the server.
struct Card {
    QByteArray number;  // the group's number line (code page 1254)
    QString href;       // the card's path on the server; empty: dropped, not written
    QString uid;
    QString etag;       // empty while the card is being made (its PUT not answered)
    QByteArray digest;  // of name, surname and number as last synced
    QByteArray names;   // of name and surname alone: a changed number is an edit
    bool beingMade() const { return etag.isEmpty(); }
};

struct State {
    QUrl book;
    QString user;
    QDateTime lastSync;
    QString token;  // the sync-collection token of the last sync
    QString ctag;   // the address book's ctag, for a server without sync-collection
    QList<Card> cards;
};

// The file of a group's state.
QString path(const QString& group);
// None when the group has no link; a file that cannot be read as a state
// counts as none too.
std::optional<State> read(const QString& group);
// Throws StoreError when it cannot be written.
void write(const QString& group, const State& state);
void remove(const QString& group);

// The digest of a contact's three lines, as the state keeps it.
QByteArray digest(const QByteArray& name, const QByteArray& surname, const QByteArray& number);
QByteArray namesDigest(const QByteArray& name, const QByteArray& surname);
// What stands for an unknown etag or digest: it equals no real one.
inline const QByteArray Unknown = QByteArrayLiteral("-");

}  // namespace syncstate
