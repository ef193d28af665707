// The line lists: lookup, sorted insertion, the index rules and their errors.

#include "store/datafolder.h"
#include "store/storeerror.h"
#include "store/stringlist.h"

#include <QtTest>

namespace {
QStringList texts(const StringList& l) {
    QStringList out;
    for (int i = 0; i < l.count(); ++i) out << l.text(i);
    return out;
}

template <typename F>
QString errorOf(F f) {
    try {
        f();
    } catch (const StoreError& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}
}  // namespace

class TestStringList : public QObject {
    Q_OBJECT
private slots:
    void lookupFindsTheFirstEqualLine_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::newRow("ALİ finds ali") << QStringList{"veli", "ali"} << "ALİ" << 1;
        QTest::newRow("ALI misses ali") << QStringList{"veli", "ali"} << "ALI" << -1;
        QTest::newRow("alı finds ALI") << QStringList{"ALI"} << "alı" << 0;
        QTest::newRow("first of equals") << QStringList{"x", "Can", "CAN", "can"} << "can" << 1;
        QTest::newRow("a surname line") << QStringList{"Ali", "Kaya", "0532", "Veli", "Can", "0533"} << "can" << 4;
        QTest::newRow("whole lines only") << QStringList{"Alican"} << "Ali" << -1;
        QTest::newRow("empty never found") << QStringList{"", "a", ""} << "" << -1;
        QTest::newRow("empty list") << QStringList{} << "a" << -1;
    }
    void lookupFindsTheFirstEqualLine() {
        QFETCH(QStringList, lines);
        QFETCH(QString, key);
        QFETCH(int, index);
        StringList l;
        for (const QString& s : lines) l.add(s);
        QCOMPARE(l.lookup(key), index);
    }

    void indexErrorsCarryTheIndex() {
        StringList l{"a", "b"};
        QCOMPARE(errorOf([&] { l.get(2); }), QStringLiteral("List index out of bounds (2)"));
        QCOMPARE(errorOf([&] { l.get(-1); }), QStringLiteral("List index out of bounds (-1)"));
        QCOMPARE(errorOf([&] { l.insert(3, "x"); }), QStringLiteral("Unable to insert a line"));
        QCOMPARE(errorOf([&] { l.replace(3, QByteArray("x")); }), QStringLiteral("Unable to insert a line"));
        QCOMPARE(texts(l), (QStringList{"a", "b"}));
    }

    void deleteOutsideTheListChangesNothing() {
        StringList l{"a", "b"};
        l.remove(2);
        l.remove(-1);
        QCOMPARE(texts(l), (QStringList{"a", "b"}));
        l.remove(0);
        QCOMPARE(texts(l), QStringList{"b"});
    }

    void insertAndReplaceAtTheEdges() {
        StringList l;
        l.replace(0, QByteArray("t"));
        QCOMPARE(texts(l), QStringList{"t"});
        l.insert(1, "end");
        l.insert(-1, "after");
        l.insert(0, "first");
        QCOMPARE(texts(l), (QStringList{"first", "t", "end", "after"}));
        l.replace(4, QByteArray("appended"));
        l.replace(1, QByteArray("T"));
        QCOMPARE(texts(l), (QStringList{"first", "T", "end", "after", "appended"}));
    }

    void sortedListsFileEachLineInItsPlace() {
        StringList l(true);
        for (const char* s : {"Çınar", "Cem", "Can", "Ziya", "Ayşe"}) l.add(QString::fromUtf8(s));
        QCOMPARE(texts(l), (QStringList{"Ayşe", "Can", "Cem", "Çınar", "Ziya"}));

        StringList i(true);
        for (const char* s : {"İnci", "ılgın", "Irmak", "ipek", "Hale", "Jale"}) i.add(QString::fromUtf8(s));
        QCOMPARE(texts(i), (QStringList{"Hale", "ılgın", "Irmak", "İnci", "ipek", "Jale"}));
    }

    void loadingASortedListSortsIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath("g.vexo");
        StringList src{"Zeki", "ali", "Ömer", "Oya", "can"};
        src.save(path);
        StringList sorted(true);
        sorted.load(path);
        QCOMPARE(texts(sorted), (QStringList{"ali", "can", "Oya", "Ömer", "Zeki"}));
        StringList copy(true);
        copy.copyFrom(src);
        QCOMPARE(texts(copy), texts(sorted));
        StringList plain;
        plain.copyFrom(src);
        QCOMPARE(texts(plain), texts(src));
    }

    void rebuildTakesTheNameLineOfEveryContact() {
        StringList records{"Zeki", "Kaya", "1", "Ali"};  // a trailing incomplete contact counts
        StringList index(true);
        index.add(QByteArray("stale"));
        rebuildNameIndex(records, index);
        QCOMPARE(texts(index), (QStringList{"Ali", "Zeki"}));
        rebuildNameIndex(StringList(), index);
        QCOMPARE(index.count(), 0);
    }

    void capacityFigures_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("remaining");
        QTest::newRow("empty") << 0 << 0 << 10911;
        QTest::newRow("7 lines") << 7 << 2 << 10909;
        QTest::newRow("full") << 32735 << 10911 << 0;
        QTest::newRow("two over") << 32737 << 10912 << 0;
        QTest::newRow("three over") << 32738 << 10912 << -1;
    }
    void capacityFigures() {
        QFETCH(int, lines);
        QFETCH(int, held);
        QFETCH(int, remaining);
        QCOMPARE(datafolder::contactsHeld(lines), held);
        QCOMPARE(datafolder::remainingCapacity(lines), remaining);
    }
};

QTEST_APPLESS_MAIN(TestStringList)
#include "tst_stringlist.moc"
