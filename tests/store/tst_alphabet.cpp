// The alphabetic index of a group without any window: which contacts each of
// the thirty letter pages gets, and which contact a page's row stands for.

#include "store/alphabet.h"
#include "store/codepage.h"
#include "store/stringlist.h"

#include "tests/common/temphome.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Three lines per name: the name, "s" + its position and "n" + its position.
QStringList group(const QStringList& names) {
    QStringList lines;
    for (int k = 0; k < names.size(); ++k) lines << names[k] << QStringLiteral("s%1").arg(k) << QStringLiteral("n%1").arg(k);
    return lines;
}

// The pages that hold names, as "caption:name,name" in tab order.
QStringList pages(const StringList& lines) {
    const alphabet::Boundaries b = alphabet::letterBoundaries(lines);
    const alphabet::PageRuns runs = alphabet::pageRuns(b);
    QStringList out;
    for (int p = 0; p < alphabet::PageCount; ++p) {
        if (runs[p].count == 0) continue;
        QStringList names;
        for (int c = runs[p].first; c < runs[p].first + runs[p].count; ++c) names << lines.text(3 * c);
        out << alphabet::pageCaption(p) + u":"_s + names.join(u","_s);
    }
    return out;
}
}  // namespace

class TestAlphabet : public QObject {
    Q_OBJECT
private slots:
    void thePagesAreInTabOrder() {
        QStringList captions;
        for (int p = 0; p < alphabet::PageCount; ++p) captions << alphabet::pageCaption(p);
        QCOMPARE(captions.join(u" "_s), u"A B C Ç D E F G Ğ H I J K L M N O Ö P R S Ş T U Ü V Y Z W X"_s);
    }

    // A stored name beginning with each page's letter lands on that page
    // alone: the slots' bytes are the code page's own.
    void aNameLandsOnItsLettersPage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("page");
        for (int p = 0; p < alphabet::PageCount; ++p) {
            const QString caption = alphabet::pageCaption(p);
            const QString name = (caption == u"I"_s ? QStringLiteral("i") : caption) + QStringLiteral("rem");
            QTest::newRow(qPrintable(name)) << name << caption;
        }
    }
    void aNameLandsOnItsLettersPage() {
        QFETCH(QString, name);
        QFETCH(QString, page);
        QCOMPARE(pages(listOf(group({name}))), QStringList{page + u":"_s + name});
        // and between neighbours of every other letter it keeps its page
        QStringList all;
        for (int p = 0; p < alphabet::PageCount; ++p) {
            const QString caption = alphabet::pageCaption(p);
            all << (caption == u"I"_s ? QStringLiteral("i") : caption) + QStringLiteral("rem");
        }
        // in slot order: W and X between V and Y
        all.move(all.indexOf(u"Wrem"_s), all.indexOf(u"Yrem"_s));
        all.move(all.indexOf(u"Xrem"_s), all.indexOf(u"Yrem"_s));
        const QStringList got = pages(listOf(group(all)));
        QCOMPARE(got.size(), alphabet::PageCount);
        QVERIFY(got.contains(page + u":"_s + name));
    }

    void thePagesOfAGroup_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("total");
        QTest::newRow("all on M") << group({u"Mehmet"_s, u"Mert"_s, u"Murat"_s}) << QStringList{u"M:Mehmet,Mert,Murat"_s} << 3;
        QTest::newRow("a digit before the A names")
            << group({u"1nci"_s, u"Ali"_s, u"Ayşe"_s, u"Bora"_s}) << QStringList{u"A:1nci,Ali,Ayşe"_s, u"B:Bora"_s} << 4;
        QTest::newRow("all digits") << group({u"1"_s, u"2"_s, u"3"_s}) << QStringList{} << 3;
        QTest::newRow("capital dotless I on no page, small i on I")
            << group({u"Hakan"_s, u"Irmak"_s, u"ismail"_s, u"Jale"_s}) << QStringList{u"H:Hakan"_s, u"I:ismail"_s, u"J:Jale"_s} << 4;
        QTest::newRow("capital dotted İ waits for the next name")
            << group({u"Hakan"_s, u"İpek"_s, u"Kemal"_s}) << QStringList{u"H:Hakan"_s, u"K:İpek,Kemal"_s} << 3;
        QTest::newRow("unrecognised after the last name")
            << group({u"Ali"_s, u"Zeki"_s, u"ali"_s, u"Quentin"_s}) << QStringList{u"A:Ali"_s, u"Z:Zeki"_s} << 4;
        QTest::newRow("equal names listed twice")
            << group({u"Ali"_s, u"Ali"_s, u"Can"_s}) << QStringList{u"A:Ali,Ali"_s, u"C:Can"_s} << 3;
        QTest::newRow("W and X between V and Y")
            << group({u"Veli"_s, u"Walter"_s, u"Xavier"_s, u"Yusuf"_s, u"Zehra"_s})
            << QStringList{u"V:Veli"_s, u"Y:Yusuf"_s, u"Z:Zehra"_s, u"W:Walter"_s, u"X:Xavier"_s} << 5;
        QTest::newRow("empty name joins the next name's page")
            << group({u"Ali"_s, u""_s, u"Can"_s}) << QStringList{u"A:Ali"_s, u"C:,Can"_s} << 3;
        QTest::newRow("Ç among the C names lands on C")
            << group({u"Cem"_s, u"Çağlar"_s, u"Cengiz"_s, u"Çiğdem"_s}) << QStringList{u"C:Cem,Çağlar,Cengiz"_s, u"Ç:Çiğdem"_s} << 4;
        QTest::newRow("four lines: the fourth is a name")
            << QStringList{u"Ali"_s, u"Kaya"_s, u"05321234567"_s, u"Veli"_s} << QStringList{u"A:Ali"_s, u"V:Veli"_s} << 1;
        QTest::newRow("five lines") << QStringList{u"Ali"_s, u"Kaya"_s, u"1"_s, u"Bora"_s, u"Er"_s} << QStringList{u"A:Ali"_s, u"B:Bora"_s} << 1;
        QTest::newRow("one line") << QStringList{u"Ali"_s} << QStringList{u"A:Ali"_s} << 0;
        QTest::newRow("no line") << QStringList{} << QStringList{} << 0;
    }
    void thePagesOfAGroup() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        QFETCH(int, total);
        const StringList l = listOf(lines);
        QCOMPARE(pages(l), expected);
        QCOMPARE(alphabet::totalContacts(l), total);
    }

    void boundariesNeverDecrease() {
        const StringList l = listOf(group({u"Zeki"_s, u"Ali"_s, u"Mert"_s, u"Can"_s}));  // out of order
        const alphabet::Boundaries b = alphabet::letterBoundaries(l);
        QCOMPARE(b[0], 1);  // A
        QCOMPARE(b[2], 3);  // C
        for (int k = 1; k < alphabet::SlotCount; ++k) QVERIFY(b[k] >= b[k - 1]);
        QCOMPARE(b[alphabet::SlotCount - 1], 3);
        // Zeki, the first contact, is on no page; the A page runs from it
        QCOMPARE(pages(l), (QStringList{u"A:Zeki,Ali"_s, u"C:Mert,Can"_s}));
    }

    // Row r of a page stands for the same contact the page's run lists at r.
    void aRowMapsToItsOwnContact_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("pages after other letters") << QStringList{u"Ali"_s, u"Ayşe"_s, u"Bora"_s, u"Can"_s, u"Cem"_s, u"Zeki"_s};
        QTest::newRow("no A names") << QStringList{u"Bora"_s, u"Bülent"_s, u"Can"_s};
        QTest::newRow("skipped slots") << QStringList{u"Hakan"_s, u"Irmak"_s, u"ismail"_s, u"Walter"_s, u"Yusuf"_s};
    }
    void aRowMapsToItsOwnContact() {
        QFETCH(QStringList, names);
        const StringList l = listOf(group(names));
        const alphabet::Boundaries b = alphabet::letterBoundaries(l);
        const alphabet::PageRuns runs = alphabet::pageRuns(b);
        for (int p = 0; p < alphabet::PageCount; ++p)
            for (int r = 0; r < runs[p].count; ++r) {
                const int c = alphabet::contactOfRow(b, p, r);
                QCOMPARE(c, runs[p].first + r);
                QCOMPARE(l.text(3 * c + 1), QStringLiteral("s%1").arg(c));
            }
    }
};

QTEST_APPLESS_MAIN(TestAlphabet)
#include "tst_alphabet.moc"

