// The door of contacts in and out: which reader a file goes to, which
// writer a format, and the file's bytes read and written. The readers are
// store/vcardreader and store/csvreader, what they share store/cleaning, the
// writers store/contactwriter, the import's plan store/importplan.

#include "store/interchange.h"

#include "store/cleaning.h"
#include "store/codepage.h"
#include "store/contactwriter.h"
#include "store/csvreader.h"
#include "store/datafolder.h"
#include "store/textfile.h"
#include "store/vcardreader.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

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

namespace {

// The start of a file that tells what it is.
constexpr qsizetype StartSize = 64 * 1024;

// UTF-16 told by its byte order mark, or without one by its first bytes:
// text whose every other byte is zero (an ASCII letter's high byte) and the
// others nearly never. The encoding, and the mark's length.
std::optional<std::pair<QStringConverter::Encoding, int>> utf16Of(QByteArrayView b) {
    if (b.startsWith("\xFF\xFE")) return std::pair{QStringConverter::Utf16LE, 2};
    if (b.startsWith("\xFE\xFF")) return std::pair{QStringConverter::Utf16BE, 2};
    const qsizetype pairs = std::min<qsizetype>(b.size(), 512) / 2;
    if (pairs < 2) return std::nullopt;
    qsizetype zeroFirst = 0, zeroSecond = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        zeroFirst += b[2 * i] == 0 && b[2 * i + 1] != 0;
        zeroSecond += b[2 * i + 1] == 0 && b[2 * i] != 0;
    }
    if (4 * zeroFirst >= 3 * pairs && 16 * zeroSecond <= pairs) return std::pair{QStringConverter::Utf16BE, 0};
    if (4 * zeroSecond >= 3 * pairs && 16 * zeroFirst <= pairs) return std::pair{QStringConverter::Utf16LE, 0};
    return std::nullopt;
}

// UTF-16 as UTF-8, a megabyte at a time.
QByteArray utf8Of(QByteArrayView utf16, QStringConverter::Encoding encoding) {
    QStringDecoder decoder(encoding);
    QByteArray out;
    constexpr qsizetype Chunk = 1024 * 1024;
    for (qsizetype at = 0; at < utf16.size(); at += Chunk)
        out += QString(decoder.decode(utf16.sliced(at, std::min(Chunk, utf16.size() - at)))).toUtf8();
    return out;
}

enum class Kind { VCard, Csv, Neither };

// What a text is, told from its start: a vCard file when its first text is
// BEGIN:VCARD or a later line is that alone, else a CSV file when its
// header names a known column.
Kind kindOf(QByteArrayView text, bool utf8) {
    const QByteArrayView start = text.first(std::min(text.size(), StartSize));
    if (looksLikeVCard(start) || hasCardLine(start)) return Kind::VCard;
    return hasKnownHeader(start, utf8) ? Kind::Csv : Kind::Neither;
}

// A file's bytes read, in its encoding: UTF-16 becomes UTF-8 first, a UTF-8
// byte order mark is passed over.
ReadResult readText(QByteArray bytes) {
    if (bytes.size() > MaxFileSize) return refused(text::tooLarge());
    bool utf8 = false;
    qsizetype from = 0;
    if (const auto utf16 = utf16Of(bytes)) {
        bytes = utf8Of(QByteArrayView(bytes).sliced(utf16->second), utf16->first);
        utf8 = true;
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        from = 3;
        utf8 = true;
    }
    const QByteArrayView text = QByteArrayView(bytes).sliced(from);
    if (trimmedView(text).isEmpty()) return refused(text::emptyFile());
    switch (kindOf(text, utf8)) {
    case Kind::VCard: return readVCard(text);
    case Kind::Csv: return readCsv(text, utf8);
    case Kind::Neither: break;
    }
    return refused(text::notContacts());
}

// The start of a file that is no contacts file at all: true when it alone
// tells so.
bool startRefused(QByteArrayView start) {
    bool utf8 = false;
    QByteArray converted;
    if (const auto utf16 = utf16Of(start)) {
        converted = utf8Of(start.sliced(utf16->second), utf16->first);
        start = converted;
        utf8 = true;
    } else if (start.startsWith("\xEF\xBB\xBF")) {
        start = start.sliced(3);
        utf8 = true;
    }
    return !trimmedView(start).isEmpty() && kindOf(start, utf8) == Kind::Neither;
}

QString notAFile(textfile::Kind kind) {
    switch (kind) {
    case textfile::Kind::Folder: return text::folder();
    case textfile::Kind::Pipe: return text::pipe();
    case textfile::Kind::Socket: return text::socket();
    case textfile::Kind::Device: return text::device();
    case textfile::Kind::Missing:
    case textfile::Kind::File: break;
    }
    return text::unreadable();
}

}  // namespace

ReadResult readBytes(const QByteArray& input) { return readText(input); }

ReadResult readFile(const QString& path) {
    QFile f;
    const textfile::Kind kind = textfile::openToRead(path, f);
    if (kind != textfile::Kind::File) return refused(notAFile(kind));
    if (!f.isOpen()) return refused(text::unreadable());
    const qint64 size = f.size();
    if (size > MaxFileSize) return refused(text::tooLarge());
    // The start first: a file that is none of ours is refused before the rest is read.
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    qint64 got = f.read(bytes.data(), std::min<qint64>(size, StartSize));
    if (got >= 0 && startRefused(QByteArrayView(bytes.constData(), got))) return refused(text::notContacts());
    while (got >= 0 && got < size) {
        const qint64 more = f.read(bytes.data() + got, size - got);
        if (more <= 0) break;
        got += more;
    }
    if (got < 0 || f.error() != QFileDevice::NoError) return refused(text::unreadable());
    bytes.truncate(qsizetype(got));
    return readText(std::move(bytes));
}

namespace {

// The DataFolder and what lies in it, and the program's own files beside it
// (its lock, its pending groups): never an export's target.
bool isProgramsOwn(const QString& path) {
    if (datafolder::holds(path)) return true;
    const QString real = datafolder::realFolder(path);
    for (const QString& own : {datafolder::companionFile(u"lock"_s), datafolder::companionFile(u"pending"_s)})
        if (real == datafolder::realFolder(own)) return true;
    return false;
}

}  // namespace

QByteArray exportLines(const StringList& recordLines, Format format) {
    switch (format) {
    case Format::VCard30:
    case Format::VCard21: return writeVCard(recordLines.lines(), format);
    case Format::Csv: return writeCsv(recordLines.lines());
    }
    return QByteArray();
}

void exportToFile(const StringList& recordLines, const QString& path, std::optional<Format> format) {
    if (isProgramsOwn(path)) throw ExportRefused(text::intoDataFolder(path));
    if (!format) format = formatForPath(path);
    const QByteArray bytes = exportLines(recordLines, format.value_or(Format::VCard30));
    switch (textfile::kindOf(path)) {
    case textfile::Kind::Pipe:
    case textfile::Kind::Socket:
    case textfile::Kind::Device: textfile::writeInto(path, bytes); break;
    case textfile::Kind::Missing:
    case textfile::Kind::File:
    case textfile::Kind::Folder: textfile::writeBytes(path, bytes); break;
    }
}

}  // namespace interchange
