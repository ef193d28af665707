#include "store/interchange.h"

#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "store/textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <cstring>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace interchange {

namespace {

constexpr qsizetype MaxFileSize = qsizetype(256) * 1024 * 1024;
constexpr qsizetype MaxLineLength = 1024 * 1024;

// The texts the user sees, in one place.
namespace text {
QString emptyFile() { return u"Dosya boş!"_s; }
QString unreadable() { return u"Dosya okunamadı!"_s; }
QString tooLarge() { return u"Dosya çok büyük!"_s; }
QString longLine() { return u"Dosyada çok uzun bir satır var!"_s; }
QString notContacts() { return u"Bu dosya bir kişi dosyası değil!"_s; }
QString nulByte() { return u"Dosya bozuk: içinde NUL baytı var!"_s; }
QString noEnd() { return u"Dosya yarım: bir kartın sonu (END:VCARD) yok!"_s; }
QString openQuote() { return u"Dosya bozuk: kapanmayan bir tırnak var!"_s; }
QString noContacts() { return u"Dosyada hiç kişi yok!"_s; }

QString noNumber() { return u"Numara yok"_s; }
QString badNumber() { return u"Numara geçersiz"_s; }
QString numberInGroup() { return u"Bu numara grupta zaten var"_s; }
QString numberEarlier() { return u"Bu numara dosyada daha önce geçti"_s; }
QString noNames() { return u"İsim ve soyad boş"_s; }
QString removedLetters() { return u"Türkçe kod sayfasında olmayan harfler çıkarıldı"_s; }
QString lineBreaks() { return u"Satır sonları boşluğa çevrildi"_s; }
QString surnameAsName() { return u"Soyad isim olarak alındı"_s; }
QString nameCut() { return u"İsim 64 harfe kısaltıldı"_s; }
QString surnameCut() { return u"Soyad 64 harfe kısaltıldı"_s; }
}  // namespace text

ReadResult refused(const QString& why) {
    ReadResult r;
    r.refusal = why;
    return r;
}

// ---------------------------------------------------------------------------
// Bytes to text

bool isAscii(QByteArrayView b) {
    for (char c : b)
        if (uchar(c) >= 0x80) return false;
    return true;
}

bool isUtf8(QByteArrayView b) {
    const auto* p = reinterpret_cast<const uchar*>(b.data());
    const auto* end = p + b.size();
    while (p < end) {
        const uchar c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int more;
        uint code;
        if (c >= 0xC2 && c <= 0xDF) more = 1, code = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF) more = 2, code = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4) more = 3, code = c & 0x07;
        else return false;
        if (end - p <= more) return false;
        for (int i = 1; i <= more; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            code = code << 6 | (p[i] & 0x3F);
        }
        // no overlong forms, no surrogates, nothing past U+10FFFF
        if ((more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
            (more == 3 && (code < 0x10000 || code > 0x10FFFF)))
            return false;
        p += more + 1;
    }
    return true;
}

// UTF-8 when it is valid UTF-8, code page 1254 otherwise.
QString decodeGuessed(QByteArrayView b) {
    if (isAscii(b)) return QString::fromLatin1(b);
    if (isUtf8(b)) return QString::fromUtf8(b);
    return codepage::decode(b.toByteArray());
}

QString decodeCharset(QByteArrayView b, const QByteArray& charset) {
    if (charset.isEmpty() || isAscii(b)) return decodeGuessed(b);
    const QByteArray cs = charset.toUpper();
    if (cs == "UTF-8" || cs == "UTF8") return decodeGuessed(b);
    if (cs == "WINDOWS-1254" || cs == "CP1254" || cs == "ISO-8859-9" || cs == "LATIN5")
        return codepage::decode(b.toByteArray());
    QStringDecoder decoder(cs.constData());
    if (!decoder.isValid()) return decodeGuessed(b);
    QString s = decoder.decode(b);
    return s;
}

// ---------------------------------------------------------------------------
// Cleaning a contact as the save wants it

struct Raw {
    QString name, surname, number;
    bool hasNumber = false;
};

bool isBlank(const QString& s) {
    for (QChar c : s)
        if (!c.isSpace()) return false;
    return true;
}

// Control characters become blanks, characters without a byte go (and then
// the blanks at either end); says what changed.
QString cleaned(QString s, bool& brokeLines, bool& removed) {
    bool composite = false;
    for (QChar c : s)
        if (c.unicode() >= 0x300) composite = true;
    if (composite) s = s.normalized(QString::NormalizationForm_C);
    QString out;
    out.reserve(s.size());
    bool removedHere = false;
    for (QChar c : s) {
        if (c.unicode() < 0x20) {
            out += u' ';
            brokeLines = true;
        } else if (codepage::fromUnicode(c) < 0) {
            removedHere = true;
        } else {
            out += c;
        }
    }
    removed = removed || removedHere;
    // what stood at either end beside a removed character goes with it
    return removedHere ? out.trimmed() : out;
}

ReadContact clean(Raw raw) {
    ReadContact c;
    QStringList changes, leftOut;
    bool brokeLines = false, removed = false;
    c.name = cleaned(raw.name, brokeLines, removed);
    c.surname = cleaned(raw.surname, brokeLines, removed);
    if (brokeLines) changes << text::lineBreaks();
    if (removed) changes << text::removedLetters();
    if (isBlank(c.name)) {
        if (isBlank(c.surname)) {
            leftOut << text::noNames();
        } else {
            c.name = c.surname;
            c.surname.clear();
            changes << text::surnameAsName();
        }
    }
    if (c.name.size() > contacts::FieldLength) {
        c.name.truncate(contacts::FieldLength);
        changes << text::nameCut();
    }
    if (c.surname.size() > contacts::FieldLength) {
        c.surname.truncate(contacts::FieldLength);
        changes << text::surnameCut();
    }
    c.name = contacts::normalisedName(c.name);

    const QString number = normalisedNumber(raw.number);
    if (!raw.hasNumber || isBlank(raw.number)) {
        leftOut << text::noNumber();
        c.number = raw.number;
    } else if (number.isEmpty()) {
        leftOut << text::badNumber();
        c.number = raw.number.trimmed();
    } else {
        c.number = number;
    }

    if (!leftOut.isEmpty()) {
        c.fate = Fate::LeftOut;
        c.reason = leftOut.join(u"; "_s);
    } else if (!changes.isEmpty()) {
        c.fate = Fate::Changed;
        c.reason = changes.join(u"; "_s);
    }
    return c;
}

// The name and surname of a full name: split at its last blank; one word is the name.
void splitFullName(const QString& full, Raw& raw) {
    const QString t = full.trimmed();
    qsizetype at = t.size() - 1;
    while (at >= 0 && !t[at].isSpace()) --at;
    if (at < 0) {
        raw.name = t;
        raw.surname.clear();
    } else {
        raw.name = t.left(at).trimmed();
        raw.surname = t.mid(at + 1);
    }
}

// The name of given and additional names: additional after a blank.
QString joinedName(const QString& given, const QString& additional) {
    if (isBlank(additional)) return given;
    if (isBlank(given)) return additional;
    return given + u' ' + additional;
}

// ---------------------------------------------------------------------------
// vCard

bool startsWithNoCase(QByteArrayView b, QByteArrayView prefix) {
    return b.size() >= prefix.size() && b.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

bool equalNoCase(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool containsNoCase(QByteArrayView hay, QByteArrayView needle) {
    for (qsizetype i = 0; i + needle.size() <= hay.size(); ++i)
        if (hay.sliced(i, needle.size()).compare(needle, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QByteArrayView trimmedView(QByteArrayView b) {
    qsizetype s = 0, e = b.size();
    while (s < e && (b[s] == ' ' || b[s] == '\t' || b[s] == '\r' || b[s] == '\n')) ++s;
    while (e > s && (b[e - 1] == ' ' || b[e - 1] == '\t' || b[e - 1] == '\r' || b[e - 1] == '\n')) --e;
    return b.sliced(s, e - s);
}

bool looksLikeVCard(QByteArrayView b) {
    qsizetype s = 0;
    while (s < b.size() && (b[s] == ' ' || b[s] == '\t' || b[s] == '\r' || b[s] == '\n')) ++s;
    return startsWithNoCase(b.sliced(s), "BEGIN:VCARD");
}

enum class Encoding { Plain, QuotedPrintable, Base64 };

struct Value {
    QByteArray bytes;  // as in the file, unfolded
    QByteArray charset;
    Encoding encoding = Encoding::Plain;
    QByteArray group;  // upper case, without the dot
    bool cell = false;
};

struct Card {
    QByteArray version;
    std::optional<Value> n, fn;
    std::vector<Value> tels;
    QList<QByteArray> mobileGroups;
};

// The property a line names, with its group cut off.
enum class Property { Other, Begin, End, Version, N, FN, Tel, Label };

Property propertyOf(QByteArrayView name) {
    const qsizetype dot = name.lastIndexOf('.');
    if (dot >= 0) name = name.sliced(dot + 1);
    switch (name.size()) {
    case 1: return equalNoCase(name, "N") ? Property::N : Property::Other;
    case 2: return equalNoCase(name, "FN") ? Property::FN : Property::Other;
    case 3:
        if (equalNoCase(name, "TEL")) return Property::Tel;
        return equalNoCase(name, "END") ? Property::End : Property::Other;
    case 5: return equalNoCase(name, "BEGIN") ? Property::Begin : Property::Other;
    case 7: return equalNoCase(name, "VERSION") ? Property::Version : Property::Other;
    case 9: return equalNoCase(name, "X-ABLABEL") ? Property::Label : Property::Other;
    default: return Property::Other;
    }
}

// The end of a line's head: its first ':' outside quotes, or -1.
qsizetype headEnd(QByteArrayView line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        else if (line[i] == ':' && !quoted) return i;
    }
    return -1;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

QByteArray decodeQuotedPrintable(QByteArrayView b) {
    QByteArray out;
    out.reserve(b.size());
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i] == '=' && i + 2 < b.size() && hexDigit(b[i + 1]) >= 0 && hexDigit(b[i + 2]) >= 0) {
            out += char(hexDigit(b[i + 1]) * 16 + hexDigit(b[i + 2]));
            i += 2;
        } else {
            out += b[i];
        }
    }
    return out;
}

QString decodeValue(const Value& v) {
    switch (v.encoding) {
    case Encoding::QuotedPrintable: return decodeCharset(decodeQuotedPrintable(v.bytes), v.charset);
    case Encoding::Base64: return decodeCharset(QByteArray::fromBase64(v.bytes), v.charset);
    case Encoding::Plain: break;
    }
    return decodeCharset(v.bytes, v.charset);
}

// A type that marks a mobile number.
bool isMobileType(QByteArrayView t) {
    t = trimmedView(t);
    if (!t.isEmpty() && t.front() == '"') t = t.sliced(1);
    if (!t.isEmpty() && t.back() == '"') t.chop(1);
    return equalNoCase(t, "CELL") || equalNoCase(t, "MOBILE") || equalNoCase(t, "IPHONE");
}

// Reads the head of a property line (without the property name) into v.
void readParameters(QByteArrayView params, Value& v) {
    // params: everything after the name's ';', split at ';' outside quotes
    qsizetype start = 0;
    bool quoted = false;
    for (qsizetype i = 0; i <= params.size(); ++i) {
        if (i < params.size() && params[i] == '"') quoted = !quoted;
        if (i < params.size() && (params[i] != ';' || quoted)) continue;
        const QByteArrayView p = trimmedView(params.sliced(start, i - start));
        start = i + 1;
        if (p.isEmpty()) continue;
        const qsizetype eq = p.indexOf('=');
        const QByteArrayView key = eq < 0 ? QByteArrayView() : trimmedView(p.first(eq));
        const QByteArrayView val = eq < 0 ? p : trimmedView(p.sliced(eq + 1));
        if (eq < 0 || equalNoCase(key, "TYPE")) {
            // a bare 2.1 parameter, or a list of types
            if (eq < 0 && equalNoCase(val, "QUOTED-PRINTABLE")) v.encoding = Encoding::QuotedPrintable;
            else if (eq < 0 && equalNoCase(val, "BASE64")) v.encoding = Encoding::Base64;
            qsizetype from = 0;
            for (qsizetype j = 0; j <= val.size(); ++j) {
                if (j < val.size() && val[j] != ',') continue;
                if (isMobileType(val.sliced(from, j - from))) v.cell = true;
                from = j + 1;
            }
        } else if (equalNoCase(key, "ENCODING")) {
            if (equalNoCase(val, "QUOTED-PRINTABLE")) v.encoding = Encoding::QuotedPrintable;
            else if (equalNoCase(val, "B") || equalNoCase(val, "BASE64")) v.encoding = Encoding::Base64;
        } else if (equalNoCase(key, "CHARSET")) {
            QByteArrayView cs = val;
            if (cs.size() >= 2 && cs.front() == '"' && cs.back() == '"') cs = cs.sliced(1, cs.size() - 2);
            v.charset = cs.toByteArray();
        }
    }
}

// The components of a structured value, split at ';' that no backslash
// escapes, with the escapes read; a comma that separates values within a
// component reads as a blank where commaSeparates.
QStringList components(const QString& v, bool commaSeparates) {
    QStringList out;
    QString cur;
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c == u'\\' && i + 1 < v.size()) {
            const QChar d = v[++i];
            if (d == u'n' || d == u'N') cur += u'\n';
            else if (d == u',' || d == u';' || d == u'\\') cur += d;
            else cur += QString(c) + d;
        } else if (c == u';') {
            out << cur;
            cur.clear();
        } else if (c == u',' && commaSeparates) {
            cur += u' ';
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

QString unescaped(const QString& v) {
    if (!v.contains(u'\\')) return v;
    QString out;
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c == u'\\' && i + 1 < v.size()) {
            const QChar d = v[++i];
            if (d == u'n' || d == u'N') out += u'\n';
            else if (d == u',' || d == u';' || d == u'\\') out += d;
            else out += QString(c) + d;
        } else {
            out += c;
        }
    }
    return out;
}

// The number of a TEL value: a tel: URI's number without its parameters.
QString telNumber(const QString& v) {
    QString s = unescaped(v).trimmed();
    if (s.startsWith(u"tel:"_s, Qt::CaseInsensitive)) {
        s = s.mid(4);
        const qsizetype semicolon = s.indexOf(u';');
        if (semicolon >= 0) s.truncate(semicolon);
    }
    return s;
}

bool labelIsMobile(const QString& label) {
    const QString l = label.toLower();
    return l.contains(u"mobile"_s) || l.contains(u"cell"_s) || l.contains(u"cep"_s);
}

ReadContact contactOf(const Card& card) {
    Raw raw;
    const bool commaSeparates = card.version.trimmed() != "2.1";
    if (card.n) {
        const QStringList c = components(decodeValue(*card.n), commaSeparates);
        const QString family = c.value(0), given = c.value(1), additional = c.value(2);
        if (!isBlank(family) || !isBlank(given) || !isBlank(additional)) {
            raw.name = joinedName(given, additional);
            raw.surname = family;
        }
    }
    if (isBlank(raw.name) && isBlank(raw.surname) && card.fn) splitFullName(unescaped(decodeValue(*card.fn)), raw);

    const Value* chosen = nullptr;
    const Value* first = nullptr;
    std::vector<QString> numbers(card.tels.size());
    for (size_t i = 0; i < card.tels.size(); ++i) {
        const Value& t = card.tels[i];
        numbers[i] = telNumber(decodeValue(t));
        if (isBlank(numbers[i])) continue;
        if (!first) first = &t;
        if (t.cell || (!t.group.isEmpty() && card.mobileGroups.contains(t.group))) {
            chosen = &t;
            break;
        }
    }
    if (!chosen) chosen = first;
    if (chosen) {
        raw.number = numbers[size_t(chosen - card.tels.data())];
        raw.hasNumber = true;
    }
    return clean(raw);
}

ReadResult readVCard(const QByteArray& bytes) {
    if (bytes.contains('\0')) return refused(text::nulByte());
    ReadResult result;
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    // One physical line: [from, to) without its break; p moves past the break.
    auto nextLine = [&](QByteArrayView& line) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* stop = nl ? nl : end;
        const char* to = stop > p && stop[-1] == '\r' ? stop - 1 : stop;
        line = QByteArrayView(p, to - p);
        p = nl ? nl + 1 : end;
        return line.size() <= MaxLineLength;
    };

    int depth = 0;
    Card card;
    std::string joined;
    while (p < end) {
        QByteArrayView line;
        if (!nextLine(line)) return refused(text::longLine());
        // the property's name, to know whether its continuation is kept
        qsizetype nameEnd = 0;
        while (nameEnd < line.size() && line[nameEnd] != ';' && line[nameEnd] != ':') ++nameEnd;
        const Property property = propertyOf(trimmedView(line.first(nameEnd)));
        const bool keep = property != Property::Other && (depth == 1 || property == Property::Begin ||
                                                          property == Property::End);
        const qsizetype head = headEnd(line);
        const bool quotedPrintable = head >= 0 && containsNoCase(line.first(head), "QUOTED-PRINTABLE");

        // Unfolding, and the soft line breaks of quoted-printable values.
        QByteArrayView logical = line;
        QByteArrayView last = line;
        bool isJoined = false;
        while (p < end) {
            const bool softBreak = quotedPrintable && !last.isEmpty() && last.back() == '=';
            if (!softBreak && *p != ' ' && *p != '\t') break;
            QByteArrayView next;
            if (!nextLine(next)) return refused(text::longLine());
            if (keep) {
                if (!isJoined) joined.assign(logical.data(), size_t(logical.size()));
                if (softBreak) joined.pop_back();
                const QByteArrayView part = softBreak ? next : next.sliced(1);
                joined.append(part.data(), size_t(part.size()));
                isJoined = true;
            }
            last = next;
        }
        if (!keep) continue;
        if (isJoined) logical = QByteArrayView(joined.data(), qsizetype(joined.size()));
        if (quotedPrintable && !logical.isEmpty() && logical.back() == '=') logical.chop(1);

        const qsizetype colon = headEnd(logical);
        if (colon < 0) continue;
        const QByteArrayView value = logical.sliced(colon + 1);
        switch (property) {
        case Property::Begin:
            if (equalNoCase(trimmedView(value), "VCARD") && ++depth == 1) card = Card();
            break;
        case Property::End:
            if (depth > 0 && equalNoCase(trimmedView(value), "VCARD") && --depth == 0)
                result.contacts << contactOf(card);
            break;
        case Property::Version: card.version = value.toByteArray(); break;
        case Property::N:
        case Property::FN:
        case Property::Tel:
        case Property::Label: {
            Value v;
            v.bytes = value.toByteArray();
            const QByteArrayView name = trimmedView(logical.first(nameEnd));
            const qsizetype dot = name.lastIndexOf('.');
            if (dot > 0) v.group = name.first(dot).toByteArray().toUpper();
            if (nameEnd < colon) readParameters(logical.sliced(nameEnd + 1, colon - nameEnd - 1), v);
            if (property == Property::N) card.n = std::move(v);
            else if (property == Property::FN) card.fn = std::move(v);
            else if (property == Property::Tel) card.tels.push_back(std::move(v));
            else if (!v.group.isEmpty() && labelIsMobile(unescaped(decodeValue(v)))) card.mobileGroups << v.group;
            break;
        }
        case Property::Other: break;
        }
    }
    if (depth > 0) return refused(text::noEnd());
    if (result.contacts.isEmpty()) return refused(text::noContacts());
    return result;
}

// ---------------------------------------------------------------------------
// CSV

struct CsvRows {
    QList<QStringList> rows;
    bool openQuote = false;
    bool longLine = false;
};

QChar separatorOf(const QString& t) {
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (QChar c : t) {
        if (c == u'"') quoted = !quoted;
        else if (quoted) continue;
        else if (c == u'\n' || c == u'\r') break;
        else if (c == u',') ++comma;
        else if (c == u';') ++semicolon;
        else if (c == u'\t') ++tab;
    }
    if (semicolon > comma && semicolon >= tab) return u';';
    if (tab > comma && tab > semicolon) return u'\t';
    return u',';
}

CsvRows splitCsv(const QString& t) {
    CsvRows out;
    const QChar sep = separatorOf(t);
    QStringList row;
    QString cell;
    bool quoted = false;      // inside quotes
    bool rowHasText = false;  // the row has a cell or a separator
    qsizetype lineLength = 0;
    const qsizetype n = t.size();
    auto endRow = [&]() {
        if (rowHasText || !cell.isEmpty()) {
            row << cell;
            out.rows << row;
        }
        row.clear();
        cell.clear();
        rowHasText = false;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = t[i];
        if (c == u'\n' || c == u'\r') lineLength = 0;
        else if (++lineLength > MaxLineLength) out.longLine = true;
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && t[i + 1] == u'"') {
                    cell += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                cell += c;
            }
        } else if (c == u'"' && cell.isEmpty()) {
            quoted = true;
            rowHasText = true;
        } else if (c == sep) {
            row << cell;
            cell.clear();
            rowHasText = true;
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && t[i + 1] == u'\n') ++i;
            endRow();
        } else {
            cell += c;
        }
    }
    if (quoted) out.openQuote = true;
    endRow();
    return out;
}

// A header in the form it is compared in: small letters, the four forms of I
// one letter, blanks around it and doubled inside it gone.
QString folded(const QString& header) {
    QString out;
    for (QChar c : header.simplified()) {
        const char16_t u = c.unicode();
        if (u == u'I' || u == u'ı' || u == u'İ' || u == u'i') out += u'i';
        else out += c.toLower();
    }
    return out;
}

// A cell's first value: Google writes several as "a ::: b".
QString firstValue(const QString& cell) {
    const qsizetype at = cell.indexOf(u" ::: "_s);
    return at < 0 ? cell : cell.left(at);
}

bool isOneOf(const QString& f, std::initializer_list<const char16_t*> names) {
    for (const char16_t* n : names)
        if (f == QStringView(n)) return true;
    return false;
}

// "phone 3 - value" and the like: the 3 and the part after " - ".
bool googlePhone(const QString& f, int& number, QString& part) {
    if (!f.startsWith(u"phone "_s)) return false;
    qsizetype i = 6;
    const qsizetype digits = i;
    while (i < f.size() && f[i].isDigit()) ++i;
    if (i == digits || !f.mid(i).startsWith(u" - "_s)) return false;
    number = f.mid(digits, i - digits).toInt();
    part = f.mid(i + 3);
    return true;
}

struct Columns {
    QList<int> given, additional, family, full, mobile, phone;
    // Google's numbered phones: value column, label column
    QList<std::pair<int, int>> labelled;
    bool known() const {
        return !given.isEmpty() || !family.isEmpty() || !full.isEmpty() || !mobile.isEmpty() || !phone.isEmpty() ||
               !labelled.isEmpty();
    }
};

Columns columnsOf(const QStringList& header) {
    Columns c;
    QHash<int, int> values, labels;  // by the phone's number
    QList<int> order;
    for (int i = 0; i < header.size(); ++i) {
        const QString f = folded(header[i]);
        int number = 0;
        QString part;
        if (isOneOf(f, {u"first name", u"given name", u"ad", u"adi", u"isim"})) c.given << i;
        else if (isOneOf(f, {u"middle name", u"additional name"})) c.additional << i;
        else if (isOneOf(f, {u"last name", u"family name", u"soyad", u"soyadi", u"soyisim"})) c.family << i;
        else if (isOneOf(f, {u"name", u"full name", u"display name", u"ad soyad", u"adi soyadi"})) c.full << i;
        else if (isOneOf(f, {u"mobile phone", u"mobile number", u"cell phone", u"cep telefonu", u"cep tel", u"cep"}))
            c.mobile << i;
        else if (googlePhone(f, number, part)) {
            if (part == u"value"_s) {
                if (!values.contains(number)) order << number;
                values.insert(number, i);
                c.phone << i;
            } else if (part == u"label"_s || part == u"type"_s) {
                labels.insert(number, i);
            }
        } else if (f.contains(u"phone"_s) || f.contains(u"telefon"_s) ||
                   isOneOf(f, {u"tel", u"numara", u"number", u"gsm"})) {
            c.phone << i;
        }
    }
    for (int number : order)
        if (labels.contains(number)) c.labelled << std::pair<int, int>(values.value(number), labels.value(number));
    return c;
}

bool labelIsMobileCsv(const QString& label) {
    QString l = folded(label);
    while (l.startsWith(u'*')) l = l.mid(1).trimmed();
    return isOneOf(l, {u"mobile", u"cell", u"cep"});
}

ReadResult readCsv(const QByteArray& bytes, bool utf8) {
    const QString t = utf8 || isUtf8(bytes) ? QString::fromUtf8(bytes) : codepage::decode(bytes);
    const CsvRows csv = splitCsv(t);
    if (csv.rows.isEmpty()) return refused(text::emptyFile());
    const Columns cols = columnsOf(csv.rows.first());
    if (!cols.known()) return refused(text::notContacts());
    if (bytes.contains('\0')) return refused(text::nulByte());
    if (csv.longLine) return refused(text::longLine());
    if (csv.openQuote) return refused(text::openQuote());

    ReadResult result;
    for (qsizetype r = 1; r < csv.rows.size(); ++r) {
        const QStringList& row = csv.rows[r];
        bool any = false;
        for (const QString& cell : row) any = any || !isBlank(cell);
        if (!any) continue;
        const auto cell = [&](int i) { return firstValue(row.value(i)); };
        const auto firstOf = [&](const QList<int>& columns) {
            for (int i : columns)
                if (!isBlank(cell(i))) return cell(i);
            return QString();
        };
        Raw raw;
        raw.name = joinedName(firstOf(cols.given), firstOf(cols.additional));
        raw.surname = firstOf(cols.family);
        if (isBlank(raw.name) && isBlank(raw.surname)) splitFullName(firstOf(cols.full), raw);
        QString number = firstOf(cols.mobile);
        for (const auto& [value, label] : cols.labelled) {
            if (!isBlank(number)) break;
            if (labelIsMobileCsv(cell(label))) number = cell(value);
        }
        if (isBlank(number)) number = firstOf(cols.phone);
        raw.number = number;
        raw.hasNumber = !isBlank(number);
        result.contacts << clean(raw);
    }
    if (result.contacts.isEmpty()) return refused(text::noContacts());
    return result;
}

// ---------------------------------------------------------------------------
// Writing

// Each byte of code page 1254 in UTF-8.
struct Utf8Table {
    char bytes[256][4];
    int size[256];
    Utf8Table() {
        for (int b = 0; b < 256; ++b) {
            const QByteArray u = QString(codepage::toUnicode(uchar(b))).toUtf8();
            size[b] = int(u.size());
            std::memcpy(bytes[b], u.constData(), size_t(u.size()));
        }
    }
};

const Utf8Table& utf8Table() {
    static const Utf8Table t;
    return t;
}

// A line of code page 1254 in UTF-8, with the characters in `escape` after a backslash.
void appendUtf8(QByteArray& out, const QByteArray& line, const char* escape) {
    const Utf8Table& t = utf8Table();
    for (char ch : line) {
        const uchar b = uchar(ch);
        if (b < 0x80) {
            if (std::strchr(escape, ch) && ch != '\0') out += '\\';
            out += ch;
        } else {
            out.append(t.bytes[b], t.size[b]);
        }
    }
}

QByteArray utf8Escaped(const QByteArray& line, const char* escape) {
    QByteArray out;
    out.reserve(line.size() + 8);
    appendUtf8(out, line, escape);
    return out;
}

// A vCard 3.0 line folded at 75 bytes, never inside a UTF-8 letter.
void appendFolded(QByteArray& out, const QByteArray& line) {
    qsizetype from = 0;
    qsizetype room = 75;
    while (line.size() - from > room) {
        qsizetype cut = from + room;
        while (cut > from && (uchar(line[cut]) & 0xC0) == 0x80) --cut;
        out.append(line.constData() + from, cut - from);
        out += "\r\n ";
        from = cut;
        room = 74;
    }
    out.append(line.constData() + from, line.size() - from);
    out += "\r\n";
}

// A vCard 2.1 line: plain when its value is ASCII, else quoted-printable
// UTF-8 with soft line breaks that keep every line at 76 characters at most.
void appendLine21(QByteArray& out, const char* property, const QByteArray& value) {
    if (isAscii(value)) {
        out += property;
        out += ':';
        out += value;
        out += "\r\n";
        return;
    }
    static const char hex[] = "0123456789ABCDEF";
    const qsizetype start = out.size();
    out += property;
    out += ";CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:";
    qsizetype column = out.size() - start;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const uchar c = uchar(value[i]);
        bool literal = (c >= 33 && c <= 126 && c != '=') || (c == ' ' && i + 1 < value.size());
        const int length = literal ? 1 : 3;
        if (column + length > 75) {
            out += "=\r\n";
            column = 0;
        }
        // a blank that starts a line could be taken for a folded line's
        if (c == ' ' && column == 0) literal = false;
        if (literal) {
            out += char(c);
        } else {
            out += '=';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
        column += literal ? 1 : 3;
    }
    out += "\r\n";
}

QByteArray lineOf(const QList<QByteArray>& lines, qsizetype i) { return i < lines.size() ? lines[i] : QByteArray(); }

bool isMobileNumber(const QByteArray& number) {
    if (number.size() != 11 || number[0] != '0') return false;
    for (char c : number)
        if (c < '0' || c > '9') return false;
    return true;
}

QByteArray fullName(const QByteArray& name, const QByteArray& surname) {
    if (name.isEmpty()) return surname;
    if (surname.isEmpty()) return name;
    return name + ' ' + surname;
}

QByteArray vcardNumber(const QByteArray& number) {
    return isMobileNumber(number) ? "+90" + number.mid(1) : number;
}

QByteArray exportVCard30(const QList<QByteArray>& lines) {
    QByteArray out;
    out.reserve(lines.size() * 40 + 64);
    QByteArray line;
    for (qsizetype k = 0; 3 * k < lines.size(); ++k) {
        const QByteArray name = lineOf(lines, 3 * k), surname = lineOf(lines, 3 * k + 1),
                         number = lineOf(lines, 3 * k + 2);
        out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        line = "N:";
        appendUtf8(line, surname, "\\,;");
        line += ';';
        appendUtf8(line, name, "\\,;");
        line += ";;;";
        appendFolded(out, line);
        line = "FN:";
        appendUtf8(line, fullName(name, surname), "\\,;");
        appendFolded(out, line);
        if (!number.isEmpty()) {
            line = "TEL;TYPE=CELL:";
            appendUtf8(line, vcardNumber(number), "\\,;");
            appendFolded(out, line);
        }
        out += "END:VCARD\r\n";
    }
    return out;
}

QByteArray exportVCard21(const QList<QByteArray>& lines) {
    QByteArray out;
    out.reserve(lines.size() * 40 + 64);
    for (qsizetype k = 0; 3 * k < lines.size(); ++k) {
        const QByteArray name = lineOf(lines, 3 * k), surname = lineOf(lines, 3 * k + 1),
                         number = lineOf(lines, 3 * k + 2);
        out += "BEGIN:VCARD\r\nVERSION:2.1\r\n";
        appendLine21(out, "N", utf8Escaped(surname, "\\;") + ';' + utf8Escaped(name, "\\;") + ";;;");
        appendLine21(out, "FN", utf8Escaped(fullName(name, surname), "\\;"));
        if (!number.isEmpty()) appendLine21(out, "TEL;CELL", utf8Escaped(vcardNumber(number), "\\;"));
        out += "END:VCARD\r\n";
    }
    return out;
}

void appendCsvCell(QByteArray& out, const QByteArray& cell) {
    bool quote = !cell.isEmpty() && (cell.front() == ' ' || cell.back() == ' ');
    for (char c : cell)
        if (c == ',' || c == '"' || c == '\r' || c == '\n') quote = true;
    if (!quote) {
        appendUtf8(out, cell, "");
        return;
    }
    out += '"';
    appendUtf8(out, QByteArray(cell).replace('"', "\"\""), "");
    out += '"';
}

QByteArray exportCsv(const QList<QByteArray>& lines) {
    QByteArray out("\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\n");
    out.reserve(lines.size() * 16 + 64);
    for (qsizetype k = 0; 3 * k < lines.size(); ++k) {
        appendCsvCell(out, lineOf(lines, 3 * k));
        out += ',';
        appendCsvCell(out, lineOf(lines, 3 * k + 1));
        out += ',';
        appendCsvCell(out, lineOf(lines, 3 * k + 2));
        out += "\r\n";
    }
    return out;
}

// Texts equal under the comparison have equal keys, and only they.
QByteArray weightKey(const QByteArray& text) {
    QByteArray key(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) key[i] = char(collation::weight(uchar(text[i])));
    return key;
}

}  // namespace

// ---------------------------------------------------------------------------

std::optional<Format> formatForPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"vcf"_s || suffix == u"vcard"_s) return Format::VCard30;
    if (suffix == u"csv"_s) return Format::Csv;
    return std::nullopt;
}

QString normalisedNumber(const QString& read) {
    QString n;
    n.reserve(read.size());
    for (QChar c : read) {
        if (c.isSpace() || c.category() == QChar::Other_Format) continue;  // blanks and invisible direction marks
        if (c == u'(' || c == u')' || c == u'-' || c == u'.' || c == u'/') continue;
        n += c;
    }
    if (n.startsWith(u"+90"_s)) n = u'0' + n.mid(3);
    else if (n.startsWith(u"0090"_s)) n = u'0' + n.mid(4);
    for (QChar c : n)
        if (c < u'0' || c > u'9') return QString();
    if (n.size() == 12 && n.startsWith(u"90"_s)) n = u'0' + n.mid(2);
    else if (n.size() == 10 && n.front() == u'5') n = u'0' + n;
    if (n.isEmpty() || n.size() > 11) return QString();
    return n;
}

ReadResult readBytes(const QByteArray& input) {
    if (input.size() > MaxFileSize) return refused(text::tooLarge());
    QByteArray bytes = input;
    bool utf8 = false;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        bytes = QString(decoder.decode(QByteArrayView(bytes).sliced(2))).toUtf8();
        utf8 = true;
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
        utf8 = true;
    }
    if (trimmedView(bytes).isEmpty()) return refused(text::emptyFile());
    if (looksLikeVCard(bytes)) return readVCard(bytes);
    return readCsv(bytes, utf8);
}

ReadResult readFile(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) return refused(text::unreadable());
    if (f.size() > MaxFileSize) return refused(text::tooLarge());
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return refused(text::unreadable());
    return readBytes(bytes);
}

Plan planImport(const ReadResult& read, const StringList& recordLines) {
    Plan plan;
    QSet<QByteArray> inGroup, inFile;
    inGroup.reserve(recordLines.count());
    for (const QByteArray& line : recordLines.lines())
        if (!line.isEmpty()) inGroup.insert(weightKey(line));
    plan.contacts.reserve(read.contacts.size());
    for (ReadContact c : read.contacts) {
        if (c.fate != Fate::LeftOut) {
            const QByteArray number = weightKey(codepage::encode(c.number));
            if (inGroup.contains(number)) {
                c.fate = Fate::LeftOut;
                c.reason = text::numberInGroup();
            } else if (inFile.contains(number)) {
                c.fate = Fate::LeftOut;
                c.reason = text::numberEarlier();
            } else {
                // the save looks a number up among all lines, so a kept contact's name counts too
                for (const QString& line : {c.name, c.surname})
                    if (!line.isEmpty()) inFile.insert(weightKey(codepage::encode(line)));
                inFile.insert(number);
            }
        }
        switch (c.fate) {
        case Fate::Added: ++plan.added; break;
        case Fate::Changed: ++plan.changed; break;
        case Fate::LeftOut: ++plan.leftOut; break;
        }
        plan.contacts << c;
    }
    plan.linesAfter = recordLines.count() + 3 * plan.stored();
    plan.remainingCapacity = datafolder::remainingCapacity(plan.linesAfter);
    return plan;
}

void applyImport(const Plan& plan, StringList& recordLines, StringList& nameIndex) {
    // Placed last first: each goes ahead of the equal names before it, so
    // equal names keep the file's order.
    std::vector<contacts::NewContact> stored;
    stored.reserve(size_t(plan.stored()));
    for (auto c = plan.contacts.crbegin(); c != plan.contacts.crend(); ++c)
        if (c->fate != Fate::LeftOut)
            stored.push_back({codepage::encode(c->name), codepage::encode(c->surname), codepage::encode(c->number)});
    contacts::placeContacts(recordLines, nameIndex, stored);
}

void importIntoGroup(const Plan& plan, const QString& groupPath, StringList& recordLines, StringList& nameIndex) {
    StringList lines = recordLines;
    StringList names = nameIndex;
    applyImport(plan, lines, names);
    lines.save(groupPath);
    recordLines = std::move(lines);
    nameIndex = std::move(names);
}

QByteArray exportLines(const StringList& recordLines, Format format) {
    switch (format) {
    case Format::VCard30: return exportVCard30(recordLines.lines());
    case Format::VCard21: return exportVCard21(recordLines.lines());
    case Format::Csv: return exportCsv(recordLines.lines());
    }
    return QByteArray();
}

void exportToFile(const StringList& recordLines, const QString& path, std::optional<Format> format) {
    if (!format) format = formatForPath(path);
    textfile::writeBytes(path, exportLines(recordLines, format.value_or(Format::VCard30)));
}

}  // namespace interchange
