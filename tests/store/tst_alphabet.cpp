// The alphabetic index of a group without any window: which contacts each of
// the thirty letter pages gets, and which contact a page's row stands for.

#include "store/alphabet.h"
#include "store/codepage.h"
#include "store/stringlist.h"

#include "tests/common/temphome.h"

#include <QtTest>

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
        out << alphabet::pageCaption(p) + ":" + names.join(",");
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
        QCOMPARE(captions.join(" "), "A B C Ç D E F G Ğ H I J K L M N O Ö P R S Ş T U Ü V Y Z W X");
    }

    // A stored name beginning with each page's letter lands on that page
    // alone: the slots' bytes are the code page's own.
    void aNameLandsOnItsLettersPage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("page");
        for (int p = 0; p < alphabet::PageCount; ++p) {
            const QString caption = alphabet::pageCaption(p);
            const QString name = (caption == "I" ? QStringLiteral("i") : caption) + QStringLiteral("rem");
            QTest::newRow(qPrintable(name)) << name << caption;
        }
    }
    void aNameLandsOnItsLettersPage() {
        QFETCH(QString, name);
        QFETCH(QString, page);
        QCOMPARE(pages(listOf(group({name}))), QStringList{page + ":" + name});
        // and between neighbours of every other letter it keeps its page
        QStringList all;
        for (int p = 0; p < alphabet::PageCount; ++p) {
            const QString caption = alphabet::pageCaption(p);
            all << (caption == "I" ? QStringLiteral("i") : caption) + QStringLiteral("rem");
        }
        // in slot order: W and X between V and Y
        all.move(all.indexOf("Wrem"), all.indexOf("Yrem"));
        all.move(all.indexOf("Xrem"), all.indexOf("Yrem"));
        const QStringList got = pages(listOf(group(all)));
        QCOMPARE(got.size(), alphabet::PageCount);
        QVERIFY(got.contains(page + ":" + name));
    }

    void thePagesOfAGroup_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("total");
        QTest::newRow("all on M") << group({"Mehmet", "Mert", "Murat"}) << QStringList{"M:Mehmet,Mert,Murat"} << 3;
        QTest::newRow("a digit before the A names")
            << group({"1nci", "Ali", "Ayşe", "Bora"}) << QStringList{"A:1nci,Ali,Ayşe", "B:Bora"} << 4;
        QTest::newRow("all digits") << group({"1", "2", "3"}) << QStringList{} << 3;
        QTest::newRow("capital dotless I on no page, small i on I")
            << group({"Hakan", "Irmak", "ismail", "Jale"}) << QStringList{"H:Hakan", "I:ismail", "J:Jale"} << 4;
        QTest::newRow("capital dotted İ waits for the next name")
            << group({"Hakan", "İpek", "Kemal"}) << QStringList{"H:Hakan", "K:İpek,Kemal"} << 3;
        QTest::newRow("unrecognised after the last name")
            << group({"Ali", "Zeki", "ali", "Quentin"}) << QStringList{"A:Ali", "Z:Zeki"} << 4;
        QTest::newRow("equal names listed twice")
            << group({"Ali", "Ali", "Can"}) << QStringList{"A:Ali,Ali", "C:Can"} << 3;
        QTest::newRow("W and X between V and Y")
            << group({"Veli", "Walter", "Xavier", "Yusuf", "Zehra"})
            << QStringList{"V:Veli", "Y:Yusuf", "Z:Zehra", "W:Walter", "X:Xavier"} << 5;
        QTest::newRow("empty name joins the next name's page")
            << group({"Ali", "", "Can"}) << QStringList{"A:Ali", "C:,Can"} << 3;
        QTest::newRow("Ç among the C names lands on C")
            << group({"Cem", "Çağlar", "Cengiz", "Çiğdem"}) << QStringList{"C:Cem,Çağlar,Cengiz", "Ç:Çiğdem"} << 4;
        QTest::newRow("four lines: the fourth is a name")
            << QStringList{"Ali", "Kaya", "05321234567", "Veli"} << QStringList{"A:Ali", "V:Veli"} << 1;
        QTest::newRow("five lines") << QStringList{"Ali", "Kaya", "1", "Bora", "Er"} << QStringList{"A:Ali", "B:Bora"} << 1;
        QTest::newRow("one line") << QStringList{"Ali"} << QStringList{"A:Ali"} << 0;
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
        const StringList l = listOf(group({"Zeki", "Ali", "Mert", "Can"}));  // out of order
        const alphabet::Boundaries b = alphabet::letterBoundaries(l);
        QCOMPARE(b[0], 1);  // A
        QCOMPARE(b[2], 3);  // C
        for (int k = 1; k < alphabet::SlotCount; ++k) QVERIFY(b[k] >= b[k - 1]);
        QCOMPARE(b[alphabet::SlotCount - 1], 3);
        // Zeki, the first contact, is on no page; the A page runs from it
        QCOMPARE(pages(l), (QStringList{"A:Zeki,Ali", "C:Mert,Can"}));
    }

    // Row r of a page stands for the same contact the page's run lists at r.
    void aRowMapsToItsOwnContact_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("pages after other letters") << QStringList{"Ali", "Ayşe", "Bora", "Can", "Cem", "Zeki"};
        QTest::newRow("no A names") << QStringList{"Bora", "Bülent", "Can"};
        QTest::newRow("skipped slots") << QStringList{"Hakan", "Irmak", "ismail", "Walter", "Yusuf"};
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
