// Code page 1254 and the Turkish comparison.

#include "store/codepage.h"
#include "store/collation.h"
#include "store/stringlist.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestCodePage : public QObject {
    Q_OBJECT
private slots:
    void everyByteComesBackUnchanged() {
        QByteArray all;
        for (int b = 0; b < 256; ++b) all.append(char(b));
        const QString text = codepage::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(codepage::encode(text), all);
        QVERIFY(codepage::canEncode(text));
    }

    void turkishLettersHaveTheirBytes_data() {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<int>("byte");
        QTest::newRow("Ğ") << "Ğ" << 0xD0;
        QTest::newRow("İ") << "İ" << 0xDD;
        QTest::newRow("Ş") << "Ş" << 0xDE;
        QTest::newRow("ğ") << "ğ" << 0xF0;
        QTest::newRow("ı") << "ı" << 0xFD;
        QTest::newRow("ş") << "ş" << 0xFE;
        QTest::newRow("Ç") << "Ç" << 0xC7;
        QTest::newRow("ç") << "ç" << 0xE7;
        QTest::newRow("Ö") << "Ö" << 0xD6;
        QTest::newRow("ü") << "ü" << 0xFC;
        QTest::newRow("â") << "â" << 0xE2;
        QTest::newRow("€") << "€" << 0x80;
    }
    void turkishLettersHaveTheirBytes() {
        QFETCH(QString, letter);
        QFETCH(int, byte);
        QCOMPARE(codepage::fromUnicode(letter[0]), byte);
        QCOMPARE(codepage::toUnicode(uchar(byte)), letter[0]);
    }

    void textTheFilesCannotHoldIsRecognised_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("holds");
        QTest::newRow("Turkish") << "Çiğdem Işık Şükrü" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("Icelandic eth") << "Ðóra" << false;   // Ð gave its byte to Ğ
        QTest::newRow("y acute") << "Ýý" << false;
        QTest::newRow("Cyrillic") << "Иван" << false;
        QTest::newRow("emoji") << "Ali 😀" << false;
        QTest::newRow("line feed") << "Ali\nVeli" << false;
        QTest::newRow("carriage return") << "Ali\r" << false;
        QTest::newRow("NUL") << QString(QChar(0)) << false;
        QTest::newRow("tab") << "a\tb" << false;
    }
    void textTheFilesCannotHoldIsRecognised() {
        QFETCH(QString, text);
        QFETCH(bool, holds);
        QCOMPARE(codepage::canHold(text), holds);
    }

    void upperCaseIsLanguageNeutral_data() {
        QTest::addColumn<QString>("small");
        QTest::addColumn<QString>("capital");
        QTest::newRow("i") << "i" << "I";
        QTest::newRow("ı") << "ı" << "I";
        QTest::newRow("İ stays") << "İ" << "İ";
        QTest::newRow("ç") << "ç" << "Ç";
        QTest::newRow("ğ") << "ğ" << "Ğ";
        QTest::newRow("ö") << "ö" << "Ö";
        QTest::newRow("ş") << "ş" << "Ş";
        QTest::newRow("ü") << "ü" << "Ü";
        QTest::newRow("â") << "â" << "Â";
        QTest::newRow("ÿ") << "ÿ" << "Ÿ";
        QTest::newRow("ß stays") << "ß" << "ß";
        QTest::newRow("÷ stays") << "÷" << "÷";
        QTest::newRow("digit") << "7" << "7";
    }
    void upperCaseIsLanguageNeutral() {
        QFETCH(QString, small);
        QFETCH(QString, capital);
        const uchar b = uchar(codepage::fromUnicode(small[0]));
        QCOMPARE(codepage::toUnicode(codepage::toUpper(b)), capital[0]);
    }

    void turkishAlphabetInOrder() {
        const QStringList alphabet = QString::fromUtf8("A B C Ç D E F G Ğ H I İ J K L M N O Ö P Q R S Ş T U Ü V W X Y Z")
                                         .split(QLatin1Char(' '));
        const QStringList small = QString::fromUtf8("a b c ç d e f g ğ h ı i j k l m n o ö p q r s ş t u ü v w x y z")
                                      .split(QLatin1Char(' '));
        QCOMPARE(small.size(), alphabet.size());
        for (int i = 0; i + 1 < alphabet.size(); ++i) {
            QVERIFY2(collation::compareText(alphabet[i], alphabet[i + 1]) < 0,
                     qPrintable(alphabet[i] + u" before "_s + alphabet[i + 1]));
            QVERIFY2(collation::compareText(small[i], alphabet[i + 1]) < 0,
                     qPrintable(small[i] + u" before "_s + alphabet[i + 1]));
            QVERIFY2(collation::equalText(small[i], alphabet[i]), qPrintable(small[i] + u" is "_s + alphabet[i]));
        }
    }

    void caseIsIgnoredTheTurkishWay_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("equal");
        QTest::newRow("ALİ = ali") << "ALİ" << "ali" << true;
        QTest::newRow("ALI ≠ ali") << "ALI" << "ali" << false;
        QTest::newRow("alı = ALI") << "alı" << "ALI" << true;
        QTest::newRow("ÇİĞDEM = çiğdem") << "ÇİĞDEM" << "çiğdem" << true;
        QTest::newRow("ŞULE = şule") << "ŞULE" << "şule" << true;
        QTest::newRow("Kâzım ≠ Kazım") << "Kâzım" << "Kazım" << false;
        QTest::newRow("prefix ≠ longer") << "Ali" << "Alim" << false;
        QTest::newRow("blank matters") << "Ali " << "Ali" << false;
    }
    void caseIsIgnoredTheTurkishWay() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, equal);
        QCOMPARE(collation::equalText(a, b), equal);
        QCOMPARE(collation::compareText(a, b) == 0, equal);
    }

    void oneFixedOrderOverAllBytes() {
        // Equal weights are exactly the case pairs; the order is total and the
        // same for sorting and for lookup.
        int pairs = 0;
        for (int a = 0; a < 256; ++a)
            for (int b = a + 1; b < 256; ++b) {
                const QByteArray x(1, char(a)), y(1, char(b));
                const int c = collation::compare(x, y);
                QCOMPARE(c, -collation::compare(y, x));
                QCOMPARE(c == 0, collation::equal(x, y));
                if (c == 0) {
                    ++pairs;
                    const bool iPair = (a == 'I' && b == 0xFD) || (a == 'i' && b == 0xDD);
                    QVERIFY2(iPair || codepage::toUpper(uchar(a)) == b || codepage::toUpper(uchar(b)) == a,
                             qPrintable(QStringLiteral("%1 and %2").arg(a).arg(b)));
                }
            }
        QVERIFY(pairs > 50);
    }

    void prefixSortsFirstAndSignsBeforeDigitsBeforeLetters() {
        QVERIFY(collation::compareText(u"Ali"_s, u"Alican"_s) < 0);
        QVERIFY(collation::compareText(u""_s, u"A"_s) < 0);
        QVERIFY(collation::compareText(u" "_s, u"-"_s) < 0);
        QVERIFY(collation::compareText(u"-"_s, u"0"_s) < 0);
        QVERIFY(collation::compareText(u"9"_s, u"a"_s) < 0);
        QVERIFY(collation::compareText(u"Kazım"_s, u"Kâzım"_s) < 0);
        QVERIFY(collation::compareText(u"Kâzım"_s, u"Kb"_s) < 0);
    }
};

QTEST_APPLESS_MAIN(TestCodePage)
#include "tst_codepage.moc"

