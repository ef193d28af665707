// A fuzz target (libFuzzer) over the JPEG decoder, which reads the About
// window's picture: any bytes give a whole picture within the size limit, or
// an error and no picture; never a crash, a leak or a half-decoded picture.
// Built by tools/fuzz.sh; the seed inputs are tests/fuzz/corpus-jpeg/ (grey,
// CMYK and progressive pictures).

#include "formats/jpegimage.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const jpeg::Decoded decoded =
        jpeg::decode(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!decoded.ok()) {
        check(!decoded.error.isEmpty(), "a picture refused without a reason");
        return 0;
    }
    check(decoded.error.isEmpty(), "a decoded picture with an error");
    const QImage& image = decoded.image;
    check(image.width() > 0 && image.height() > 0, "an empty picture taken for decoded");
    check(qint64(image.width()) * image.height() <= jpeg::MaxPixels, "a picture over the size limit");
    check(image.format() == QImage::Format_Grayscale8 || image.format() == QImage::Format_RGB888 ||
              image.format() == QImage::Format_RGB32,
          "a picture in another format");
    // every pixel can be read
    const int lastByte = image.width() * image.depth() / 8 - 1;
    volatile unsigned sum = 0;
    for (int y = 0; y < image.height(); ++y) sum = sum + image.constScanLine(y)[lastByte];
    return 0;
}
