// A group's names or numbers as a sorted list whose entries know their own
// contacts, whatever the order of the group's file.

#include "store/collation.h"
#include "store/sortedentries.h"
#include "store/stringlist.h"

#include "tests/common/temphome.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using contacts::Listed;

namespace {
// Each entry as "text>contact".
QStringList entries(const contacts::SortedEntries& e) {
    QStringList out;
    for (int i = 0; i < e.count(); ++i) out << e.texts[i] + u">"_s + QString::number(e.contacts[i]);
    return out;
}
}  // namespace

class TestSortedEntries : public QObject {
    Q_OBJECT
private slots:
    void entriesAreSortedAndKnowTheirContacts_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("name order") << QStringList{u"Ali"_s, u"a"_s, u"3"_s, u"ayşe"_s, u"b"_s, u"1"_s, u"Zeki"_s, u"c"_s, u"2"_s}
                                    << int(Listed::Names) << QStringList{u"Ali>0"_s, u"ayşe>1"_s, u"Zeki>2"_s};
        QTest::newRow("out of name order") << QStringList{u"Zeki"_s, u"c"_s, u"2"_s, u"Ali"_s, u"a"_s, u"3"_s, u"ayşe"_s, u"b"_s, u"1"_s}
                                           << int(Listed::Names) << QStringList{u"Ali>1"_s, u"ayşe>2"_s, u"Zeki>0"_s};
        QTest::newRow("Turkish letters") << QStringList{u"Şule"_s, u""_s, u"1"_s, u"İpek"_s, u""_s, u"2"_s, u"Irmak"_s, u""_s, u"3"_s,
                                                        u"Çınar"_s, u""_s, u"4"_s, u"Can"_s, u""_s, u"5"_s, u"Ömer"_s, u""_s, u"6"_s}
                                         << int(Listed::Names)
                                         << QStringList{u"Can>4"_s, u"Çınar>3"_s, u"Irmak>2"_s, u"İpek>1"_s, u"Ömer>5"_s, u"Şule>0"_s};
        // equal names keep their contacts' order, whichever case they are in
        QTest::newRow("equal names") << QStringList{u"Veli"_s, u""_s, u"1"_s, u"ali"_s, u""_s, u"2"_s, u"Ali"_s, u""_s, u"3"_s, u"ALİ"_s, u""_s, u"4"_s}
                                     << int(Listed::Names) << QStringList{u"ali>1"_s, u"Ali>2"_s, u"ALİ>3"_s, u"Veli>0"_s};
        QTest::newRow("numbers") << QStringList{u"Ali"_s, u"a"_s, u"0533"_s, u"Can"_s, u"b"_s, u"0532"_s, u"Ece"_s, u"c"_s, u"05321"_s}
                                 << int(Listed::Numbers) << QStringList{u"0532>1"_s, u"05321>2"_s, u"0533>0"_s};
        QTest::newRow("empty number first") << QStringList{u"Ali"_s, u"a"_s, u"0533"_s, u"Can"_s, u"b"_s, u""_s}
                                            << int(Listed::Numbers) << QStringList{u">1"_s, u"0533>0"_s};
        QTest::newRow("a short last contact has a name") << QStringList{u"Zeki"_s, u"c"_s, u"2"_s, u"Ali"_s}
                                                         << int(Listed::Names) << QStringList{u"Ali>1"_s, u"Zeki>0"_s};
        QTest::newRow("but no number") << QStringList{u"Zeki"_s, u"c"_s, u"2"_s, u"Ali"_s, u"a"_s} << int(Listed::Numbers)
                                       << QStringList{u"2>0"_s};
        QTest::newRow("empty group") << QStringList{} << int(Listed::Names) << QStringList{};
    }
    void entriesAreSortedAndKnowTheirContacts() {
        QFETCH(QStringList, lines);
        QFETCH(int, listed);
        QFETCH(QStringList, expected);
        QCOMPARE(entries(contacts::sortedEntries(listOf(lines), Listed(listed))), expected);
    }

    // The sort is stable on a large shuffled group as well, where the sort
    // itself runs rather than the one-pass check of an ordered group.
    void manyEqualNamesKeepTheirOrder() {
        QStringList lines;
        const QStringList names = {u"Ümit"_s, u"ali"_s, u"Ceyda"_s, u"ALI"_s, u"Ali"_s, u"çınar"_s};
        for (int k = 0; k < 600; ++k) lines << names[(k * 7) % names.size()] << u""_s << QString::number(k);
        const contacts::SortedEntries e = contacts::sortedEntries(listOf(lines), Listed::Names);
        QCOMPARE(e.count(), 600);
        for (int i = 1; i < e.count(); ++i) {
            const int order = collation::compareText(e.texts[i - 1], e.texts[i]);
            QVERIFY(order <= 0);
            if (order == 0) QVERIFY(e.contacts[i - 1] < e.contacts[i]);
            QCOMPARE(lines[3 * e.contacts[i]], e.texts[i]);
        }
    }

    void theFirstContactOfAName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("contact");
        QTest::newRow("a name") << "veli" << 1;
        QTest::newRow("the first of two") << "ALİ" << 0;
        QTest::newRow("a surname is no name") << "Kaya" << -1;
        QTest::newRow("a number is no name") << "0532" << -1;
        QTest::newRow("a short last contact") << "0533" << 3;
        QTest::newRow("empty") << "" << -1;
    }
    void theFirstContactOfAName() {
        QFETCH(QString, name);
        QFETCH(int, contact);
        const StringList lines = listOf({u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Veli"_s, u""_s, u"0533"_s, u"ali"_s, u""_s, u""_s, u"0533"_s});
        QCOMPARE(contacts::lookupName(lines, name), contact);
    }
};

QTEST_APPLESS_MAIN(TestSortedEntries)
#include "tst_sortedentries.moc"

