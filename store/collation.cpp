#include "store/collation.h"

#include "store/codepage.h"

#include <array>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace collation {
namespace {

using Class = std::vector<unsigned char>;

bool isLetterByte(unsigned char b) {
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z')) return true;
    switch (b) {
    case 0x83: case 0x8A: case 0x8C: case 0x9A: case 0x9C: case 0x9F:
    case 0xAA: case 0xBA:
        return true;
    default:
        return b >= 0xC0 && b != 0xD7 && b != 0xF7;
    }
}

// The letters in order, each the bytes that are one letter: the small letter,
// then its capital (0 where it has none).
struct Letter {
    unsigned char small, capital;
};
constexpr Letter Letters[] = {
    {'a', 'A'},
    {0xE0, 0xC0},  // à
    {0xE1, 0xC1},  // á
    {0xE2, 0xC2},  // â
    {0xE3, 0xC3},  // ã
    {0xE4, 0xC4},  // ä
    {0xE5, 0xC5},  // å
    {0xE6, 0xC6},  // æ
    {0xAA, 0},     // ª
    {'b', 'B'},
    {'c', 'C'},
    {0xE7, 0xC7},  // ç
    {'d', 'D'},
    {'e', 'E'},
    {0xE8, 0xC8},  // è
    {0xE9, 0xC9},  // é
    {0xEA, 0xCA},  // ê
    {0xEB, 0xCB},  // ë
    {'f', 'F'},
    {0x83, 0},     // ƒ
    {'g', 'G'},
    {0xF0, 0xD0},  // ğ
    {'h', 'H'},
    {0xFD, 'I'},   // ı I
    {'i', 0xDD},   // i İ
    {0xEC, 0xCC},  // ì
    {0xED, 0xCD},  // í
    {0xEE, 0xCE},  // î
    {0xEF, 0xCF},  // ï
    {'j', 'J'},
    {'k', 'K'},
    {'l', 'L'},
    {'m', 'M'},
    {'n', 'N'},
    {0xF1, 0xD1},  // ñ
    {'o', 'O'},
    {0xBA, 0},     // º
    {0xF2, 0xD2},  // ò
    {0xF3, 0xD3},  // ó
    {0xF4, 0xD4},  // ô
    {0xF5, 0xD5},  // õ
    {0xF6, 0xD6},  // ö
    {0xF8, 0xD8},  // ø
    {0x9C, 0x8C},  // œ
    {'p', 'P'},
    {'q', 'Q'},
    {'r', 'R'},
    {'s', 'S'},
    {0xFE, 0xDE},  // ş
    {0x9A, 0x8A},  // š
    {0xDF, 0},     // ß
    {'t', 'T'},
    {'u', 'U'},
    {0xF9, 0xD9},  // ù
    {0xFA, 0xDA},  // ú
    {0xFB, 0xDB},  // û
    {0xFC, 0xDC},  // ü
    {'v', 'V'},
    {'w', 'W'},
    {'x', 'X'},
    {'y', 'Y'},
    {0xFF, 0x9F},  // ÿ
    {'z', 'Z'},
};

std::array<uint8_t, 256> buildWeights() {
    std::vector<Class> order;
    for (int b = 0; b < 0x20; ++b) order.push_back(Class{static_cast<unsigned char>(b)});
    order.push_back(Class{' '});
    for (int b = 0x21; b < 256; ++b) {
        const auto c = static_cast<unsigned char>(b);
        if (!isLetterByte(c) && !(c >= '0' && c <= '9')) order.push_back(Class{c});
    }
    for (char d = '0'; d <= '9'; ++d) order.push_back(Class{static_cast<unsigned char>(d)});
    for (const Letter& l : Letters) order.push_back(l.capital ? Class{l.small, l.capital} : Class{l.small});

    std::array<uint8_t, 256> w{};
    std::array<bool, 256> seen{};
    int next = 0;
    for (const auto& cls : order) {
        for (unsigned char b : cls) {
            if (seen[b]) throw std::logic_error("collation: byte listed twice");
            seen[b] = true;
            w[b] = static_cast<uint8_t>(next);
        }
        ++next;
    }
    for (bool s : seen)
        if (!s) throw std::logic_error("collation: byte without a weight");
    return w;
}

const std::array<uint8_t, 256>& weights() {
    static const std::array<uint8_t, 256> w = buildWeights();
    return w;
}

}  // namespace

uint8_t weight(unsigned char byte) { return weights()[byte]; }

int compare(QByteArrayView a, QByteArrayView b) {
    const auto& w = weights();
    const qsizetype n = a.size() < b.size() ? a.size() : b.size();
    const auto* pa = reinterpret_cast<const unsigned char*>(a.data());
    const auto* pb = reinterpret_cast<const unsigned char*>(b.data());
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] == pb[i]) continue;
        const int d = int(w[pa[i]]) - int(w[pb[i]]);
        if (d != 0) return d;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool equal(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size()) return false;
    const auto& w = weights();
    const auto* pa = reinterpret_cast<const unsigned char*>(a.data());
    const auto* pb = reinterpret_cast<const unsigned char*>(b.data());
    for (qsizetype i = 0, n = a.size(); i < n; ++i)
        if (pa[i] != pb[i] && w[pa[i]] != w[pb[i]]) return false;
    return true;
}

int compareText(const QString& a, const QString& b) {
    return compare(codepage::encode(a), codepage::encode(b));
}

bool equalText(const QString& a, const QString& b) {
    return equal(codepage::encode(a), codepage::encode(b));
}

}  // namespace collation
