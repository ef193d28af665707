#include "formats/jpegimage.h"

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

namespace jpeg {
namespace {

struct ErrorManager {
    jpeg_error_mgr pub;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool warned;
};

ErrorManager* errorsOf(j_common_ptr cinfo) { return reinterpret_cast<ErrorManager*>(cinfo->err); }

// A fatal error: back to the setjmp in run(), which cleans up.
[[noreturn]] void errorExit(j_common_ptr cinfo) {
    ErrorManager* errors = errorsOf(cinfo);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}

// Level -1 is a warning about the data; the first one is kept. Trace
// messages (levels 0 and up) are dropped; nothing is printed.
void emitMessage(j_common_ptr cinfo, int level) {
    ErrorManager* errors = errorsOf(cinfo);
    if (level >= 0 || errors->warned) return;
    errors->warned = true;
    (*cinfo->err->format_message)(cinfo, errors->message);
}

void outputMessage(j_common_ptr) {}

// Four bytes per pixel of C, M, Y, K in place become 0xffRRGGBB. Adobe's
// pictures store the inks inverted.
void cmykToRgb(QImage* image, bool inverted) {
    for (int y = 0; y < image->height(); ++y) {
        uchar* p = image->scanLine(y);
        auto* out = reinterpret_cast<QRgb*>(p);
        for (int x = 0; x < image->width(); ++x, p += 4) {
            int c = p[0], m = p[1], ye = p[2], k = p[3];
            if (!inverted) {
                c = 255 - c;
                m = 255 - m;
                ye = 255 - ye;
                k = 255 - k;
            }
            out[x] = qRgb(c * k / 255, m * k / 255, ye * k / 255);
        }
    }
}

// Everything between setjmp and a longjmp lives in libjpeg's structures or
// behind pointers: this frame holds no object that a jump could skip.
bool run(jpeg_decompress_struct* cinfo, ErrorManager* errors, const QByteArray* bytes, QImage* out) {
    if (setjmp(errors->jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    jpeg_create_decompress(cinfo);
    // older libjpeg versions take the bytes as non-const; they are only read
    jpeg_mem_src(cinfo, reinterpret_cast<unsigned char*>(const_cast<char*>(bytes->constData())),
                 static_cast<unsigned long>(bytes->size()));
    jpeg_read_header(cinfo, TRUE);

    if (qint64(cinfo->image_width) * qint64(cinfo->image_height) > MaxPixels) {
        std::snprintf(errors->message, sizeof errors->message, "Picture too large (%u x %u pixels)",
                      cinfo->image_width, cinfo->image_height);
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    QImage::Format format = QImage::Format_RGB888;
    switch (cinfo->jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo->out_color_space = JCS_GRAYSCALE;
        format = QImage::Format_Grayscale8;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo->out_color_space = JCS_CMYK;
        format = QImage::Format_RGB32;  // filled with CMYK, converted after
        break;
    default:
        cinfo->out_color_space = JCS_RGB;
        break;
    }
    jpeg_start_decompress(cinfo);
    *out = QImage(int(cinfo->output_width), int(cinfo->output_height), format);
    if (out->isNull()) {
        std::snprintf(errors->message, sizeof errors->message, "Not enough memory for the picture");
        jpeg_destroy_decompress(cinfo);
        return false;
    }
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = out->scanLine(int(cinfo->output_scanline));
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    const bool adobe = cinfo->saw_Adobe_marker;
    jpeg_destroy_decompress(cinfo);
    if (errors->warned) return false;
    if (format == QImage::Format_RGB32) cmykToRgb(out, adobe);
    return true;
}

}  // namespace

Decoded decode(const QByteArray& bytes) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = errorExit;
    errors.pub.emit_message = emitMessage;
    errors.pub.output_message = outputMessage;
    errors.message[0] = '\0';
    errors.warned = false;

    Decoded result;
    if (bytes.isEmpty()) {
        result.error = QStringLiteral("Empty input file");
        return result;
    }
    if (!run(&cinfo, &errors, &bytes, &result.image)) {
        result.image = QImage();
        result.error = QString::fromLocal8Bit(errors.message);
        if (result.error.isEmpty()) result.error = QStringLiteral("Damaged picture");
    }
    return result;
}

}  // namespace jpeg
