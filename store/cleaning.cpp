#include "store/cleaning.h"

#include "store/codepage.h"
#include "store/contacts.h"

#include <QStringDecoder>
#include <QStringList>

#include <cstring>

using namespace Qt::StringLiterals;

namespace interchange {

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
QString folder() { return u"Bu bir klasör, bir dosya değil!"_s; }
QString pipe() { return u"Bu bir adlandırılmış kanal (FIFO), bir dosya değil!"_s; }
QString socket() { return u"Bu bir soket, bir dosya değil!"_s; }
QString device() { return u"Bu bir aygıt, bir dosya değil!"_s; }
QString intoDataFolder(const QString& path) {
    return u"%1: Dışa aktarma Telefika 2003'ün veri havuzuna yazılamaz!"_s.arg(path);
}

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
QString pauseDropped() { return u"Numaranın sonundaki bekleme ya da dahili kısmı çıkarıldı"_s; }
}  // namespace text

ReadResult refused(const QString& why) {
    ReadResult r;
    r.refusal = why;
    return r;
}

namespace {

// Whether the eight bytes at p are all ASCII.
bool asciiWord(const uchar* p) {
    quint64 w;
    std::memcpy(&w, p, sizeof w);
    return (w & 0x8080808080808080ULL) == 0;
}

}  // namespace

bool isAscii(QByteArrayView b) {
    const auto* p = reinterpret_cast<const uchar*>(b.data());
    const auto* end = p + b.size();
    while (end - p >= 8 && asciiWord(p)) p += 8;
    for (; p < end; ++p)
        if (*p >= 0x80) return false;
    return true;
}

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

QByteArrayView trimmedView(QByteArrayView b) {
    const char* s = b.data();
    const char* e = s + b.size();
    while (s < e && isWhite(*s)) ++s;
    while (e > s && isWhite(e[-1])) --e;
    return QByteArrayView(s, e - s);
}

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

Text inCharset(QByteArray b, const QByteArray& charset) {
    if (charset.isEmpty() || isAscii(b)) return {b, isUtf8(b)};
    const QByteArray cs = charset.toUpper();
    if (cs == "UTF-8" || cs == "UTF8") return {b, isUtf8(b)};
    if (cs == "WINDOWS-1254" || cs == "CP1254" || cs == "ISO-8859-9" || cs == "LATIN5") return {b, false};
    QStringDecoder decoder(cs.constData());
    if (!decoder.isValid()) return {b, isUtf8(b)};
    return {QString(decoder.decode(b)).toUtf8(), true};
}

QByteArray lineOf(QByteArrayView text, bool utf8, Cleaning& cleaning, bool composed) {
    if (text.isEmpty()) return QByteArray();
    const codepage::Tables& page = codepage::tables();
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
            const int b = page.fromUnicode[(c & 0x1F) << 6 | (p[1] & 0x3F)];
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
            const int b = code < 0 ? -1 : page.byteOf(char32_t(code));
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

namespace {

// A number as read: its digits as normalisedNumber makes them ("" when it
// cannot be one), and whether a pause or an extension after it went.
struct Number {
    QByteArray digits;
    bool cutOff = false;
};

// Whether a pause or an extension starts at p: "p", "w", ",", ";", "ext"
// or "dahili", in any letter case.
bool startsPause(const uchar* p, const uchar* end) {
    const auto word = [&](const char* w) {
        const auto n = qsizetype(std::strlen(w));
        if (end - p < n) return false;
        for (qsizetype i = 0; i < n; ++i)
            if ((p[i] | 0x20) != uchar(w[i])) return false;
        return true;
    };
    return *p == ',' || *p == ';' || word("p") || word("w") || word("ext") || word("dahili");
}

// A sign that stands between a number's groups: a blank, a bracket, a dot, a
// slash, a dash of any kind; in UTF-8 also Unicode's blanks, dashes, the minus
// sign and invisible marks (of `more` bytes after p), in code page 1254 the
// no-break space, the en and em dash and the soft hyphen.
bool isGroupSign(const uchar* p, const uchar* end, bool utf8, int& more) {
    more = 0;
    const uchar c = *p;
    if (c == ' ' || c == '\t' || c == '(' || c == ')' || c == '-' || c == '.' || c == '/') return true;
    if (c < 0x80) return false;
    if (!utf8) return c == 0xA0 || c == 0x96 || c == 0x97 || c == 0xAD;
    const int code = codePoint(p, end, more);
    if (code < 0) return false;
    const auto category = QChar::category(char32_t(code));
    return QChar::isSpace(char32_t(code)) || category == QChar::Other_Format ||
           category == QChar::Punctuation_Dash || code == 0x2212;
}

Number readNumber(QByteArrayView read, bool utf8) {
    char digits[32];
    int n = 0;
    bool plus = false;
    Number number;
    const auto* p = reinterpret_cast<const uchar*>(read.data());
    const auto* end = p + read.size();
    for (int more = 0; p < end; p += more + 1) {
        const uchar c = *p;
        if (c >= '0' && c <= '9') {
            if (n == int(sizeof digits)) return number;
            digits[n++] = char(c);
            more = 0;
        } else if (c == '+' && n == 0 && !plus) {
            plus = true;
            more = 0;
        } else if (n > 0 && startsPause(p, end)) {
            number.cutOff = true;
            break;
        } else if (!isGroupSign(p, end, utf8, more)) {
            return number;
        }
    }
    // the digits after the country's code (and the trunk 0 some write after
    // it), or all of them
    const bool ninety = n >= 2 && digits[0] == '9' && digits[1] == '0';
    int from = 0;
    bool zero = false;  // a 0 goes in front
    if (plus) {
        // only +90 becomes a number of ours
        if (!ninety) return number;
        from = 2, zero = true;
    } else if (n >= 4 && digits[0] == '0' && digits[1] == '0' && digits[2] == '9' && digits[3] == '0') {
        from = 4, zero = true;
    } else if (n == 12 && ninety) {
        from = 2, zero = true;
    } else if (n == 10 && digits[0] == '5') {
        zero = true;
    }
    if ((plus || from == 4) && from < n && digits[from] == '0') ++from;
    const int length = n - from + (zero ? 1 : 0);
    if (length < 1 || length > 11) return number;
    number.digits = QByteArray(length, Qt::Uninitialized);
    char* dst = number.digits.data();
    if (zero) *dst++ = '0';
    std::memcpy(dst, digits + from, size_t(n - from));
    return number;
}

}  // namespace

QString normalisedNumber(const QString& read) { return QString::fromLatin1(readNumber(read.toUtf8(), true).digits); }

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
        const Number number = readNumber(raw.numberText, raw.number.utf8);
        c.numberLine = number.digits;
        if (number.cutOff && !c.numberLine.isEmpty()) changes << text::pauseDropped();
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

QByteArray joinedName(QByteArray given, QByteArray additional) {
    if (isBlank(additional)) return given;
    if (isBlank(given)) return additional;
    return given + ' ' + additional;
}

}  // namespace interchange
