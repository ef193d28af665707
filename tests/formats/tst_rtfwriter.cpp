// The Rich Text Format writer: the exact bytes of a small page, the Turkish
// letters as code page 1254 bytes, the characters RTF reserves, and a file
// written whole or not at all.

#include "formats/rtfwriter.h"
#include "store/storeerror.h"
#include "tests/common/temphome.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestRtfWriter : public QObject {
    Q_OBJECT
private slots:
    void aPlainPageIsWrittenByteForByte() {
        QTextDocument page;
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(10);
        page.setDefaultFont(font);
        page.setPlainText(QStringLiteral("İsim :Şükrü\nCep No :05321234567\n\n------"));
        QCOMPARE(rtf::fromDocument(page),
                 QByteArray("{\\rtf1\\ansi\\ansicpg1254\\deff0\\uc1\r\n"
                            "{\\fonttbl{\\f0\\fnil\\fcharset162 Arial;}}\r\n"
                            "{\\colortbl;}\r\n"
                            "\\pard\\ql{\\f0\\fs20 \\'ddsim :\\'de\\'fckr\\'fc}\\par\r\n"
                            "\\pard\\ql{\\f0\\fs20 Cep No :05321234567}\\par\r\n"
                            "\\pard\\ql{\\f0\\fs20 }\\par\r\n"
                            "\\pard\\ql{\\f0\\fs20 ------}\\par\r\n"
                            "}\r\n"));
    }

    // A line separator is a line break in its paragraph, or, asked so, the
    // end of a paragraph: then the bytes are those of one block per line.
    void lineSeparators_data() {
        QTest::addColumn<QString>("text");  // "|" stands for a line separator
        QTest::addColumn<QByteArray>("asLineBreaks");
        QTest::addColumn<QByteArray>("asParagraphs");
        QTest::newRow("two lines") << "a|b" << QByteArray("\\pard\\ql{\\f0\\fs20 a\\line b}\\par\r\n")
                                   << QByteArray("\\pard\\ql{\\f0\\fs20 a}\\par\r\n\\pard\\ql{\\f0\\fs20 b}\\par\r\n");
        QTest::newRow("an empty line between") << "a||b"
                                               << QByteArray("\\pard\\ql{\\f0\\fs20 a\\line \\line b}\\par\r\n")
                                               << QByteArray("\\pard\\ql{\\f0\\fs20 a}\\par\r\n\\pard\\ql{\\f0\\fs20 }\\par\r\n"
                                                             "\\pard\\ql{\\f0\\fs20 b}\\par\r\n");
        QTest::newRow("an empty last line") << "Ça|" << QByteArray("\\pard\\ql{\\f0\\fs20 \\'c7a\\line }\\par\r\n")
                                            << QByteArray("\\pard\\ql{\\f0\\fs20 \\'c7a}\\par\r\n\\pard\\ql{\\f0\\fs20 }\\par\r\n");
    }
    void lineSeparators() {
        QFETCH(QString, text);
        QFETCH(QByteArray, asLineBreaks);
        QFETCH(QByteArray, asParagraphs);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(10);
        QTextDocument oneBlock, blocks;
        for (QTextDocument* d : {&oneBlock, &blocks}) d->setDefaultFont(font);
        oneBlock.setPlainText(QString(text).replace(u'|', QChar::LineSeparator));
        blocks.setPlainText(QString(text).replace(u'|', u'\n'));
        const QByteArray head = "{\\rtf1\\ansi\\ansicpg1254\\deff0\\uc1\r\n{\\fonttbl{\\f0\\fnil\\fcharset162 Arial;}}\r\n{\\colortbl;}\r\n";
        QCOMPARE(rtf::fromDocument(oneBlock), head + asLineBreaks + "}\r\n");
        QCOMPARE(rtf::fromDocument(oneBlock, rtf::LineSeparator::Paragraph), head + asParagraphs + "}\r\n");
        QCOMPARE(rtf::fromDocument(blocks), head + asParagraphs + "}\r\n");
    }

    void reservedAndForeignCharactersAreEscaped_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("braces and backslash") << "a{b}\\c" << QByteArray("a\\{b\\}\\\\c");
        QTest::newRow("all Turkish letters") << "çğıöşüÇĞİÖŞÜ"
                                             << QByteArray("\\'e7\\'f0\\'fd\\'f6\\'fe\\'fc\\'c7\\'d0\\'dd\\'d6\\'de\\'dc");
        QTest::newRow("the euro sign") << "€" << QByteArray("\\'80");
        QTest::newRow("outside the code page") << "ж" << QByteArray("\\u1078?");
        QTest::newRow("a tab") << "a\tb" << QByteArray("a\\tab b");
    }
    void reservedAndForeignCharactersAreEscaped() {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QTextDocument page;
        page.setPlainText(text);
        const QByteArray out = rtf::fromDocument(page);
        QVERIFY2(out.contains(' ' + written + "}\\par"), out.constData());
    }

    void formatsAreKept() {
        QTextDocument page;
        QTextCursor cursor(&page);
        QTextCharFormat f;
        f.setFontFamilies({QStringLiteral("Courier New")});
        f.setFontPointSize(8);
        f.setFontWeight(QFont::Bold);
        f.setFontItalic(true);
        f.setFontUnderline(true);
        f.setForeground(Qt::red);
        cursor.insertText(QStringLiteral("Özet"), f);
        const QByteArray out = rtf::fromDocument(page);
        QVERIFY2(out.contains("{\\f1\\fnil\\fcharset162 Courier New;}"), out.constData());
        QVERIFY2(out.contains("{\\colortbl;\\red255\\green0\\blue0;}"), out.constData());
        QVERIFY2(out.contains("{\\f1\\fs16\\b\\i\\ul\\cf1 \\'d6zet}"), out.constData());
    }

    void aFileThatCannotBeWrittenIsReportedAndNotLeftHalf() {
        QTemporaryDir dir;
        QTextDocument page;
        page.setPlainText(QStringLiteral("Kayıt"));
        const QString path = dir.filePath(QStringLiteral("liste.doc"));
        rtf::save(page, path);
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), rtf::fromDocument(page));

        const QString missingFolder = dir.filePath(QStringLiteral("yok/liste.doc"));
        QString error;
        try {
            rtf::save(page, missingFolder);
        } catch (const StoreError& e) {
            error = e.message();
        }
        QCOMPARE(error, QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(missingFolder)));
        QVERIFY(!QFile::exists(missingFolder));
    }
};

QTEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"

