#include "store/contactwriter.h"

#include "store/cleaning.h"
#include "store/codepage.h"

#include <algorithm>
#include <cstring>

namespace interchange {

namespace {

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
    const codepage::Tables& page = codepage::tables();
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
            out.append(page.utf8[b], page.utf8Size[b]);
        }
    }
    return true;
}

// A vCard 3.0 line: the property, ':' and the value, folded at 75 bytes,
// never inside a UTF-8 letter. The property is ASCII and far shorter than a
// line, so every cut lies in the value.
void appendLine30(Bytes& out, const char* property, const Bytes& value) {
    const size_t start = out.size();
    out.append(property);
    out += ':';
    size_t from = 0;
    size_t room = 75 - (out.size() - start);
    while (value.size() - from > room) {
        size_t cut = from + room;
        while (cut > from && (uchar(value[cut]) & 0xC0) == 0x80) --cut;
        out.append(value.data() + from, cut - from);
        out += "\r\n ";
        from = cut;
        room = 74;
    }
    out.append(value.data() + from, value.size() - from);
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

QByteArrayView lineAt(const QList<QByteArray>& lines, qsizetype i) {
    return i < lines.size() ? QByteArrayView(lines[i]) : QByteArrayView();
}

// Eleven digits, a 0 and then another digit: a number of this country with
// its trunk 0 (one with 00 first would read back as +90 and a trunk 0).
bool isMobileNumber(QByteArrayView number) {
    if (number.size() != 11 || number[0] != '0' || number[1] == '0') return false;
    for (char c : number)
        if (c < '0' || c > '9') return false;
    return true;
}

// A name as it is written out: in its i-form (a save makes İ, I, ı and i at
// a name's start the small dotted i) with the capital İ first, as every
// other name starts with a capital; the reader makes it the i again.
QByteArrayView writtenName(QByteArrayView name, QByteArray& capital) {
    if (name.isEmpty() || name.front() != 'i') return name;
    capital = name.toByteArray();
    capital[0] = char(0xDD);  // İ in code page 1254
    return capital;
}

// FN: the name and the surname with a blank between, where both are there.
void appendFullName(Bytes& out, QByteArrayView name, QByteArrayView surname, const Escapes& escape) {
    appendUtf8(out, name, escape);
    if (!name.isEmpty() && !surname.isEmpty()) out += ' ';
    appendUtf8(out, surname, escape);
}

// An eleven-digit number starting 0 (not 00) as +90 and the rest; any other as stored.
void appendNumber(Bytes& out, QByteArrayView number, const Escapes& escape) {
    if (!isMobileNumber(number)) {
        appendUtf8(out, number, escape);
        return;
    }
    out += "+90";
    out.append(number.data() + 1, size_t(number.size() - 1));
}

// A cell, quoted when it holds a separator, a quote or a line break, or
// starts or ends with a blank; guarded when it starts like a formula.
void appendCsvCell(Bytes& out, QByteArrayView cell) {
    if (cell.isEmpty()) return;
    const bool guarded = startsLikeFormula(cell.data(), cell.data() + cell.size());
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

// How a version writes its lines: what it escapes, and a line of a
// property and its value.
struct VCardStyle {
    const char* begin;  // BEGIN and VERSION
    const Escapes& escapes;
    const char* tel;    // the TEL property with its type
    void (*appendLine)(Bytes& out, const char* property, const Bytes& value);
};

const VCardStyle VCard30Style{"BEGIN:VCARD\r\nVERSION:3.0\r\n", VCard30Escapes, "TEL;TYPE=CELL", appendLine30};
const VCardStyle VCard21Style{"BEGIN:VCARD\r\nVERSION:2.1\r\n", VCard21Escapes, "TEL;CELL", appendLine21};

}  // namespace

QByteArray writeVCard(const QList<QByteArray>& lines, Format version) {
    const VCardStyle& style = version == Format::VCard21 ? VCard21Style : VCard30Style;
    const Escapes& escape = style.escapes;
    Bytes out(size_t(lines.size()) * 40 + 64), value;
    QByteArray capital;
    for (qsizetype k = 0; 3 * k < lines.size(); ++k) {
        const QByteArrayView name = writtenName(lineAt(lines, 3 * k), capital), surname = lineAt(lines, 3 * k + 1),
                             number = lineAt(lines, 3 * k + 2);
        out.append(style.begin);
        value.clear();
        appendUtf8(value, surname, escape);
        value += ';';
        appendUtf8(value, name, escape);
        value += ";;;";
        style.appendLine(out, "N", value);
        value.clear();
        appendFullName(value, name, surname, escape);
        style.appendLine(out, "FN", value);
        if (!number.isEmpty()) {
            value.clear();
            appendNumber(value, number, escape);
            style.appendLine(out, style.tel, value);
        }
        out += "END:VCARD\r\n";
    }
    return out.take();
}

QByteArray writeCsv(const QList<QByteArray>& lines) {
    Bytes out(size_t(lines.size()) * 16 + 64);
    out += "\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\n";
    QByteArray capital;
    for (qsizetype k = 0; 3 * k < lines.size(); ++k) {
        appendCsvCell(out, writtenName(lineAt(lines, 3 * k), capital));
        out += ',';
        appendCsvCell(out, lineAt(lines, 3 * k + 1));
        out += ',';
        appendCsvCell(out, lineAt(lines, 3 * k + 2));
        out += "\r\n";
    }
    return out.take();
}

}  // namespace interchange
