// A group's names or numbers as a sorted list whose entries know their own
// contacts, whatever the order of the group's file.

#include "store/collation.h"
#include "store/sortedentries.h"
#include "store/stringlist.h"

#include "tests/common/temphome.h"

#include <QtTest>

using contacts::Listed;

namespace {
// Each entry as "text>contact".
QStringList entries(const contacts::SortedEntries& e) {
    QStringList out;
    for (int i = 0; i < e.count(); ++i) out << e.texts[i] + ">" + QString::number(e.contacts[i]);
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
        QTest::newRow("name order") << QStringList{"Ali", "a", "3", "ayşe", "b", "1", "Zeki", "c", "2"}
                                    << int(Listed::Names) << QStringList{"Ali>0", "ayşe>1", "Zeki>2"};
        QTest::newRow("out of name order") << QStringList{"Zeki", "c", "2", "Ali", "a", "3", "ayşe", "b", "1"}
                                           << int(Listed::Names) << QStringList{"Ali>1", "ayşe>2", "Zeki>0"};
        QTest::newRow("Turkish letters") << QStringList{"Şule", "", "1", "İpek", "", "2", "Irmak", "", "3",
                                                        "Çınar", "", "4", "Can", "", "5", "Ömer", "", "6"}
                                         << int(Listed::Names)
                                         << QStringList{"Can>4", "Çınar>3", "Irmak>2", "İpek>1", "Ömer>5", "Şule>0"};
        // equal names keep their contacts' order, whichever case they are in
        QTest::newRow("equal names") << QStringList{"Veli", "", "1", "ali", "", "2", "Ali", "", "3", "ALİ", "", "4"}
                                     << int(Listed::Names) << QStringList{"ali>1", "Ali>2", "ALİ>3", "Veli>0"};
        QTest::newRow("numbers") << QStringList{"Ali", "a", "0533", "Can", "b", "0532", "Ece", "c", "05321"}
                                 << int(Listed::Numbers) << QStringList{"0532>1", "05321>2", "0533>0"};
        QTest::newRow("empty number first") << QStringList{"Ali", "a", "0533", "Can", "b", ""}
                                            << int(Listed::Numbers) << QStringList{">1", "0533>0"};
        QTest::newRow("a short last contact has a name") << QStringList{"Zeki", "c", "2", "Ali"}
                                                         << int(Listed::Names) << QStringList{"Ali>1", "Zeki>0"};
        QTest::newRow("but no number") << QStringList{"Zeki", "c", "2", "Ali", "a"} << int(Listed::Numbers)
                                       << QStringList{"2>0"};
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
        const QStringList names = {"Ümit", "ali", "Ceyda", "ALI", "Ali", "çınar"};
        for (int k = 0; k < 600; ++k) lines << names[(k * 7) % names.size()] << "" << QString::number(k);
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
        const StringList lines = listOf({"Ali", "Kaya", "0532", "Veli", "", "0533", "ali", "", "", "0533"});
        QCOMPARE(contacts::lookupName(lines, name), contact);
    }
};

QTEST_APPLESS_MAIN(TestSortedEntries)
#include "tst_sortedentries.moc"
