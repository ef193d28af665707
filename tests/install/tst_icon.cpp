// The program's icon on its windows: every size the menu entry's theme has,
// drawn from its own picture rather than scaled from another size, and every
// size stored with unfiltered rows, as X11 has them all decoded at start.

#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QtEndian>

class TestIcon : public ProgramTest {
    Q_OBJECT

private slots:
    void windowIconHasEverySize_data() {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) QTest::addRow("%dx%d", size, size) << size;
    }
    void windowIconHasEverySize() {
        QFETCH(int, size);
        createForms();
        const QIcon icon = Form1->windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(size, size)));
        // What the window shows at that size is the PNG of that size, not another scaled.
        const auto argb = QImage::Format_ARGB32_Premultiplied;
        const QImage shown = icon.pixmap(QSize(size, size)).toImage().convertToFormat(argb);
        const QImage file = QImage(QStringLiteral(":/icons/telefika-%1.png").arg(size)).convertToFormat(argb);
        QCOMPARE(file.size(), QSize(size, size));
        QCOMPARE(shown, file);
    }

    // Each row of pixels begins with the byte of its filter; 0 is none.
    void iconRowsAreUnfiltered_data() { windowIconHasEverySize_data(); }
    void iconRowsAreUnfiltered() {
        QFETCH(int, size);
        QFile f(QStringLiteral(":/icons/telefika-%1.png").arg(size));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray png = f.readAll();
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
        QByteArray header, data;
        for (qsizetype pos = 8; pos + 12 <= png.size();) {
            const qsizetype length = qFromBigEndian<quint32>(png.constData() + pos);
            const QByteArray kind = png.mid(pos + 4, 4);
            if (kind == "IHDR") header = png.mid(pos + 8, length);
            if (kind == "IDAT") data += png.mid(pos + 8, length);
            pos += 12 + length;
        }
        QCOMPARE(header.size(), 13);
        QCOMPARE(qFromBigEndian<quint32>(header.constData()), quint32(size));
        QCOMPARE(header.mid(8, 2), QByteArray("\x08\x06"));  // 8-bit RGBA
        QCOMPARE(header.at(12), '\0');                       // not interlaced
        const int stride = 1 + 4 * size;
        QByteArray sized(4, '\0');
        qToBigEndian<quint32>(quint32(stride * size), sized.data());
        const QByteArray rows = qUncompress(sized + data);
        QCOMPARE(rows.size(), stride * size);
        for (int y = 0; y < size; ++y) QVERIFY2(rows.at(y * stride) == 0, qPrintable(QStringLiteral("row %1").arg(y)));
    }
};

TELEFIKA_TEST_MAIN(TestIcon)
#include "tst_icon.moc"
