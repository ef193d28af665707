#include "sync/davxml.h"

#include <QUrl>
#include <QXmlStreamReader>

namespace davxml {

namespace {

const QString Dav = QStringLiteral("DAV:");
const QString CardDav = QStringLiteral("urn:ietf:params:xml:ns:carddav");
const QString CalendarServer = QStringLiteral("http://calendarserver.org/ns/");

bool is(const QXmlStreamReader& xml, const QString& ns, const char* name) {
    return xml.namespaceUri() == ns && xml.name() == QLatin1String(name);
}

// "HTTP/1.1 404 Not Found" gives 404.
int statusOf(const QString& line) {
    const QStringList parts = line.simplified().split(QLatin1Char(' '));
    return parts.size() >= 2 ? parts.at(1).toInt() : 0;
}

// An href as a path: an absolute one gives its path.
QString hrefText(QXmlStreamReader& xml) {
    const QString text = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
    if (text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
        text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return QUrl(text).path();
    return QUrl::fromPercentEncoding(text.toUtf8());
}

// The hrefs inside the element the reader stands on, up to its end.
QStringList hrefsInside(QXmlStreamReader& xml) {
    QStringList hrefs;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (is(xml, Dav, "href")) hrefs.append(hrefText(xml));
            else ++depth;
        } else if (xml.isEndElement()) {
            --depth;
        }
    }
    return hrefs;
}

void readResourceType(QXmlStreamReader& xml, Response& r) {
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "collection")) r.collection = true;
        if (is(xml, CardDav, "addressbook")) r.addressBook = true;
        xml.skipCurrentElement();
    }
}

void readProp(QXmlStreamReader& xml, Response& r) {
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "getetag")) r.etag = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        else if (is(xml, Dav, "displayname")) r.displayName = xml.readElementText(QXmlStreamReader::SkipChildElements);
        else if (is(xml, CalendarServer, "getctag")) r.ctag = xml.readElementText(QXmlStreamReader::SkipChildElements);
        else if (is(xml, Dav, "resourcetype")) readResourceType(xml, r);
        else if (is(xml, CardDav, "address-data"))
            r.card = xml.readElementText(QXmlStreamReader::SkipChildElements).toUtf8();
        else if (is(xml, Dav, "current-user-principal")) {
            const QStringList hrefs = hrefsInside(xml);
            if (!hrefs.isEmpty()) r.principal = hrefs.first();
        } else if (is(xml, CardDav, "addressbook-home-set")) r.homeSets += hrefsInside(xml);
        else xml.skipCurrentElement();
    }
}

// A propstat: its properties count only when their status is 200.
void readPropStat(QXmlStreamReader& xml, Response& r) {
    Response found;
    int status = 0;
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "prop")) readProp(xml, found);
        else if (is(xml, Dav, "status")) status = statusOf(xml.readElementText(QXmlStreamReader::SkipChildElements));
        else xml.skipCurrentElement();
    }
    if (status != 200) return;
    if (!found.etag.isEmpty()) r.etag = found.etag;
    if (!found.displayName.isEmpty()) r.displayName = found.displayName;
    if (!found.ctag.isEmpty()) r.ctag = found.ctag;
    if (!found.principal.isEmpty()) r.principal = found.principal;
    if (!found.card.isEmpty()) r.card = std::move(found.card);
    r.homeSets += found.homeSets;
    r.collection = r.collection || found.collection;
    r.addressBook = r.addressBook || found.addressBook;
}

Response readResponse(QXmlStreamReader& xml) {
    Response r;
    r.status = 200;
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "href")) {
            if (r.href.isEmpty()) r.href = hrefText(xml);
            else xml.skipCurrentElement();
        } else if (is(xml, Dav, "status")) {
            r.status = statusOf(xml.readElementText(QXmlStreamReader::SkipChildElements));
        } else if (is(xml, Dav, "propstat")) {
            readPropStat(xml, r);
        } else {
            xml.skipCurrentElement();
        }
    }
    return r;
}

}  // namespace

std::optional<Multistatus> parse(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || !is(xml, Dav, "multistatus")) return std::nullopt;
    Multistatus result;
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "response")) {
            Response r = readResponse(xml);
            if (!r.href.isEmpty()) result.responses.append(std::move(r));
        } else if (is(xml, Dav, "sync-token")) {
            result.syncToken = xml.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) return std::nullopt;
    return result;
}

ErrorCondition parseError(const QByteArray& bytes) {
    ErrorCondition condition;
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || !is(xml, Dav, "error")) return condition;
    while (xml.readNextStartElement()) {
        condition.names.append(xml.name().toString());
        const QStringList hrefs = hrefsInside(xml);
        if (condition.href.isEmpty() && !hrefs.isEmpty()) condition.href = hrefs.first();
    }
    return condition;
}

QByteArray escaped(const QString& text) { return text.toHtmlEscaped().toUtf8(); }

}  // namespace davxml
