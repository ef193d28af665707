#include "sync/cardmap.h"

#include "store/codepage.h"
#include "store/contacts.h"
#include "store/contactwriter.h"
#include "store/interchange.h"

#include <QUuid>

namespace cardmap {

namespace {

// A logical line of a card: its bytes with every folded continuation and
// the line break, and its property name in capitals without a group prefix.
struct Line {
    qsizetype from = 0, to = 0;
    QByteArray property;
};

QByteArray propertyOf(QByteArrayView line) {
    qsizetype end = 0;
    while (end < line.size() && line[end] != ':' && line[end] != ';') ++end;
    QByteArray name = line.first(end).toByteArray().trimmed().toUpper();
    const qsizetype dot = name.lastIndexOf('.');
    return dot >= 0 ? name.mid(dot + 1) : name;
}

QList<Line> linesOf(const QByteArray& card) {
    QList<Line> lines;
    qsizetype i = 0;
    while (i < card.size()) {
        Line line;
        line.from = i;
        qsizetype end = card.indexOf('\n', i);
        while (end >= 0 && end + 1 < card.size() && (card[end + 1] == ' ' || card[end + 1] == '\t'))
            end = card.indexOf('\n', end + 1);
        line.to = end < 0 ? card.size() : end + 1;
        line.property = propertyOf(QByteArrayView(card).sliced(line.from, line.to - line.from));
        lines.append(line);
        i = line.to;
    }
    return lines;
}

// A logical line unfolded, without its break.
QByteArray unfolded(const QByteArray& card, const Line& line) {
    QByteArray text = card.mid(line.from, line.to - line.from);
    text.replace("\r\n ", "").replace("\r\n\t", "").replace("\n ", "").replace("\n\t", "");
    while (text.endsWith('\n') || text.endsWith('\r')) text.chop(1);
    return text;
}

// The value after the first colon outside quotes.
qsizetype valueStart(const QByteArray& text) {
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"') quoted = !quoted;
        if (text[i] == ':' && !quoted) return i + 1;
    }
    return -1;
}

QString numberOf(const QByteArray& telLine) {
    const qsizetype start = valueStart(telLine);
    if (start < 0) return QString();
    QString value = QString::fromUtf8(telLine.mid(start)).trimmed();
    if (value.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) value = value.mid(4).section(QLatin1Char(';'), 0, 0);
    return interchange::normalisedNumber(value);
}

// The lines N, FN and TEL of a new card of the contact, each with its break.
struct Written {
    QByteArray n, fn, tel, telValue;
};

Written written(const Contact& contact, const QByteArray& lineBreak) {
    const QByteArray card = interchange::writeVCard({contact.name, contact.surname, contact.number},
                                                    interchange::Format::VCard30);
    Written w;
    for (const Line& line : linesOf(card)) {
        QByteArray text = card.mid(line.from, line.to - line.from);
        if (lineBreak != "\r\n") text.replace("\r\n", lineBreak);
        if (line.property == "N") w.n = text;
        if (line.property == "FN") w.fn = text;
        if (line.property == "TEL") {
            w.tel = text;
            const QByteArray plain = unfolded(card, line);
            w.telValue = plain.mid(valueStart(plain));
        }
    }
    return w;
}

bool readsAs(const QByteArray& card, const Contact& contact) {
    const Read r = read(card);
    return r.contact && sameAsSaved(*r.contact, contact);
}

}  // namespace

bool sameAsSaved(const Contact& a, const Contact& b) {
    return contacts::normalisedNameLine(a.name) == contacts::normalisedNameLine(b.name) && a.surname == b.surname &&
           a.number == b.number;
}

Read read(const QByteArray& card) {
    Read out;
    const interchange::ReadResult r = interchange::readBytes(card);
    if (r.refused()) {
        out.reason = r.refusal;
        return out;
    }
    const interchange::ReadContact& c = r.contacts.first();
    out.shown = SyncContact{c.name(), c.surname(), c.number()};
    if (c.fate == interchange::Fate::LeftOut) out.reason = c.reason;
    else out.contact = Contact{c.nameLine, c.surnameLine, c.numberLine};
    return out;
}

QString uidOf(const QByteArray& card) {
    for (const Line& line : linesOf(card)) {
        if (line.property != "UID") continue;
        const QByteArray text = unfolded(card, line);
        const qsizetype start = valueStart(text);
        if (start >= 0) return QString::fromUtf8(text.mid(start)).trimmed();
    }
    return QString();
}

QString newUid() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }

QByteArray newCard(const Contact& contact, const QString& uid) {
    QByteArray card = interchange::writeVCard({contact.name, contact.surname, contact.number},
                                              interchange::Format::VCard30);
    const qsizetype version = card.indexOf("VERSION:3.0\r\n");
    const qsizetype at = version < 0 ? card.indexOf('\n') + 1 : version + 13;
    card.insert(at, "UID:" + uid.toUtf8() + "\r\n");
    return card;
}

namespace {

// Where the first card's own N, FN and TEL lines stand (not those of a card
// inside it), and its END line.
struct Places {
    int n = -1, fn = -1, tel = -1, end = -1, afterVersion = -1;
    bool telKept = false;  // the number stays: its TEL line stays as the server wrote it
    QList<int> extra;  // later N and FN lines of a card that has several: they go
};

Places placesOf(const QByteArray& card, const QList<Line>& lines, const QByteArray& oldNumber) {
    Places p;
    const QString old = codepage::decode(oldNumber);
    int depth = 0;
    for (int i = 0; i < lines.size() && p.end < 0; ++i) {
        const QByteArray text = unfolded(card, lines[i]);
        const QByteArray value = text.mid(valueStart(text)).trimmed().toUpper();
        if (lines[i].property == "BEGIN" && value == "VCARD") ++depth;
        else if (lines[i].property == "END" && value == "VCARD" && --depth == 0) p.end = i;
        if (depth != 1) continue;
        if (lines[i].property == "VERSION") p.afterVersion = i + 1;
        else if (lines[i].property == "N") (p.n < 0 ? p.n : p.extra.emplace_back()) = i;
        else if (lines[i].property == "FN") (p.fn < 0 ? p.fn : p.extra.emplace_back()) = i;
        else if (lines[i].property == "TEL" && p.tel < 0 && !old.isEmpty() && numberOf(text) == old) p.tel = i;
    }
    return p;
}

// The card with the lines replaced; telFirst puts the whole TEL line of a
// new card right after VERSION instead of changing the old one's value.
QByteArray rebuilt(const QByteArray& card, const QList<Line>& lines, const Places& p, const Written& w, bool telFirst) {
    QByteArray out;
    out.reserve(card.size() + w.n.size() + w.fn.size() + w.tel.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray text = card.mid(lines[i].from, lines[i].to - lines[i].from);
        if (telFirst && i == p.afterVersion) out += w.tel;
        if (i == p.end) {
            if (p.n < 0) out += w.n;
            if (p.fn < 0) out += w.fn;
            if (p.tel < 0 && !telFirst) out += w.tel;
        }
        if (i == p.n) out += w.n;
        else if (i == p.fn) out += w.fn;
        else if (p.extra.contains(i)) continue;
        else if (i == p.tel && telFirst) continue;
        else if (i == p.tel && p.telKept) out += text;
        else if (i == p.tel) {
            const QByteArray plain = unfolded(card, lines[i]);
            const QByteArray breakBytes = text.endsWith("\r\n") ? "\r\n" : text.endsWith('\n') ? "\n" : "";
            out += plain.left(valueStart(plain)) + w.telValue + breakBytes;
        } else {
            out += text;
        }
    }
    return out;
}

}  // namespace

QByteArray patched(const QByteArray& card, const Contact& contact, const QByteArray& oldNumber) {
    const QList<Line> lines = linesOf(card);
    Places p = placesOf(card, lines, oldNumber);
    p.telKept = oldNumber == contact.number;
    if (p.end < 0) return newCard(contact, uidOf(card).isEmpty() ? newUid() : uidOf(card));
    const Written w = written(contact, card.contains("\r\n") ? QByteArray("\r\n") : QByteArray("\n"));
    QByteArray out = rebuilt(card, lines, p, w, false);
    if (readsAs(out, contact)) return out;
    if (p.afterVersion >= 0) out = rebuilt(card, lines, p, w, true);
    // a card the reader takes otherwise (no version, odd lines): a new one under its UID
    return readsAs(out, contact) ? out : newCard(contact, uidOf(card).isEmpty() ? newUid() : uidOf(card));
}

SyncContact shown(const Contact& contact) {
    return SyncContact{codepage::decode(contact.name), codepage::decode(contact.surname), codepage::decode(contact.number)};
}

}  // namespace cardmap
