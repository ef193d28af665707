#pragma once
// A group's link to a CardDAV address book, and the state of its last sync.
//
// One file a group beside the DataFolder's lock and pending file
// (datafolder::companionFile), written with the store's safe write. It holds
// the address book's address, the user name, the time of the last sync, the
// sync token (or the address book's ctag), and for each contact synced its
// number, the card's href, UID and etag and a digest of name, surname and
// number as last synced. Never a password: that lives in the keyring.

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

namespace synclink {

struct Link {
    QUrl book;           // the address book's own address
    QString user;
    QDateTime lastSync;  // invalid until a sync went through
};

// The group's link; none when the group has no link.
std::optional<Link> of(const QString& group);

// Links the group to the address book for that user. The state of earlier
// syncs stays when book and user are those already linked; otherwise it is
// dropped and the next sync is a first one (contacts matched by number).
void keep(const QString& group, const QUrl& book, const QString& user);

// The link and its state forgotten; the server's address book is left as it
// is. The password is forgotten by the caller, through the keyring.
void forget(const QString& group);

}  // namespace synclink
