// The line lists: lookup, sorted insertion, the index rules and their errors.

#include "store/datafolder.h"
#include "store/storeerror.h"
#include "store/stringlist.h"

#include <QtTest>

using namespace Qt::StringLiterals;

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
        QTest::newRow("ALİ finds ali") << QStringList{u"veli"_s, u"ali"_s} << "ALİ" << 1;
        QTest::newRow("ALI misses ali") << QStringList{u"veli"_s, u"ali"_s} << "ALI" << -1;
        QTest::newRow("alı finds ALI") << QStringList{u"ALI"_s} << "alı" << 0;
        QTest::newRow("first of equals") << QStringList{u"x"_s, u"Can"_s, u"CAN"_s, u"can"_s} << "can" << 1;
        QTest::newRow("a surname line") << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Veli"_s, u"Can"_s, u"0533"_s} << "can" << 4;
        QTest::newRow("whole lines only") << QStringList{u"Alican"_s} << "Ali" << -1;
        QTest::newRow("empty never found") << QStringList{u""_s, u"a"_s, u""_s} << "" << -1;
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
        QCOMPARE(texts(l), (QStringList{u"a"_s, u"b"_s}));
    }

    void deleteOutsideTheListChangesNothing() {
        StringList l{"a", "b"};
        l.remove(2);
        l.remove(-1);
        QCOMPARE(texts(l), (QStringList{u"a"_s, u"b"_s}));
        l.remove(0);
        QCOMPARE(texts(l), QStringList{u"b"_s});
    }

    void insertAndReplaceAtTheEdges() {
        StringList l;
        l.replace(0, QByteArray("t"));
        QCOMPARE(texts(l), QStringList{u"t"_s});
        l.insert(1, "end");
        l.insert(-1, "after");
        l.insert(0, "first");
        QCOMPARE(texts(l), (QStringList{u"first"_s, u"t"_s, u"end"_s, u"after"_s}));
        l.replace(4, QByteArray("appended"));
        l.replace(1, QByteArray("T"));
        QCOMPARE(texts(l), (QStringList{u"first"_s, u"T"_s, u"end"_s, u"after"_s, u"appended"_s}));
    }

    void sortedListsFileEachLineInItsPlace() {
        StringList l(true);
        for (const char* s : {"Çınar", "Cem", "Can", "Ziya", "Ayşe"}) l.add(QString::fromUtf8(s));
        QCOMPARE(texts(l), (QStringList{u"Ayşe"_s, u"Can"_s, u"Cem"_s, u"Çınar"_s, u"Ziya"_s}));

        StringList i(true);
        for (const char* s : {"İnci", "ılgın", "Irmak", "ipek", "Hale", "Jale"}) i.add(QString::fromUtf8(s));
        QCOMPARE(texts(i), (QStringList{u"Hale"_s, u"ılgın"_s, u"Irmak"_s, u"İnci"_s, u"ipek"_s, u"Jale"_s}));
    }

    void loadingASortedListSortsIt() {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"g.vexo"_s);
        StringList src{"Zeki", "ali", "Ömer", "Oya", "can"};
        src.save(path);
        StringList sorted(true);
        sorted.load(path);
        QCOMPARE(texts(sorted), (QStringList{u"ali"_s, u"can"_s, u"Oya"_s, u"Ömer"_s, u"Zeki"_s}));
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
        QCOMPARE(texts(index), (QStringList{u"Ali"_s, u"Zeki"_s}));
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

