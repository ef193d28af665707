#include "store/contacts.h"

#include "store/codepage.h"
#include "store/collation.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>

namespace contacts {

namespace {

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

}  // namespace

QString normalisedName(const QString& typed) {
    if (typed.isEmpty()) return typed;
    return codepage::decode(normalisedNameLine(codepage::encode(typed)));
}

QByteArray normalisedNameLine(QByteArray s) {
    if (s.isEmpty()) return s;
    unsigned char c = codepage::toUpper(static_cast<unsigned char>(s[0]));
    if (c == 0xDD || c == 'I' || c == 0xFD) c = 'i';  // İ, I, ı
    if (char(c) != s[0]) s[0] = char(c);
    return s;
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

void placeContacts(StringList& recordLines, StringList& nameIndex, const std::vector<NewContact>& newContacts) {
    const int r = int(newContacts.size());
    if (r == 0) return;
    // Lines that are not whole contacts shift the contacts as they grow: one by one.
    if (recordLines.count() % 3 != 0 || nameIndex.count() != recordLines.count() / 3) {
        for (const NewContact& c : newContacts) {
            if (!c.name.isEmpty()) {
                placeContact(recordLines, nameIndex, c.name, c.surname, c.number);
                continue;
            }
            nameIndex.add(c.name);
            const bool atEnd = recordLines.count() == 1 || nameIndex.count() == 1;
            insertContact(recordLines, atEnd ? recordLines.count() : 0, c.name, c.surname, c.number);
        }
        return;
    }

    const QList<QByteArray>& first = recordLines.lines();
    const int m = recordLines.count() / 3;
    const int total = m + r;
    // The names' collation weights side by side: comparing two of them byte
    // by byte, the shorter first where one begins the other, is the
    // collation's comparison, without a table lookup per letter.
    std::string weights;
    std::vector<std::pair<size_t, size_t>> keys(static_cast<size_t>(r));  // where, how long
    for (int j = 0; j < r; ++j) {
        const QByteArray& name = newContacts[size_t(j)].name;
        keys[size_t(j)] = {weights.size(), size_t(name.size())};
        for (char c : name) weights += char(collation::weight(uchar(c)));
    }
    const auto byName = [&](int a, int b) {
        const auto& [pa, na] = keys[size_t(a)];
        const auto& [pb, nb] = keys[size_t(b)];
        const int d = std::memcmp(weights.data() + pa, weights.data() + pb, std::min(na, nb));
        return d < 0 || (d == 0 && na < nb);
    };

    if (m == 0) {
        // An empty group: the contacts in name order, each run of equal
        // names last placed first; NameIndex holds each run first placed first.
        std::vector<int> order(static_cast<size_t>(r));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), byName);
        QList<QByteArray> lines, names;
        lines.reserve(3 * r);
        names.reserve(r);
        for (int from = 0; from < r;) {
            int to = from + 1;
            while (to < r && !byName(order[size_t(to - 1)], order[size_t(to)])) ++to;
            for (int q = to - 1; q >= from; --q) {
                const NewContact& c = newContacts[size_t(order[size_t(q)])];
                lines << c.name << c.surname << c.number;
            }
            for (int q = from; q < to; ++q) names << newContacts[size_t(order[size_t(q)])].name;
            from = to;
        }
        recordLines.assign(std::move(lines));
        nameIndex.assign(std::move(names));
        return;
    }

    // All names in order, the group's ahead of equal new ones and the new
    // ones in their order: what adding them one by one to the sorted index
    // gives. Each source's place in it is kept.
    const QList<QByteArray>& index = nameIndex.lines();
    std::vector<int> sorted(static_cast<size_t>(r));
    std::iota(sorted.begin(), sorted.end(), 0);
    std::stable_sort(sorted.begin(), sorted.end(), byName);
    QList<QByteArray> names;
    names.reserve(total);
    std::vector<int> placeOfFirst(static_cast<size_t>(m));
    std::vector<int> placeOfNew(static_cast<size_t>(r));
    for (int i = 0, j = 0; i < m || j < r;) {
        const NewContact* next = j < r ? &newContacts[size_t(sorted[size_t(j)])] : nullptr;
        if (next && (i == m || collation::less(next->name, index[i]))) {
            placeOfNew[size_t(sorted[size_t(j++)])] = int(names.size());
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
    // before its own among the group's and those placed before it.
    CountTree present(total);
    for (int i = 0; i < m; ++i) present.add(runStart[size_t(placeOfFirst[size_t(i)])], 1);
    std::vector<int> placeAtTime(static_cast<size_t>(r));
    for (int j = 0; j < r; ++j) {
        const int start = runStart[size_t(placeOfNew[size_t(j)])];
        placeAtTime[size_t(j)] = present.sumBefore(start);
        present.add(start, 1);
    }

    // Where each new contact ends: taken back from the last, each one's
    // place counts only the places not taken by those placed after it. The
    // group's contacts fill the rest in their order.
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
            const NewContact& c = newContacts[size_t(atSlot[size_t(s)])];
            lines << c.name << c.surname << c.number;
        }
    }
    recordLines.assign(std::move(lines));
    nameIndex.assign(std::move(names));
}

}  // namespace contacts
