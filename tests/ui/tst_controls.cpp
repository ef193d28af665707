// The windows' standard pictures: read one size at a time, they draw as the
// style's own icons do, in every size a button asks for and in every mode.
// A font's families cut to the installed first one: the same face, the same
// family named, the same text widths as the whole list.

#include "ui/controls.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QIcon>
#include <QImage>
#include <QStyleFactory>
#include <QtTest>

class TestControls : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void standardPicturesDrawAsTheStyles_data() {
        QTest::addColumn<int>("which");
        // the pictures read from the style's files one size at a time; the
        // others are the style's own icons, taken as they are
        const QList<QStyle::StandardPixmap> used = {
            QStyle::SP_ArrowLeft,          QStyle::SP_ArrowRight,         QStyle::SP_DialogCancelButton,
            QStyle::SP_DialogCloseButton,  QStyle::SP_DialogHelpButton,   QStyle::SP_DialogOkButton,
            QStyle::SP_DialogOpenButton,   QStyle::SP_DialogResetButton,  QStyle::SP_DialogSaveButton,
            QStyle::SP_DirIcon,            QStyle::SP_FileDialogContentsView, QStyle::SP_FileDialogDetailedView,
            QStyle::SP_FileDialogInfoView, QStyle::SP_FileDialogListView, QStyle::SP_FileDialogNewFolder,
            QStyle::SP_FileIcon,           QStyle::SP_MediaSeekForward,   QStyle::SP_TrashIcon};
        for (QStyle::StandardPixmap sp : used) QTest::addRow("%d", int(sp)) << int(sp);
    }
    void standardPicturesDrawAsTheStyles() {
        QFETCH(int, which);
        const auto sp = QStyle::StandardPixmap(which);
        const QIcon ours = standardIcon(sp);
        const QIcon style = QApplication::style()->standardIcon(sp);
        for (qreal ratio : {1.0, 2.0})
            for (int size : {16, 24, 32, 48})
                for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled, QIcon::Active}) {
                    const QImage a = ours.pixmap(QSize(size, size), ratio, mode).toImage();
                    const QImage b = style.pixmap(QSize(size, size), ratio, mode).toImage();
                    QVERIFY2(a == b, qPrintable(QStringLiteral("size %1 at %2x, mode %3").arg(size).arg(ratio).arg(int(mode))));
                }
        QCOMPARE(ours.actualSize(QSize(24, 24)), style.actualSize(QSize(24, 24)));
    }

    void preferredFamiliesResolveAsTheWholeList_data() {
        QTest::addColumn<QStringList>("families");
        QTest::addColumn<bool>("cut");
        const QStringList installed = QFontDatabase::families();
        QVERIFY(installed.size() >= 2);
        const QString a = installed.constFirst(), b = installed.constLast();
        const QString missing = QStringLiteral("No Such Family Telefika");
        QTest::newRow("first installed") << QStringList{a, b, missing} << true;
        QTest::newRow("first installed, alone") << QStringList{b} << true;
        QTest::newRow("first missing") << QStringList{missing, b, a} << false;
        QTest::newRow("none installed") << QStringList{missing, missing + QLatin1Char('2')} << false;
        QTest::newRow("other case") << QStringList{a.toUpper(), b} << false;  // either way the same face
        QTest::newRow("empty") << QStringList{} << false;
    }
    void preferredFamiliesResolveAsTheWholeList() {
        QFETCH(QStringList, families);
        QFETCH(bool, cut);
        const QStringList preferred = preferredFamilies(families);
        if (cut) QCOMPARE(preferred, QStringList{families.constFirst()});
        else if (QTest::currentDataTag() != QByteArray("other case")) QCOMPARE(preferred, families);
        for (bool bold : {false, true}) {
            QFont whole, ours;
            if (!families.isEmpty()) whole.setFamilies(families);
            if (!preferred.isEmpty()) ours.setFamilies(preferred);
            for (QFont* f : {&whole, &ours}) {
                f->setPixelSize(11);
                f->setBold(bold);
            }
            QCOMPARE(ours.family(), whole.family());
            QCOMPARE(QFontInfo(ours).family(), QFontInfo(whole).family());
            QCOMPARE(QFontInfo(ours).styleName(), QFontInfo(whole).styleName());
            const QString text = QStringLiteral("Toplam Kayıtlı Kişi :10911 kişi.. ĞÜŞİÖÇ ğüşıöç");
            QCOMPARE(QFontMetrics(ours).horizontalAdvance(text), QFontMetrics(whole).horizontalAdvance(text));
        }
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
