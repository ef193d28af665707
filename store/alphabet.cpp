#include "store/alphabet.h"

namespace alphabet {

const std::array<unsigned char, SlotCount> LetterSlots = {
    0x41, 0x42, 0x43, 0xC7, 0x44, 0x45, 0x46, 0x47, 0xD0, 0x48,  // A B C Ç D E F G Ğ H
    0x49, 0x69,                                                  // I i
    0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0xD6, 0x50, 0x52, 0x53,  // J K L M N O Ö P R S
    0xDE, 0x54, 0x55, 0xDC, 0x56, 0x57, 0x58, 0x59, 0x5A,        // Ş T U Ü V W X Y Z
};

namespace {

struct Page {
    const char* caption;  // UTF-8
    int slot;
};

// Tab order; the slots run V W X Y Z while the tabs run V Y Z W X.
constexpr std::array<Page, PageCount> Pages = {{
    {"A", 0},  {"B", 1},  {"C", 2},  {"Ç", 3},  {"D", 4},  {"E", 5},  {"F", 6},  {"G", 7},
    {"Ğ", 8},  {"H", 9},  {"I", 11}, {"J", 12}, {"K", 13}, {"L", 14}, {"M", 15}, {"N", 16},
    {"O", 17}, {"Ö", 18}, {"P", 19}, {"R", 20}, {"S", 21}, {"Ş", 22}, {"T", 23}, {"U", 24},
    {"Ü", 25}, {"V", 26}, {"Y", 29}, {"Z", 30}, {"W", 27}, {"X", 28},
}};

// The slot of every byte, -1 for a byte that begins no slot.
std::array<signed char, 256> slotTable() {
    std::array<signed char, 256> table;
    table.fill(-1);
    for (int k = 0; k < SlotCount; ++k) table[LetterSlots[k]] = static_cast<signed char>(k);
    return table;
}

int boundaryBefore(const Boundaries& boundaries, int slot) { return slot == 0 ? None : boundaries[slot - 1]; }

}  // namespace

QString pageCaption(int page) { return QString::fromUtf8(Pages.at(page).caption); }

int pageSlot(int page) { return Pages.at(page).slot; }

Boundaries letterBoundaries(const StringList& recordLines) {
    static const std::array<signed char, 256> slotOf = slotTable();
    // The last contact of each slot's own letter; contacts come in rising
    // position, so the last one seen is the greatest.
    Boundaries last;
    last.fill(None);
    const QList<QByteArray>& lines = recordLines.lines();
    const qsizetype n = lines.size();
    for (qsizetype i = 0; i < n; i += 3) {
        const QByteArray& name = lines[i];
        if (name.isEmpty()) continue;
        const int slot = slotOf[static_cast<unsigned char>(name[0])];
        if (slot >= 0) last[slot] = int(i / 3);
    }
    // A contact sets its own slot and every later one.
    for (int k = 1; k < SlotCount; ++k)
        if (last[k] < last[k - 1]) last[k] = last[k - 1];
    return last;
}

PageRuns pageRuns(const Boundaries& boundaries) {
    PageRuns runs;
    for (int page = 0; page < PageCount; ++page) {
        const int slot = Pages[page].slot;
        const int before = boundaryBefore(boundaries, slot);
        runs[page].first = before + 1;
        runs[page].count = boundaries[slot] > before ? boundaries[slot] - before : 0;
    }
    return runs;
}

int contactOfRow(const Boundaries& boundaries, int page, int row) {
    return boundaryBefore(boundaries, Pages.at(page).slot) + 1 + row;
}

}  // namespace alphabet
