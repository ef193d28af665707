#include "store/codepage.h"

namespace codepage {
namespace {

// Bytes 0x80..0x9F. Undefined bytes keep the C1 control of their own value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x008E, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,  // 98..9F
};

Tables makeTables() {
    Tables t;
    for (int b = 0; b < 256; ++b) {
        char16_t u = char16_t(b);
        if (b >= 0x80 && b < 0xA0) u = kHigh[b - 0x80];
        switch (b) {
        case 0xD0: u = 0x011E; break;  // Ğ
        case 0xDD: u = 0x0130; break;  // İ
        case 0xDE: u = 0x015E; break;  // Ş
        case 0xF0: u = 0x011F; break;  // ğ
        case 0xFD: u = 0x0131; break;  // ı
        case 0xFE: u = 0x015F; break;  // ş
        default: break;
        }
        t.toUnicode[b] = u;
        // in UTF-8: one byte below U+0080, two below U+0800, else three
        char* utf8 = t.utf8[b];
        if (u < 0x80) {
            utf8[0] = char(u);
            t.utf8Size[b] = 1;
        } else if (u < 0x800) {
            utf8[0] = char(0xC0 | u >> 6), utf8[1] = char(0x80 | (u & 0x3F));
            t.utf8Size[b] = 2;
        } else {
            utf8[0] = char(0xE0 | u >> 12), utf8[1] = char(0x80 | (u >> 6 & 0x3F)), utf8[2] = char(0x80 | (u & 0x3F));
            t.utf8Size[b] = 3;
        }
    }
    t.fromUnicode.fill(-1);
    for (int b = 0; b < 256; ++b) t.fromUnicode[t.toUnicode[b]] = int16_t(b);
    return t;
}

}  // namespace

const Tables& tables() {
    static const Tables t = makeTables();
    return t;
}

QChar toUnicode(unsigned char byte) { return QChar(tables().toUnicode[byte]); }

int fromUnicode(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) return u;
    return tables().byteOf(u);
}

QString decode(const QByteArray& bytes) {
    const auto& t = tables();
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dst[i] = QChar(t.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return out;
}

QByteArray encode(const QString& text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = fromUnicode(text[i]);
        dst[i] = b < 0 ? '?' : char(b);
    }
    return out;
}

bool canEncode(const QString& text) {
    for (QChar c : text)
        if (fromUnicode(c) < 0) return false;
    return true;
}

bool canHold(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < 0x20 || fromUnicode(c) < 0) return false;
    return true;
}

unsigned char toUpper(unsigned char b) {
    if (b >= 'a' && b <= 'z') return b - 32;
    switch (b) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0xFF: return 0x9F;  // ÿ
    case 0xF0: return 0xD0;  // ğ
    case 0xFD: return 'I';   // ı: its capital is the dotless I
    case 0xFE: return 0xDE;  // ş
    case 0xF7: return b;     // ÷ is no letter
    default: break;
    }
    if (b >= 0xE0) return b - 32;  // à..þ of Latin-1 to À..Þ
    return b;
}

}  // namespace codepage
