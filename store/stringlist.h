#pragma once
// The ordered list of text lines that every list of the program is.
//
// A line is a text of code page 1254 bytes. A list is sorted or unsorted for
// its whole life: in a sorted list every added line goes to its place in the
// Turkish order of collation.h, in an unsorted one to the end. Lookup finds
// the first line equal to a text without regard to case; the empty text is
// never found.

#include <QByteArray>
#include <QList>
#include <QString>

class StringList {
public:
    explicit StringList(bool sorted = false) : sorted_(sorted) {}
    StringList(std::initializer_list<const char*> lines, bool sorted = false);

    bool isSorted() const { return sorted_; }
    int count() const { return int(lines_.size()); }
    bool isEmpty() const { return lines_.isEmpty(); }

    // Line i; throws "List index out of bounds (i)" outside the list.
    const QByteArray& get(int i) const;
    QString text(int i) const;  // line i in Unicode

    // The lowest index whose line equals t, or -1.
    int lookup(QByteArrayView t) const;
    int lookup(const QByteArray& t) const { return lookup(QByteArrayView(t)); }
    int lookup(const QString& t) const;

    // Appends t, or in a sorted list inserts it at its sorted place; returns its index.
    int add(const QByteArray& t);
    int add(const QString& t);

    // Inserts t before line i (i = count or -1 appends); throws
    // "Unable to insert a line" for i > count.
    void insert(int i, const QByteArray& t);

    // Removes line i if it exists, then inserts t at i.
    void replace(int i, const QByteArray& t);
    void replace(int i, const QString& t);

    // Removes line i; an index outside the list changes nothing.
    void remove(int i);
    void clear() { lines_.clear(); }

    // The other list's lines in its order (a sorted target sorts them).
    void copyFrom(const StringList& other);

    // Empties the list and adds every line of the file; throws "Cannot open file %s".
    void load(const QString& path);
    // Writes every line with CR LF; throws "Cannot create file %s".
    void save(const QString& path) const;

    const QList<QByteArray>& lines() const { return lines_; }

    // The lines in another order or from elsewhere, taken whole (a sorted
    // list sorts them).
    void assign(QList<QByteArray> lines);

private:
    bool sorted_;
    QList<QByteArray> lines_;
};

// Rebuild NameIndex: empty it, then add the name line 3k of RecordLines for
// every contact k (3k <= count - 1, so a trailing incomplete contact counts).
void rebuildNameIndex(const StringList& recordLines, StringList& nameIndex);

// The lines of a list from one line on, taken at one moment: later changes of
// the list do not reach it. Indexes count from its own first line. Taking it
// copies no line, so it costs the same for any length of list.
class LineTail {
public:
    void takeAfter(const StringList& list, int first);
    void clear() { takeAfter(StringList(), 0); }
    int count() const { return all_.count() - first_; }
    const QByteArray& get(int i) const;  // throws "List index out of bounds (i)"
    QString text(int i) const;
    int lookup(const QString& t) const;  // the first equal line, or -1
    void remove(int i);                  // an index outside changes nothing

private:
    StringList all_;
    int first_ = 0;
};
