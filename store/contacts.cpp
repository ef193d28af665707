#include "store/contacts.h"

#include "store/codepage.h"
#include "store/collation.h"

namespace contacts {

QString normalisedName(const QString& typed) {
    QByteArray s = codepage::encode(typed);
    if (s.isEmpty()) return typed;
    unsigned char c = codepage::toUpper(static_cast<unsigned char>(s[0]));
    if (c == 0xDD || c == 'I' || c == 0xFD) c = 'i';  // İ, I, ı
    s[0] = char(c);
    return codepage::decode(s);
}

QString lineOrEmpty(const StringList& lines, int i) {
    return i >= 0 && i < lines.count() ? lines.text(i) : QString();
}

int lookupNumberLine(const StringList& recordLines, const QString& t) {
    if (t.isEmpty()) return -1;
    const QByteArray key = codepage::encode(t);
    const QList<QByteArray>& lines = recordLines.lines();
    for (int i = 2; i < lines.size(); i += 3)
        if (collation::equal(lines[i], key)) return i;
    return -1;
}

void removeContact(StringList& recordLines, int numberLine) {
    for (int k = 0; k < 3; ++k) recordLines.remove(numberLine - 2);
}

void insertContact(StringList& recordLines, int at, const QByteArray& name, const QByteArray& surname,
                   const QByteArray& number) {
    recordLines.insert(at, number);
    recordLines.insert(at, surname);
    recordLines.insert(at, name);
}

Placement placeContact(StringList& recordLines, StringList& nameIndex, const QByteArray& name,
                       const QByteArray& surname, const QByteArray& number) {
    nameIndex.add(name);
    const int p = nameIndex.lookup(name);
    const bool atEnd = recordLines.count() == 1 || p == nameIndex.count() - 1;
    const Placement placed{atEnd ? recordLines.count() : 3 * p, !atEnd && p > 0};
    insertContact(recordLines, placed.at, name, surname, number);
    return placed;
}

}  // namespace contacts
