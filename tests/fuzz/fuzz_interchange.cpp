// A fuzz target (libFuzzer) over reading contacts files: the vCard and CSV
// readers, the import's plan and placement into an empty group, and the
// export of the result read back again.
//
// An input is one byte of choices, then the file's bytes. The choices' two
// low bits pick the format the result is written in (vCard 3.0, vCard 2.1,
// CSV). Built and run by tools/fuzz.sh; the seed inputs are
// tests/fuzz/corpus-interchange/.

#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/interchange.h"
#include "store/stringlist.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace interchange;

namespace {

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

bool isNumber(const QByteArray& line) {
    if (line.isEmpty() || line.size() > 11) return false;
    for (char c : line)
        if (c < '0' || c > '9') return false;
    return true;
}

bool holdsNoControl(const QByteArray& line) {
    for (char c : line)
        if (uchar(c) < 0x20) return false;
    return true;
}

// The group an import of the bytes into an empty group gives, checked on the way.
StringList imported(const QByteArray& bytes, int* leftOut = nullptr) {
    const ReadResult read = readBytes(bytes);
    check(read.refused() == read.contacts.isEmpty(), "a refusal with contacts, or none without one");
    for (const ReadContact& c : read.contacts) {
        check((c.fate == Fate::Added) == c.reason.isEmpty(), "a reason for an added contact, or none for another");
        check(holdsNoControl(c.nameLine) && holdsNoControl(c.surnameLine), "a break inside a name");
        if (c.fate == Fate::LeftOut) continue;
        check(isNumber(c.numberLine), "a stored number that is not 1 to 11 digits");
        check(c.nameLine.size() <= contacts::FieldLength && c.surnameLine.size() <= contacts::FieldLength,
              "a name longer than its field");
        bool named = false;
        for (char ch : c.nameLine) named = named || (ch != ' ' && uchar(ch) != 0xA0);
        check(named, "a blank name stored");
        check(contacts::normalisedNameLine(c.nameLine) == c.nameLine, "a name's first letter as no save leaves it");
    }
    const Plan plan = planImport(read, StringList());
    check(plan.added + plan.changed + plan.leftOut == read.contacts.size(), "the counts miss contacts");
    check(plan.remainingCapacity == (32735 - 3 * plan.stored()) / 3, "the capacity figure is off");
    if (leftOut) *leftOut = plan.leftOut;
    StringList lines, names(true);
    applyImport(plan, lines, names);
    check(lines.count() == 3 * plan.stored(), "stored contacts lost");
    check(names.count() == plan.stored(), "NameIndex does not hold one name per contact");
    for (int k = 0; k + 1 < names.count(); ++k) {
        check(collation::compare(names.get(k), names.get(k + 1)) <= 0, "NameIndex is out of order");
        check(collation::compare(lines.get(3 * k), lines.get(3 * k + 3)) <= 0, "the group is out of name order");
    }
    for (int i = 2; i < lines.count(); i += 3)
        for (int j = i + 3; j < lines.count(); j += 3)
            check(lines.get(i) != lines.get(j), "one number stored twice");
    return lines;
}

// The group reads back as itself, but for what the formats cannot carry:
// a number that the normalisation changes again (one starting 0090), a name
// of digits that takes a number's place in the lookup, and Google's " ::: "
// inside a CSV cell.
bool carriesBack(const StringList& group, Format format) {
    for (int i = 0; i < group.count(); ++i) {
        const QByteArray& line = group.get(i);
        if (i % 3 == 2 && line.startsWith("0090")) return false;
        if (i % 3 != 2 && !line.isEmpty() && isNumber(line)) return false;
        if (format == Format::Csv && line.contains(" ::: ")) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const Format format = Format(data[0] % 3);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const StringList group = imported(bytes);
    if (group.isEmpty() || !carriesBack(group, format)) return 0;
    int leftOut = 0;
    const StringList again = imported(exportLines(group, format), &leftOut);
    check(leftOut == 0, "an exported contact is left out when read back");
    check(again.lines() == group.lines(), "an export reads back otherwise");
    return 0;
}
