// The QR code picture: libqrencode's own matrix for the same bytes, each
// module a square of whole pixels, four white modules around it.

#include "formats/qrcode.h"

#include <QtTest>

#include <qrencode.h>

using namespace Qt::StringLiterals;

namespace {

// A contact's vCard 3.0 as the QR window encodes it.
QByteArray vcard(const QByteArray& n, const QByteArray& fn, const QByteArray& tel) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + n + "\r\nFN:" + fn + "\r\nTEL;TYPE=CELL:" + tel + "\r\nEND:VCARD\r\n";
}

}  // namespace

class TestQrCode : public QObject {
    Q_OBJECT

private slots:
    void theMatrixIsDrawnInWholePixels_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("maxSide");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("modules");
        QTest::addColumn<int>("scale");
        const QByteArray typical = vcard("Öztürk;Şule;;;", "Şule Öztürk", "+905321112233");
        const QByteArray longest = vcard(QByteArray("Ğ").repeated(64) + ";" + QByteArray("Ş").repeated(64) + ";;;",
                                         QByteArray("Ş").repeated(64) + " " + QByteArray("Ğ").repeated(64), "+905321112233");
        QTest::newRow("a typical contact") << typical << 280 << 6 << 41 << 5;
        QTest::newRow("names of 64 Turkish letters each") << longest << 280 << 19 << 93 << 2;
        QTest::newRow("a short text") << QByteArray("Telefika") << 280 << 1 << 21 << 9;
        QTest::newRow("too small a place: one pixel a module") << typical << 20 << 6 << 41 << 1;
    }
    void theMatrixIsDrawnInWholePixels() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, maxSide);
        QFETCH(int, version);
        QFETCH(int, modules);
        QFETCH(int, scale);
        const qrcode::Picture picture = qrcode::encode(bytes, maxSide);
        QVERIFY(picture.ok());
        QCOMPARE(picture.version, version);
        QCOMPARE(picture.modules, modules);
        QCOMPARE(picture.scale, scale);
        const int side = (modules + 8) * scale;
        QCOMPARE(picture.image.size(), QSize(side, side));

        // libqrencode's matrix for the same bytes, module by module
        QRcode* code = QRcode_encodeString(bytes.constData(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
        QVERIFY(code);
        QCOMPARE(code->width, modules);
        QStringList wrong;
        for (int my = 0; my < modules + 8; ++my) {
            for (int mx = 0; mx < modules + 8; ++mx) {
                const bool inside = mx >= 4 && my >= 4 && mx < modules + 4 && my < modules + 4;
                const bool black = inside && (code->data[(my - 4) * modules + (mx - 4)] & 1);
                const QColor expected = black ? Qt::black : Qt::white;
                for (int py = 0; py < scale; ++py)
                    for (int px = 0; px < scale; ++px)
                        if (picture.image.pixelColor(mx * scale + px, my * scale + py) != expected)
                            wrong << u"module %1,%2"_s.arg(mx).arg(my);
            }
        }
        QRcode_free(code);
        wrong.removeDuplicates();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.mid(0, 10).join(u", "_s)));
    }

    void bytesNoCodeHoldsGiveNoPicture_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("more bytes than version 40 holds") << QByteArray(3000, 'a');
        QTest::newRow("a NUL byte") << QByteArray("BEGIN:VCARD\0FN:Ali", 18);
    }
    void bytesNoCodeHoldsGiveNoPicture() {
        QFETCH(QByteArray, bytes);
        const qrcode::Picture picture = qrcode::encode(bytes, 280);
        QVERIFY(!picture.ok());
        QVERIFY(picture.image.isNull());
    }
};

QTEST_GUILESS_MAIN(TestQrCode)
#include "tst_qrcode.moc"
