#include "store/stringlist.h"

#include "store/codepage.h"
#include "store/collation.h"
#include "store/storeerror.h"
#include "store/textfile.h"

#include <algorithm>
#include <new>

StringList::StringList(std::initializer_list<const char*> lines, bool sorted) : sorted_(sorted) {
    for (const char* l : lines) add(QString::fromUtf8(l));
}

const QByteArray& StringList::get(int i) const {
    if (i < 0 || i >= count()) throw StoreError::indexOutOfBounds(i);
    return lines_[i];
}

QString StringList::text(int i) const { return codepage::decode(get(i)); }

int StringList::lookup(QByteArrayView t) const {
    if (t.isEmpty()) return -1;
    const qsizetype n = t.size();
    for (int i = 0, c = count(); i < c; ++i) {
        const QByteArray& line = lines_[i];
        if (line.size() == n && collation::equal(line, t)) return i;
    }
    return -1;
}

int StringList::lookup(const QString& t) const { return lookup(codepage::encode(t)); }

int StringList::add(const QByteArray& t) {
    try {
        if (!sorted_) {
            lines_.append(t);
            return count() - 1;
        }
        const auto pos = std::upper_bound(lines_.begin(), lines_.end(), t,
                                          [](const QByteArray& a, const QByteArray& b) {
                                              return collation::less(a, b);
                                          });
        const int i = int(pos - lines_.begin());
        lines_.insert(i, t);
        return i;
    } catch (const std::bad_alloc&) {
        throw StoreError::cannotInsert();
    }
}

int StringList::add(const QString& t) { return add(codepage::encode(t)); }

void StringList::insert(int i, const QByteArray& t) {
    if (i > count() || i < -1) throw StoreError::cannotInsert();
    try {
        lines_.insert(i == -1 ? count() : i, t);
    } catch (const std::bad_alloc&) {
        throw StoreError::cannotInsert();
    }
}

void StringList::replace(int i, const QByteArray& t) {
    remove(i);
    insert(i, t);
}

void StringList::replace(int i, const QString& t) { replace(i, codepage::encode(t)); }

void StringList::remove(int i) {
    if (i >= 0 && i < count()) lines_.removeAt(i);
}

void StringList::copyFrom(const StringList& other) { assign(other.lines_); }

void StringList::load(const QString& path) { assign(textfile::readLines(path)); }

void StringList::save(const QString& path) const { textfile::writeLines(path, lines_); }

void StringList::assign(QList<QByteArray> lines) {
    if (sorted_) {
        // Equal lines may stand in any order among themselves, so one stable
        // sort gives what adding the lines one by one would give. A group is
        // kept in name order, so its names mostly come sorted already.
        const auto less = [](const QByteArray& a, const QByteArray& b) { return collation::less(a, b); };
        if (!std::is_sorted(lines.begin(), lines.end(), less)) std::stable_sort(lines.begin(), lines.end(), less);
    }
    lines_ = std::move(lines);
}

void rebuildNameIndex(const StringList& recordLines, StringList& nameIndex) {
    QList<QByteArray> names;
    names.reserve((recordLines.count() + 2) / 3);
    for (int k = 0; 3 * k <= recordLines.count() - 1; ++k) names.append(recordLines.get(3 * k));
    nameIndex.assign(std::move(names));
}

void LineTail::takeAfter(const StringList& list, int first) {
    all_ = list;  // shares the lines: no line is copied
    first_ = std::min(std::max(first, 0), list.count());
}

const QByteArray& LineTail::get(int i) const {
    if (i < 0 || i >= count()) throw StoreError::indexOutOfBounds(i);
    return all_.get(first_ + i);
}

QString LineTail::text(int i) const { return codepage::decode(get(i)); }

int LineTail::lookup(const QString& t) const {
    const QByteArray key = codepage::encode(t);
    if (key.isEmpty()) return -1;
    const QList<QByteArray>& lines = all_.lines();
    for (int i = first_; i < lines.size(); ++i)
        if (collation::equal(lines[i], key)) return i - first_;
    return -1;
}

void LineTail::remove(int i) {
    if (i >= 0 && i < count()) all_.remove(first_ + i);
}
