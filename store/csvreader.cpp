#include "store/csvreader.h"

#include "store/cleaning.h"
#include "store/codepage.h"
#include "store/contactwriter.h"

#include <QHash>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace interchange {

namespace {

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

}  // namespace

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

}  // namespace interchange
