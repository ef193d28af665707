#include "store/interchange.h"

#include "store/cleaning.h"
#include "store/contacts.h"
#include "store/datafolder.h"

#include <vector>

// The import's plan: which read contacts a group takes, and their places.

namespace interchange {

namespace {

// A set of keys of at most `capacity` members (digit keys, never negative).
class KeySet {
public:
    explicit KeySet(size_t capacity) {
        size_t n = 16;
        while (n < 2 * capacity) n *= 2;
        slots_.assign(n, -1);
    }
    bool contains(qint64 key) const {
        if (key < 0) return false;  // no line's key: an empty slot's mark
        for (size_t i = slotOf(key);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == key) return true;
            if (slots_[i] < 0) return false;
        }
    }
    void insert(qint64 key) {
        if (key < 0) return;
        for (size_t i = slotOf(key);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == key) return;
            if (slots_[i] < 0) {
                slots_[i] = key;
                return;
            }
        }
    }

private:
    size_t slotOf(qint64 key) const {
        return size_t((quint64(key) * 0x9E3779B97F4A7C15ULL) >> 32) & (slots_.size() - 1);
    }
    std::vector<qint64> slots_;
};

// A line's number: "1" and its digits as one integer, so that leading zeros
// count; -1 for a line that is not 1 to 18 digits. Two such lines are equal
// under the comparison exactly when their keys are.
qint64 digitKey(QByteArrayView line) {
    if (line.isEmpty() || line.size() > 18) return -1;
    qint64 k = 1;
    for (char c : line) {
        if (c < '0' || c > '9') return -1;
        k = k * 10 + (c - '0');
    }
    return k;
}

}  // namespace

Plan planImport(const ReadResult& read, const StringList& recordLines) {
    Plan plan;
    // A stored number is digits only, and digits are equal under the
    // comparison only to themselves: only lines of digits can hold it.
    KeySet inGroup(size_t(recordLines.count())), inFile(3 * size_t(read.contacts.size()));
    for (const QByteArray& line : recordLines.lines())
        if (const qint64 key = digitKey(line); key >= 0) inGroup.insert(key);
    plan.contacts = read.contacts;  // copied only when a contact's fate changes
    for (qsizetype i = 0; i < read.contacts.size(); ++i) {
        const ReadContact& c = read.contacts[i];
        Fate fate = c.fate;
        if (fate != Fate::LeftOut) {
            const qint64 number = digitKey(c.numberLine);
            const bool held = inGroup.contains(number);
            if (held || inFile.contains(number)) {
                ReadContact& changed = plan.contacts[i];
                fate = changed.fate = Fate::LeftOut;
                changed.reason = held ? text::numberInGroup() : text::numberEarlier();
            } else {
                // the save looks a number up among all lines, so a kept contact's name counts too
                for (const QByteArray* line : {&c.nameLine, &c.surnameLine})
                    if (const qint64 key = digitKey(*line); key >= 0) inFile.insert(key);
                inFile.insert(number);
            }
        }
        switch (fate) {
        case Fate::Added: ++plan.added; break;
        case Fate::Changed: ++plan.changed; break;
        case Fate::LeftOut: ++plan.leftOut; break;
        }
    }
    plan.linesAfter = recordLines.count() + 3 * plan.stored();
    plan.remainingCapacity = datafolder::remainingCapacity(plan.linesAfter);
    return plan;
}

void applyImport(const Plan& plan, StringList& recordLines, StringList& nameIndex) {
    // Placed last first: each goes ahead of the equal names before it, so
    // equal names keep the file's order.
    std::vector<contacts::NewContact> stored;
    stored.reserve(size_t(plan.stored()));
    for (auto c = plan.contacts.crbegin(); c != plan.contacts.crend(); ++c)
        if (c->fate != Fate::LeftOut) stored.push_back({c->nameLine, c->surnameLine, c->numberLine});
    contacts::placeContacts(recordLines, nameIndex, stored);
}

void importIntoGroup(const Plan& plan, const QString& groupPath, StringList& recordLines, StringList& nameIndex) {
    if (plan.stored() == 0) return;
    StringList lines = recordLines;
    StringList names = nameIndex;
    applyImport(plan, lines, names);
    lines.save(groupPath);
    recordLines = std::move(lines);
    nameIndex = std::move(names);
}

}  // namespace interchange
