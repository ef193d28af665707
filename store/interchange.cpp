// The door of contacts in and out: which reader a file goes to, which
// writer a format, and the file's bytes read and written. The readers are
// store/vcardreader and store/csvreader, what they share store/cleaning, the
// writers store/contactwriter, the import's plan store/importplan.

#include "store/interchange.h"

#include "store/cleaning.h"
#include "store/codepage.h"
#include "store/contactwriter.h"
#include "store/csvreader.h"
#include "store/textfile.h"
#include "store/vcardreader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace interchange {

std::optional<Format> formatForPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"vcf"_s || suffix == u"vcard"_s) return Format::VCard30;
    if (suffix == u"csv"_s) return Format::Csv;
    return std::nullopt;
}

QString ReadContact::name() const { return codepage::decode(nameLine); }
QString ReadContact::surname() const { return codepage::decode(surnameLine); }
QString ReadContact::number() const { return codepage::decode(numberLine); }

ReadResult readBytes(const QByteArray& input) {
    if (input.size() > MaxFileSize) return refused(text::tooLarge());
    QByteArray bytes = input;
    bool utf8 = false;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        bytes = QString(decoder.decode(QByteArrayView(bytes).sliced(2))).toUtf8();
        utf8 = true;
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
        utf8 = true;
    }
    if (trimmedView(bytes).isEmpty()) return refused(text::emptyFile());
    if (looksLikeVCard(bytes)) return readVCard(bytes);
    return readCsv(bytes, utf8);
}

ReadResult readFile(const QString& path) {
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly)) return refused(text::unreadable());
    if (f.size() > MaxFileSize) return refused(text::tooLarge());
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) return refused(text::unreadable());
    return readBytes(bytes);
}

QByteArray exportLines(const StringList& recordLines, Format format) {
    switch (format) {
    case Format::VCard30:
    case Format::VCard21: return writeVCard(recordLines.lines(), format);
    case Format::Csv: return writeCsv(recordLines.lines());
    }
    return QByteArray();
}

void exportToFile(const StringList& recordLines, const QString& path, std::optional<Format> format) {
    if (!format) format = formatForPath(path);
    textfile::writeBytes(path, exportLines(recordLines, format.value_or(Format::VCard30)));
}

}  // namespace interchange
