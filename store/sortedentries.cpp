#include "store/sortedentries.h"

#include "store/codepage.h"
#include "store/collation.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace contacts {

SortedEntries sortedEntries(const StringList& recordLines, Listed listed) {
    const QList<QByteArray>& lines = recordLines.lines();
    const int offset = int(listed);
    std::vector<int> order;  // contact numbers, to be put in the order of their texts
    order.reserve(size_t(lines.size() / 3 + 1));
    for (int k = 0; 3 * k + offset < lines.size(); ++k) order.push_back(k);

    auto textOf = [&](int k) -> const QByteArray& { return lines[3 * k + offset]; };
    auto less = [&](int a, int b) { return collation::compare(textOf(a), textOf(b)) < 0; };
    // A group kept by the program is in name order already: one pass tells.
    if (!std::is_sorted(order.begin(), order.end(), less)) std::stable_sort(order.begin(), order.end(), less);

    SortedEntries out;
    out.texts.reserve(qsizetype(order.size()));
    out.contacts.reserve(qsizetype(order.size()));
    const QByteArray* previous = nullptr;
    for (int k : order) {
        // equal neighbours (a name many contacts bear) share one text
        if (previous && *previous == textOf(k))
            out.texts.append(out.texts.constLast());
        else
            out.texts.append(codepage::decode(textOf(k)));
        previous = &textOf(k);
        out.contacts.append(k);
    }
    return out;
}

int lookupName(const StringList& recordLines, const QString& name) {
    if (name.isEmpty()) return -1;
    const QByteArray key = codepage::encode(name);
    const QList<QByteArray>& lines = recordLines.lines();
    for (int i = 0; i < lines.size(); i += 3)
        if (collation::equal(lines[i], key)) return i / 3;
    return -1;
}

}  // namespace contacts
