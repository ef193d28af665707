// The merge of two groups without any window: the places the merged contacts
// take, the numbers that keep a contact out, the report and its summary, and
// the result written whole with the group list, or not at all.

#include "store/codepage.h"
#include "store/merge.h"
#include "store/storeerror.h"
#include "store/stringlist.h"
#include "tests/common/temphome.h"

#include <QtTest>

#include <random>

using namespace Qt::StringLiterals;

namespace {

struct Merged {
    QStringList lines, names, report;
    merge::Outcome outcome;
};

Merged run(const QStringList& first, const QStringList& second, bool oneByOne = false) {
    StringList lines = listOf(first);
    StringList names(true);
    rebuildNameIndex(lines, names);
    const auto how = oneByOne ? merge::mergeContactsOneByOne : merge::mergeContacts;
    const merge::Outcome outcome = how(lines, names, listOf(second), {});
    QStringList entries;
    for (const merge::Duplicate& d : outcome.duplicates)
        entries << merge::duplicateEntry(d.holderName, d.holderSurname, d.holderNumber, d.name, d.surname, d.number);
    return {texts(lines), texts(names), entries, outcome};
}

QStringList entry(const QStringList& holder, const QStringList& contact) {
    return {u"Aynı numaraya sahip başka bir kişi bulundu."_s, u"1.Gruptaki kayıt:"_s, u"İsim:"_s + holder[0],
            u"Soyad: "_s + holder[1], u"Numara: "_s + holder[2], u"##"_s, u"2.Gruptaki kayıt:"_s, u"İsim:"_s + contact[0],
            u"Soyad: "_s + contact[1], u"Numara: "_s + contact[2], u"-----------------------"_s};
}

const QString N1 = u"05321111111"_s;
const QString N2 = u"05322222222"_s;
const QString N3 = u"05323333333"_s;
const QString N4 = u"05324444444"_s;
}  // namespace

class TestMerge : public QObject {
    Q_OBJECT
private slots:
    void numbersAreReadMasked_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("masked");
        QTest::newRow("eleven digits") << QByteArray("05321234567") << QByteArray("05321234567");
        QTest::newRow("five digits") << QByteArray("12345") << QByteArray("12345      ");
        QTest::newRow("empty") << QByteArray() << QByteArray("           ");
        QTest::newRow("longer") << QByteArray("053212345678") << QByteArray("05321234567");
    }
    void numbersAreReadMasked() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, masked);
        QCOMPARE(merge::maskedNumber(line), masked);
    }

    void contactsTakeTheirPlacesAndDuplicatesAreReported_data() {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second");
        QTest::addColumn<QStringList>("result");
        QTest::addColumn<QStringList>("report");
        QTest::newRow("Ali, Veli with Can, Zeynep")
            << QStringList{u"Ali"_s, u"A"_s, N1, u"Veli"_s, u"V"_s, N2} << QStringList{u"Can"_s, u"C"_s, N3, u"Zeynep"_s, u"Z"_s, N4}
            << QStringList{u"Ali"_s, u"A"_s, N1, u"Can"_s, u"C"_s, N3, u"Veli"_s, u"V"_s, N2, u"Zeynep"_s, u"Z"_s, N4} << QStringList();
        QTest::newRow("an equal name goes before the one there")
            << QStringList{u"Ali"_s, u"Eski"_s, N1, u"Veli"_s, u"V"_s, N2} << QStringList{u"ALİ"_s, u"Yeni"_s, N3}
            << QStringList{u"ALİ"_s, u"Yeni"_s, N3, u"Ali"_s, u"Eski"_s, N1, u"Veli"_s, u"V"_s, N2} << QStringList();
        QTest::newRow("a number that is there")
            << QStringList{u"Ali"_s, u"A"_s, N1} << QStringList{u"Can"_s, u"C"_s, N1, u"Deniz"_s, u"D"_s, N2}
            << QStringList{u"Ali"_s, u"A"_s, N1, u"Deniz"_s, u"D"_s, N2} << entry({u"Ali"_s, u"A"_s, N1}, {u"Can"_s, u"C"_s, N1});
        QTest::newRow("twice in the second group")
            << QStringList{u"Ali"_s, u"A"_s, N1} << QStringList{u"Can"_s, u"C"_s, N2, u"Berk"_s, u"B"_s, N2}
            << QStringList{u"Ali"_s, u"A"_s, N1, u"Can"_s, u"C"_s, N2} << entry({u"Can"_s, u"C"_s, N2}, {u"Berk"_s, u"B"_s, N2});
        QTest::newRow("five digits are padded, not matched")
            << QStringList{u"Ali"_s, u"A"_s, u"12345"_s} << QStringList{u"Can"_s, u"C"_s, u"12345"_s}
            << QStringList{u"Ali"_s, u"A"_s, u"12345"_s, u"Can"_s, u"C"_s, u"12345      "_s} << QStringList();
        QTest::newRow("an empty first group")
            << QStringList() << QStringList{u"Zeynep"_s, u"Z"_s, N1, u"Can"_s, u"C"_s, N2, u"Ali"_s, u"A"_s, N3}
            << QStringList{u"Ali"_s, u"A"_s, N3, u"Can"_s, u"C"_s, N2, u"Zeynep"_s, u"Z"_s, N1} << QStringList();
        // Only number lines hold numbers: a name or surname that reads like
        // the number keeps nobody out.
        QTest::newRow("a surname like the number")
            << QStringList{u"Ali"_s, N1, N2} << QStringList{u"Can"_s, u"C"_s, N1}
            << QStringList{u"Ali"_s, N1, N2, u"Can"_s, u"C"_s, N1} << QStringList();
        QTest::newRow("a name like the number")
            << QStringList{N1, u"A"_s, N2} << QStringList{u"Can"_s, u"C"_s, N1}
            << QStringList{N1, u"A"_s, N2, u"Can"_s, u"C"_s, N1} << QStringList();
        QTest::newRow("the first holder of a shared number is named")
            << QStringList{u"Ali"_s, u"A"_s, N1, u"Veli"_s, u"V"_s, N1} << QStringList{u"Can"_s, u"C"_s, N1}
            << QStringList{u"Ali"_s, u"A"_s, N1, u"Veli"_s, u"V"_s, N1} << entry({u"Ali"_s, u"A"_s, N1}, {u"Can"_s, u"C"_s, N1});
        QTest::newRow("empty numbers become blanks and then match")
            << QStringList{u"Ali"_s, u"A"_s, u""_s} << QStringList{u"Can"_s, u"C"_s, u""_s, u"Deniz"_s, u"D"_s, u""_s}
            << QStringList{u"Ali"_s, u"A"_s, u""_s, u"Can"_s, u"C"_s, u"           "_s}
            << entry({u"Can"_s, u"C"_s, u"           "_s}, {u"Deniz"_s, u"D"_s, u"           "_s});
        QTest::newRow("an empty name goes first")
            << QStringList{u"Ali"_s, u"A"_s, N1} << QStringList{u""_s, u"C"_s, N2}
            << QStringList{u""_s, u"C"_s, N2, u"Ali"_s, u"A"_s, N1} << QStringList();
        QTest::newRow("a cut-off last contact of the second group")
            << QStringList{u"Ali"_s, u"A"_s, N1} << QStringList{u"Can"_s, u"C"_s, N2, u"Zeki"_s}
            << QStringList{u"Ali"_s, u"A"_s, N1, u"Can"_s, u"C"_s, N2, u"Zeki"_s, u""_s, u"           "_s} << QStringList();
    }
    void contactsTakeTheirPlacesAndDuplicatesAreReported() {
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        QFETCH(QStringList, result);
        QFETCH(QStringList, report);
        for (bool oneByOne : {false, true}) {
            const Merged m = run(first, second, oneByOne);
            QCOMPARE(m.lines, result);
            QCOMPARE(m.report, report);
            QCOMPARE(m.outcome.skipped(), report.size() / 11);
            QCOMPARE(m.outcome.contacts, (second.size() + 2) / 3);
            QCOMPARE(m.names.size(), (result.size() + 2) / 3);
        }
    }

    // Groups whose lines are not whole contacts shift as they grow; such a
    // merge follows the contact-by-contact rule exactly.
    void linesThatAreNotWholeContacts_data() {
        QTest::addColumn<QStringList>("first");
        QTest::newRow("one line") << QStringList{u"Mert"_s};
        QTest::newRow("four lines") << QStringList{u"Ali"_s, u"A"_s, N1, u"Veli"_s};
        QTest::newRow("five lines") << QStringList{u"Ali"_s, u"A"_s, N1, u"Veli"_s, N2};
    }
    void linesThatAreNotWholeContacts() {
        QFETCH(QStringList, first);
        const QStringList second = {u"Can"_s, u"C"_s, N2, u"Zeki"_s, u"Z"_s, N3, u"Ali"_s, u"B"_s, N4};
        const Merged fast = run(first, second);
        const Merged rule = run(first, second, true);
        QCOMPARE(fast.lines, rule.lines);
        QCOMPARE(fast.report, rule.report);
        // after the lone line of a one-line group the first contact is appended
        if (first.size() == 1) QCOMPARE(fast.lines.mid(fast.lines.indexOf(u"Mert"_s), 4), (QStringList{u"Mert"_s, u"Can"_s, u"C"_s, N2}));
    }

    // The quick merge gives what the rule, contact by contact, gives: on many
    // groups with equal names in several letter cases, shared numbers, and
    // first groups out of name order.
    void theQuickMergeFollowsTheRule() {
        std::mt19937 rng(12);
        const QStringList names = {u"Ali"_s, u"ALİ"_s, u"ali"_s, u"Can"_s, u"Çağrı"_s, u"Işık"_s, u"ışık"_s, u"İpek"_s, u"Zeki"_s, u"Ömer"_s, u""_s};
        auto group = [&](int contacts) {
            QStringList lines;
            for (int k = 0; k < contacts; ++k)
                lines << names[int(rng() % names.size())] << QString::number(int(rng() % 5))
                      << QStringLiteral("053200000%1").arg(int(rng() % 30), 2, 10, QLatin1Char('0'));
            return lines;
        };
        for (int round = 0; round < 300; ++round) {
            const QStringList first = group(int(rng() % 12));
            QStringList firstSorted = first;
            {
                // half the rounds: the first group in name order, as the program keeps it
                StringList lines = listOf(first);
                StringList index(true);
                rebuildNameIndex(lines, index);
                if (round % 2 == 0) {
                    firstSorted.clear();
                    QStringList pool = first;
                    for (int p = 0; p < index.count(); ++p)
                        for (int k = 0; k < pool.size(); k += 3)
                            if (pool[k] == index.text(p)) {
                                firstSorted << pool.mid(k, 3);
                                pool.remove(k, 3);
                                break;
                            }
                }
            }
            const QStringList second = group(int(rng() % 12) + 1);
            const Merged fast = run(firstSorted, second);
            const Merged rule = run(firstSorted, second, true);
            QCOMPARE(fast.lines, rule.lines);
            QCOMPARE(fast.names, rule.names);
            QCOMPARE(fast.report, rule.report);
            QCOMPARE(fast.outcome.skipped(), rule.outcome.skipped());
        }
    }

    void progressCountsTheSecondGroupsLines() {
        StringList lines;
        StringList names(true);
        QList<int> seen;
        merge::mergeContacts(lines, names, listOf({u"A"_s, u"a"_s, u"1"_s, u"B"_s, u"b"_s, u"2"_s, u"C"_s}), [&](int line) { seen << line; });
        QCOMPARE(seen, (QList<int>{0, 3, 6}));
    }

    void surnamesTakeTheDistinguishingText() {
        StringList second = listOf({u"Ali"_s, u"Kaya"_s, N1, u"Can"_s, u""_s, N2, u"Zeki"_s});
        merge::extendSurnames(second, "-2");
        QCOMPARE(texts(second), (QStringList{u"Ali"_s, u"Kaya-2"_s, N1, u"Can"_s, u"-2"_s, N2, u"Zeki"_s, u"-2"_s}));
    }

    void theReportAndItsSummary_data() {
        QTest::addColumn<int>("contacts");
        QTest::addColumn<int>("skipped");
        QTest::addColumn<QStringList>("summary");  // after the entries
        QTest::addColumn<int>("paragraphs");       // of the report's text: one per entry, one per other line
        QTest::newRow("all merged") << 3 << 0 << QStringList() << 0;
        QTest::newRow("none merged") << 2 << 2
                                     << QStringList{u"Birleştirilmek istenen 2.Grup dosyası daha önce 1.Grup dosyasına "
                                                    "eklenmiş!İşlem gerçekleştirilmedi!"_s}
                                     << 1;
        QTest::newRow("one of two skipped")
            << 2 << 1
            << QStringList{u""_s, u"&&&&&&"_s, u""_s,
                           u"Yukarıda aynı isimde 1 kişi bulundu ve kayıt 2. bir kez eklenmedi!Tüm işlemler "
                           "1.Gruptaki kayıtlara göre gerçekleştirildi!"_s,
                           u""_s, u"&&&&&&"_s, u"Guplar başarıyla birleştirildi!"_s}
            << 8;
        QTest::newRow("two of five skipped")
            << 5 << 2
            << QStringList{u""_s, u"&&&&&&"_s, u""_s,
                           u"Yukarıda aynı isimde 2 kişi bulundu ve kayıt 2. bir kez eklenmedi!Tüm işlemler "
                           "1.Gruptaki kayıtlara göre gerçekleştirildi!"_s,
                           u""_s, u"&&&&&&"_s, u"Guplar başarıyla birleştirildi!"_s}
            << 9;
    }
    void theReportAndItsSummary() {
        QFETCH(int, contacts);
        QFETCH(int, skipped);
        QFETCH(QStringList, summary);
        QFETCH(int, paragraphs);
        merge::Outcome outcome;
        outcome.contacts = contacts;
        QStringList entries;
        const QByteArray name = codepage::encode(u"Çağrı"_s), surname = codepage::encode(u"Öz"_s);
        for (int i = 0; i < skipped; ++i) {
            const QByteArray n = QByteArray::number(i);
            outcome.duplicates << merge::Duplicate{"Ali" + n, "Kara", "0532111111" + n, name, surname, "0532111111" + n};
            entries << merge::duplicateEntry("Ali" + n, "Kara", "0532111111" + n, name, surname,
                                             "0532111111" + n);
        }
        QCOMPARE(merge::report(outcome), (skipped == contacts ? QStringList() : entries) + summary);
        // The text for the window: the same lines, an entry's parted by line separators.
        const QString text = merge::reportText(outcome);
        const QStringList blocks = text.isEmpty() ? QStringList() : text.split(u'\n');
        QCOMPARE(blocks.size(), paragraphs);
        QStringList lines;
        for (const QString& b : blocks) lines << b.split(QChar::LineSeparator);
        QCOMPARE(lines, (skipped == contacts ? QStringList() : entries) + summary);
        if (skipped > 0 && skipped < contacts) QCOMPARE(blocks.first().count(QChar::LineSeparator), 10);
        if (skipped > 0)
            QCOMPARE(entries.mid(0, 11), (QStringList{u"Aynı numaraya sahip başka bir kişi bulundu."_s, u"1.Gruptaki kayıt:"_s,
                                                      u"İsim:Ali0"_s, u"Soyad: Kara"_s, u"Numara: 05321111110"_s, u"##"_s,
                                                      u"2.Gruptaki kayıt:"_s, u"İsim:Çağrı"_s, u"Soyad: Öz"_s,
                                                      u"Numara: 05321111110"_s, u"-----------------------"_s}));
    }

    void theResultIsWrittenWithTheGroupListOrNotAtAll_data() {
        QTest::addColumn<bool>("existed");
        QTest::addColumn<bool>("listWritable");
        QTest::newRow("into the first group") << true << true;
        QTest::newRow("into a new group") << false << true;
        QTest::newRow("the list fails: the first group keeps its bytes") << true << false;
        QTest::newRow("the list fails: no new group file stays") << false << false;
    }
    void theResultIsWrittenWithTheGroupListOrNotAtAll() {
        QFETCH(bool, existed);
        QFETCH(bool, listWritable);
        QTemporaryDir dir;
        const QString result = dir.filePath(u"Ev.vexo"_s);
        const QByteArray old = "Ali\nA\n1";  // not as the program writes it: given back byte for byte
        if (existed) {
            QFile f(result);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        const QString list = dir.filePath(listWritable ? u"Ayarlar.cnt"_s : u"yok/Ayarlar.cnt"_s);
        QString error;
        try {
            merge::writeResult(result, listOf({u"Can"_s, u""_s, u"2"_s}), list, listOf({u"Ev"_s, u"Ev"_s}));
        } catch (const StoreError& e) {
            error = e.message();
        }
        QFile written(result);
        if (listWritable) {
            QCOMPARE(error, QString());
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll(), QByteArray("Can\r\n\r\n2\r\n"));
        } else {
            QCOMPARE(error, u"Cannot create file "_s + QDir::toNativeSeparators(list));
            QCOMPARE(written.exists(), existed);
            if (existed) {
                QVERIFY(written.open(QIODevice::ReadOnly));
                QCOMPARE(written.readAll(), old);
            }
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 (existed || listWritable ? 1 : 0) + (listWritable ? 1 : 0));
    }
};

QTEST_APPLESS_MAIN(TestMerge)
#include "tst_merge.moc"

