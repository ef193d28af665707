#include "store/csvreader.h"

#include "store/cleaning.h"
#include "store/codepage.h"
#include "store/contactwriter.h"

#include <QHash>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace interchange {

namespace {

// Excel's first line "sep=;" (or any other sign after "sep="), which names
// the separator: that sign, else 0.
char namedSeparator(QByteArrayView text) {
    const qsizetype lineEnd = text.indexOf('\n');
    QByteArrayView line = trimmedView(lineEnd < 0 ? text : text.first(lineEnd));
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"') line = line.sliced(1, line.size() - 2);
    if (line.size() != 5 || (line[0] | 0x20) != 's' || (line[1] | 0x20) != 'e' || (line[2] | 0x20) != 'p' ||
        line[3] != '=')
        return 0;
    return line[4];
}

// The separator the header uses most: comma, semicolon or tab (comma when it
// uses none).
char separatorOf(QByteArrayView text) {
    int comma = 0, semicolon = 0, tab = 0;
    bool quoted = false;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        else if (quoted) continue;
        else if (c == '\n' || c == '\r') break;
        else if (c == ',') ++comma;
        else if (c == ';') ++semicolon;
        else if (c == '\t') ++tab;
    }
    if (semicolon > comma && semicolon >= tab) return ';';
    if (tab > comma && tab > semicolon) return '\t';
    return ',';
}

// The rows of a CSV text, one at a time: its cells split at the separator,
// quotes read ("" for a quote, line breaks inside quotes), each cell read in
// its encoding as it ends. A row is a line with a cell or a separator on it.
class CsvRows {
public:
    // Excel's "sep=" line, when the text starts with one, names the separator
    // and is no row.
    CsvRows(QByteArrayView text, bool utf8) : utf8_(utf8) {
        separator_ = namedSeparator(text);
        if (separator_) {
            const qsizetype lineEnd = text.indexOf('\n');
            text = lineEnd < 0 ? QByteArrayView() : text.sliced(lineEnd + 1);
        } else {
            separator_ = separatorOf(text);
        }
        p_ = text.data();
        end_ = p_ + text.size();
    }
    // The next row; false at the text's end.
    bool next(QStringList& row);

    bool openQuote = false;  // the text ended inside quotes
    bool longLine = false;   // a line is longer than MaxLineLength characters

private:
    void endCell(QStringList& row, QByteArray& cell) {
        row << (utf8_ ? QString::fromUtf8(cell) : codepage::decode(cell));
        cell.clear();
    }
    // Counts a line's characters: UTF-8 continuation bytes do not count, a
    // letter outside the first 65,536 counts twice, as in a QString.
    void count(const char* from, const char* to) {
        qsizetype n = to - from;
        if (utf8_)
            for (const char* q = from; q < to; ++q) n -= (uchar(*q) & 0xC0) == 0x80 ? 1 : uchar(*q) >= 0xF0 ? -1 : 0;
        lineLength_ += n;
        if (lineLength_ > MaxLineLength) longLine = true;
    }

    const char* p_ = nullptr;
    const char* end_ = nullptr;
    bool utf8_;
    char separator_ = ',';
    qsizetype lineLength_ = 0;
};

bool CsvRows::next(QStringList& row) {
    row.clear();
    QByteArray cell;
    bool quoted = false;      // inside quotes
    bool rowHasText = false;  // the row has a cell or a separator
    while (p_ < end_) {
        if (!quoted) {
            // a run of plain text goes in one piece
            const char* run = p_;
            while (p_ < end_ && *p_ != separator_ && *p_ != '"' && *p_ != '\n' && *p_ != '\r') ++p_;
            count(run, p_);
            cell.append(run, p_ - run);
            if (p_ == end_) break;
        }
        const char c = *p_++;
        if (c == '\n' || c == '\r') lineLength_ = 0;
        else count(p_ - 1, p_);
        if (quoted) {
            if (c != '"') cell += c;
            else if (p_ < end_ && *p_ == '"') cell += *p_++;
            else quoted = false;
        } else if (c == '"' && cell.isEmpty()) {
            quoted = rowHasText = true;
        } else if (c == separator_) {
            endCell(row, cell);
            rowHasText = true;
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && p_ < end_ && *p_ == '\n') ++p_;
            if (rowHasText || !cell.isEmpty()) break;
        } else {
            cell += c;
        }
    }
    if (quoted) openQuote = true;
    if (!rowHasText && cell.isEmpty()) return false;
    endCell(row, cell);
    return true;
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

// A cell as it was before the writer guarded it (store/contactwriter.h): one
// apostrophe less.
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

// A header that names a mobile anywhere in it, as a word: "Mobile Phone 2",
// "Home Mobile", "Cell", "Cep Telefonu", "İş Cep", "GSM".
bool namesMobile(const QString& folded) {
    for (qsizetype from = 0, to = 0; from < folded.size(); from = to + 1) {
        to = from;
        while (to < folded.size() && folded[to].isLetterOrNumber()) ++to;
        if (isOneOf(folded.mid(from, to - from), {u"mobile", u"mobil", u"cell", u"cellular", u"cep", u"gsm"}))
            return true;
    }
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
        else if (isOneOf(f, {u"middle name", u"additional name", u"ikinci ad", u"ikinci adi", u"göbek adi"}))
            c.additional << i;
        else if (isOneOf(f, {u"last name", u"family name", u"soyad", u"soyadi", u"soyisim"})) c.family << i;
        else if (isOneOf(f, {u"name", u"full name", u"display name", u"ad soyad", u"adi soyadi"})) c.full << i;
        else if (namesMobile(f)) c.mobile << i;
        else if (googlePhone(f, number, part)) {
            if (part == u"value"_s) {
                if (!values.contains(number)) order << number;
                values.insert(number, i);
                c.phone << i;
            } else if (part == u"label"_s || part == u"type"_s) {
                labels.insert(number, i);
            }
        } else if (f.contains(u"phone"_s) || f.contains(u"telefon"_s) ||
                   isOneOf(f, {u"tel", u"numara", u"number"})) {
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

// A row of the table as a contact.
ReadContact contactOf(const QStringList& row, const Columns& cols) {
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
    return clean(std::move(raw));
}

}  // namespace

ReadResult readCsv(QByteArrayView bytes, bool utf8) {
    CsvRows rows(bytes, utf8 || isUtf8(bytes));
    QStringList row;
    if (!rows.next(row)) return refused(text::emptyFile());
    const Columns cols = columnsOf(row);
    if (!cols.known()) return refused(text::notContacts());
    if (bytes.contains('\0')) return refused(text::nulByte());

    ReadResult result;
    while (rows.next(row) && !rows.longLine) {
        bool any = false;
        for (const QString& cell : row) any = any || !isBlankText(cell);
        if (any) result.contacts.append(contactOf(row, cols));
    }
    if (rows.longLine) return refused(text::longLine());
    if (rows.openQuote) return refused(text::openQuote());
    if (result.contacts.isEmpty()) return refused(text::noContacts());
    return result;
}

bool hasKnownHeader(QByteArrayView start, bool utf8) {
    QStringList header;
    if (CsvRows(start, true).next(header) && columnsOf(header).known()) return true;
    return !utf8 && CsvRows(start, false).next(header) && columnsOf(header).known();
}

}  // namespace interchange
