#pragma once
// A server's card and a group's contact, one into the other.
//
// A card becomes a contact by the import's rules (interchange::readBytes: N
// and FN, the first CELL TEL, the number's normalisation and cleaning, the
// same reasons for a card left out). A contact becomes a vCard 3.0 card as
// the export writes it, with a UID. A change to a card the server holds
// touches only its N, its FN and the one TEL that held the contact's number,
// inside the server's own bytes: every other line stays byte for byte.

#include "sync/syncreport.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace cardmap {

// A contact as the group's lines hold it (code page 1254).
struct Contact {
    QByteArray name, surname, number;
    bool operator==(const Contact& o) const {
        return name == o.name && surname == o.surname && number == o.number;
    }
};

// One contact as a save stores it: "İsmail" here is "ismail" read back.
bool sameAsSaved(const Contact& a, const Contact& b);

struct Read {
    std::optional<Contact> contact;  // none when the group cannot hold the card
    QString reason;                  // why it was left out
    SyncContact shown;               // as far as it was read
};
Read read(const QByteArray& card);

// The card's UID; empty when it has none.
QString uidOf(const QByteArray& card);
// A new UID for a card made here.
QString newUid();

QByteArray newCard(const Contact& contact, const QString& uid);
// The server's card with the contact's N, FN and number in place of the
// ones it had; `oldNumber` is the number the group had for it.
QByteArray patched(const QByteArray& card, const Contact& contact, const QByteArray& oldNumber);

SyncContact shown(const Contact& contact);

}  // namespace cardmap
