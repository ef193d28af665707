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
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
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
// Bytes to lines
//
// A value is read as bytes in one of two encodings that keep every ASCII
// sign a single byte (UTF-8 or code page 1254), split and unescaped there,
// and each text then becomes a line of code page 1254 directly.

// Whether the eight bytes at p are all ASCII.
bool asciiWord(const uchar* p) {
    quint64 w;
    std::memcpy(&w, p, sizeof w);
    return (w & 0x8080808080808080ULL) == 0;
}

bool isAscii(QByteArrayView b) {
    const auto* p = reinterpret_cast<const uchar*>(b.data());
    const auto* end = p + b.size();
    while (end - p >= 8 && asciiWord(p)) p += 8;
    for (; p < end; ++p)
        if (*p >= 0x80) return false;
    return true;
}

// The code point of the UTF-8 sequence at p (of `more` continuation bytes),
// or -1 when it is no valid sequence.
int codePoint(const uchar* p, const uchar* end, int& more) {
    const uchar c = *p;
    uint code;
    if (c >= 0xC2 && c <= 0xDF) more = 1, code = c & 0x1F;
    else if (c >= 0xE0 && c <= 0xEF) more = 2, code = c & 0x0F;
    else if (c >= 0xF0 && c <= 0xF4) more = 3, code = c & 0x07;
    else return -1;
    if (end - p <= more) return -1;
    for (int i = 1; i <= more; ++i) {
        if ((p[i] & 0xC0) != 0x80) return -1;
        code = code << 6 | (p[i] & 0x3F);
    }
    // no overlong forms, no surrogates, nothing past U+10FFFF
    if ((more == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (more == 3 && (code < 0x10000 || code > 0x10FFFF)))
        return -1;
    return int(code);
}

bool isUtf8(QByteArrayView b) {
    const auto* p = reinterpret_cast<const uchar*>(b.data());
    const auto* end = p + b.size();
    while (p < end) {
        if (end - p >= 8 && asciiWord(p)) {
            p += 8;
            continue;
        }
        if (*p < 0x80) {
            ++p;
            continue;
        }
        int more = 0;
        if (codePoint(p, end, more) < 0) return false;
        p += more + 1;
    }
    return true;
}

// Bytes in UTF-8 (utf8) or code page 1254, and what became of them as a line.
struct Text {
    QByteArray bytes;
    bool utf8 = true;
};

struct Cleaning {
    bool brokeLines = false;  // control characters became blanks
    bool removed = false;     // characters without a byte went
};

bool isBlankByte(char c) { return c == ' ' || uchar(c) == 0xA0; }

bool isBlank(QByteArrayView line) {
    for (char c : line)
        if (!isBlankByte(c)) return false;
    return true;
}

QByteArray trimmedLine(const QByteArray& line) {
    qsizetype s = 0, e = line.size();
    while (s < e && isBlankByte(line[s])) ++s;
    while (e > s && isBlankByte(line[e - 1])) --e;
    return s == 0 && e == line.size() ? line : line.mid(s, e - s);
}

// The byte of code page 1254 for each code point of two UTF-8 bytes
// (U+0080 to U+07FF), -1 where it has none.
struct TwoByteTable {
    short byte[0x800];
    TwoByteTable() {
        for (int u = 0; u < 0x800; ++u) byte[u] = short(u < 0x80 ? u : codepage::fromUnicode(QChar(char16_t(u))));
    }
};

const TwoByteTable& twoByteTable() {
    static const TwoByteTable t;
    return t;
}

// A text as a line of code page 1254: composed, control characters as
// blanks, characters without a byte removed with the blanks then at either end.
QByteArray lineOf(QByteArrayView text, bool utf8, Cleaning& cleaning, bool composed = false) {
    if (text.isEmpty()) return QByteArray();
    const TwoByteTable& twoBytes = twoByteTable();
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    bool removed = false;
    const auto* p = reinterpret_cast<const uchar*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        const uchar c = *p;
        if (c < 0x20) {
            *dst++ = ' ';
            cleaning.brokeLines = true;
            ++p;
        } else if (c < 0x80 || !utf8) {
            *dst++ = char(c);
            ++p;
        } else if (c >= 0xC2 && c <= 0xDF && end - p >= 2 && (p[1] & 0xC0) == 0x80 && c != 0xCC && c != 0xCD) {
            // two bytes, no combining mark (U+0300 to U+036F start CC or CD)
            const int b = twoBytes.byte[(c & 0x1F) << 6 | (p[1] & 0x3F)];
            if (b < 0) removed = true;
            else *dst++ = char(b);
            p += 2;
        } else {
            int more = 0;
            const int code = codePoint(p, end, more);
            if (code >= 0x300 && code < 0x370 && !composed) {
                // a combining mark: compose the whole text first; a mark
                // that composes with nothing is then removed
                const QString text1 = QString::fromUtf8(text).normalized(QString::NormalizationForm_C);
                return lineOf(text1.toUtf8(), true, cleaning, true);
            }
            const int b = code < 0 || code > 0xFFFF ? -1 : codepage::fromUnicode(QChar(char16_t(code)));
            if (b < 0) removed = true;
            else *dst++ = char(b);
            p += code < 0 ? 1 : more + 1;
        }
    }
    if (dst - out.data() != out.size()) out.truncate(dst - out.data());
    if (!removed) return out;
    cleaning.removed = true;
    return trimmedLine(out);
}

// Bytes in a named charset as a Text.
Text inCharset(QByteArray b, const QByteArray& charset) {
    if (charset.isEmpty() || isAscii(b)) return {b, isUtf8(b)};
    const QByteArray cs = charset.toUpper();
    if (cs == "UTF-8" || cs == "UTF8") return {b, isUtf8(b)};
    if (cs == "WINDOWS-1254" || cs == "CP1254" || cs == "ISO-8859-9" || cs == "LATIN5") return {b, false};
    QStringDecoder decoder(cs.constData());
    if (!decoder.isValid()) return {b, isUtf8(b)};
    return {QString(decoder.decode(b)).toUtf8(), true};
}

// ---------------------------------------------------------------------------
// Cleaning a contact as the save wants it

struct Raw {
    QByteArray name, surname;  // code page 1254
    Cleaning cleaning;
    Text number;               // the bytes the number is read from
    QByteArrayView numberText; // the number within them
    bool hasNumber = false;
};

// A set of keys of at most `capacity` members (digit keys, never negative).
class KeySet {
public:
    explicit KeySet(size_t capacity) {
        size_t n = 16;
        while (n < 2 * capacity) n *= 2;
        slots_.assign(n, -1);
    }
    bool contains(qint64 key) const {
        if (key < 0) return false;  // no line's key: an empty slot's mark
        for (size_t i = slotOf(key);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == key) return true;
            if (slots_[i] < 0) return false;
        }
    }
    void insert(qint64 key) {
        if (key < 0) return;
        for (size_t i = slotOf(key);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == key) return;
            if (slots_[i] < 0) {
                slots_[i] = key;
                return;
            }
        }
    }

private:
    size_t slotOf(qint64 key) const {
        return size_t((quint64(key) * 0x9E3779B97F4A7C15ULL) >> 32) & (slots_.size() - 1);
    }
    std::vector<qint64> slots_;
};

// A line's number: "1" and its digits as one integer, so that leading zeros
// count; -1 for a line that is not 1 to 18 digits. Two such lines are equal
// under the comparison exactly when their keys are.
qint64 digitKey(QByteArrayView line) {
    if (line.isEmpty() || line.size() > 18) return -1;
    qint64 k = 1;
    for (char c : line) {
        if (c < '0' || c > '9') return -1;
        k = k * 10 + (c - '0');
    }
    return k;
}

// The number's digits as normalisedNumber makes them, or "".
QByteArray numberLine(QByteArrayView read, bool utf8) {
    char digits[32];
    int n = 0;
    bool plus = false;
    const auto* p = reinterpret_cast<const uchar*>(read.data());
    const auto* end = p + read.size();
    for (; p < end; ++p) {
        const uchar c = *p;
        if (c == ' ' || c == '\t' || c == '(' || c == ')' || c == '-' || c == '.' || c == '/') continue;
        if (c >= '0' && c <= '9') {
            if (n == int(sizeof digits)) return QByteArray();
            digits[n++] = char(c);
        } else if (c == '+' && n == 0 && !plus) {
            plus = true;
        } else if (c >= 0x80 && utf8) {
            // blanks and invisible direction marks of Unicode
            int more = 0;
            const int code = codePoint(p, end, more);
            if (code < 0 || !(QChar::isSpace(char32_t(code)) || QChar::category(char32_t(code)) == QChar::Other_Format))
                return QByteArray();
            p += more;
        } else if (c == 0xA0 && !utf8) {
            continue;
        } else {
            return QByteArray();
        }
    }
    // the digits after the country's code, or all of them
    const bool ninety = n >= 2 && digits[0] == '9' && digits[1] == '0';
    int from = 0;
    bool zero = false;  // a 0 goes in front
    if (plus) {
        // only +90 becomes a number of ours
        if (!ninety) return QByteArray();
        from = 2, zero = true;
    } else if (n >= 4 && digits[0] == '0' && digits[1] == '0' && digits[2] == '9' && digits[3] == '0') {
        from = 4, zero = true;
    } else if (n == 12 && ninety) {
        from = 2, zero = true;
    } else if (n == 10 && digits[0] == '5') {
        zero = true;
    }
    const int length = n - from + (zero ? 1 : 0);
    if (length < 1 || length > 11) return QByteArray();
    QByteArray out(length, Qt::Uninitialized);
    char* dst = out.data();
    if (zero) *dst++ = '0';
    std::memcpy(dst, digits + from, size_t(n - from));
    return out;
}

ReadContact clean(Raw raw) {
    ReadContact c;
    QStringList changes, leftOut;
    if (raw.cleaning.brokeLines) changes << text::lineBreaks();
    if (raw.cleaning.removed) changes << text::removedLetters();
    c.nameLine = std::move(raw.name);
    c.surnameLine = std::move(raw.surname);
    // cut first: what is left of a name must not be blank
    if (c.nameLine.size() > contacts::FieldLength) {
        c.nameLine.truncate(contacts::FieldLength);
        changes << text::nameCut();
    }
    if (c.surnameLine.size() > contacts::FieldLength) {
        c.surnameLine.truncate(contacts::FieldLength);
        changes << text::surnameCut();
    }
    if (isBlank(c.nameLine)) {
        if (isBlank(c.surnameLine)) {
            leftOut << text::noNames();
        } else {
            c.nameLine = std::move(c.surnameLine);
            c.surnameLine = QByteArray();
            changes << text::surnameAsName();
        }
    }
    c.nameLine = contacts::normalisedNameLine(std::move(c.nameLine));

    if (!raw.hasNumber) {
        leftOut << text::noNumber();
    } else {
        c.numberLine = numberLine(raw.numberText, raw.number.utf8);
        if (c.numberLine.isEmpty()) {
            leftOut << text::badNumber();
            const QByteArray read = raw.numberText.toByteArray();
            c.numberLine = trimmedLine(codepage::encode(raw.number.utf8 ? QString::fromUtf8(read) : codepage::decode(read)));
        }
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
void splitFullName(const QByteArray& full, Raw& raw) {
    const QByteArray t = trimmedLine(full);
    qsizetype at = t.size() - 1;
    while (at >= 0 && !isBlankByte(t[at])) --at;
    if (at < 0) {
        raw.name = t;
        raw.surname = QByteArray();
    } else {
        raw.name = trimmedLine(t.left(at));
        raw.surname = t.mid(at + 1);
    }
}

// The name of given and additional names: additional after a blank.
QByteArray joinedName(QByteArray given, QByteArray additional) {
    if (isBlank(additional)) return given;
    if (isBlank(given)) return additional;
    return given + ' ' + additional;
}

// ---------------------------------------------------------------------------
// vCard

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

bool isWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

QByteArrayView trimmedView(QByteArrayView b) {
    const char* s = b.data();
    const char* e = s + b.size();
    while (s < e && isWhite(*s)) ++s;
    while (e > s && isWhite(e[-1])) --e;
    return QByteArrayView(s, e - s);
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

// The components of a structured value, split at ';' that no backslash
// escapes, with the escapes read; a comma that separates values within a
// component reads as a blank where commaSeparates. Up to `wanted` of them.
int components(QByteArrayView v, bool commaSeparates, QByteArray* out, int wanted) {
    int k = 0;
    QByteArray cur;
    if (!v.contains('\\') && !(commaSeparates && v.contains(','))) {
        // nothing to read but the semicolons
        qsizetype from = 0;
        for (qsizetype i = 0; i <= v.size() && k < wanted; ++i) {
            if (i < v.size() && v[i] != ';') continue;
            out[k++] = QByteArray::fromRawData(v.data() + from, i - from);  // read in place
            from = i + 1;
        }
        return k;
    }
    for (qsizetype i = 0; i < v.size() && k < wanted; ++i) {
        const char c = v[i];
        if (c == '\\' && i + 1 < v.size()) {
            const char d = v[++i];
            if (d == 'n' || d == 'N') cur += '\n';
            else if (d == ',' || d == ';' || d == '\\') cur += d;
            else cur += QByteArrayView("\\", 1), cur += d;
        } else if (c == ';') {
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

QByteArray unescaped(const QByteArray& v) {
    QByteArray out;
    out.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        const char c = v[i];
        if (c == '\\' && i + 1 < v.size()) {
            const char d = v[++i];
            if (d == 'n' || d == 'N') out += '\n';
            else if (d == ',' || d == ';' || d == '\\') out += d;
            else out += QByteArrayView("\\", 1), out += d;
        } else {
            out += c;
        }
    }
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
        components(t.bytes, commaSeparates, c, 3);
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
        qsizetype nameEnd = 0;
        while (nameEnd < line.size() && line[nameEnd] != ';' && line[nameEnd] != ':') ++nameEnd;
        const QByteArrayView name = trimmedView(line.first(nameEnd));
        const Property property = propertyOf(name);
        if (property == Property::Other) continue;
        if (property == Property::Begin || name.size() != nameEnd || std::memchr(name.data(), '.', size_t(nameEnd)))
            return false;
        const qsizetype colon = nameEnd < line.size() && line[nameEnd] == ';' ? headEnd(line) : nameEnd;
        if (colon < 0 || colon >= line.size()) return false;
        const QByteArrayView value = line.sliced(colon + 1);
        switch (property) {
        case Property::End:
            if (!equalNoCase(trimmedView(value), "VCARD")) return false;
            p = q;
            return true;
        case Property::Version: card.version21 = trimmedView(value) == "2.1"; break;
        case Property::N:
        case Property::FN:
        case Property::Tel: {
            Value v;
            v.bytes = QByteArray::fromRawData(value.data(), value.size());
            if (nameEnd < colon) readParameters(line.sliced(nameEnd + 1, colon - nameEnd - 1), v);
            if (property == Property::N) card.n = std::move(v);
            else if (property == Property::FN) card.fn = std::move(v);
            else card.tels.push_back(std::move(v));
            break;
        }
        default: break;  // a label without a group marks nothing
        }
    }
    return false;
}

ReadResult readVCard(const QByteArray& bytes) {
    if (bytes.contains('\0')) return refused(text::nulByte());
    ReadResult result;
    result.contacts.reserve(bytes.size() / 96);  // about a phone's card
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    // One physical line, without its break; p moves past the break.
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
    QByteArray joined;
    while (p < end) {
        QByteArrayView line;
        if (!nextLine(line)) return refused(text::longLine());
        // the property's name, to know whether its continuation is kept
        qsizetype nameEnd = 0;
        while (nameEnd < line.size() && line[nameEnd] != ';' && line[nameEnd] != ':') ++nameEnd;
        const Property property = propertyOf(trimmedView(line.first(nameEnd)));
        const bool keep = property != Property::Other && (depth == 1 || property == Property::Begin ||
                                                          property == Property::End);
        const qsizetype head = nameEnd < line.size() && line[nameEnd] == ';' ? headEnd(line) : nameEnd;
        const bool quotedPrintable = head > nameEnd && containsNoCase(line.sliced(nameEnd, head - nameEnd), "QUOTED-PRINTABLE");

        // Unfolding, and the soft line breaks of quoted-printable values.
        QByteArrayView last = line;
        bool isJoined = false;
        while (p < end) {
            const bool softBreak = quotedPrintable && !last.isEmpty() && last.back() == '=';
            if (!softBreak && *p != ' ' && *p != '\t') break;
            QByteArrayView next;
            if (!nextLine(next)) return refused(text::longLine());
            if (keep) {
                if (!isJoined) joined = line.toByteArray();
                if (softBreak) joined.chop(1);
                joined += softBreak ? next : next.sliced(1);
                isJoined = true;
            }
            last = next;
        }
        if (!keep) continue;
        // a line that was not joined is read in place
        QByteArray logical = isJoined ? joined : QByteArray::fromRawData(line.data(), line.size());
        if (quotedPrintable && logical.endsWith('=')) logical.chop(1);

        const qsizetype colon = isJoined ? headEnd(logical) : head;
        if (colon < 0 || colon >= logical.size()) continue;
        const QByteArrayView value = QByteArrayView(logical).sliced(colon + 1);
        switch (property) {
        case Property::Begin:
            if (equalNoCase(trimmedView(value), "VCARD") && ++depth == 1) {
                card.clear();
                if (readPlainCard(p, end, card)) {
                    --depth;
                    result.contacts.append(contactOf(card));
                } else {
                    card.clear();  // read again, line by line
                }
            }
            break;
        case Property::End:
            if (depth > 0 && equalNoCase(trimmedView(value), "VCARD") && --depth == 0)
                result.contacts.append(contactOf(card));
            break;
        case Property::Version: card.version21 = trimmedView(value) == "2.1"; break;
        case Property::N:
        case Property::FN:
        case Property::Tel:
        case Property::Label: {
            Value v;
            v.bytes = isJoined ? logical.sliced(colon + 1) : QByteArray::fromRawData(value.data(), value.size());
            const QByteArrayView name = trimmedView(QByteArrayView(logical).first(nameEnd));
            qsizetype dot = name.size() - 1;
            while (dot > 0 && name[dot] != '.') --dot;
            if (dot > 0) v.group = name.first(dot).toByteArray().toUpper();
            if (nameEnd < colon) readParameters(QByteArrayView(logical).sliced(nameEnd + 1, colon - nameEnd - 1), v);
            if (property == Property::N) card.n = std::move(v);
            else if (property == Property::FN) card.fn = std::move(v);
            else if (property == Property::Tel) card.tels.push_back(std::move(v));
            else if (!v.group.isEmpty() && labelIsMobile(decodeValue(v).bytes)) card.mobileGroups << v.group;
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

// A cell that a spreadsheet would take for a formula: its first character
// after any apostrophes is = + - or @. The writer puts one more apostrophe
// before such a cell, and the reader takes one away again.
bool startsLikeFormula(const QChar* p, const QChar* end) {
    while (p < end && *p == u'\'') ++p;
    return p < end && (*p == u'=' || *p == u'+' || *p == u'-' || *p == u'@');
}

// A cell as it was before the writer guarded it: one apostrophe less.
QString unguarded(const QString& cell) {
    if (cell.startsWith(u'\'') && startsLikeFormula(cell.constData() + 1, cell.constData() + cell.size()))
        return cell.mid(1);
    return cell;
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

bool isBlankText(const QString& s) {
    for (QChar c : s)
        if (!c.isSpace()) return false;
    return true;
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
        for (const QString& cell : row) any = any || !isBlankText(cell);
        if (!any) continue;
        const auto cell = [&](int i) { return firstValue(unguarded(row.value(i))); };
        // the first cell of the columns with text in it, else the first cell as it is
        const auto firstOf = [&](const QList<int>& columns) {
            for (int i : columns)
                if (!isBlankText(cell(i))) return cell(i);
            return columns.isEmpty() ? QString() : cell(columns.first());
        };
        Raw raw;
        const auto line = [&](const QString& text) { return lineOf(text.toUtf8(), true, raw.cleaning); };
        raw.name = joinedName(line(firstOf(cols.given)), line(firstOf(cols.additional)));
        raw.surname = line(firstOf(cols.family));
        if (isBlank(raw.name) && isBlank(raw.surname)) splitFullName(line(firstOf(cols.full)), raw);
        QString number = firstOf(cols.mobile);
        for (const auto& [value, label] : cols.labelled) {
            if (!isBlankText(number)) break;
            if (labelIsMobileCsv(cell(label))) number = cell(value);
        }
        if (isBlankText(number)) number = firstOf(cols.phone);
        raw.number = {number.toUtf8(), true};
        raw.numberText = raw.number.bytes;
        raw.hasNumber = !isBlankText(number);
        result.contacts.append(clean(std::move(raw)));
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

// The bytes of a file being written: appended to in place, taken whole at the end.
class Bytes {
public:
    explicit Bytes(size_t capacity = 256) { grow(capacity); }
    void append(const char* p, size_t n) {
        if (size_ + n > capacity_) grow(size_ + n);
        std::memcpy(data_ + size_, p, n);
        size_ += n;
    }
    void append(const char* text) { append(text, std::strlen(text)); }
    Bytes& operator+=(char c) {
        if (size_ == capacity_) grow(size_ + 1);
        data_[size_++] = c;
        return *this;
    }
    template <size_t N>
    Bytes& operator+=(const char (&text)[N]) {
        append(text, N - 1);
        return *this;
    }
    Bytes& operator+=(const Bytes& other) {
        append(other.data_, other.size_);
        return *this;
    }
    size_t size() const { return size_; }
    const char* data() const { return data_; }
    char operator[](size_t i) const { return data_[i]; }
    void clear() { size_ = 0; }
    void truncate(size_t size) { size_ = std::min(size, size_); }
    QByteArray take() {
        buffer_.truncate(qsizetype(size_));
        data_ = nullptr;
        size_ = capacity_ = 0;
        return std::move(buffer_);
    }

private:
    void grow(size_t atLeast) {
        capacity_ = std::max(atLeast, 2 * capacity_);
        buffer_.resize(qsizetype(capacity_));
        data_ = buffer_.data();
    }
    QByteArray buffer_;
    char* data_ = nullptr;
    size_t size_ = 0, capacity_ = 0;
};

// The ASCII characters that take a backslash before them in a value.
struct Escapes {
    bool escaped[128] = {};
    explicit constexpr Escapes(const char* characters) {
        for (const char* c = characters; *c; ++c) escaped[int(*c)] = true;
    }
};
constexpr Escapes VCard30Escapes("\\,;");
constexpr Escapes VCard21Escapes("\\;");
constexpr Escapes NoEscapes("");
// What makes a CSV cell take quotes.
constexpr Escapes CsvQuoted(",\"\r\n");

// A line of code page 1254 in UTF-8, a backslash before each of the
// escapes; or, where stopAtEscape, false at the first of them.
bool appendUtf8(Bytes& out, QByteArrayView line, const Escapes& escapes, bool stopAtEscape = false) {
    const Utf8Table& t = utf8Table();
    const char* p = line.data();
    const char* const end = p + line.size();
    while (p < end) {
        // a run that stays as it is goes in one piece
        const char* run = p;
        while (p < end && uchar(*p) < 0x80 && !escapes.escaped[int(*p)]) ++p;
        out.append(run, size_t(p - run));
        if (p == end) break;
        const uchar b = uchar(*p++);
        if (b < 0x80) {
            if (stopAtEscape) return false;
            out += '\\';
            out += char(b);
        } else {
            out.append(t.bytes[b], size_t(t.size[b]));
        }
    }
    return true;
}

// A vCard 3.0 line folded at 75 bytes, never inside a UTF-8 letter.
void appendFolded(Bytes& out, const Bytes& line) {
    size_t from = 0;
    size_t room = 75;
    while (line.size() - from > room) {
        size_t cut = from + room;
        while (cut > from && (uchar(line[cut]) & 0xC0) == 0x80) --cut;
        out.append(line.data() + from, cut - from);
        out += "\r\n ";
        from = cut;
        room = 74;
    }
    out.append(line.data() + from, line.size() - from);
    out += "\r\n";
}

// A vCard 2.1 line: plain when its value is ASCII, else quoted-printable
// UTF-8 with soft line breaks that keep every line at 76 characters at most.
void appendLine21(Bytes& out, const char* property, const Bytes& value) {
    if (isAscii(QByteArrayView(value.data(), qsizetype(value.size())))) {
        out.append(property);
        out += ':';
        out += value;
        out += "\r\n";
        return;
    }
    static const char hex[] = "0123456789ABCDEF";
    const size_t start = out.size();
    out.append(property);
    out += ";CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:";
    size_t column = out.size() - start;
    for (size_t i = 0; i < value.size(); ++i) {
        const uchar c = uchar(value[i]);
        bool literal = (c >= 33 && c <= 126 && c != '=') || (c == ' ' && i + 1 < value.size());
        if (column + (literal ? 1 : 3) > 75) {
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

QByteArrayView lineOf(const QList<QByteArray>& lines, qsizetype i) {
    return i < lines.size() ? QByteArrayView(lines[i]) : QByteArrayView();
}

bool isMobileNumber(QByteArrayView number) {
    if (number.size() != 11 || number[0] != '0') return false;
    for (char c : number)
        if (c < '0' || c > '9') return false;
    return true;
}

// FN: the name and the surname with a blank between, where both are there.
void appendFullName(Bytes& out, QByteArrayView name, QByteArrayView surname, const Escapes& escape) {
    appendUtf8(out, name, escape);
    if (!name.isEmpty() && !surname.isEmpty()) out += ' ';
    appendUtf8(out, surname, escape);
}

// An eleven-digit number starting 0 as +90 and the rest; any other as stored.
void appendNumber(Bytes& out, QByteArrayView number, const Escapes& escape) {
    if (!isMobileNumber(number)) {
        appendUtf8(out, number, escape);
        return;
    }
    out += "+90";
    out.append(number.data() + 1, size_t(number.size() - 1));
}

QByteArray exportVCard30(const QList<QByteArray>& lines) {
    const Escapes& escape = VCard30Escapes;
    Bytes out(size_t(lines.size()) * 40 + 64), line;
    for (qsizetype k = 0; 3 * k < lines.size(); ++k) {
        const QByteArrayView name = lineOf(lines, 3 * k), surname = lineOf(lines, 3 * k + 1),
                             number = lineOf(lines, 3 * k + 2);
        out += "BEGIN:VCARD\r\nVERSION:3.0\r\n";
        line.clear();
        line += "N:";
        appendUtf8(line, surname, escape);
        line += ';';
        appendUtf8(line, name, escape);
        line += ";;;";
        appendFolded(out, line);
        line.clear();
        line += "FN:";
        appendFullName(line, name, surname, escape);
        appendFolded(out, line);
        if (!number.isEmpty()) {
            line.clear();
            line += "TEL;TYPE=CELL:";
            appendNumber(line, number, escape);
            appendFolded(out, line);
        }
        out += "END:VCARD\r\n";
    }
    return out.take();
}

QByteArray exportVCard21(const QList<QByteArray>& lines) {
    const Escapes& escape = VCard21Escapes;
    Bytes out(size_t(lines.size()) * 40 + 64), value;
    for (qsizetype k = 0; 3 * k < lines.size(); ++k) {
        const QByteArrayView name = lineOf(lines, 3 * k), surname = lineOf(lines, 3 * k + 1),
                             number = lineOf(lines, 3 * k + 2);
        out += "BEGIN:VCARD\r\nVERSION:2.1\r\n";
        value.clear();
        appendUtf8(value, surname, escape);
        value += ';';
        appendUtf8(value, name, escape);
        value += ";;;";
        appendLine21(out, "N", value);
        value.clear();
        appendFullName(value, name, surname, escape);
        appendLine21(out, "FN", value);
        if (!number.isEmpty()) {
            value.clear();
            appendNumber(value, number, escape);
            appendLine21(out, "TEL;CELL", value);
        }
        out += "END:VCARD\r\n";
    }
    return out.take();
}

// A cell that a spreadsheet would take for a formula (= + - or @ first,
// after any apostrophes): an apostrophe goes before it, which a spreadsheet
// shows as text and the reader takes away again.
bool needsFormulaGuard(QByteArrayView cell) {
    qsizetype i = 0;
    while (i < cell.size() && cell[i] == '\'') ++i;
    return i < cell.size() && (cell[i] == '=' || cell[i] == '+' || cell[i] == '-' || cell[i] == '@');
}

// A cell, quoted when it holds a separator, a quote or a line break, or
// starts or ends with a blank; guarded when it starts like a formula.
void appendCsvCell(Bytes& out, QByteArrayView cell) {
    if (cell.isEmpty()) return;
    const bool guarded = needsFormulaGuard(cell);
    if (cell.front() != ' ' && cell.back() != ' ') {
        const size_t start = out.size();
        if (guarded) out += '\'';
        if (appendUtf8(out, cell, CsvQuoted, true)) return;
        out.truncate(start);  // it takes quotes after all
    }
    out += '"';
    if (guarded) out += '\'';
    for (qsizetype from = 0; from <= cell.size();) {
        // each quote doubled
        qsizetype to = cell.sliced(from).indexOf('"');
        to = to < 0 ? cell.size() : from + to;
        appendUtf8(out, cell.sliced(from, to - from), NoEscapes);
        if (to < cell.size()) out += "\"\"";
        from = to + 1;
    }
    out += '"';
}

QByteArray exportCsv(const QList<QByteArray>& lines) {
    Bytes out(size_t(lines.size()) * 16 + 64);
    out += "\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\n";
    for (qsizetype k = 0; 3 * k < lines.size(); ++k) {
        appendCsvCell(out, lineOf(lines, 3 * k));
        out += ',';
        appendCsvCell(out, lineOf(lines, 3 * k + 1));
        out += ',';
        appendCsvCell(out, lineOf(lines, 3 * k + 2));
        out += "\r\n";
    }
    return out.take();
}

}  // namespace

// ---------------------------------------------------------------------------

std::optional<Format> formatForPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"vcf"_s || suffix == u"vcard"_s) return Format::VCard30;
    if (suffix == u"csv"_s) return Format::Csv;
    return std::nullopt;
}

QString normalisedNumber(const QString& read) { return QString::fromLatin1(numberLine(read.toUtf8(), true)); }

QString ReadContact::name() const { return codepage::decode(nameLine); }
QString ReadContact::surname() const { return codepage::decode(surnameLine); }
QString ReadContact::number() const { return codepage::decode(numberLine); }

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
    // A stored number is digits only, and digits are equal under the
    // comparison only to themselves: only lines of digits can hold it.
    KeySet inGroup(size_t(recordLines.count())), inFile(3 * size_t(read.contacts.size()));
    for (const QByteArray& line : recordLines.lines())
        if (const qint64 key = digitKey(line); key >= 0) inGroup.insert(key);
    plan.contacts = read.contacts;  // copied only when a contact's fate changes
    for (qsizetype i = 0; i < read.contacts.size(); ++i) {
        const ReadContact& c = read.contacts[i];
        Fate fate = c.fate;
        if (fate != Fate::LeftOut) {
            const qint64 number = digitKey(c.numberLine);
            const bool held = inGroup.contains(number);
            if (held || inFile.contains(number)) {
                ReadContact& changed = plan.contacts[i];
                fate = changed.fate = Fate::LeftOut;
                changed.reason = held ? text::numberInGroup() : text::numberEarlier();
            } else {
                // the save looks a number up among all lines, so a kept contact's name counts too
                for (const QByteArray* line : {&c.nameLine, &c.surnameLine})
                    if (const qint64 key = digitKey(*line); key >= 0) inFile.insert(key);
                inFile.insert(number);
            }
        }
        switch (fate) {
        case Fate::Added: ++plan.added; break;
        case Fate::Changed: ++plan.changed; break;
        case Fate::LeftOut: ++plan.leftOut; break;
        }
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
        if (c->fate != Fate::LeftOut) stored.push_back({c->nameLine, c->surnameLine, c->numberLine});
    contacts::placeContacts(recordLines, nameIndex, stored);
}

void importIntoGroup(const Plan& plan, const QString& groupPath, StringList& recordLines, StringList& nameIndex) {
    if (plan.stored() == 0) return;
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
