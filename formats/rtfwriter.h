#pragma once
// Rich Text Format from a text document, in code page 1254 (Turkish), as the
// print window saves its page and the group merger its report. Each
// paragraph becomes an RTF paragraph, each run of one character format a
// group with its font, size, bold, italic, underline and colour. Letters the
// code page holds are written as its bytes; any other character as a
// Unicode escape with "?" for readers that know none. No widget is needed.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace rtf {

// What a line separator (U+2028) inside a paragraph becomes: a line break in
// its paragraph, as Shift+Enter makes one in a page; or the end of a
// paragraph, for a text whose every line is a paragraph of its own although
// the document holds several in one block (the merger's report, kept light
// that way): the bytes are then those of one block per line.
enum class LineSeparator { LineBreak, Paragraph };

QByteArray fromDocument(const QTextDocument& document, LineSeparator separator = LineSeparator::LineBreak);

// Writes the document to the file whole, through the store's safe write:
// a failure throws "Cannot create file %s" and leaves no partial file.
void save(const QTextDocument& document, const QString& path, LineSeparator separator = LineSeparator::LineBreak);

}  // namespace rtf
