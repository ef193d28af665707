#include "formats/rtfwriter.h"

#include "store/codepage.h"
#include "store/textfile.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace rtf {

namespace {

// The fonts and colours of a document, numbered as the tables list them.
class Tables {
public:
    int font(const QString& family) {
        int i = int(fonts_.indexOf(family));
        if (i < 0) {
            i = int(fonts_.size());
            fonts_ << family;
        }
        return i;
    }
    // Colour 0 is the reader's own (automatic) colour.
    int colour(const QColor& c) {
        const QRgb rgb = c.rgb();
        int i = int(colours_.indexOf(rgb));
        if (i < 0) {
            i = int(colours_.size());
            colours_ << rgb;
        }
        return i + 1;
    }
    QByteArray header() const {
        QByteArray out = "{\\fonttbl";
        for (int i = 0; i < fonts_.size(); ++i)
            out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset162 " + text(fonts_[i]) + ";}";
        out += "}\r\n{\\colortbl;";
        for (QRgb c : colours_)
            out += "\\red" + QByteArray::number(qRed(c)) + "\\green" + QByteArray::number(qGreen(c)) + "\\blue" +
                   QByteArray::number(qBlue(c)) + ";";
        out += "}\r\n";
        return out;
    }

    static QByteArray text(const QString& s) {
        QByteArray out;
        for (int i = 0; i < s.size(); ++i) {
            const QChar c = s[i];
            const ushort u = c.unicode();
            if (u == '\\' || u == '{' || u == '}') {
                out += '\\';
                out += char(u);
            } else if (u == '\t') {
                out += "\\tab ";
            } else if (u == 0x2028 || u == '\n') {
                out += "\\line ";
            } else if (u < 0x20 || (u >= 0x7F && u < 0xA0)) {
                // other control characters carry nothing
            } else if (u < 0x80) {
                out += char(u);
            } else if (const int b = codepage::fromUnicode(c); b >= 0) {
                out += "\\'" + QByteArray::number(b, 16).rightJustified(2, '0');
            } else {
                out += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
        return out;
    }

private:
    QStringList fonts_;
    QList<QRgb> colours_;
};

QByteArray format(Tables& tables, const QTextCharFormat& f, const QFont& documentFont) {
    const QStringList families = f.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? documentFont.family() : families.constFirst();
    qreal points = f.fontPointSize();
    if (points <= 0) points = documentFont.pointSizeF() > 0 ? documentFont.pointSizeF() : 10;
    QByteArray out = "\\f" + QByteArray::number(tables.font(family)) + "\\fs" +
                     QByteArray::number(qRound(points * 2));
    if (f.fontWeight() >= QFont::DemiBold || (!f.hasProperty(QTextFormat::FontWeight) && documentFont.bold()))
        out += "\\b";
    if (f.fontItalic()) out += "\\i";
    if (f.fontUnderline()) out += "\\ul";
    if (f.fontStrikeOut()) out += "\\strike";
    if (f.hasProperty(QTextFormat::ForegroundBrush)) out += "\\cf" + QByteArray::number(tables.colour(f.foreground().color()));
    return out + ' ';
}

QByteArray alignment(Qt::Alignment a) {
    if (a & Qt::AlignHCenter) return "\\qc";
    if (a & Qt::AlignRight) return "\\qr";
    if (a & Qt::AlignJustify) return "\\qj";
    return "\\ql";
}

}  // namespace

QByteArray fromDocument(const QTextDocument& document, LineSeparator separator) {
    Tables tables;
    const QFont documentFont = document.defaultFont();
    tables.font(documentFont.family());
    QByteArray body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QByteArray start = "\\pard" + alignment(block.blockFormat().alignment());
        body += start;
        bool empty = true;
        // an empty paragraph keeps the size of the text around it
        const auto endParagraph = [&] {
            if (empty) body += '{' + format(tables, block.charFormat(), documentFont) + '}';
            body += "\\par\r\n";
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.text().isEmpty()) continue;
            const QByteArray runFormat = format(tables, fragment.charFormat(), documentFont);
            const QString text = fragment.text();
            const QStringList lines = separator == LineSeparator::Paragraph ? text.split(QChar::LineSeparator)
                                                                            : QStringList{text};
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (i > 0) {
                    endParagraph();
                    body += start;
                    empty = true;
                }
                if (lines[i].isEmpty()) continue;
                body += '{' + runFormat + Tables::text(lines[i]) + '}';
                empty = false;
            }
        }
        endParagraph();
    }
    return "{\\rtf1\\ansi\\ansicpg1254\\deff0\\uc1\r\n" + tables.header() + body + "}\r\n";
}

void save(const QTextDocument& document, const QString& path, LineSeparator separator) {
    textfile::writeBytes(path, fromDocument(document, separator));
}

}  // namespace rtf
