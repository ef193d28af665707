// Contacts in and out of a group: vCard and CSV read into contacts as the
// save wants them, the preview of an import into a group, its one write,
// and the group written out again, without any window.

#include "store/codepage.h"
#include "store/collation.h"
#include "store/contacts.h"
#include "store/interchange.h"
#include "store/storeerror.h"
#include "store/stringlist.h"
#include "store/textfile.h"
#include "tests/common/temphome.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/resource.h>

using namespace Qt::StringLiterals;
using interchange::Fate;
using interchange::Format;

Q_DECLARE_METATYPE(interchange::Format)

namespace {

// A read contact in one line: + added, ~ changed, - left out; name|surname|number / reason.
QString describe(const interchange::ReadContact& c) {
    const QString sign = c.fate == Fate::Added ? u"+"_s : c.fate == Fate::Changed ? u"~"_s : u"-"_s;
    QString s = sign + u' ' + c.name() + u'|' + c.surname() + u'|' + c.number();
    if (!c.reason.isEmpty()) s += u" / "_s + c.reason;
    return s;
}

QStringList describeAll(const QList<interchange::ReadContact>& contacts) {
    QStringList out;
    for (const auto& c : contacts) out << describe(c);
    return out;
}


// The bytes with a NUL byte for each #.
QByteArray withNul(const char* bytes) { return QByteArray(bytes).replace('#', '\0'); }

// One card around the given lines (CR LF after each), version 3.0 unless a line says otherwise.
QByteArray card(const QByteArray& lines, const QByteArray& version = "3.0") {
    return "BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + lines + "END:VCARD\r\n";
}

// The group as the main window builds it: each contact saved in turn.
StringList savedGroup(const QStringList& contactsInOrderOfSaving) {
    StringList lines, names(true);
    for (int i = 0; i + 2 < contactsInOrderOfSaving.size(); i += 3)
        contacts::placeContact(lines, names, codepage::encode(contacts::normalisedName(contactsInOrderOfSaving[i])),
                               codepage::encode(contactsInOrderOfSaving[i + 1]),
                               codepage::encode(contactsInOrderOfSaving[i + 2]));
    return lines;
}

}  // namespace

class TestInterchange : public QObject {
    Q_OBJECT
private slots:
    void numbersAreNormalised_data() {
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("stored");
        QTest::newRow("blanks") << u"0532 111 22 33"_s << u"05321112233"_s;
        QTest::newRow("brackets and dashes") << u"(0532) 111-22-33"_s << u"05321112233"_s;
        QTest::newRow("dots and slashes") << u"0532.111/22.33"_s << u"05321112233"_s;
        QTest::newRow("+90") << u"+90 532 111 22 33"_s << u"05321112233"_s;
        QTest::newRow("0090") << u"0090 532 111 22 33"_s << u"05321112233"_s;
        QTest::newRow("twelve digits starting 90") << u"905321112233"_s << u"05321112233"_s;
        QTest::newRow("ten digits starting 5") << u"532 111 22 33"_s << u"05321112233"_s;
        QTest::newRow("ten digits starting 2 stay") << u"2123334455"_s << u"2123334455"_s;
        QTest::newRow("a short number") << u"112"_s << u"112"_s;
        QTest::newRow("a no-break space and direction marks")
            << u"\u202A+90\u00A0532 111 22 33\u202C"_s << u"05321112233"_s;
        QTest::newRow("another country") << u"+49 170 1234567"_s << QString();
        QTest::newRow("twelve digits not starting 90") << u"053211122334"_s << QString();
        QTest::newRow("thirteen digits") << u"0532 111 22 33 4"_s << QString();
        QTest::newRow("letters") << u"0532 111 22 33 abc"_s << QString();
        QTest::newRow("+90 and the trunk 0") << u"+90 0532 111 22 33"_s << u"05321112233"_s;
        QTest::newRow("0090 and (0532)") << u"0090 (0532) 111 22 33"_s << u"05321112233"_s;
        QTest::newRow("en and em dash, no-break hyphen") << u"0532–111—22‑33"_s << u"05321112233"_s;
        QTest::newRow("minus sign, thin and narrow no-break space")
            << u"0532\u2212111\u200922\u202F33"_s << u"05321112233"_s;
        QTest::newRow("a pause") << u"05321112233p12"_s << u"05321112233"_s;
        QTest::newRow("a wait, a comma, a semicolon") << u"0212 333 44 55 w1,2;3"_s << u"02123334455"_s;
        QTest::newRow("ext.") << u"0212 333 44 55 Ext. 12"_s << u"02123334455"_s;
        QTest::newRow("dahili") << u"0212 333 44 55 dahili 4"_s << u"02123334455"_s;
        QTest::newRow("a pause and no number") << u"p12"_s << QString();
        QTest::newRow("a plus inside") << u"0532+1112233"_s << QString();
        QTest::newRow("signs only") << u"( ) - ."_s << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void numbersAreNormalised() {
        QFETCH(QString, read);
        QFETCH(QString, stored);
        QCOMPARE(interchange::normalisedNumber(read), stored);
    }

    void vCardsAreReadAsTheSaveWantsThem_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("contact");
        const QByteArray cell = "TEL;TYPE=CELL:05321112233\r\n";
        QTest::newRow("unfolded at CR LF and a blank")
            << card("N:Yıl\r\n maz;Ali;;;\r\n" + cell) << u"+ Ali|Yılmaz|05321112233"_s;
        QTest::newRow("unfolded at LF and a tab")
            << QByteArray("BEGIN:VCARD\nVERSION:3.0\nN:Yıl\n\tmaz;Ali;;;\nTEL;TYPE=CELL:0532\n 1112233\nEND:VCARD\n")
            << u"+ Ali|Yılmaz|05321112233"_s;
        QTest::newRow("quoted-printable, a soft break inside a letter")
            << card("N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=96z;=C4=\r\n=B0pek;;;\r\n" + cell, "2.1")
            << u"+ ipek|Öz|05321112233"_s;
        QTest::newRow("bare QUOTED-PRINTABLE in ISO-8859-9")
            << card("N;CHARSET=ISO-8859-9;QUOTED-PRINTABLE:=DE=E2hin;=DDlker;;;\r\n" + cell, "2.1")
            << u"+ ilker|Şâhin|05321112233"_s;
        QTest::newRow("another charset Qt decodes, its letters removed")
            << card("N;CHARSET=windows-1251;ENCODING=QUOTED-PRINTABLE:Petrov;=C8=E2=E0=ED;;;\r\n" + cell, "2.1")
            << u"~ Petrov||05321112233 / Türkçe kod sayfasında olmayan harfler çıkarıldı; Soyad isim olarak alındı"_s;
        QTest::newRow("no CHARSET and not UTF-8: code page 1254")
            << card("N:\xDE" "ahin;\xC7" "a\xF0r\xFD;;;\r\n" + cell) << u"+ Çağrı|Şahin|05321112233"_s;
        QTest::newRow("BASE64")
            << card("N;ENCODING=b;CHARSET=UTF-8:" + QByteArray("Öz;Can;;;").toBase64() + "\r\n" + cell)
            << u"+ Can|Öz|05321112233"_s;
        QTest::newRow("escaped comma, semicolon and backslash")
            << card("N:Yıldız\\, Öztürk;Ömer\\;Faruk\\\\;;;\r\n" + cell)
            << u"+ Ömer;Faruk\\|Yıldız, Öztürk|05321112233"_s;
        QTest::newRow("an escaped line break becomes a blank")
            << card("N:Koç;Elif\\nNur;;;\r\n" + cell) << u"~ Elif Nur|Koç|05321112233 / Satır sonları boşluğa çevrildi"_s;
        QTest::newRow("group prefixes") << card("A.N:Er;Can;;;\r\nitem1.TEL:0532 111 22 33\r\n")
                                        << u"+ Can|Er|05321112233"_s;
        QTest::newRow("bare 2.1 types: the cell, not the first")
            << card("N:Er;Can;;;\r\nTEL;HOME:0212 111 22 33\r\nTEL;CELL;PREF:0532 111 22 33\r\n", "2.1")
            << u"+ Can|Er|05321112233"_s;
        QTest::newRow("TYPE=VOICE,CELL")
            << card("N:Er;Can;;;\r\nTEL;TYPE=HOME:0212 111 22 33\r\nTEL;TYPE=VOICE,CELL:0532 111 22 33\r\n")
            << u"+ Can|Er|05321112233"_s;
        QTest::newRow("type=voice;type=cell in small letters")
            << card("N:Er;Can;;;\r\ntel;type=home:0212 111 22 33\r\ntel;type=voice;type=cell:0532 111 22 33\r\n")
            << u"+ Can|Er|05321112233"_s;
        QTest::newRow("a quoted TYPE list")
            << card("N:Er;Can;;;\r\nTEL;TYPE=HOME:0212 111 22 33\r\nTEL;TYPE=\"voice,cell\":0532 111 22 33\r\n")
            << u"+ Can|Er|05321112233"_s;
        QTest::newRow("MOBILE")
            << card("N:Er;Can;;;\r\nTEL;TYPE=HOME:0212 111 22 33\r\nTEL;TYPE=Mobile:0532 111 22 33\r\n")
            << u"+ Can|Er|05321112233"_s;
        QTest::newRow("a group labelled Mobile")
            << card("N:Er;Can;;;\r\nTEL;type=HOME:0212 111 22 33\r\nitem2.TEL:0532 111 22 33\r\n"
                    "item2.X-ABLabel:_$!<Mobile>!$_\r\n")
            << u"+ Can|Er|05321112233"_s;
        QTest::newRow("no cell: the first TEL")
            << card("N:Er;Can;;;\r\nTEL;TYPE=HOME:0212 111 22 33\r\nTEL;TYPE=WORK:0216 111 22 33\r\n")
            << u"+ Can|Er|02121112233"_s;
        QTest::newRow("an empty TEL counts as none")
            << card("N:Er;Can;;;\r\nTEL;TYPE=CELL:\r\nTEL;TYPE=HOME:0212 111 22 33\r\n") << u"+ Can|Er|02121112233"_s;
        QTest::newRow("a tel: URI")
            << card("N:Er;Can;;;\r\nTEL;VALUE=uri;TYPE=cell:tel:+90-532-111-22-33;ext=7\r\n", "4.0")
            << u"+ Can|Er|05321112233"_s;
        QTest::newRow("the additional name follows the given")
            << card("N:Kılıç;Hüseyin;Tuncay;Dr.;Jr.\r\n" + cell) << u"+ Hüseyin Tuncay|Kılıç|05321112233"_s;
        QTest::newRow("3.0: a comma separates values")
            << card("N:Şahin;Ali,Rıza;;;\r\n" + cell) << u"+ Ali Rıza|Şahin|05321112233"_s;
        QTest::newRow("2.1: a comma is a comma")
            << card("N:Şahin;Ali,Rıza;;;\r\n" + cell, "2.1") << u"+ Ali,Rıza|Şahin|05321112233"_s;
        QTest::newRow("without N, FN splits at its last blank")
            << card("FN:İsmail Hakkı Yılmaz\r\n" + cell) << u"+ ismail Hakkı|Yılmaz|05321112233"_s;
        QTest::newRow("FN of one word is the name") << card("FN: Mehmet \r\n" + cell) << u"+ Mehmet||05321112233"_s;
        QTest::newRow("a blank N takes FN") << card("N: ; ;;;\r\nFN:Ali Veli\r\n" + cell)
                                            << u"+ Ali|Veli|05321112233"_s;
        QTest::newRow("the first letter as the save makes it")
            << card("N:Er;çetin;;;\r\n" + cell) << u"+ Çetin|Er|05321112233"_s;
        QTest::newRow("only a surname") << card("N:Demir;;;;\r\n" + cell)
                                        << u"~ Demir||05321112233 / Soyad isim olarak alındı"_s;
        QTest::newRow("no name at all") << card(cell) << u"- ||05321112233 / İsim ve soyad boş"_s;
        QTest::newRow("no TEL") << card("N:Er;Ali;;;\r\n") << u"- Ali|Er| / Numara yok"_s;
        QTest::newRow("nothing at all") << card("") << u"- || / İsim ve soyad boş; Numara yok"_s;
        QTest::newRow("a number of another country")
            << card("N:Weber;Hans;;;\r\nTEL;CELL:+49 170 1234567\r\n", "2.1")
            << u"- Hans|Weber|+49 170 1234567 / Numara geçersiz"_s;
        QTest::newRow("a long name is cut")
            << card("N:" + QByteArray(70, 'z') + ";" + QByteArray(70, 'a') + ";;;\r\n" + cell)
            << u"~ Aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa|"
               u"zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz|05321112233"
               u" / İsim 64 harfe kısaltıldı; Soyad 64 harfe kısaltıldı"_s;
        QTest::newRow("a name blank in its first 64 letters")
            << card("N:Er;" + QByteArray(64, ' ') + "Can;;;\r\n" + cell)
            << u"~ Er||05321112233 / İsim 64 harfe kısaltıldı; Soyad isim olarak alındı"_s;
        QTest::newRow("a letter code page 1254 has not, and its blank")
            << card("N:Ak;Ayşe 😀;;;\r\n" + cell)
            << u"~ Ayşe|Ak|05321112233 / Türkçe kod sayfasında olmayan harfler çıkarıldı"_s;
        QTest::newRow("decomposed letters are composed")
            << card("N:O\xCC\x88z;C\xCC\xA7" "a\xC4\x9Fr\xC4\xB1;;;\r\n" + cell) << u"+ Çağrı|Öz|05321112233"_s;
        QTest::newRow("a combining mark that composes with nothing")
            << card("N:Er;Can\xCC\xBD;;;\r\n" + cell)
            << u"~ Can|Er|05321112233 / Türkçe kod sayfasında olmayan harfler çıkarıldı"_s;
        QTest::newRow("a line of text before the first card")
            << "Telefon rehberim, 8.12.2026\r\n" + card("N:Er;Can;;;\r\n" + cell) << u"+ Can|Er|05321112233"_s;
        QTest::newRow("UTF-16 little endian without a byte order mark")
            << QByteArray(QStringEncoder(QStringConverter::Utf16LE)(QString::fromUtf8(card("N:Öz;Can;;;\r\n" + cell))))
            << u"+ Can|Öz|05321112233"_s;
        QTest::newRow("an extension is dropped and reported")
            << card("N:Er;Can;;;\r\nTEL;CELL:0532 111 22 33 dahili 45\r\n")
            << u"~ Can|Er|05321112233 / Numaranın sonundaki bekleme ya da dahili kısmı çıkarıldı"_s;
        QTest::newRow("a card inside a card is passed over")
            << card("N:Er;Can;;;\r\nTEL;HOME:0212 111 22 33\r\nAGENT:\r\nBEGIN:VCARD\r\nN:Ajan;Bay;;;\r\n"
                    "TEL;CELL:0555 111 22 33\r\nEND:VCARD\r\n",
                    "2.1")
            << u"+ Can|Er|02121112233"_s;
    }
    void vCardsAreReadAsTheSaveWantsThem() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, contact);
        const interchange::ReadResult read = interchange::readBytes(bytes);
        QCOMPARE(read.refusal, QString());
        QCOMPARE(describeAll(read.contacts), QStringList{contact});
    }

    // Cards of plain lines are read in one go, any other line by line; where
    // the two meet, a file reads as it would line by line throughout.
    void plainAndOtherLinesMeet_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QStringList>("contacts");
        const QByteArray plain = card("N:Er;Can;;;\r\nTEL;TYPE=CELL:05321112233\r\n");
        const QString can = u"+ Can|Er|05321112233"_s;
        QTest::newRow("a folded line between plain cards")
            << plain + card("N:Ak;Ay\r\n şe;;;\r\nTEL;TYPE=CELL:05331112233\r\n") + plain << QString()
            << QStringList{can, u"+ Ayşe|Ak|05331112233"_s, can};
        QTest::newRow("a folded END does not end the card")
            << QByteArray("BEGIN:VCARD\r\nN:Er;Can;;;\r\nEND:VCARD\r\n X\r\n") + plain
            << u"Dosya yarım: bir kartın sonu (END:VCARD) yok!"_s << QStringList();
        QTest::newRow("a soft break takes the next line into another property")
            << card("N:Er;Can;;;\r\nNOTE;ENCODING=QUOTED-PRINTABLE:a=\r\nTEL;CELL:0555 111 22 33\r\n"
                    "TEL:0212 111 22 33\r\n",
                    "2.1")
            << QString() << QStringList{u"+ Can|Er|02121112233"_s};
        QTest::newRow("the last card without a line break at its end")
            << plain + plain.chopped(2) << QString() << QStringList{can, can};
        QTest::newRow("names in small letters and with blanks after them")
            << card("n :Er;Can;;;\r\nTEL ;type=cell:05321112233\r\n") << QString() << QStringList{can};
        QTest::newRow("a line without a colon is passed over")
            << card("N;Ak;Ali;;;\r\nFN:Can Er\r\nTEL;TYPE=CELL:05321112233\r\n") << QString() << QStringList{can};
        QTest::newRow("the last N counts")
            << card("N:Ak;Ali;;;\r\nN:Er;Can;;;\r\nTEL;TYPE=CELL:05321112233\r\n") << QString() << QStringList{can};
        QTest::newRow("a type that only begins with CELL")
            << card("N:Er;Can;;;\r\nTEL;TYPE=HOME:0212 111 22 33\r\nTEL;TYPE=CELLULAR:05321112233\r\n")
            << QString() << QStringList{u"+ Can|Er|02121112233"_s};
        QTest::newRow("two-byte letters code page 1254 has not")
            << card("N:Er;C\xC4\x81n\xCD\xB0;;;\r\nTEL;TYPE=CELL:05321112233\r\n") << QString()
            << QStringList{u"~ Cn|Er|05321112233 / Türkçe kod sayfasında olmayan harfler çıkarıldı"_s};
        QTest::newRow("a two-byte letter cut at the value's end")
            << card("N:Er;Can\xC4;;;\r\nTEL;TYPE=CELL:05321112233\r\n") << QString()
            << QStringList{u"+ Can\u00C4|Er|05321112233"_s};
    }
    void plainAndOtherLinesMeet() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refusal);
        QFETCH(QStringList, contacts);
        const interchange::ReadResult read = interchange::readBytes(bytes);
        QCOMPARE(read.refusal, refusal);
        QCOMPARE(describeAll(read.contacts), contacts);
    }

    void csvIsReadByItsHeader_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("contacts");
        QTest::newRow("Outlook's columns")
            << QByteArray("First Name,Middle Name,Last Name,Business Phone,Home Phone,Mobile Phone\r\n"
                          "Ali,,Er,0212 111 22 33,,0532 111 22 33\r\n")
            << QStringList{u"+ Ali|Er|05321112233"_s};
        QTest::newRow("semicolons, Turkish headers in capitals")
            << QByteArray("ADI;SOYADI;CEP\r\nAli;Er;0532 111 22 33\r\n") << QStringList{u"+ Ali|Er|05321112233"_s};
        QTest::newRow("tabs, İsim with blanks around it")
            << QByteArray(" İSİM \tSoyad\tCep Tel\nAli\tEr\t05321112233\n") << QStringList{u"+ Ali|Er|05321112233"_s};
        QTest::newRow("Given Name, Family Name, Mobile Number")
            << QByteArray("given name,family name,mobile number\nAli,Er,+905321112233\n")
            << QStringList{u"+ Ali|Er|05321112233"_s};
        QTest::newRow("Ad, Soyad, Cep Telefonu")
            << QByteArray("Ad,Soyad,Cep Telefonu\nali,Er,5321112233\n") << QStringList{u"+ Ali|Er|05321112233"_s};
        QTest::newRow("Phone N - Type")
            << QByteArray("Given Name,Family Name,Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,Phone 2 - Value\n"
                          "Ali,Er,Work,0212 111 22 33,Mobile,0532 111 22 33\n")
            << QStringList{u"+ Ali|Er|05321112233"_s};
        QTest::newRow("no mobile: the first phone column")
            << QByteArray("First Name,Last Name,Home Phone,Business Phone\nAli,Er,,0216 111 22 33\n")
            << QStringList{u"+ Ali|Er|02161112233"_s};
        QTest::newRow("a full name column alone")
            << QByteArray("Name,Phone\nİsmail Hakkı Yılmaz,05321112233\n")
            << QStringList{u"+ ismail Hakkı|Yılmaz|05321112233"_s};
        QTest::newRow("the first of several values")
            << QByteArray("First Name,Mobile Phone\nAli ::: Veli,0532 111 22 33 ::: 0533 111 22 33\n")
            << QStringList{u"+ Ali||05321112233"_s};
        QTest::newRow("quotes, doubled quotes, a break inside quotes")
            << QByteArray("First Name,Last Name,Mobile Phone\n\"Ali, \"\"Deli\"\"\",\"Er\nEk\",05321112233\n")
            << QStringList{u"~ Ali, \"Deli\"|Er Ek|05321112233 / Satır sonları boşluğa çevrildi"_s};
        QTest::newRow("a UTF-8 byte order mark")
            << QByteArray("\xEF\xBB\xBF" "Adı,Soyadı,Cep\nÇağrı,Öz,05321112233\n")
            << QStringList{u"+ Çağrı|Öz|05321112233"_s};
        QTest::newRow("code page 1254")
            << QByteArray("Ad\xFD;Soyad\xFD;Cep\r\n\xC7" "a\xF0r\xFD;\xD6z;05321112233\r\n")
            << QStringList{u"+ Çağrı|Öz|05321112233"_s};
        QTest::newRow("UTF-16 with a byte order mark")
            << "\xFF\xFE" + QByteArray(QStringEncoder(QStringConverter::Utf16LE)(u"Ad,Cep\nAli,112\n"_s))
            << QStringList{u"+ Ali||112"_s};
        QTest::newRow("empty rows and short rows")
            << QByteArray("Ad,Soyad,Cep\n\n,,\nAli\n\"\",\"\"\nVeli,Er,112") << QStringList{u"- Ali|| / Numara yok"_s, u"+ Veli|Er|112"_s};
        QTest::newRow("a blank surname stays as it is")
            << QByteArray("First Name,Last Name,Mobile Phone\nAli,\"  \",05321112233\n")
            << QStringList{u"+ Ali|  |05321112233"_s};
        QTest::newRow("Excel's sep=; line")
            << QByteArray("sep=;\r\nAd;Soyad;Cep\r\nAli;Er;0532 111 22 33\r\n") << QStringList{u"+ Ali|Er|05321112233"_s};
        QTest::newRow("sep=, over more semicolons")
            << QByteArray("sep=,\nAd,Soyad;Lakap;Takma,Cep\nAli,Er;x;y,112\n") << QStringList{u"+ Ali||112"_s};
        QTest::newRow("Home Mobile after Home Phone")
            << QByteArray("First Name,Home Phone,Home Mobile\nAli,0212 111 22 33,0532 111 22 33\n")
            << QStringList{u"+ Ali||05321112233"_s};
        QTest::newRow("İş Cep and GSM over Telefon")
            << QByteArray("Ad,Telefon,İş Cep,GSM\nAli,0212 111 22 33,,0532 111 22 33\nVeli,0212 111 22 34,0533 111 22 33,\n")
            << QStringList{u"+ Ali||05321112233"_s, u"+ Veli||05331112233"_s};
        QTest::newRow("İkinci Ad and Göbek Adı")
            << QByteArray("Ad,İkinci Ad,Göbek Adı,Soyad,Cep\nAli,Rıza,,Şahin,112\nVeli,,Can,Er,113\n")
            << QStringList{u"+ Ali Rıza|Şahin|112"_s, u"+ Veli Can|Er|113"_s};
        QTest::newRow("UTF-16 big endian without a byte order mark")
            << QByteArray(QStringEncoder(QStringConverter::Utf16BE)(u"Ad,Cep\nÇağrı,112\n"_s))
            << QStringList{u"+ Çağrı||112"_s};
        QTest::newRow("a number column and no name column")
            << QByteArray("Mobile Phone\n05321112233\n") << QStringList{u"- ||05321112233 / İsim ve soyad boş"_s};
    }
    void csvIsReadByItsHeader() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, contacts);
        const interchange::ReadResult read = interchange::readBytes(bytes);
        QCOMPARE(read.refusal, QString());
        QCOMPARE(describeAll(read.contacts), contacts);
    }

    void filesOfPhonesAndProgramsAreRead_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("contacts");
        QTest::newRow("Android, vCard 2.1") << u"android21.vcf"_s
                                            << QStringList{u"+ Şule|Öztürk|05321112233"_s,
                                                           u"+ Çağrı|Gündoğdu|05334445566"_s,
                                                           u"+ ismail Hakkı|Yılmaz|02163334455"_s,
                                                           u"~ Demir||05051234567 / Soyad isim olarak alındı"_s,
                                                           u"- Ahmet|Kaya| / Numara yok"_s,
                                                           u"~ Ayşe|Ak|05427654321 / Türkçe kod sayfasında olmayan harfler çıkarıldı"_s,
                                                           u"+ Selim|Tekin|05321112233"_s,
                                                           u"- Hans|Weber|+49 170 1234567 / Numara geçersiz"_s};
        QTest::newRow("iPhone, vCard 3.0") << u"iphone30.vcf"_s
                                           << QStringList{u"+ Gökhan|Ertuğrul|05327651200"_s,
                                                          u"+ Ömer;Faruk|Yıldız, Öztürk|05052223344"_s,
                                                          u"+ Ali Rıza|Şahin|05331234567"_s,
                                                          u"~ Elif Nur|Koç|05550001122 / Satır sonları boşluğa çevrildi"_s};
        QTest::newRow("vCard 4.0") << u"vcard40.vcf"_s
                                   << QStringList{u"+ Zeynep|Çelik|05339876543"_s, u"+ Mehmet||02121234567"_s};
        QTest::newRow("Google CSV") << u"google.csv"_s
                                    << QStringList{u"+ Canan|Arslan|05443210099"_s,
                                                   u"+ Hüseyin Tuncay|Kılıç|05351110022"_s,
                                                   u"+ Berk||02167778899"_s};
        QTest::newRow("a spreadsheet's CSV in code page 1254")
            << u"spreadsheet1254.csv"_s
            << QStringList{u"+ Gülşen|Yılmaz|05321234567"_s, u"+ irmak|Öğüt|03124445566"_s,
                           u"+ Şükrü; Can|Doğan \"Baba\"|05321234568"_s};
    }
    void filesOfPhonesAndProgramsAreRead() {
        QFETCH(QString, file);
        QFETCH(QStringList, contacts);
        const interchange::ReadResult read = interchange::readFile(QFINDTESTDATA(u"../data/"_s + file));
        QCOMPARE(read.refusal, QString());
        QCOMPARE(describeAll(read.contacts), contacts);
    }

    void badFilesAreRefusedWithAReason_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("empty") << QByteArray() << u"Dosya boş!"_s;
        QTest::newRow("blank lines") << QByteArray(" \r\n\t\n") << u"Dosya boş!"_s;
        QTest::newRow("a byte order mark alone") << QByteArray("\xEF\xBB\xBF\r\n") << u"Dosya boş!"_s;
        QTest::newRow("a picture") << sampleBytes(u"picture.vcf"_s) << u"Bu dosya bir kişi dosyası değil!"_s;
        QTest::newRow("a text without known columns")
            << QByteArray("Tarih,Tutar\n2024-01-01,15\n") << u"Bu dosya bir kişi dosyası değil!"_s;
        QTest::newRow("a 10 MB line in a card")
            << card("N:Er;Ali;;;\r\nNOTE:" + QByteArray(10 * 1024 * 1024, 'x') + "\r\n")
            << u"Dosyada çok uzun bir satır var!"_s;
        QTest::newRow("a 10 MB line in CSV")
            << "Ad,Cep\nAli," + QByteArray(10 * 1024 * 1024, '5') + "\n" << u"Dosyada çok uzun bir satır var!"_s;
        QTest::newRow("a card without END")
            << card("N:Er;Ali;;;\r\nTEL:112\r\n") + "BEGIN:VCARD\r\nN:Er;Veli;;;\r\nTEL:113\r\n"
            << u"Dosya yarım: bir kartın sonu (END:VCARD) yok!"_s;
        QTest::newRow("NUL bytes in a card")
            << card(withNul("N:Er;A#li;;;\r\nTEL:112\r\n")) << u"Dosya bozuk: içinde NUL baytı var!"_s;
        QTest::newRow("NUL bytes in CSV")
            << withNul("Ad,Cep\nA#li,112\n") << u"Dosya bozuk: içinde NUL baytı var!"_s;
        QTest::newRow("a quote never closed")
            << QByteArray("Ad,Cep\n\"Ali,112\nVeli,113\n") << u"Dosya bozuk: kapanmayan bir tırnak var!"_s;
        QTest::newRow("a header alone") << QByteArray("First Name,Last Name,Mobile Phone\r\n")
                                        << u"Dosyada hiç kişi yok!"_s;
        QTest::newRow("a card after 64 KiB of something else")
            << QByteArray(70000, 'x') + "\n" + card("N:Er;Ali;;;\r\nTEL:112\r\n") << u"Bu dosya bir kişi dosyası değil!"_s;
    }
    void badFilesAreRefusedWithAReason() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refusal);
        const interchange::ReadResult read = interchange::readBytes(bytes);
        QCOMPARE(read.refusal, refusal);
        QVERIFY(read.refused());
        QCOMPARE(read.contacts.size(), 0);
    }

    // What is no file is refused as what it is, never opened: a pipe never waits for its writer.
    void aFileThatCannotBeReadIsRefused_data() {
        QTest::addColumn<QString>("path");  // <fifo>: a named pipe without a writer
        QTest::addColumn<QString>("refusal");
        QTest::newRow("missing") << u"/yok/böyle/bir/dosya.vcf"_s << u"Dosya okunamadı!"_s;
        QTest::newRow("a folder") << u"/"_s << u"Bu bir klasör, bir dosya değil!"_s;
        QTest::newRow("no path") << QString() << u"Dosya okunamadı!"_s;
        QTest::newRow("a named pipe") << u"<fifo>"_s << u"Bu bir adlandırılmış kanal (FIFO), bir dosya değil!"_s;
        QTest::newRow("a device") << u"/dev/null"_s << u"Bu bir aygıt, bir dosya değil!"_s;
    }
    void aFileThatCannotBeReadIsRefused() {
        QFETCH(QString, path);
        QFETCH(QString, refusal);
        TempHome home;
        if (path == u"<fifo>"_s) {
            path = home.path() + u"/kanal.vcf"_s;
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        QCOMPARE(interchange::readFile(path).refusal, refusal);
    }

    void thePreviewCountsWhatTheGroupWillHold_data() {
        QTest::addColumn<QStringList>("group");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("contacts");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("changed");
        QTest::addColumn<int>("leftOut");
        QTest::addColumn<int>("remaining");
        const QByteArray android = sampleBytes(u"android21.vcf"_s);
        QTest::newRow("into an empty group")
            << QStringList{} << android
            << QStringList{u"+ Şule|Öztürk|05321112233"_s, u"+ Çağrı|Gündoğdu|05334445566"_s,
                           u"+ ismail Hakkı|Yılmaz|02163334455"_s, u"~ Demir||05051234567 / Soyad isim olarak alındı"_s,
                           u"- Ahmet|Kaya| / Numara yok"_s,
                           u"~ Ayşe|Ak|05427654321 / Türkçe kod sayfasında olmayan harfler çıkarıldı"_s,
                           u"- Selim|Tekin|05321112233 / Bu numara dosyada daha önce geçti"_s,
                           u"- Hans|Weber|+49 170 1234567 / Numara geçersiz"_s}
            << 3 << 2 << 3 << 10906;
        QTest::newRow("a number the group holds")
            << QStringList{u"Ali"_s, u"Er"_s, u"05321112233"_s, u"Zeki"_s, u"Ok"_s, u"02121234567"_s} << android
            << QStringList{u"- Şule|Öztürk|05321112233 / Bu numara grupta zaten var"_s,
                           u"+ Çağrı|Gündoğdu|05334445566"_s, u"+ ismail Hakkı|Yılmaz|02163334455"_s,
                           u"~ Demir||05051234567 / Soyad isim olarak alındı"_s, u"- Ahmet|Kaya| / Numara yok"_s,
                           u"~ Ayşe|Ak|05427654321 / Türkçe kod sayfasında olmayan harfler çıkarıldı"_s,
                           u"- Selim|Tekin|05321112233 / Bu numara grupta zaten var"_s,
                           u"- Hans|Weber|+49 170 1234567 / Numara geçersiz"_s}
            << 2 << 2 << 4 << 10905;
        // the save looks a number up among all of the group's lines
        QTest::newRow("a name line that reads like the number")
            << QStringList{u"05334445566"_s, u"Garip"_s, u"0"_s} << android
            << QStringList{u"+ Şule|Öztürk|05321112233"_s,
                           u"- Çağrı|Gündoğdu|05334445566 / Bu numara grupta zaten var"_s,
                           u"+ ismail Hakkı|Yılmaz|02163334455"_s, u"~ Demir||05051234567 / Soyad isim olarak alındı"_s,
                           u"- Ahmet|Kaya| / Numara yok"_s,
                           u"~ Ayşe|Ak|05427654321 / Türkçe kod sayfasında olmayan harfler çıkarıldı"_s,
                           u"- Selim|Tekin|05321112233 / Bu numara dosyada daha önce geçti"_s,
                           u"- Hans|Weber|+49 170 1234567 / Numara geçersiz"_s}
            << 2 << 2 << 4 << 10906;
        QTest::newRow("a refused file plans nothing")
            << QStringList{u"Ali"_s, u"Er"_s, u"05321112233"_s, u"Zeki"_s, u"Ok"_s, u"02121234567"_s} << QByteArray()
            << QStringList{} << 0 << 0 << 0 << 10909;
    }
    void thePreviewCountsWhatTheGroupWillHold() {
        QFETCH(QStringList, group);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, contacts);
        QFETCH(int, added);
        QFETCH(int, changed);
        QFETCH(int, leftOut);
        QFETCH(int, remaining);
        const interchange::Plan plan = interchange::planImport(interchange::readBytes(bytes), listOf(group));
        QCOMPARE(describeAll(plan.contacts), contacts);
        QCOMPARE(plan.added, added);
        QCOMPARE(plan.changed, changed);
        QCOMPARE(plan.leftOut, leftOut);
        QCOMPARE(plan.remainingCapacity, remaining);
    }

    void importedContactsTakeTheirNamesPlaces_data() {
        QTest::addColumn<QStringList>("group");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("after");
        const QByteArray file = card("N:Can;Veli;;;\r\nTEL;CELL:05550000001\r\n") +
                                card("N:Ak;ayşe;;;\r\nTEL;CELL:05550000002\r\n") +
                                card("N:Bal;Ayşe;;;\r\nTEL;CELL:05550000003\r\n") +
                                card("N:Uz;Çiğdem;;;\r\nTEL;CELL:05550000004\r\n") +
                                card("N:Ün;Cem;;;\r\nTEL;CELL:05550000005\r\n") +
                                card("N:Yok;Numarası;;;\r\n");
        QTest::newRow("equal names ahead of the group's, in the file's order")
            << QStringList{u"Ayşe"_s, u"Kara"_s, u"05001112233"_s, u"Zeki"_s, u"Ok"_s, u"05009998877"_s} << file
            << QStringList{u"Ayşe"_s, u"Ak"_s,   u"05550000002"_s, u"Ayşe"_s,  u"Bal"_s, u"05550000003"_s,
                           u"Ayşe"_s, u"Kara"_s, u"05001112233"_s, u"Cem"_s,   u"Ün"_s,  u"05550000005"_s,
                           u"Çiğdem"_s, u"Uz"_s, u"05550000004"_s, u"Veli"_s,  u"Can"_s, u"05550000001"_s,
                           u"Zeki"_s, u"Ok"_s,   u"05009998877"_s};
        QTest::newRow("into an empty group")
            << QStringList{} << file
            << QStringList{u"Ayşe"_s,   u"Ak"_s, u"05550000002"_s, u"Ayşe"_s, u"Bal"_s, u"05550000003"_s,
                           u"Cem"_s,    u"Ün"_s, u"05550000005"_s, u"Çiğdem"_s, u"Uz"_s, u"05550000004"_s,
                           u"Veli"_s,   u"Can"_s, u"05550000001"_s};
        // not whole contacts: each goes where a save would put it, last first
        QTest::newRow("a one-line group")
            << QStringList{u"Zeki"_s}
            << card("N:A;Ali;;;\r\nTEL;CELL:05550000001\r\n") + card("N:V;Veli;;;\r\nTEL;CELL:05550000002\r\n")
            << QStringList{u"Ali"_s, u"A"_s, u"05550000001"_s, u"Zeki"_s, u"Veli"_s, u"V"_s, u"05550000002"_s};
    }
    void importedContactsTakeTheirNamesPlaces() {
        QFETCH(QStringList, group);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, after);
        TempHome home;
        home.write(u"Grup.vexo"_s, fileBytes(group));
        StringList recordLines = listOf(group);
        StringList nameIndex(true);
        rebuildNameIndex(recordLines, nameIndex);
        const interchange::Plan plan = interchange::planImport(interchange::readBytes(bytes), recordLines);
        interchange::importIntoGroup(plan, home.dataPath(u"Grup.vexo"_s), recordLines, nameIndex);
        QCOMPARE(home.read(u"Grup.vexo"_s), fileBytes(after));
        QCOMPARE(texts(recordLines), after);
        QCOMPARE(home.dataFiles(), QStringList{u"Grup.vexo"_s});
        if (group.size() % 3 != 0) return;  // a lone line is out of step with the names for good
        StringList rebuilt(true);
        rebuildNameIndex(recordLines, rebuilt);
        QCOMPARE(texts(nameIndex).size(), texts(rebuilt).size());
        for (int k = 0; k < rebuilt.count(); ++k) QVERIFY(collation::equal(nameIndex.get(k), rebuilt.get(k)));
    }

    void anImportThatStoresNothingWritesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("every number in the group already") << card("N:Er;Ali;;;\r\nTEL:05321112233\r\n");
        QTest::newRow("a refused file") << QByteArray("Tarih,Tutar\n");
    }
    void anImportThatStoresNothingWritesNothing() {
        QFETCH(QByteArray, bytes);
        StringList recordLines = listOf({u"Ali"_s, u"Er"_s, u"05321112233"_s});
        StringList nameIndex(true);
        rebuildNameIndex(recordLines, nameIndex);
        const interchange::Plan plan = interchange::planImport(interchange::readBytes(bytes), recordLines);
        // a folder that is not there: any write would fail
        interchange::importIntoGroup(plan, u"/yok/Grup.vexo"_s, recordLines, nameIndex);
        QCOMPARE(texts(recordLines), (QStringList{u"Ali"_s, u"Er"_s, u"05321112233"_s}));
        QCOMPARE(texts(nameIndex), QStringList{u"Ali"_s});
    }

    void aFailedWriteChangesNothing_data() {
        QTest::addColumn<bool>("fullDisk");  // else a folder that is not there
        QTest::newRow("a full disk") << true;
        QTest::newRow("a missing folder") << false;
    }
    void aFailedWriteChangesNothing() {
        QFETCH(bool, fullDisk);
        TempHome home;
        const QStringList group{u"Ali"_s, u"Er"_s, u"05321112233"_s};
        home.write(u"Grup.vexo"_s, fileBytes(group));
        const QString path = fullDisk ? home.dataPath(u"Grup.vexo"_s) : home.dataPath(u"yok/Grup.vexo"_s);
        StringList recordLines = listOf(group);
        StringList nameIndex(true);
        rebuildNameIndex(recordLines, nameIndex);
        const interchange::Plan plan = interchange::planImport(
            interchange::readBytes(card("N:Can;Veli;;;\r\nTEL;CELL:05550000001\r\n")), recordLines);
        QCOMPARE(plan.added, 1);

        // a file size limit stands in for a full disk: a write past it fails
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        if (fullDisk) {
            rlimit small = old;
            small.rlim_cur = 30;
            setrlimit(RLIMIT_FSIZE, &small);
        }
        QString error;
        try {
            interchange::importIntoGroup(plan, path, recordLines, nameIndex);
        } catch (const StoreError& e) {
            error = e.message();
        }
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldSignal);

        QCOMPARE(error, u"Cannot create file "_s + QDir::toNativeSeparators(path));
        QCOMPARE(home.read(u"Grup.vexo"_s), QByteArray("Ali\r\nEr\r\n05321112233\r\n"));
        QCOMPARE(home.dataFiles(), QStringList{u"Grup.vexo"_s});
        QCOMPARE(texts(recordLines), group);
        QCOMPARE(texts(nameIndex), QStringList{u"Ali"_s});
    }

    void groupsAreWrittenOut_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Format>("format");
        QTest::addColumn<QByteArray>("bytes");
        const QStringList three{u"Şule"_s, u"Öztürk"_s, u"05321112233"_s, u"Ali"_s, u"Er, Ek; Son\\"_s, u"112"_s,
                                u"ipek"_s, QString(),   QString()};
        QTest::newRow("vCard 3.0")
            << three << Format::VCard30
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Öztürk;Şule;;;\r\nFN:Şule Öztürk\r\n"
                          "TEL;TYPE=CELL:+905321112233\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er\\, Ek\\; Son\\\\;Ali;;;\r\nFN:Ali Er\\, Ek\\; Son\\\\\r\n"
                          "TEL;TYPE=CELL:112\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;İpek;;;\r\nFN:İpek\r\nEND:VCARD\r\n");
        QTest::newRow("vCard 2.1")
            << three << Format::VCard21
            << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\n"
                          "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=96zt=C3=BCrk;=C5=9Eule;;;\r\n"
                          "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C5=9Eule =C3=96zt=C3=BCrk\r\n"
                          "TEL;CELL:+905321112233\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Er, Ek\\; Son\\\\;Ali;;;\r\nFN:Ali Er, Ek\\; Son\\\\\r\n"
                          "TEL;CELL:112\r\nEND:VCARD\r\n"
                          "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:;=C4=B0pek;;;\r\n"
                          "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C4=B0pek\r\nEND:VCARD\r\n");
        QTest::newRow("CSV") << three << Format::Csv
                             << QByteArray("\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\n"
                                           "Şule,Öztürk,05321112233\r\n"
                                           "Ali,\"Er, Ek; Son\\\",112\r\n"
                                           "İpek,,\r\n");
        const QStringList longOne{u"Abdurrahmangazi"_s, u"Çağlayangil Şıracıoğlu Küçükköseoğlu Gümüşsuyu"_s,
                                  u"5321112233"_s};
        QTest::newRow("vCard 3.0 folded at 75 bytes, between letters")
            << longOne << Format::VCard30
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n"
                          "N:Çağlayangil Şıracıoğlu Küçükköseoğlu Gümüşsuyu;Abdurrahmang\r\n azi;;;\r\n"
                          "FN:Abdurrahmangazi Çağlayangil Şıracıoğlu Küçükköseoğlu Gümüş\r\n suyu\r\n"
                          "TEL;TYPE=CELL:5321112233\r\nEND:VCARD\r\n");
        QTest::newRow("vCard 2.1 with soft breaks at 76 characters")
            << longOne << Format::VCard21
            << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\n"
                          "N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=87a=C4=9Flayangil =C5=9E=C4=\r\n"
                          "=B1rac=C4=B1o=C4=9Flu K=C3=BC=C3=A7=C3=BCkk=C3=B6seo=C4=9Flu G=C3=BCm=C3=BC=\r\n"
                          "=C5=9Fsuyu;Abdurrahmangazi;;;\r\n"
                          "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Abdurrahmangazi =C3=87a=C4=9Flay=\r\n"
                          "angil =C5=9E=C4=B1rac=C4=B1o=C4=9Flu K=C3=BC=C3=A7=C3=BCkk=C3=B6seo=C4=9Flu=\r\n"
                          "=20G=C3=BCm=C3=BC=C5=9Fsuyu\r\n"
                          "TEL;CELL:5321112233\r\nEND:VCARD\r\n");
        QTest::newRow("a cut-off last contact") << QStringList{u"Ali"_s, u"Er"_s} << Format::Csv
                                                << QByteArray("\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\n"
                                                              "Ali,Er,\r\n");
        QTest::newRow("an empty group") << QStringList{} << Format::VCard30 << QByteArray();
    }
    void groupsAreWrittenOut() {
        QFETCH(QStringList, lines);
        QFETCH(Format, format);
        QFETCH(QByteArray, bytes);
        QCOMPARE(interchange::exportLines(listOf(lines), format), bytes);
    }

    // A cell that a spreadsheet would run as a formula is written behind an
    // apostrophe, which the spreadsheet shows as text.
    void csvCellsLikeFormulasAreGuarded_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("row");  // the CSV's row after its header
        QTest::newRow("=") << QStringList{u"=HYPERLINK(\"x\")"_s, u"Er"_s, u"112"_s}
                           << QByteArray("\"'=HYPERLINK(\"\"x\"\")\",Er,112\r\n");
        QTest::newRow("+ and -") << QStringList{u"+Ali"_s, u"-Er"_s, u"112"_s} << QByteArray("'+Ali,'-Er,112\r\n");
        QTest::newRow("@, with a comma: quoted") << QStringList{u"@Ali, Veli"_s, u"Er"_s, u"112"_s}
                                                 << QByteArray("\"'@Ali, Veli\",Er,112\r\n");
        QTest::newRow("a number with a sign") << QStringList{u"Ali"_s, u"Er"_s, u"-112"_s} << QByteArray("Ali,Er,'-112\r\n");
        QTest::newRow("apostrophes before a sign") << QStringList{u"'=Ali"_s, u"''@Er"_s, u"112"_s}
                                                   << QByteArray("''=Ali,'''@Er,112\r\n");
        QTest::newRow("a sign inside or an apostrophe alone: as it is")
            << QStringList{u"Ali=Veli"_s, u"'Er"_s, u"1-12"_s} << QByteArray("Ali=Veli,'Er,1-12\r\n");
        QTest::newRow("a blank before the sign: quoted, not guarded")
            << QStringList{u" =Ali"_s, u"Er"_s, u"112"_s} << QByteArray("\" =Ali\",Er,112\r\n");
    }
    void csvCellsLikeFormulasAreGuarded() {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, row);
        QCOMPARE(interchange::exportLines(listOf(lines), Format::Csv),
                 "\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\n" + row);
    }

    // The reader takes the writer's apostrophe away again, and only that one.
    void csvGuardApostrophesAreTakenAway_data() {
        QTest::addColumn<QByteArray>("row");  // under "Ad,Soyad,Cep"
        QTest::addColumn<QString>("contact");
        QTest::newRow("before = and @") << QByteArray("'=Ali,'@Er,112") << u"+ =Ali|@Er|112"_s;
        QTest::newRow("before + in the number") << QByteArray("Ali,Er,'+90 532 111 22 33") << u"+ Ali|Er|05321112233"_s;
        QTest::newRow("in quotes") << QByteArray("\"'-Ali, Veli\",Er,112") << u"+ -Ali, Veli|Er|112"_s;
        QTest::newRow("one of several") << QByteArray("'''=Ali,Er,112") << u"+ ''=Ali|Er|112"_s;
        QTest::newRow("before a letter: kept") << QByteArray("'Ali,O'Neil,112") << u"+ 'Ali|O'Neil|112"_s;
        QTest::newRow("alone: kept") << QByteArray("',Er,112") << u"+ '|Er|112"_s;
    }
    void csvGuardApostrophesAreTakenAway() {
        QFETCH(QByteArray, row);
        QFETCH(QString, contact);
        const interchange::ReadResult read = interchange::readBytes("Ad,Soyad,Cep\r\n" + row + "\r\n");
        QCOMPARE(read.refusal, QString());
        QCOMPARE(describeAll(read.contacts), QStringList{contact});
    }

    void anExportComesBackByteForByte_data() {
        QTest::addColumn<Format>("format");
        QTest::addColumn<QStringList>("saved");  // in the order of saving
        QTest::addColumn<QStringList>("after");  // the group's lines after export and import; empty: the same
        // Turkish letters first, inside and last, in small letters and capitals;
        // equal names; signs that each format must escape or quote
        const QStringList turkish{
            u"Çağrı"_s,  u"Öztürkoğlu"_s,          u"05321112233"_s, u"Şükrü"_s, u"ÇİĞDEMOĞLU"_s, u"05331112233"_s,
            u"Ömer"_s,   u"Güneş"_s,               u"05341112233"_s, u"Ülkü"_s,  u"Ağaç"_s,       u"05351112233"_s,
            u"İpek"_s,   u"Işık Iğdır"_s,          u"05361112233"_s, u"ılgaz"_s, u"Koç"_s,        u"05371112233"_s,
            u"Ğöçüşı"_s, u"İĞÜŞÖÇ"_s,              u"112"_s,         u"Ayşegül"_s, u"Şahinöğüt"_s,  u"2123334455"_s,
            u"Ayşegül"_s, u"Barış; \"Can\", Jr.\\"_s, u"05391112233"_s, u"Gül "_s, u" Öz"_s,       u"05401112233"_s,
            u"Ali"_s,    QString(),                 u"05411112233"_s, u"Boşluk"_s, u"  "_s,      u"05421112233"_s};
        for (const auto& [name, format] : {std::pair{"vCard 3.0", Format::VCard30}, std::pair{"vCard 2.1", Format::VCard21},
                                           std::pair{"CSV", Format::Csv}})
            QTest::newRow(name) << format << turkish << QStringList{};
        const QStringList tenDigits{u"Ali"_s, u"Er"_s, u"5321112233"_s};
        const QStringList normalised{u"Ali"_s, u"Er"_s, u"05321112233"_s};
        QTest::newRow("vCard 3.0, ten digits starting 5") << Format::VCard30 << tenDigits << normalised;
        QTest::newRow("CSV, ten digits starting 5") << Format::Csv << tenDigits << normalised;
        QTest::newRow("vCard 2.1, eleven digits starting 00")
            << Format::VCard21 << QStringList{u"Ali"_s, u"Er"_s, u"00607756373"_s} << QStringList{};
        const QStringList formulas{u"=1+1"_s, u"+Er"_s, u"05321112233"_s, u"@Ali"_s, u"-"_s, u"05331112233"_s,
                                   u"'=Veli"_s, u"''+Er"_s, u"05341112233"_s, u"'Ali"_s, u"O'Neil"_s, u"05351112233"_s};
        QTest::newRow("CSV, cells that start like formulas") << Format::Csv << formulas << QStringList{};
    }
    void anExportComesBackByteForByte() {
        QFETCH(Format, format);
        QFETCH(QStringList, saved);
        QFETCH(QStringList, after);
        TempHome home;
        const StringList group = savedGroup(saved);
        const QByteArray groupFile = textfile::joinLines(group.lines());
        const QByteArray exported = interchange::exportLines(group, format);

        home.write(u"Boş.vexo"_s, QByteArray());
        StringList recordLines, nameIndex(true);
        const interchange::Plan plan = interchange::planImport(interchange::readBytes(exported), recordLines);
        QCOMPARE(plan.leftOut, 0);
        interchange::importIntoGroup(plan, home.dataPath(u"Boş.vexo"_s), recordLines, nameIndex);
        QCOMPARE(home.read(u"Boş.vexo"_s), after.isEmpty() ? groupFile : fileBytes(after));
    }

    void theFormatFollowsTheEnding_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("start");  // of the file exportToFile writes
        QTest::newRow(".vcf") << u"rehber.vcf"_s << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n");
        QTest::newRow(".VCARD") << u"rehber.VCARD"_s << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n");
        QTest::newRow(".csv") << u"rehber.csv"_s << QByteArray("\xEF\xBB\xBF" "First Name,");
        QTest::newRow(".Csv") << u"Rehber.Csv"_s << QByteArray("\xEF\xBB\xBF" "First Name,");
        QTest::newRow("another ending: vCard 3.0") << u"rehber.txt"_s << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\n");
    }
    void theFormatFollowsTheEnding() {
        QFETCH(QString, path);
        QFETCH(QByteArray, start);
        TempHome home;
        const QString file = home.path() + u'/' + path;
        interchange::exportToFile(listOf({u"Ali"_s, u"Er"_s, u"05321112233"_s}), file);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().left(start.size()), start);
        QCOMPARE(interchange::formatForPath(path).has_value(), !path.endsWith(u".txt"_s));
    }

    // 100,000 cards are read and placed; the capacity goes negative, as a save's does.
    void aHundredThousandCards_data() {
        QTest::addColumn<Format>("format");
        QTest::newRow("vCard 3.0") << Format::VCard30;
        QTest::newRow("CSV") << Format::Csv;
    }
    void aHundredThousandCards() {
        QFETCH(Format, format);
        StringList group;
        for (int i = 0; i < 100000; ++i) {
            // names in falling order, so every one moves
            group.add(QString::number(199999 - i).prepend(u"Kişi"_s));
            group.add(u"Soyad"_s);
            group.add(QString::number(5300000000LL + i).prepend(u'0'));
        }
        const interchange::ReadResult read = interchange::readBytes(interchange::exportLines(group, format));
        QCOMPARE(read.contacts.size(), 100000);
        const interchange::Plan plan = interchange::planImport(read, StringList());
        QCOMPARE(plan.added, 100000);
        QCOMPARE(plan.remainingCapacity, -89088);
        StringList recordLines, nameIndex(true);
        interchange::applyImport(plan, recordLines, nameIndex);
        QCOMPARE(recordLines.count(), 300000);
        QCOMPARE(recordLines.text(0), u"Kişi100000"_s);
        QCOMPARE(recordLines.text(299997), u"Kişi199999"_s);
        QCOMPARE(recordLines.text(299999), u"05300000000"_s);
    }
};

QTEST_GUILESS_MAIN(TestInterchange)
#include "tst_interchange.moc"
