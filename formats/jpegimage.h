#pragma once
// JPEG pictures decoded with libjpeg. A damaged, truncated or oversized
// picture is reported, never taken half-decoded and never the end of the
// program (libjpeg's own error handling would exit the process).

#include <QByteArray>
#include <QImage>
#include <QString>

namespace jpeg {

// Pictures with more pixels than this are refused before any memory is
// taken for them: a damaged header may claim up to 65500 x 65500 pixels.
constexpr qint64 MaxPixels = 4096 * 4096;

struct Decoded {
    QImage image;   // null when the picture could not be decoded
    QString error;  // why, in libjpeg's words; empty on success
    bool ok() const { return !image.isNull(); }
};

// Grey pictures give Format_Grayscale8, CMYK and YCCK pictures Format_RGB32
// (converted, Adobe's inverted CMYK included), all others Format_RGB888. A picture
// that libjpeg decodes only with warnings (data missing at the end, corrupt
// entropy data) counts as damaged.
Decoded decode(const QByteArray& bytes);

}  // namespace jpeg
