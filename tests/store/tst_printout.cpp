// The print-out's lines without a window: the header, a contact's block, the
// progress text, and the date and time values from a locale.

#include "store/codepage.h"
#include "store/printout.h"
#include "store/stringlist.h"

#include "tests/common/temphome.h"

#include <QtTest>

class TestPrintout : public QObject {
    Q_OBJECT
private slots:
    void aTwoContactPageReadsLineForLine() {
        const StringList group = listOf({"Çağlar", "Işıkoğlu", "05321234567", "ismail", "Şen", "05449876543"});
        QStringList page = printout::header("8.12.2026", "07:45:53", group.count(), "Grup:@Kayıtlar@");
        page << printout::contactBlock(group, 0) << printout::contactBlock(group, 3);
        const QString hyphens(36, QLatin1Char('-'));
        QCOMPARE(page, (QStringList{"Yazdırım Tarihi :8.12.2026", "Yazdırım Saati :07:45:53", "Toplam Kayıtlı Kişi:2",
                                    "Grup:@Kayıtlar@", hyphens, "İsim :Çağlar", "Soyad :Işıkoğlu",
                                    "Cep No :05321234567", hyphens, "İsim :ismail", "Soyad :Şen",
                                    "Cep No :05449876543", hyphens}));
        QCOMPARE(printout::Separator, hyphens);
    }

    void contactsAreTheLinesDividedByThree_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("total");
        QTest::newRow("none") << 0 << "Toplam Kayıtlı Kişi:0";
        QTest::newRow("one") << 3 << "Toplam Kayıtlı Kişi:1";
        QTest::newRow("an incomplete last contact") << 8 << "Toplam Kayıtlı Kişi:2";
        QTest::newRow("a full group") << 32733 << "Toplam Kayıtlı Kişi:10911";
    }
    void contactsAreTheLinesDividedByThree() {
        QFETCH(int, lines);
        QFETCH(QString, total);
        QCOMPARE(printout::header("d", "t", lines, "Grup:x").at(2), total);
    }

    // A damaged file may end inside a contact: its missing lines print empty
    // instead of stopping the print-out.
    void aContactCutShortPrintsEmptyFields() {
        const StringList group = listOf({"Ali", "Veli", "0532", "Zeki"});
        QCOMPARE(printout::contactBlock(group, 3),
                 (QStringList{"İsim :Zeki", "Soyad :", "Cep No :", printout::Separator}));
    }

    void progressText_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("twelve, the first tick") << 36 << 3 << "12 kişide 2.kişinin kaydı okunuyor..!";
        QTest::newRow("four, the last") << 12 << 9 << "4 kişide 4.kişinin kaydı okunuyor..!";
        QTest::newRow("a full group") << 32733 << 32730 << "10911 kişide 10911.kişinin kaydı okunuyor..!";
    }
    void progressText() {
        QFETCH(int, lines);
        QFETCH(int, position);
        QFETCH(QString, text);
        QCOMPARE(printout::progressText(lines, position), text);
    }

    void dateAndTimeFollowTheLocale_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("Turkish") << QLocale(QLocale::Turkish, QLocale::Turkey) << "8.12.2026" << "07:05:03";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "08.12.26" << "07:05:03";
        QTest::newRow("American") << QLocale(QLocale::English, QLocale::UnitedStates) << "12/8/26" << "7:05:03 AM";
        QTest::newRow("C") << QLocale::c() << "8 Dec 2026" << "07:05:03";
    }
    void dateAndTimeFollowTheLocale() {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QCOMPARE(printout::dateText(locale, QDate(2026, 12, 8)), date);
        const QString t = printout::timeText(locale, QTime(7, 5, 3));
        QCOMPARE(t.simplified().replace(QChar(0x202F), ' '), time);
    }
};

QTEST_GUILESS_MAIN(TestPrintout)
#include "tst_printout.moc"
