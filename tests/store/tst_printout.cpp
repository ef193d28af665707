// The print-out's lines without a window: the header, a contact's block, the
// progress text, and the date and time values from a locale.

#include "store/codepage.h"
#include "store/printout.h"
#include "store/stringlist.h"

#include "tests/common/temphome.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestPrintout : public QObject {
    Q_OBJECT
private slots:
    void aTwoContactPageReadsLineForLine() {
        const StringList group = listOf({u"Çağlar"_s, u"Işıkoğlu"_s, u"05321234567"_s, u"ismail"_s, u"Şen"_s, u"05449876543"_s});
        QStringList page = printout::header(u"8.12.2026"_s, u"07:45:53"_s, group.count(), u"Grup:@Kayıtlar@"_s);
        page << printout::contactBlock(group, 0) << printout::contactBlock(group, 3);
        const QString hyphens(36, QLatin1Char('-'));
        QCOMPARE(page, (QStringList{u"Yazdırım Tarihi :8.12.2026"_s, u"Yazdırım Saati :07:45:53"_s, u"Toplam Kayıtlı Kişi:2"_s,
                                    u"Grup:@Kayıtlar@"_s, hyphens, u"İsim :Çağlar"_s, u"Soyad :Işıkoğlu"_s,
                                    u"Cep No :05321234567"_s, hyphens, u"İsim :ismail"_s, u"Soyad :Şen"_s,
                                    u"Cep No :05449876543"_s, hyphens}));
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
        QCOMPARE(printout::header(u"d"_s, u"t"_s, lines, u"Grup:x"_s).at(2), total);
    }

    // A damaged file may end inside a contact: its missing lines print empty
    // instead of stopping the print-out.
    void aContactCutShortPrintsEmptyFields() {
        const StringList group = listOf({u"Ali"_s, u"Veli"_s, u"0532"_s, u"Zeki"_s});
        QCOMPARE(printout::contactBlock(group, 3),
                 (QStringList{u"İsim :Zeki"_s, u"Soyad :"_s, u"Cep No :"_s, printout::Separator}));
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
        QCOMPARE(t.simplified().replace(QChar(0x202F), QLatin1Char(' ')), time);
    }
};

QTEST_GUILESS_MAIN(TestPrintout)
#include "tst_printout.moc"

