// The program's icon on its windows: every size the menu entry's theme has,
// drawn from its own picture rather than scaled from another size.

#include "app/forms.h"
#include "app/Unit1.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"

#include <QIcon>
#include <QImage>

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
};

TELEFIKA_TEST_MAIN(TestIcon)
#include "tst_icon.moc"
