#include "store/contacts.h"

#include "store/codepage.h"
#include "store/collation.h"

#include <algorithm>
#include <cstring>
#include <functional>
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

namespace {

// Each contact placed as placeContact puts it; an empty name, which the
// NameIndex never finds, ahead of every other.
void placeOneByOne(StringList& recordLines, StringList& nameIndex, const std::vector<NewContact>& newContacts) {
    for (const NewContact& c : newContacts) {
        if (!c.name.isEmpty()) {
            placeContact(recordLines, nameIndex, c.name, c.surname, c.number);
            continue;
        }
        nameIndex.add(c.name);
        const bool atEnd = recordLines.count() == 1 || nameIndex.count() == 1;
        insertContact(recordLines, atEnd ? recordLines.count() : 0, c.name, c.surname, c.number);
    }
}

// The order of the new contacts' names. Their collation weights stand side
// by side: comparing two of them byte by byte, the shorter first where one
// begins the other, is the collation's comparison, without a table lookup
// per letter.
class NameOrder {
public:
    explicit NameOrder(const std::vector<NewContact>& newContacts) : keys_(newContacts.size()) {
        for (size_t j = 0; j < newContacts.size(); ++j) {
            const QByteArray& name = newContacts[j].name;
            keys_[j] = {weights_.size(), size_t(name.size())};
            for (char c : name) weights_ += char(collation::weight(uchar(c)));
        }
    }
    bool operator()(int a, int b) const {
        const auto& [pa, na] = keys_[size_t(a)];
        const auto& [pb, nb] = keys_[size_t(b)];
        const int d = std::memcmp(weights_.data() + pa, weights_.data() + pb, std::min(na, nb));
        return d < 0 || (d == 0 && na < nb);
    }
    // The contacts' positions in name order, equal names in their order.
    std::vector<int> sorted() const {
        std::vector<int> order(keys_.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), std::cref(*this));  // the sort copies its comparison
        return order;
    }

private:
    std::string weights_;
    std::vector<std::pair<size_t, size_t>> keys_;  // where, how long
};

// An empty group: the contacts in name order, each run of equal names last
// placed first; NameIndex holds each run first placed first.
void placeIntoEmpty(StringList& recordLines, StringList& nameIndex, const std::vector<NewContact>& newContacts,
                    const NameOrder& byName) {
    const int r = int(newContacts.size());
    const std::vector<int> order = byName.sorted();
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
}

// All names in order, the group's ahead of equal new ones and the new ones
// in their order: what adding them one by one to the sorted index gives.
// Each source's place in it is kept.
struct MergedNames {
    QList<QByteArray> names;
    std::vector<int> placeOfFirst, placeOfNew;
};

MergedNames mergedNames(const QList<QByteArray>& index, const std::vector<NewContact>& newContacts,
                        const NameOrder& byName) {
    const int m = int(index.size()), r = int(newContacts.size());
    const std::vector<int> sorted = byName.sorted();
    MergedNames merged;
    merged.names.reserve(m + r);
    merged.placeOfFirst.resize(size_t(m));
    merged.placeOfNew.resize(size_t(r));
    for (int i = 0, j = 0; i < m || j < r;) {
        const NewContact* next = j < r ? &newContacts[size_t(sorted[size_t(j)])] : nullptr;
        if (next && (i == m || collation::less(next->name, index[i]))) {
            merged.placeOfNew[size_t(sorted[size_t(j++)])] = int(merged.names.size());
            merged.names.append(next->name);
        } else {
            merged.placeOfFirst[size_t(i)] = int(merged.names.size());
            merged.names.append(index[i++]);
        }
    }
    return merged;
}

// Where each new contact ends among all: slot s holds new contact j, or -1
// where one of the group's contacts goes.
std::vector<int> slotsOfNew(const MergedNames& merged) {
    const int m = int(merged.placeOfFirst.size()), r = int(merged.placeOfNew.size()), total = m + r;
    // The first place of each name's run of equal names.
    std::vector<int> runStart(static_cast<size_t>(total));
    for (int q = 0; q < total; ++q)
        runStart[size_t(q)] =
            q > 0 && !collation::less(merged.names[q - 1], merged.names[q]) ? runStart[size_t(q - 1)] : q;

    // Contact j is placed as contact p_j, p_j counting the names that sort
    // before its own among the group's and those placed before it.
    CountTree present(total);
    for (int i = 0; i < m; ++i) present.add(runStart[size_t(merged.placeOfFirst[size_t(i)])], 1);
    std::vector<int> placeAtTime(static_cast<size_t>(r));
    for (int j = 0; j < r; ++j) {
        const int start = runStart[size_t(merged.placeOfNew[size_t(j)])];
        placeAtTime[size_t(j)] = present.sumBefore(start);
        present.add(start, 1);
    }

    // Taken back from the last, each one's place counts only the places not
    // taken by those placed after it.
    CountTree free(total);
    for (int s = 0; s < total; ++s) free.add(s, 1);
    std::vector<int> atSlot(size_t(total), -1);
    for (int j = r - 1; j >= 0; --j) {
        const int s = free.find(placeAtTime[size_t(j)]);
        atSlot[size_t(s)] = j;
        free.add(s, -1);
    }
    return atSlot;
}

}  // namespace

void placeContacts(StringList& recordLines, StringList& nameIndex, const std::vector<NewContact>& newContacts) {
    if (newContacts.empty()) return;
    // Lines that are not whole contacts shift the contacts as they grow: one by one.
    if (recordLines.count() % 3 != 0 || nameIndex.count() != recordLines.count() / 3)
        return placeOneByOne(recordLines, nameIndex, newContacts);
    const NameOrder byName(newContacts);
    if (recordLines.count() == 0) return placeIntoEmpty(recordLines, nameIndex, newContacts, byName);

    MergedNames merged = mergedNames(nameIndex.lines(), newContacts, byName);
    const std::vector<int> atSlot = slotsOfNew(merged);
    // The group's contacts fill the slots the new ones leave, in their order.
    const QList<QByteArray>& first = recordLines.lines();
    QList<QByteArray> lines;
    lines.reserve(3 * int(atSlot.size()));
    int nextFirst = 0;
    for (int j : atSlot) {
        if (j < 0) {
            lines << first[3 * nextFirst] << first[3 * nextFirst + 1] << first[3 * nextFirst + 2];
            ++nextFirst;
        } else {
            const NewContact& c = newContacts[size_t(j)];
            lines << c.name << c.surname << c.number;
        }
    }
    recordLines.assign(std::move(lines));
    nameIndex.assign(std::move(merged.names));
}

}  // namespace contacts
