#include "store/vcardreader.h"

#include "store/cleaning.h"

#include <cstring>
#include <optional>
#include <vector>

namespace interchange {

namespace {

// ASCII letters in capitals, every other byte as it is.
struct UpperTable {
    char upper[256];
    constexpr UpperTable() : upper() {
        for (int b = 0; b < 256; ++b) upper[b] = char(b >= 'a' && b <= 'z' ? b - 32 : b);
    }
};
constexpr UpperTable Upper;

// Equal in ASCII without regard to case; the second is written in capitals.
bool equalNoCase(QByteArrayView a, QByteArrayView capitals) {
    if (a.size() != capitals.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (Upper.upper[uchar(a[i])] != capitals[i]) return false;
    return true;
}

template <size_t N>
bool equalNoCase(QByteArrayView a, const char (&capitals)[N]) {
    return equalNoCase(a, QByteArrayView(capitals, qsizetype(N - 1)));
}

bool startsWithNoCase(QByteArrayView b, QByteArrayView prefix) {
    return b.size() >= prefix.size() && equalNoCase(b.first(prefix.size()), prefix);
}

bool containsNoCase(QByteArrayView hay, QByteArrayView capitals) {
    const char first = capitals.front();
    for (qsizetype i = 0; i + capitals.size() <= hay.size(); ++i)
        if (Upper.upper[uchar(hay[i])] == first && equalNoCase(hay.sliced(i, capitals.size()), capitals)) return true;
    return false;
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
    bool version21 = false;
    std::optional<Value> n, fn;
    std::vector<Value> tels;
    QList<QByteArray> mobileGroups;
    void clear() {
        version21 = false;
        n.reset();
        fn.reset();
        tels.clear();
        mobileGroups.clear();
    }
};

// The property a line names, with its group cut off.
enum class Property { Other, Begin, End, Version, N, FN, Tel, Label };

Property propertyOf(QByteArrayView name) {
    for (qsizetype i = name.size() - 1; i >= 0; --i)
        if (name[i] == '.') {
            name = name.sliced(i + 1);
            break;
        }
    if (name.isEmpty()) return Property::Other;
    // one comparison at most: the first letter tells the name apart
    switch (Upper.upper[uchar(name.front())]) {
    case 'N': case 'F': case 'T': case 'E': case 'B': case 'V': case 'X': break;
    default: return Property::Other;
    }
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
    QByteArray out(b.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i] == '=' && i + 2 < b.size() && hexDigit(b[i + 1]) >= 0 && hexDigit(b[i + 2]) >= 0) {
            *dst++ = char(hexDigit(b[i + 1]) * 16 + hexDigit(b[i + 2]));
            i += 2;
        } else {
            *dst++ = b[i];
        }
    }
    out.truncate(dst - out.data());
    return out;
}

// A value's bytes, its transfer encoding undone, in UTF-8 or code page 1254.
Text decodeValue(const Value& v) {
    switch (v.encoding) {
    case Encoding::QuotedPrintable: return inCharset(decodeQuotedPrintable(v.bytes), v.charset);
    case Encoding::Base64: return inCharset(QByteArray::fromBase64(v.bytes), v.charset);
    case Encoding::Plain: break;
    }
    return inCharset(v.bytes, v.charset);
}

// A type that marks a mobile number.
bool isMobileType(QByteArrayView t) {
    t = trimmedView(t);
    if (!t.isEmpty() && t.front() == '"') t = t.sliced(1);
    if (!t.isEmpty() && t.back() == '"') t.chop(1);
    return equalNoCase(t, "CELL") || equalNoCase(t, "MOBILE") || equalNoCase(t, "IPHONE");
}

// Reads the parameters of a property line (what stands between the name and
// the ':') into v.
void readParameters(QByteArrayView params, Value& v) {
    if (equalNoCase(params, "TYPE=CELL")) {  // as we write it
        v.cell = true;
        return;
    }
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

// A value's escapes read: \, \; \\ and \n (or \N) as , ; \ and a line
// break, any other backslash kept. Where `components`, the value is split at
// each ';' that no backslash escapes into up to `wanted` components, and a
// comma that separates values within a component reads as a blank where
// commaSeparates; otherwise the whole value is out[0]. Without escapes (and
// commas to read) the parts are read in place. Returns how many it gave.
int readEscaped(QByteArrayView v, bool components, bool commaSeparates, QByteArray* out, int wanted) {
    int k = 0;
    if (!v.contains('\\') && !(commaSeparates && v.contains(','))) {
        // nothing to read but the semicolons
        qsizetype from = 0;
        for (qsizetype i = 0; i <= v.size() && k < wanted; ++i) {
            if (i < v.size() && (v[i] != ';' || !components)) continue;
            out[k++] = QByteArray::fromRawData(v.data() + from, i - from);
            from = i + 1;
        }
        return k;
    }
    QByteArray cur;
    cur.reserve(v.size());
    for (qsizetype i = 0; i < v.size() && k < wanted; ++i) {
        const char c = v[i];
        if (c == '\\' && i + 1 < v.size()) {
            const char d = v[++i];
            if (d == 'n' || d == 'N') cur += '\n';
            else if (d == ',' || d == ';' || d == '\\') cur += d;
            else cur += QByteArrayView("\\", 1), cur += d;
        } else if (c == ';' && components) {
            out[k++] = cur;
            cur.clear();
        } else if (c == ',' && commaSeparates) {
            cur += ' ';
        } else {
            cur += c;
        }
    }
    if (k < wanted) out[k++] = cur;
    return k;
}

// A value with its escapes read, in place when it has none.
QByteArray unescaped(const QByteArray& v) {
    QByteArray out;
    readEscaped(v, false, false, &out, 1);
    return out;
}

// The number of a TEL value: a tel: URI's number without its parameters.
QByteArrayView telNumber(QByteArrayView v) {
    v = trimmedView(v);
    if (startsWithNoCase(v, "TEL:")) {
        v = v.sliced(4);
        const qsizetype semicolon = v.indexOf(';');
        if (semicolon >= 0) v.truncate(semicolon);
    }
    return v;
}

bool labelIsMobile(QByteArrayView label) {
    return containsNoCase(label, "MOBILE") || containsNoCase(label, "CELL") || containsNoCase(label, "CEP");
}

ReadContact contactOf(const Card& card) {
    Raw raw;
    const bool commaSeparates = !card.version21;
    if (card.n) {
        const Text t = decodeValue(*card.n);
        QByteArray c[3];
        readEscaped(t.bytes, true, commaSeparates, c, 3);
        QByteArray family = lineOf(c[0], t.utf8, raw.cleaning);
        QByteArray given = lineOf(c[1], t.utf8, raw.cleaning);
        QByteArray additional = lineOf(c[2], t.utf8, raw.cleaning);
        if (!isBlank(family) || !isBlank(given) || !isBlank(additional)) {
            raw.name = joinedName(std::move(given), std::move(additional));
            raw.surname = std::move(family);
        }
    }
    if (isBlank(raw.name) && isBlank(raw.surname) && card.fn) {
        const Text t = decodeValue(*card.fn);
        splitFullName(lineOf(t.bytes.contains('\\') ? unescaped(t.bytes) : t.bytes, t.utf8, raw.cleaning), raw);
    }

    bool found = false;
    for (int pass = 0; pass < 2 && !found; ++pass) {
        // first the TEL marked as a mobile's, then any
        for (const Value& tel : card.tels) {
            if (pass == 0 && !tel.cell && !(!tel.group.isEmpty() && card.mobileGroups.contains(tel.group))) continue;
            Text t = decodeValue(tel);
            if (t.bytes.contains('\\')) t.bytes = unescaped(t.bytes);
            const QByteArrayView number = telNumber(QByteArrayView(t.bytes));
            if (isBlank(number) || trimmedView(number).isEmpty()) continue;
            raw.numberText = number;  // moving the bytes keeps them where they are
            raw.number = std::move(t);
            raw.hasNumber = found = true;
            break;
        }
    }
    return clean(std::move(raw));
}

// What a property line gives its card: the version, N, FN, a TEL, or a
// label that marks its group's TEL a mobile's. The value is what follows the
// colon, read in place where inPlace (the line is the file's own bytes). A
// card's BEGIN and END are its reader's.
void addToCard(Card& card, Property property, QByteArrayView line, qsizetype nameEnd, qsizetype colon, bool inPlace) {
    const QByteArrayView value = line.sliced(colon + 1);
    switch (property) {
    case Property::Version: card.version21 = trimmedView(value) == "2.1"; return;
    case Property::N:
    case Property::FN:
    case Property::Tel:
    case Property::Label: break;
    case Property::Begin:
    case Property::End:
    case Property::Other: return;
    }
    Value v;
    v.bytes = inPlace ? QByteArray::fromRawData(value.data(), value.size()) : value.toByteArray();
    const QByteArrayView name = trimmedView(line.first(nameEnd));
    qsizetype dot = name.size() - 1;
    while (dot > 0 && name[dot] != '.') --dot;
    if (dot > 0) v.group = name.first(dot).toByteArray().toUpper();
    if (nameEnd < colon) readParameters(line.sliced(nameEnd + 1, colon - nameEnd - 1), v);
    if (property == Property::N) card.n = std::move(v);
    else if (property == Property::FN) card.fn = std::move(v);
    else if (property == Property::Tel) card.tels.push_back(std::move(v));
    else if (!v.group.isEmpty() && labelIsMobile(decodeValue(v).bytes)) card.mobileGroups << v.group;
}

// Where a property's name ends: at the first ';' or ':'.
qsizetype nameEndOf(QByteArrayView line) {
    qsizetype nameEnd = 0;
    while (nameEnd < line.size() && line[nameEnd] != ';' && line[nameEnd] != ':') ++nameEnd;
    return nameEnd;
}

// Reads a card of plain lines in one go, from just after its BEGIN:VCARD
// line to past its END:VCARD, into card: what the line-by-line reading
// below makes of it, without its bookkeeping. A plain line ends in a line
// break, is not folded (no blank or tab starts the next line), does not end
// with "=" (a soft line break, were it quoted-printable), and names its
// property without a group or blanks around it. At any other line, a card
// inside the card, or the file's end, it returns false, leaving p as it
// was; what it put into card is then to be cleared.
bool readPlainCard(const char*& p, const char* end, Card& card) {
    const char* q = p;
    while (q < end) {
        const char* nl = static_cast<const char*>(std::memchr(q, '\n', size_t(end - q)));
        if (!nl || (nl + 1 < end && (nl[1] == ' ' || nl[1] == '\t'))) return false;
        const char* stop = nl > q && nl[-1] == '\r' ? nl - 1 : nl;
        const QByteArrayView line(q, stop - q);
        if (line.size() > MaxLineLength || (!line.isEmpty() && line.back() == '=')) return false;
        q = nl + 1;
        const qsizetype nameEnd = nameEndOf(line);
        const QByteArrayView name = trimmedView(line.first(nameEnd));
        const Property property = propertyOf(name);
        if (property == Property::Other) continue;
        if (property == Property::Begin || name.size() != nameEnd || std::memchr(name.data(), '.', size_t(nameEnd)))
            return false;
        const qsizetype colon = nameEnd < line.size() && line[nameEnd] == ';' ? headEnd(line) : nameEnd;
        if (colon < 0 || colon >= line.size()) return false;
        if (property == Property::End) {
            if (!equalNoCase(trimmedView(line.sliced(colon + 1)), "VCARD")) return false;
            p = q;
            return true;
        }
        addToCard(card, property, line, nameEnd, colon, true);
    }
    return false;
}

// A logical line of the file: a physical line with the lines that continue
// it (a folded line's, a quoted-printable value's after a soft line break).
struct LogicalLine {
    Property property = Property::Other;
    QByteArray bytes;  // read in place when it was one physical line
    bool inPlace = true;
    qsizetype nameEnd = 0;
    qsizetype colon = -1;  // where its head ends; -1 when it has no value
};

// The file's lines from p on.
class Lines {
public:
    explicit Lines(QByteArrayView bytes) : p(bytes.data()), end(p + bytes.size()) {}
    const char* p;
    const char* const end;

    // One physical line, without its break; p moves past the break. False
    // for a line too long.
    bool nextPhysical(QByteArrayView& line) {
        const char* nl = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)));
        const char* stop = nl ? nl : end;
        const char* to = stop > p && stop[-1] == '\r' ? stop - 1 : stop;
        line = QByteArrayView(p, to - p);
        p = nl ? nl + 1 : end;
        return line.size() <= MaxLineLength;
    }

    // The next logical line. Its continuations are joined to it only where
    // its property counts (else it reads as Other): any in a card, only BEGIN
    // and END elsewhere (inside a card inside a card). False for a line too long.
    bool nextLogical(LogicalLine& out, bool inCard);
};

bool Lines::nextLogical(LogicalLine& out, bool inCard) {
    QByteArrayView line;
    if (!nextPhysical(line)) return false;
    // the property's name, to know whether its continuation is kept
    out.nameEnd = nameEndOf(line);
    out.property = propertyOf(trimmedView(line.first(out.nameEnd)));
    const bool keep = out.property != Property::Other &&
                      (inCard || out.property == Property::Begin || out.property == Property::End);
    const qsizetype head = out.nameEnd < line.size() && line[out.nameEnd] == ';' ? headEnd(line) : out.nameEnd;
    const bool quotedPrintable =
        head > out.nameEnd && containsNoCase(line.sliced(out.nameEnd, head - out.nameEnd), "QUOTED-PRINTABLE");

    // Unfolding, and the soft line breaks of quoted-printable values.
    QByteArrayView last = line;
    out.inPlace = true;
    while (p < end) {
        const bool softBreak = quotedPrintable && !last.isEmpty() && last.back() == '=';
        if (!softBreak && *p != ' ' && *p != '\t') break;
        QByteArrayView next;
        if (!nextPhysical(next)) return false;
        if (keep) {
            if (out.inPlace) out.bytes = line.toByteArray();
            if (softBreak) out.bytes.chop(1);
            out.bytes += softBreak ? next : next.sliced(1);
            out.inPlace = false;
        }
        last = next;
    }
    if (!keep) {
        out.property = Property::Other;
        return true;
    }
    // a soft line break at the file's end goes too
    if (out.inPlace)
        out.bytes = QByteArray::fromRawData(line.data(), line.size() - (quotedPrintable && line.endsWith('=') ? 1 : 0));
    else if (quotedPrintable && out.bytes.endsWith('=')) out.bytes.chop(1);
    out.colon = out.inPlace ? head : headEnd(out.bytes);
    if (out.colon >= out.bytes.size()) out.colon = -1;
    return true;
}

}  // namespace

bool looksLikeVCard(QByteArrayView b) {
    qsizetype s = 0;
    while (s < b.size() && isWhite(b[s])) ++s;
    return startsWithNoCase(b.sliced(s), "BEGIN:VCARD");
}

bool hasCardLine(QByteArrayView b) {
    for (qsizetype from = 0; from < b.size();) {
        qsizetype lineEnd = b.indexOf('\n', from);
        if (lineEnd < 0) lineEnd = b.size();
        if (equalNoCase(trimmedView(b.sliced(from, lineEnd - from)), "BEGIN:VCARD")) return true;
        from = lineEnd + 1;
    }
    return false;
}

ReadResult readVCard(QByteArrayView bytes) {
    if (bytes.contains('\0')) return refused(text::nulByte());
    ReadResult result;
    result.contacts.reserve(bytes.size() / 96);  // about a phone's card
    Lines lines(bytes);
    int depth = 0;
    Card card;
    LogicalLine line;
    while (lines.p < lines.end) {
        if (!lines.nextLogical(line, depth == 1)) return refused(text::longLine());
        if (line.property == Property::Other || line.colon < 0) continue;
        const QByteArrayView value = QByteArrayView(line.bytes).sliced(line.colon + 1);
        if (line.property == Property::Begin) {
            if (!equalNoCase(trimmedView(value), "VCARD") || ++depth != 1) continue;
            card.clear();
            if (readPlainCard(lines.p, lines.end, card)) {
                --depth;
                result.contacts.append(contactOf(card));
            } else {
                card.clear();  // read again, line by line
            }
        } else if (line.property == Property::End) {
            if (depth > 0 && equalNoCase(trimmedView(value), "VCARD") && --depth == 0)
                result.contacts.append(contactOf(card));
        } else {
            addToCard(card, line.property, line.bytes, line.nameEnd, line.colon, line.inPlace);
        }
    }
    if (depth > 0) return refused(text::noEnd());
    if (result.contacts.isEmpty()) return refused(text::noContacts());
    return result;
}

}  // namespace interchange
