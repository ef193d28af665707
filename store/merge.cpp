#include "store/merge.h"

#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "store/textfile.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <vector>

namespace merge {

namespace {

constexpr int NumberWidth = 11;

QByteArray lineOr(const StringList& lines, int i) {
    return i >= 0 && i < lines.count() ? lines.get(i) : QByteArray();
}

// Texts equal under the comparison have equal keys, and only they.
QByteArray weightKey(const QByteArray& text) {
    QByteArray key(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) key[i] = char(collation::weight(uchar(text[i])));
    return key;
}

using Contact = contacts::NewContact;

// The duplicate of a contact whose number the contact at number line i holds.
Duplicate duplicateOf(const StringList& lines, int i, const Contact& c) {
    return {lines.get(i - 2), lines.get(i - 1), lines.get(i), c.name, c.surname, c.number};
}

// The seven lines after the duplicates' entries.
QStringList summary(int skipped) {
    return {QString(),
            QStringLiteral("&&&&&&"),
            QString(),
            QStringLiteral("Yukarıda aynı isimde %1 kişi bulundu ve kayıt 2. bir kez eklenmedi!Tüm işlemler "
                           "1.Gruptaki kayıtlara göre gerçekleştirildi!")
                .arg(skipped),
            QString(),
            QStringLiteral("&&&&&&"),
            QStringLiteral("Guplar başarıyla birleştirildi!")};
}

Contact secondContact(const StringList& secondLines, int k) {
    return {lineOr(secondLines, 3 * k), lineOr(secondLines, 3 * k + 1),
            maskedNumber(lineOr(secondLines, 3 * k + 2))};
}

}  // namespace

QByteArray maskedNumber(const QByteArray& line) {
    return line.left(NumberWidth).leftJustified(NumberWidth, ' ');
}

void extendSurnames(StringList& secondLines, const QByteArray& text) {
    for (int k = 0; 3 * k < secondLines.count(); ++k)
        secondLines.replace(3 * k + 1, lineOr(secondLines, 3 * k + 1) + text);
}

QStringList duplicateEntry(const QByteArray& holderName, const QByteArray& holderSurname,
                           const QByteArray& holderNumber, const QByteArray& name, const QByteArray& surname,
                           const QByteArray& number) {
    using codepage::decode;
    return {QStringLiteral("Aynı numaraya sahip başka bir kişi bulundu."),
            QStringLiteral("1.Gruptaki kayıt:"),
            QStringLiteral("İsim:") + decode(holderName),
            QStringLiteral("Soyad: ") + decode(holderSurname),
            QStringLiteral("Numara: ") + decode(holderNumber),
            QStringLiteral("##"),
            QStringLiteral("2.Gruptaki kayıt:"),
            QStringLiteral("İsim:") + decode(name),
            QStringLiteral("Soyad: ") + decode(surname),
            QStringLiteral("Numara: ") + decode(number),
            QStringLiteral("-----------------------")};
}

Outcome mergeContactsOneByOne(StringList& mergeLines, StringList& mergeNameIndex, const StringList& secondLines,
                              const Progress& progress) {
    Outcome outcome;
    for (int k = 0; 3 * k < secondLines.count(); ++k) {
        if (progress) progress(3 * k);
        const Contact c = secondContact(secondLines, k);
        ++outcome.contacts;
        int held = -1;
        const QList<QByteArray>& lines = mergeLines.lines();
        for (int i = 2; i < lines.size() && held < 0; i += 3)
            if (collation::equal(lines[i], c.number)) held = i;
        if (held >= 0) {
            outcome.duplicates << duplicateOf(mergeLines, held, c);
        } else if (c.name.isEmpty()) {
            // The lookup never finds the empty text; an empty name sorts
            // before every other, so its contact is contact 0.
            mergeNameIndex.add(c.name);
            const bool atEnd = mergeLines.count() == 1 || mergeNameIndex.count() == 1;
            contacts::insertContact(mergeLines, atEnd ? mergeLines.count() : 0, c.name, c.surname, c.number);
        } else {
            contacts::placeContact(mergeLines, mergeNameIndex, c.name, c.surname, c.number);
        }
    }
    return outcome;
}

Outcome mergeContacts(StringList& mergeLines, StringList& mergeNameIndex, const StringList& secondLines,
                      const Progress& progress) {
    // Lines that are not whole contacts (a one-line group, a cut-off last
    // contact) shift the contacts as they grow: merged one by one.
    if (mergeLines.count() % 3 != 0 || mergeNameIndex.count() != mergeLines.count() / 3)
        return mergeContactsOneByOne(mergeLines, mergeNameIndex, secondLines, progress);

    const QList<QByteArray>& first = mergeLines.lines();
    const int m = mergeLines.count() / 3;

    // The number's holder: the first contact holding it, k >= 0 for the
    // first group's contact k, -1 - j for the merged contact j. A merged
    // contact never shares a number with one already there, so the first
    // group's first holder stays the first, wherever later contacts land.
    QHash<QByteArray, int> holders;
    holders.reserve(m + secondLines.count() / 3 + 1);
    for (int k = 0; k < m; ++k) {
        const QByteArray& number = first[3 * k + 2];
        if (number.isEmpty()) continue;  // an empty text is never found
        const QByteArray key = weightKey(number);
        if (!holders.contains(key)) holders.insert(key, k);
    }

    Outcome outcome;
    std::vector<Contact> merged;
    merged.reserve(size_t(secondLines.count() / 3 + 1));
    for (int k = 0; 3 * k < secondLines.count(); ++k) {
        if (progress) progress(3 * k);
        Contact c = secondContact(secondLines, k);
        ++outcome.contacts;
        const QByteArray key = weightKey(c.number);
        const auto h = holders.constFind(key);
        if (h != holders.cend()) {
            const int holder = *h;
            if (holder >= 0) outcome.duplicates << duplicateOf(mergeLines, 3 * holder + 2, c);
            else {
                const Contact& d = merged[size_t(-1 - holder)];
                outcome.duplicates << Duplicate{d.name, d.surname, d.number, c.name, c.surname, c.number};
            }
            continue;
        }
        holders.insert(key, -1 - int(merged.size()));
        merged.push_back(std::move(c));
    }
    contacts::placeContacts(mergeLines, mergeNameIndex, merged);
    return outcome;
}

void writeResult(const QString& resultPath, const StringList& mergeLines, const QString& groupListPath,
                 const StringList& groupNames) {
    QFile old(resultPath);
    const bool existed = old.exists();
    QByteArray oldBytes;
    if (existed) {
        if (!old.open(QIODevice::ReadOnly)) throw StoreError::cannotOpen(resultPath);
        oldBytes = old.readAll();
        old.close();
    }
    mergeLines.save(resultPath);
    try {
        // A list the file holds already, byte for byte, is not written again.
        const QByteArray list = textfile::joinLines(groupNames.lines());
        QFile listFile(groupListPath);
        if (!listFile.open(QIODevice::ReadOnly) || listFile.readAll() != list || listFile.error() != QFile::NoError) {
            listFile.close();
            textfile::writeBytes(groupListPath, list);
        }
    } catch (const StoreError&) {
        try {
            if (existed) textfile::writeBytes(resultPath, oldBytes);
            else datafolder::deleteFile(resultPath);  // the folder synced after it too
        } catch (const StoreError&) {
            // the merged file stays: it is whole, and the error below is shown
        }
        throw;
    }
}

QString reportText(const Outcome& outcome) {
    if (outcome.duplicates.isEmpty() || outcome.skipped() == outcome.contacts) return report(outcome).join(u'\n');
    QString text;
    text.reserve(qsizetype(outcome.skipped()) * 240);
    for (const Duplicate& d : outcome.duplicates) {
        const QStringList entry =
            duplicateEntry(d.holderName, d.holderSurname, d.holderNumber, d.name, d.surname, d.number);
        for (qsizetype i = 0; i < entry.size(); ++i) {
            if (i > 0) text += QChar::LineSeparator;
            text += entry[i];
        }
        text += u'\n';
    }
    text += summary(outcome.skipped()).join(u'\n');
    return text;
}

QStringList report(const Outcome& outcome) {
    QStringList lines;
    if (outcome.duplicates.isEmpty()) return lines;
    if (outcome.skipped() == outcome.contacts) {
        lines << QStringLiteral("Birleştirilmek istenen 2.Grup dosyası daha önce 1.Grup dosyasına eklenmiş!İşlem "
                                "gerçekleştirilmedi!");
        return lines;
    }
    lines.reserve(11 * outcome.skipped() + 7);
    for (const Duplicate& d : outcome.duplicates)
        lines << duplicateEntry(d.holderName, d.holderSurname, d.holderNumber, d.name, d.surname, d.number);
    lines << summary(outcome.skipped());
    return lines;
}

}  // namespace merge
