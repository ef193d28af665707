// The JPEG decoder: the colour models it meets, and damaged pictures
// reported instead of decoded half-way or ending the program.
//
// data/ was made with ImageMagick:
//   convert -size 16x16 xc:black \( -size 16x16 xc:white \) +append -colorspace Gray -type Grayscale -quality 95 -strip gray.jpg
//   convert -size 32x16 xc:'#ff0000' \( -size 32x16 xc:'#0000ff' \) -append -colorspace CMYK -quality 95 cmyk.jpg
//   convert -size 32x16 xc:'#00ff00' -interlace JPEG -quality 95 -strip progressive.jpg

#include "formats/jpegimage.h"
#include "tests/common/temphome.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {


QByteArray aboutPicture() { return bytesOf(QStringLiteral(":/about/telefika.jpg")); }

bool near(QRgb a, QRgb b) {
    return qAbs(qRed(a) - qRed(b)) < 24 && qAbs(qGreen(a) - qGreen(b)) < 24 && qAbs(qBlue(a) - qBlue(b)) < 24;
}

// The picture with its frame header claiming another size.
QByteArray withSize(QByteArray jpeg, int width, int height) {
    const int sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0) return QByteArray();
    jpeg[sof + 5] = char(height >> 8);
    jpeg[sof + 6] = char(height & 0xFF);
    jpeg[sof + 7] = char(width >> 8);
    jpeg[sof + 8] = char(width & 0xFF);
    return jpeg;
}

}  // namespace

class TestJpegImage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Q_INIT_RESOURCE(telefika); }

    void decodes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QPoint>("at2");
        QTest::addColumn<QColor>("colour2");
        const QString data = QFINDTESTDATA("data");
        QTest::newRow("the About picture, YCbCr")
            << ":/about/telefika.jpg" << int(QImage::Format_RGB888) << QSize(353, 321)
            << QPoint(2, 2) << QColor(0x0b, 0x1f, 0x4a) << QPoint(270, 120) << QColor(0xf3, 0xea, 0xd2);
        QTest::newRow("the About picture at twice the size")
            << ":/about/telefika@2x.jpg" << int(QImage::Format_RGB888) << QSize(706, 642)
            << QPoint(4, 4) << QColor(0x0b, 0x1f, 0x4a) << QPoint(540, 240) << QColor(0xf3, 0xea, 0xd2);
        QTest::newRow("grey") << data + u"/gray.jpg"_s << int(QImage::Format_Grayscale8) << QSize(32, 16)
                              << QPoint(4, 8) << QColor(Qt::black) << QPoint(28, 8) << QColor(Qt::white);
        QTest::newRow("Adobe CMYK") << data + u"/cmyk.jpg"_s << int(QImage::Format_RGB32) << QSize(32, 32)
                                    << QPoint(16, 4) << QColor(Qt::red) << QPoint(16, 28) << QColor(Qt::blue);
        QTest::newRow("progressive") << data + u"/progressive.jpg"_s << int(QImage::Format_RGB888) << QSize(32, 16)
                                     << QPoint(0, 0) << QColor(Qt::green) << QPoint(31, 15) << QColor(Qt::green);
    }
    void decodes() {
        QFETCH(QString, file);
        QFETCH(int, format);
        QFETCH(QSize, size);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        QFETCH(QPoint, at2);
        QFETCH(QColor, colour2);
        const QByteArray bytes = bytesOf(file);
        QVERIFY(!bytes.isEmpty());
        const jpeg::Decoded d = jpeg::decode(bytes);
        QVERIFY2(d.ok(), qPrintable(d.error));
        QVERIFY(d.error.isEmpty());
        QCOMPARE(int(d.image.format()), format);
        QCOMPARE(d.image.size(), size);
        QVERIFY2(near(d.image.pixel(at), colour.rgb()), qPrintable(QColor(d.image.pixel(at)).name()));
        QVERIFY2(near(d.image.pixel(at2), colour2.rgb()), qPrintable(QColor(d.image.pixel(at2)).name()));
    }

    void damagedIsReported_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");  // a part of the report; empty: any
        const QByteArray picture = aboutPicture();
        const QByteArray grey = bytesOf(QFINDTESTDATA("data/gray.jpg"));
        QTest::newRow("no bytes") << QByteArray() << "";
        QTest::newRow("not a picture") << QByteArray("İsim\r\nSoyad\r\n05321234567\r\n") << "";
        QTest::newRow("start marker only") << QByteArray("\xFF\xD8", 2) << "";
        QTest::newRow("header only") << picture.left(picture.indexOf(QByteArray("\xFF\xDA", 2))) << "";
        QTest::newRow("cut in half") << picture.left(picture.size() / 2) << "";
        QTest::newRow("end marker missing") << picture.left(picture.size() - 2) << "";
        QTest::newRow("claims 60000 x 60000 pixels") << withSize(grey, 60000, 60000) << "too large";
        QTest::newRow("claims no width") << withSize(grey, 0, 16) << "";
        QTest::newRow("a PNG") << bytesOf(u":/about/icon.png"_s) << "";
    }
    void damagedIsReported() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const jpeg::Decoded d = jpeg::decode(bytes);
        QVERIFY(!d.ok());
        QVERIFY(d.image.isNull());
        QVERIFY(!d.error.isEmpty());
        QVERIFY2(d.error.contains(reason), qPrintable(d.error));
    }

    // Wherever a transfer stops, the rest is not made up.
    void everyCutIsReported() {
        const QByteArray picture = aboutPicture();
        for (int n = 0; n < picture.size(); n += 61)
            QVERIFY2(!jpeg::decode(picture.left(n)).ok(), qPrintable(QString::number(n)));
    }

    // Changed bytes anywhere: a picture of the same size or a report, never
    // a crash.
    void changedBytesNeverCrash() {
        const QByteArray picture = aboutPicture();
        QRandomGenerator random(2003);
        for (int trial = 0; trial < 300; ++trial) {
            QByteArray bytes = picture;
            for (int k = 0; k < 4; ++k) bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            const jpeg::Decoded d = jpeg::decode(bytes);
            if (d.ok()) QVERIFY(d.image.width() > 0 && d.image.height() > 0 && d.error.isEmpty());
            else QVERIFY(!d.error.isEmpty());
        }
    }
};

QTEST_MAIN(TestJpegImage)
#include "tst_jpegimage.moc"

