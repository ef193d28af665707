#include "formats/qrcode.h"

#include <qrencode.h>

#include <algorithm>
#include <memory>

namespace qrcode {

Picture encode(const QByteArray& bytes, int maxSide) {
    Picture out;
    if (bytes.contains('\0')) return out;
    // 8-bit mode takes the bytes as they are: UTF-8 reaches the phone unchanged.
    const std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), QRcode_free);
    if (!code) return out;
    out.version = code->version;
    out.modules = code->width;
    const int side = out.modules + 2 * QuietZone;
    out.scale = qMax(1, maxSide / side);
    out.image = QImage(side * out.scale, side * out.scale, QImage::Format_Grayscale8);
    out.image.fill(255);
    for (int y = 0; y < out.modules; ++y) {
        const unsigned char* row = code->data + qsizetype(y) * out.modules;
        for (int x = 0; x < out.modules; ++x) {
            if (!(row[x] & 1)) continue;  // the lowest bit marks a black module
            for (int py = 0; py < out.scale; ++py) {
                uchar* line = out.image.scanLine((y + QuietZone) * out.scale + py);
                std::fill_n(line + (x + QuietZone) * out.scale, out.scale, uchar(0));
            }
        }
    }
    return out;
}

}  // namespace qrcode
