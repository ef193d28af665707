#include "sync/syncstate.h"

#include "store/contacts.h"

#include "store/codepage.h"
#include "store/datafolder.h"
#include "store/textfile.h"

#include <QCryptographicHash>
#include <QFile>

namespace syncstate {

namespace {

const QByteArray Header = QByteArrayLiteral("telefika-sync 1");

// Two names that differ only in letter case are one group (one file), so
// one state too.
QByteArray fileKey(const QString& group) {
    QByteArray bytes = codepage::encode(group);
    for (char& c : bytes) c = char(codepage::toUpper(uchar(c)));
    QByteArray hex = bytes.toHex();
    if (hex.size() > 160) hex = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    return hex;
}

// The same bytes as toPercentEncoding() gives, appended in place: a big
// book's state is written often, and its cards' fields were most of the time
// of a sync with nothing to do.
void appendEncoded(QByteArray& out, QByteArrayView bytes) {
    static const char hex[] = "0123456789ABCDEF";
    const qsizetype start = out.size();
    out.resize(start + 3 * bytes.size());
    char* to = out.data() + start;
    for (const char ch : bytes) {
        const uchar c = uchar(ch);
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            *to++ = ch;
        } else {
            *to++ = '%';
            *to++ = hex[c >> 4];
            *to++ = hex[c & 15];
        }
    }
    out.truncate(to - out.constData());
}

void appendEncoded(QByteArray& out, const QString& text) { appendEncoded(out, QByteArrayView(text.toUtf8())); }

void appendLine(QByteArray& out, const char* key, const QString& value) {
    out += key;
    out += ' ';
    appendEncoded(out, value);
    out += '\n';
}

QString text(const QByteArray& value) { return QString::fromUtf8(QByteArray::fromPercentEncoding(value)); }

bool readCard(const QList<QByteArray>& f, Card& card) {
    if (f.size() != 7) return false;
    card.number = QByteArray::fromPercentEncoding(f[1]);
    card.href = text(f[2]);
    card.uid = text(f[3]);
    card.etag = text(f[4]);
    card.digest = QByteArray::fromPercentEncoding(f[5]);
    card.names = QByteArray::fromPercentEncoding(f[6]);
    return !card.href.isEmpty();
}

bool readLine(const QByteArray& line, State& state) {
    const QList<QByteArray> f = line.split(' ');
    if (f[0] == "card") {
        Card card;
        if (!readCard(f, card)) return false;
        state.cards.append(std::move(card));
        return true;
    }
    if (f.size() != 2) return false;
    if (f[0] == "book") state.book = QUrl(text(f[1]));
    else if (f[0] == "user") state.user = text(f[1]);
    else if (f[0] == "last") state.lastSync = QDateTime::fromString(text(f[1]), Qt::ISODate);
    else if (f[0] == "token") state.token = text(f[1]);
    else if (f[0] == "ctag") state.ctag = text(f[1]);
    return true;
}

}  // namespace

QString path(const QString& group) {
    return datafolder::companionFile(QStringLiteral("sync-") + QString::fromLatin1(fileKey(group)));
}

std::optional<State> read(const QString& group) {
    QFile file;
    if (textfile::openToRead(path(group), file) != textfile::Kind::File) return std::nullopt;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.isEmpty() || lines.first() != Header) return std::nullopt;
    State state;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].isEmpty() && !readLine(lines[i], state)) return std::nullopt;
    if (!state.book.isValid() || state.book.isEmpty()) return std::nullopt;
    return state;
}

void write(const QString& group, const State& state) {
    QByteArray out;
    out.reserve(256 + state.cards.size() * 256);
    out += Header + '\n';
    appendLine(out, "book", state.book.toString());
    appendLine(out, "user", state.user);
    if (state.lastSync.isValid()) appendLine(out, "last", state.lastSync.toUTC().toString(Qt::ISODate));
    appendLine(out, "token", state.token);
    appendLine(out, "ctag", state.ctag);
    for (const Card& card : state.cards) {
        if (card.href.isEmpty()) continue;  // dropped
        out += "card ";
        appendEncoded(out, QByteArrayView(card.number));
        out += ' ';
        appendEncoded(out, card.href);
        out += ' ';
        appendEncoded(out, card.uid);
        out += ' ';
        appendEncoded(out, card.etag);
        out += ' ';
        appendEncoded(out, QByteArrayView(card.digest));
        out += ' ';
        appendEncoded(out, QByteArrayView(card.names));
        out += '\n';
    }
    textfile::writeBytes(path(group), out);
}

void remove(const QString& group) {
    if (QFile::exists(path(group))) datafolder::deleteFile(path(group));
}

namespace {
QByteArray hashOf(std::initializer_list<QByteArrayView> parts) {
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (QByteArrayView part : parts) {
        hash.addData(part);
        hash.addData(QByteArrayView("\n", 1));
    }
    return hash.result().toHex().left(20);
}
}  // namespace

// The name as a save stores it: a group file written elsewhere may hold
// "İbrahim" where a card read back gives "ibrahim", and the two are one name.
QByteArray digest(const QByteArray& name, const QByteArray& surname, const QByteArray& number) {
    return hashOf({contacts::normalisedNameLine(name), surname, number});
}

QByteArray namesDigest(const QByteArray& name, const QByteArray& surname) {
    return hashOf({contacts::normalisedNameLine(name), surname});
}

}  // namespace syncstate
