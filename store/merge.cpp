#include "store/merge.h"

#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/storeerror.h"
#include "store/textfile.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <numeric>
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

struct Contact {
    QByteArray name, surname, number;
};

// A tree of counts over positions 0..n-1: a count added at one position,
// the sum of the positions before one, and the position where a sum is reached.
class CountTree {
public:
    explicit CountTree(int n) : tree_(size_t(n) + 1, 0) {}
    void add(int position, int count) {
        for (size_t i = size_t(position) + 1; i < tree_.size(); i += i & (~i + 1)) tree_[i] += count;
    }
    int sumBefore(int position) const {
        int s = 0;
        for (size_t i = size_t(position); i > 0; i -= i & (~i + 1)) s += tree_[i];
        return s;
    }
    // The position of the (k+1)-th count, for counts of 0 and 1.
    int find(int k) const {
        size_t at = 0;
        size_t step = 1;
        while (step * 2 < tree_.size()) step *= 2;
        for (; step > 0; step /= 2)
            if (at + step < tree_.size() && tree_[at + step] <= k) {
                at += step;
                k -= tree_[at];
            }
        return int(at);
    }

private:
    std::vector<int> tree_;
};

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
    const int r = int(merged.size());
    if (r == 0) return outcome;
    const int total = m + r;

    // All names in order, the first group's ahead of equal merged ones and
    // the merged ones in their order: what adding them one by one to the
    // sorted index gives. Each source's place in it is kept.
    const QList<QByteArray>& index = mergeNameIndex.lines();
    std::vector<int> byName(static_cast<size_t>(r));
    std::iota(byName.begin(), byName.end(), 0);
    std::stable_sort(byName.begin(), byName.end(),
                     [&](int a, int b) { return collation::less(merged[size_t(a)].name, merged[size_t(b)].name); });
    QList<QByteArray> names;
    names.reserve(total);
    std::vector<int> placeOfFirst(static_cast<size_t>(m));
    std::vector<int> placeOfMerged(static_cast<size_t>(r));
    for (int i = 0, j = 0; i < m || j < r;) {
        const Contact* next = j < r ? &merged[size_t(byName[size_t(j)])] : nullptr;
        if (next && (i == m || collation::less(next->name, index[i]))) {
            placeOfMerged[size_t(byName[size_t(j++)])] = int(names.size());
            names.append(next->name);
        } else {
            placeOfFirst[size_t(i)] = int(names.size());
            names.append(index[i++]);
        }
    }
    // The first place of each name's run of equal names.
    std::vector<int> runStart(static_cast<size_t>(total));
    for (int q = 0; q < total; ++q)
        runStart[size_t(q)] = q > 0 && !collation::less(names[q - 1], names[q]) ? runStart[size_t(q - 1)] : q;

    // Contact j is placed as contact p_j, p_j counting the names that sort
    // before its own among the first group's and those merged before it.
    CountTree present(total);
    for (int i = 0; i < m; ++i) present.add(runStart[size_t(placeOfFirst[size_t(i)])], 1);
    std::vector<int> placeAtTime(static_cast<size_t>(r));
    for (int j = 0; j < r; ++j) {
        const int start = runStart[size_t(placeOfMerged[size_t(j)])];
        placeAtTime[size_t(j)] = present.sumBefore(start);
        present.add(start, 1);
    }

    // Where each merged contact ends: taken back from the last, each one's
    // place counts only the places not taken by those merged after it. The
    // first group's contacts fill the rest in their order.
    CountTree free(total);
    for (int s = 0; s < total; ++s) free.add(s, 1);
    std::vector<int> atSlot(size_t(total), -1);
    for (int j = r - 1; j >= 0; --j) {
        const int s = free.find(placeAtTime[size_t(j)]);
        atSlot[size_t(s)] = j;
        free.add(s, -1);
    }
    QList<QByteArray> lines;
    lines.reserve(3 * total);
    int nextFirst = 0;
    for (int s = 0; s < total; ++s) {
        if (atSlot[size_t(s)] < 0) {
            lines << first[3 * nextFirst] << first[3 * nextFirst + 1] << first[3 * nextFirst + 2];
            ++nextFirst;
        } else {
            const Contact& c = merged[size_t(atSlot[size_t(s)])];
            lines << c.name << c.surname << c.number;
        }
    }
    mergeLines.assign(std::move(lines));
    mergeNameIndex.assign(std::move(names));
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
            else QFile::remove(resultPath);
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
