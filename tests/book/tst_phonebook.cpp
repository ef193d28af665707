// The phone book the windows share: each operation's files, memory and the
// signals that tell the windows what changed.

#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "tests/common/temphome.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
const QString& Default = datafolder::DefaultGroup;
const QStringList Two = {u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Can"_s, u"Er"_s, u"0533"_s};
const QStringList Ev = {u"Zeki"_s, u"Öz"_s, u"0600"_s};

using Operation = std::function<void(PhoneBook&)>;

interchange::Plan planOf(const PhoneBook& book, const QString& group, const QByteArray& card) {
    return interchange::planImport(interchange::readBytes(card), *book.groupLines(group));
}
}  // namespace

Q_DECLARE_METATYPE(Operation)

class TestPhoneBook : public QObject {
    Q_OBJECT
    std::unique_ptr<TempHome> home;

private slots:
    void init() {
        home = std::make_unique<TempHome>();
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, u"Ev"_s}));
        home->write(Default + u".vexo"_s, fileBytes(Two));
        home->write(u"Ev.vexo"_s, fileBytes(Ev));
    }
    void cleanup() { home.reset(); }

    // "signals" counts contactsChanged, activeGroupChanged and
    // groupListChanged; "lines" and "list" are memory after the operation,
    // and the active group's file and the group list file must say the same.
    void everyOperationWritesThenTellsWhatChanged_data() {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("signalCounts");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("list");
        const QStringList list = {Default, Default, u"Ev"_s};
        const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ak;Bora;;;\r\nTEL;TYPE=CELL:0534\r\nEND:VCARD\r\n";
        QTest::newRow("switch, the list written") << Operation([](PhoneBook& b) { b.activateGroup(u"Ev"_s, true); })
                                                  << "0 1 0" << Ev << QStringList{u"Ev"_s, Default, u"Ev"_s};
        QTest::newRow("switch with a new list")
            << Operation([](PhoneBook& b) { b.activateGroup(u"Ev"_s, listOf({u"Ev"_s, u"Ev"_s, Default})); })
            << "0 1 1" << Ev << QStringList{u"Ev"_s, u"Ev"_s, Default};
        QTest::newRow("save in name order") << Operation([](PhoneBook& b) { b.saveContact("Bora", "Ak", "0534"); })
                                            << "1 0 0"
                                            << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Bora"_s, u"Ak"_s,
                                                           u"0534"_s, u"Can"_s, u"Er"_s, u"0533"_s}
                                            << list;
        QTest::newRow("a save of a number held is refused")
            << Operation([](PhoneBook& b) { QCOMPARE(b.saveContact("Bora", "", "0533").duplicate, (QStringList{u"Can"_s, u"Er"_s, u"0533"_s})); })
            << "0 0 0" << Two << list;
        QTest::newRow("a correction takes the old contact's place")
            << Operation([](PhoneBook& b) { QVERIFY(!b.saveContact("Ayla", "Er", "0533", 5).refused); })
            << "1 0 0" << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Ayla"_s, u"Er"_s, u"0533"_s} << list;
        QTest::newRow("delete") << Operation([](PhoneBook& b) { QVERIFY(b.deleteContact(u"0532"_s)); }) << "1 0 0"
                                << QStringList{u"Can"_s, u"Er"_s, u"0533"_s} << list;
        QTest::newRow("delete of no contact's number")
            << Operation([](PhoneBook& b) { QVERIFY(!b.deleteContact(u"Kaya"_s)); }) << "0 0 0" << Two << list;
        QTest::newRow("the active group emptied") << Operation([](PhoneBook& b) { b.emptyGroup(Default); })
                                                  << "1 0 0" << QStringList{} << list;
        QTest::newRow("another group emptied") << Operation([](PhoneBook& b) { b.emptyGroup(u"Ev"_s); }) << "0 0 0"
                                               << Two << list;
        QTest::newRow("an import into the active group")
            << Operation([card](PhoneBook& b) { b.importInto(Default, planOf(b, Default, card)); }) << "1 0 0"
            << QStringList{u"Ali"_s, u"Kaya"_s, u"0532"_s, u"Bora"_s, u"Ak"_s, u"0534"_s, u"Can"_s, u"Er"_s, u"0533"_s}
            << list;
        QTest::newRow("an import into another group")
            << Operation([card](PhoneBook& b) { b.importInto(u"Ev"_s, planOf(b, u"Ev"_s, card)); }) << "0 0 0" << Two
            << list;
        QTest::newRow("a merge into the active group, listed as is")
            << Operation([](PhoneBook& b) { b.writeMergeResult(b.activeGroupPath(), listOf(Ev), QString()); })
            << "1 0 0" << Ev << list;
        QTest::newRow("a merge into a new group")
            << Operation([](PhoneBook& b) { b.writeMergeResult(datafolder::groupFilePath(u"Yeni"_s), listOf(Ev), u"Yeni"_s); })
            << "0 0 1" << Two << QStringList{Default, Default, u"Ev"_s, u"Yeni"_s};
        QTest::newRow("read anew, nothing changed") << Operation([](PhoneBook& b) { b.reload(); }) << "0 0 1" << Two
                                                    << list;
        QTest::newRow("read anew after another copy wrote")
            << Operation([this](PhoneBook& b) {
                   home->write(Default + u".vexo"_s, fileBytes(Ev));
                   b.reload();
               })
            << "1 0 1" << Ev << list;
        QTest::newRow("a switch to a group without its file")
            << Operation([](PhoneBook& b) { QVERIFY_THROWS_EXCEPTION(StoreError, b.activateGroup(u"Yok"_s, true)); })
            << "0 0 0" << Two << list;
    }
    void everyOperationWritesThenTellsWhatChanged() {
        QFETCH(Operation, operation);
        QFETCH(QString, signalCounts);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, list);
        PhoneBook book;
        book.loadGroupList();
        book.activateGroup(Default);
        QSignalSpy contacts(&book, &PhoneBook::contactsChanged);
        QSignalSpy active(&book, &PhoneBook::activeGroupChanged);
        QSignalSpy groups(&book, &PhoneBook::groupListChanged);
        operation(book);
        if (QTest::currentTestFailed()) return;
        QCOMPARE(u"%1 %2 %3"_s.arg(contacts.count()).arg(active.count()).arg(groups.count()), signalCounts);
        QCOMPARE(texts(book.recordLines()), lines);
        QCOMPARE(texts(book.groupNames()), list);
        QCOMPARE(home->read(book.activeGroup() + u".vexo"_s), fileBytes(lines));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes(list));
        QCOMPARE(book.nameIndex().count(), (lines.size() + 2) / 3);
    }
};

QTEST_GUILESS_MAIN(TestPhoneBook)
#include "tst_phonebook.moc"
