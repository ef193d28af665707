// The rules on a group's contacts: the name's first letter, the place of a
// new contact in name order, the lookup of a number and the removal of a
// contact, without any window.

#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/stringlist.h"
#include "tests/common/temphome.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestContacts : public QObject {
    Q_OBJECT
private slots:
    void nameTakesItsStoredFirstLetter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("small letter") << "ali" << "Ali";
        QTest::newRow("Turkish small letter") << "çiğdem" << "Çiğdem";
        QTest::newRow("ş") << "şule" << "Şule";
        QTest::newRow("capital I") << "Irmak" << "irmak";
        QTest::newRow("dotless ı") << "ılgaz" << "ilgaz";
        QTest::newRow("capital İ") << "İpek" << "ipek";
        QTest::newRow("small i stays") << "ipek" << "ipek";
        QTest::newRow("only the first letter") << "aLi" << "ALi";
        QTest::newRow("a digit") << "2li" << "2li";
        QTest::newRow("empty") << "" << "";
    }
    void nameTakesItsStoredFirstLetter() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(contacts::normalisedName(typed), stored);
    }

    void aContactGoesToItsNamesPlace_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("between");
        const QStringList two{u"Ali"_s, u"A"_s, u"1"_s, u"Veli"_s, u"V"_s, u"2"_s};
        QTest::newRow("empty group") << QStringList{} << "Can" << QStringList{u"Can"_s, u"s"_s, u"9"_s} << false;
        QTest::newRow("before the first") << two << "Aaa"
                                          << QStringList{u"Aaa"_s, u"s"_s, u"9"_s, u"Ali"_s, u"A"_s, u"1"_s, u"Veli"_s, u"V"_s, u"2"_s} << false;
        QTest::newRow("between") << two << "Can"
                                 << QStringList{u"Ali"_s, u"A"_s, u"1"_s, u"Can"_s, u"s"_s, u"9"_s, u"Veli"_s, u"V"_s, u"2"_s} << true;
        QTest::newRow("after the last") << two << "Zeki"
                                        << QStringList{u"Ali"_s, u"A"_s, u"1"_s, u"Veli"_s, u"V"_s, u"2"_s, u"Zeki"_s, u"s"_s, u"9"_s} << false;
        QTest::newRow("ahead of an equal name") << two << "VELİ"
                                                << QStringList{u"Ali"_s, u"A"_s, u"1"_s, u"VELİ"_s, u"s"_s, u"9"_s, u"Veli"_s, u"V"_s, u"2"_s}
                                                << true;
        QTest::newRow("Turkish order: Ç after C") << QStringList{u"Can"_s, u"c"_s, u"1"_s, u"Demir"_s, u"d"_s, u"2"_s} << "Çetin"
                                                  << QStringList{u"Can"_s, u"c"_s, u"1"_s, u"Çetin"_s, u"s"_s, u"9"_s, u"Demir"_s, u"d"_s, u"2"_s}
                                                  << true;
        // a lone line counts as one contact's name, and the new one follows it
        QTest::newRow("one-line group") << QStringList{u"Zeki"_s} << "Ali" << QStringList{u"Zeki"_s, u"Ali"_s, u"s"_s, u"9"_s}
                                        << false;
    }
    void aContactGoesToItsNamesPlace() {
        QFETCH(QStringList, lines);
        QFETCH(QString, name);
        QFETCH(QStringList, after);
        QFETCH(bool, between);
        StringList recordLines = listOf(lines);
        StringList nameIndex(true);
        rebuildNameIndex(recordLines, nameIndex);
        const contacts::Placement placed = contacts::placeContact(recordLines, nameIndex, codepage::encode(name), "s", "9");
        QCOMPARE(texts(recordLines), after);
        QCOMPARE(placed.between, between);
        QCOMPARE(recordLines.text(placed.at), name);
        if (lines.size() == 1) return;  // the lone line is out of step with the names for good
        // NameIndex holds the group's names again (equal names in either order)
        StringList rebuilt(true);
        rebuildNameIndex(recordLines, rebuilt);
        QCOMPARE(nameIndex.count(), rebuilt.count());
        for (int k = 0; k < rebuilt.count(); ++k)
            QVERIFY2(collation::equal(nameIndex.get(k), rebuilt.get(k)), qPrintable(nameIndex.text(k)));
    }

    void aNumberIsFoundOnNumberLinesOnly_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("line");
        QTest::newRow("the second contact") << "0532" << 5;
        QTest::newRow("a surname that reads like a number") << "111" << -1;
        QTest::newRow("a name that reads like a number") << "0533" << 8;
        QTest::newRow("missing") << "0999" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void aNumberIsFoundOnNumberLinesOnly() {
        QFETCH(QString, number);
        QFETCH(int, line);
        const StringList recordLines = listOf({u"Ali"_s, u"111"_s, u"0531"_s, u"Can"_s, u"Er"_s, u"0532"_s, u"0533"_s, u"Kaya"_s, u"0533"_s});
        QCOMPARE(contacts::lookupNumberLine(recordLines, number), line);
    }

    void aContactIsRemovedWhole() {
        StringList recordLines = listOf({u"Ali"_s, u"A"_s, u"1"_s, u"Can"_s, u"C"_s, u"2"_s, u"Zeki"_s, u"Z"_s, u"3"_s});
        contacts::removeContact(recordLines, contacts::lookupNumberLine(recordLines, u"2"_s));
        QCOMPARE(texts(recordLines), (QStringList{u"Ali"_s, u"A"_s, u"1"_s, u"Zeki"_s, u"Z"_s, u"3"_s}));
        QCOMPARE(contacts::lineOrEmpty(recordLines, 5), QStringLiteral("3"));
        QCOMPARE(contacts::lineOrEmpty(recordLines, 6), QString());
        QCOMPARE(contacts::lineOrEmpty(recordLines, -1), QString());
    }

    // Many contacts at once land where placing them one by one puts them.
    void manyContactsTakeTheirPlacesAtOnce_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("added");  // three lines per contact
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("names");  // NameIndex after
        QTest::newRow("empty group") << QStringList{}
                                     << QStringList{u"Veli"_s, u"V"_s, u"1"_s, u"Ali"_s, u"A"_s, u"2"_s}
                                     << QStringList{u"Ali"_s, u"A"_s, u"2"_s, u"Veli"_s, u"V"_s, u"1"_s}
                                     << QStringList{u"Ali"_s, u"Veli"_s};
        QTest::newRow("the later of equal names goes ahead")
            << QStringList{} << QStringList{u"Ali"_s, u"X"_s, u"1"_s, u"ali"_s, u"Y"_s, u"2"_s}
            << QStringList{u"ali"_s, u"Y"_s, u"2"_s, u"Ali"_s, u"X"_s, u"1"_s} << QStringList{u"Ali"_s, u"ali"_s};
        QTest::newRow("ahead of the group's equal name")
            << QStringList{u"Ali"_s, u"A"_s, u"1"_s} << QStringList{u"ali"_s, u"B"_s, u"2"_s}
            << QStringList{u"ali"_s, u"B"_s, u"2"_s, u"Ali"_s, u"A"_s, u"1"_s} << QStringList{u"Ali"_s, u"ali"_s};
        QTest::newRow("Turkish order around the group's")
            << QStringList{u"Can"_s, u"c"_s, u"1"_s, u"Demir"_s, u"d"_s, u"2"_s}
            << QStringList{u"Zeki"_s, u"z"_s, u"5"_s, u"Çetin"_s, u"ç"_s, u"3"_s, u"Ahmet"_s, u"a"_s, u"4"_s}
            << QStringList{u"Ahmet"_s, u"a"_s, u"4"_s, u"Can"_s, u"c"_s, u"1"_s, u"Çetin"_s, u"ç"_s, u"3"_s,
                           u"Demir"_s, u"d"_s, u"2"_s, u"Zeki"_s, u"z"_s, u"5"_s}
            << QStringList{u"Ahmet"_s, u"Can"_s, u"Çetin"_s, u"Demir"_s, u"Zeki"_s};
        QTest::newRow("an empty name goes first") << QStringList{u"Ali"_s, u"A"_s, u"1"_s}
                                                  << QStringList{QString(), u"S"_s, u"2"_s}
                                                  << QStringList{QString(), u"S"_s, u"2"_s, u"Ali"_s, u"A"_s, u"1"_s}
                                                  << QStringList{QString(), u"Ali"_s};
        // not whole contacts: each one goes where placeContact puts it then
        QTest::newRow("one-line group") << QStringList{u"Zeki"_s}
                                        << QStringList{u"Ali"_s, u"s"_s, u"9"_s, u"Veli"_s, u"v"_s, u"8"_s}
                                        << QStringList{u"Zeki"_s, u"Ali"_s, u"s"_s, u"Veli"_s, u"v"_s, u"8"_s, u"9"_s}
                                        << QStringList{u"Ali"_s, u"Veli"_s, u"Zeki"_s};
    }
    void manyContactsTakeTheirPlacesAtOnce() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, added);
        QFETCH(QStringList, after);
        QFETCH(QStringList, names);
        StringList recordLines = listOf(lines);
        StringList nameIndex(true);
        rebuildNameIndex(recordLines, nameIndex);
        std::vector<contacts::NewContact> newContacts;
        for (int i = 0; i + 2 < added.size(); i += 3)
            newContacts.push_back({codepage::encode(added[i]), codepage::encode(added[i + 1]),
                                   codepage::encode(added[i + 2])});
        contacts::placeContacts(recordLines, nameIndex, newContacts);
        QCOMPARE(texts(recordLines), after);
        QCOMPARE(texts(nameIndex), names);
    }
};

QTEST_GUILESS_MAIN(TestContacts)
#include "tst_contacts.moc"

