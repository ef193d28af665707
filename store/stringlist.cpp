#include "stringlist.h"

#include "codepage.h"
#include "collation.h"
#include "storeerror.h"
#include "textfile.h"

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
        // sort gives what adding the lines one by one would give.
        std::stable_sort(lines.begin(), lines.end(), [](const QByteArray& a, const QByteArray& b) {
            return collation::less(a, b);
        });
    }
    lines_ = std::move(lines);
}

void rebuildNameIndex(const StringList& recordLines, StringList& nameIndex) {
    QList<QByteArray> names;
    names.reserve((recordLines.count() + 2) / 3);
    for (int k = 0; 3 * k <= recordLines.count() - 1; ++k) names.append(recordLines.get(3 * k));
    nameIndex.assign(std::move(names));
}
