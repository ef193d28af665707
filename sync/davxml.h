#pragma once
// Reading WebDAV and CardDAV answers (RFC 4918 multistatus, RFC 6352, RFC
// 6578) with QXmlStreamReader. An answer is input like any file: garbage
// gives none, never a crash.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace davxml {

// One <response> of a multistatus: the properties that were found (status
// 200), and the status of the response itself or of its missing properties.
struct Response {
    QString href;             // the path as sent, percent-decoded
    int status = 0;           // the response's own status (a 404 of sync-collection), else 200
    QString etag;             // getetag
    QString displayName;
    QString ctag;             // CalendarServer's getctag
    bool collection = false;  // resourcetype
    bool addressBook = false;
    QString principal;        // current-user-principal's href
    QStringList homeSets;     // addressbook-home-set's hrefs
    QByteArray card;          // address-data, as UTF-8 bytes
};

struct Multistatus {
    QList<Response> responses;
    QString syncToken;
};

// None when the bytes are no well-formed multistatus.
std::optional<Multistatus> parse(const QByteArray& bytes);

// The condition of an error answer (<D:error><C:no-uid-conflict>...): the
// names of the conditions in it ("valid-sync-token", "no-uid-conflict"), and
// the first href inside one.
struct ErrorCondition {
    QStringList names;
    QString href;
};
ErrorCondition parseError(const QByteArray& bytes);

// A text as XML character data.
QByteArray escaped(const QString& text);

}  // namespace davxml
