#pragma once
// Contacts in and out of a group: vCard and CSV files read into contacts that
// the main window's save accepts, their import planned into a group and
// written in one go, and a group written out as vCard or CSV. No widget.
//
// Reading (readBytes, readFile) takes vCard 2.1, 3.0 and 4.0 and CSV; which
// one is told by the file's first 64 KiB: a file whose first text is
// BEGIN:VCARD, or with a later line that is BEGIN:VCARD alone (the text
// before it is passed over), is a vCard file; else one whose CSV header names
// a known column (below) is a CSV file; any other is refused as no contacts
// file, before the rest of it is read. Text is UTF-8
// with or without a byte order mark, UTF-16 with one or without one (told
// by the zero high bytes of its first ASCII letters, big or little endian),
// or code page 1254 when it is not valid UTF-8.
//
// vCard: lines are unfolded (a line break, CR LF or LF, followed by a blank
// or a tab joins the next line, less that one character); a value marked
// QUOTED-PRINTABLE is decoded, its soft line breaks ("=" at the line's end)
// joining the next line, and then read in its CHARSET (UTF-8, code page 1254
// and ISO-8859-9 by our own table, any other that Qt can decode); a value
// without CHARSET is UTF-8 when it is valid UTF-8, code page 1254 otherwise.
// BASE64 values are decoded too. Escapes \, \; \n (or \N) and \\ are read as
// , ; a line break and \. A property may carry a group prefix (item1.TEL).
// Types are read bare (TEL;CELL;PREF), as TYPE lists in any letter case
// (TYPE=CELL,VOICE / type=cell;type=voice / TYPE="cell,voice"), and a TEL
// whose group has an X-ABLabel holding Mobile, Cell or Cep (in any letter
// case, as in "_$!<Mobile>!$_") counts as marked CELL. A
// tel: URI (4.0) gives its number, without parameters after ";".
//   N is family;given;additional;prefix;suffix: the name is given (with
// additional after a blank), the surname family; in 3.0 and 4.0 a comma
// separates values inside a component and reads as a blank. Without a
// usable N (none, or family, given and additional all blank) FN is split at
// its last blank into name and surname; FN of one word is the name. The
// number is the first TEL marked CELL or MOBILE (or IPHONE), else the first
// TEL; a TEL with an empty value counts as none. Properties of a card inside
// a card (a 2.1 AGENT) are passed over.
//
// CSV: the first row is the header; the separator is the one of comma,
// semicolon and tab that the header uses most (comma when it uses none), or
// the one Excel's first line "sep=;" (or "sep=," and so on) names; that line
// is no row. Cells may be quoted, with "" for a quote and line breaks inside
// quotes. Columns are found by their header in any letter case (the four
// forms of I count as one letter, and blanks around the header do not count):
//   name        First Name, Given Name, Ad, Adı, İsim (Middle Name,
//               Additional Name, İkinci Ad, İkinci Adı and Göbek Adı follow
//               it after a blank)
//   surname     Last Name, Family Name, Soyad, Soyadı, Soyisim
//   full name   Name, Full Name, Display Name, Ad Soyad, Adı Soyadı, used
//               as FN is when the row has no name and no surname
//   number      the first non-empty of the columns whose header names a
//               mobile as a word anywhere in it (Mobile, Mobil, Cell,
//               Cellular, Cep, GSM: "Home Mobile", "Mobile Phone 2", "İş
//               Cep"); a "Phone N - Value" whose "Phone N - Label" (or "-
//               Type") is Mobile, Cell or Cep (a leading "*" aside); else the
//               first phone column (a header holding Phone or Telefon, or
//               Tel, Numara, Number)
// Of several columns of one kind, the first cell with text counts (else the
// first cell as it is). A cell holding "a ::: b" gives a. A cell that starts
// with an apostrophe followed, after any more apostrophes, by = + - or @
// loses that first apostrophe (the writer's guard against formulas, below).
// Rows with no text in any cell are passed over. A header with neither a name nor a number column refuses the file.
//
// Every contact read is then cleaned as the main window's save wants it:
//   - texts are put into composed form; line breaks, tabs and other control
//     characters become blanks (changed: "Satır sonları boşluğa çevrildi");
//     characters code page 1254 has no byte for are removed, with the blanks
//     then at either end of that text (changed: "Türkçe kod sayfasında
//     olmayan harfler çıkarıldı");
//   - a name or surname longer than contacts::FieldLength is cut to it
//     (changed: "İsim 64 harfe kısaltıldı", "Soyad 64 harfe kısaltıldı");
//   - then a blank name with a surname takes the surname as name (changed:
//     "Soyad isim olarak alındı"); a blank name and surname leave the contact
//     out ("İsim ve soyad boş");
//   - the name's first letter becomes what contacts::normalisedName makes
//     of it (no change reported: a save does the same);
//   - the number goes through normalisedNumber; a contact without one is left
//     out ("Numara yok"), one whose number is not valid too ("Numara
//     geçersiz"); one whose number had a pause or an extension after it is
//     changed ("Numaranın sonundaki bekleme ya da dahili kısmı çıkarıldı").
// A contact may have several reasons; they stand in its reason joined by
// "; ". Texts are kept as read otherwise: no blank is trimmed from a name.
//
// A file is refused whole, with a Turkish text, when it is empty or blank
// ("Dosya boş!"), is no file ("Bu bir klasör, bir dosya değil!", "Bu bir
// adlandırılmış kanal (FIFO), bir dosya değil!", "Bu bir soket, bir dosya
// değil!", "Bu bir aygıt, bir dosya değil!": none is opened, so a pipe never
// holds the reading up), cannot be read ("Dosya okunamadı!"), is larger than 256 MiB
// ("Dosya çok büyük!"), has a line longer than 1 MiB ("Dosyada çok uzun bir
// satır var!"), is neither a vCard file nor a CSV file with a known column
// ("Bu dosya bir kişi dosyası değil!"), holds a NUL byte ("Dosya bozuk:
// içinde NUL baytı var!"), ends inside a card ("Dosya yarım: bir kartın
// sonu (END:VCARD) yok!") or inside a quoted CSV cell ("Dosya bozuk:
// kapanmayan bir tırnak var!"), or holds no contact ("Dosyada hiç kişi
// yok!").
//
// Writing: vCard 3.0 in UTF-8 with CR LF (N:surname;name;;;, FN, TEL;TYPE=CELL,
// lines folded at 75 bytes); vCard 2.1 the same with TEL;CELL, and a value
// that is not ASCII written CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE with soft
// line breaks at 76 characters; CSV in UTF-8 with a byte order mark, commas
// and CR LF, under the header "First Name,Last Name,Mobile Phone"; a cell
// whose first character after any apostrophes is = + - or @, which a
// spreadsheet would run as a formula, gets one apostrophe before it. An
// eleven-digit number starting 0 and then another digit is written in vCard
// as +90 and the rest; every other number, and every CSV number, as stored.
// A name in its i-form (a save makes İ, I, ı and i at a name's start the
// small dotted i) is written with the capital İ first, as every other name
// starts with a capital; reading makes it the i again. A contact without a
// number line gets no TEL. Importing an export into an empty group gives the
// group's file byte for byte, but for a stored number that normalisedNumber
// changes (ten digits starting 5 come back with a 0).

#include "store/storeerror.h"
#include "store/stringlist.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace interchange {

enum class Format { VCard30, VCard21, Csv };

// The format a file's ending asks for: .vcf and .vcard give vCard 3.0, .csv
// gives CSV, in any letter case; none for any other ending.
std::optional<Format> formatForPath(const QString& path);

// The number as a group stores it, or "" when it cannot be one: blanks of
// every kind (the no-break and the thin space too), invisible direction
// marks, dashes of every kind (the en and em dash, the no-break hyphen, the
// minus sign) and ( ) . / dropped; "+90" or "0090" at the start becomes "0",
// and a 0 right after it goes ("+90 0532..." as "+90 532..."); a "+" before
// any other code leaves no number; twelve digits starting 90 become 0 and the
// last ten; ten digits starting 5 get a 0 in front. A pause or an extension
// after the number ("p", "w", ",", ";", "ext", "dahili", in any letter case,
// and all after it) goes. The result must be 1 to 11 digits.
QString normalisedNumber(const QString& read);

// What the import does with a contact.
enum class Fate { Added, Changed, LeftOut };

struct ReadContact {
    // Added and changed: the lines as they will be stored, in code page
    // 1254. Left out: the lines as far as they were read and cleaned (the
    // number as read, '?' for a character the code page has not).
    QByteArray nameLine, surnameLine, numberLine;
    Fate fate = Fate::Added;
    QString reason;  // empty when added

    QString name() const;
    QString surname() const;
    QString number() const;
};

}  // namespace interchange

Q_DECLARE_TYPEINFO(interchange::ReadContact, Q_RELOCATABLE_TYPE);

namespace interchange {

struct ReadResult {
    QString refusal;              // empty when the file was read
    QList<ReadContact> contacts;  // in the file's order; none when refused
    bool refused() const { return !refusal.isEmpty(); }
};

ReadResult readBytes(const QByteArray& bytes);
ReadResult readFile(const QString& path);

// An import into a group, as the preview shows it.
struct Plan {
    // The read contacts with what the group makes of them: a contact whose
    // number a line of the group already holds (the save's lookup, among all
    // lines, without regard to case) is left out with "Bu numara grupta
    // zaten var", one whose number a contact kept earlier from the same file
    // holds with "Bu numara dosyada daha önce geçti".
    QList<ReadContact> contacts;
    int added = 0, changed = 0, leftOut = 0;
    int linesAfter = 0;         // the group's lines after the import
    int remainingCapacity = 0;  // "Kalan Kapasite" after it; negative past a full group
    int stored() const { return added + changed; }
};

// A refused read plans nothing: no contact, the group's figures as they are.
Plan planImport(const ReadResult& read, const StringList& recordLines);

// Places the added and changed contacts into the group's lines, each at its
// name's place as contacts::placeContact puts it, ahead of the group's
// contacts of an equal name; among themselves, contacts of an equal name keep
// the file's order. NameIndex must hold the group's names (rebuildNameIndex)
// and holds them after. The plan must have been made on these lines.
void applyImport(const Plan& plan, StringList& recordLines, StringList& nameIndex);

// applyImport, written over the group's file in one whole-file write before
// recordLines and nameIndex take the result. A failed write throws "Cannot
// create file %s" (StoreError) and leaves the file and both lists as they
// were. A plan that stores no contact writes nothing.
void importIntoGroup(const Plan& plan, const QString& groupPath, StringList& recordLines, StringList& nameIndex);

// A group's lines as a file of the format: contact k is lines 3k, 3k+1 and
// 3k+2, a missing line an empty text.
QByteArray exportLines(const StringList& recordLines, Format format);

// The refusal of an export's target, its text the user's message.
class ExportRefused : public StoreError {
public:
    using StoreError::StoreError;
};

// exportLines written whole over path (through textfile::writeBytes), in
// the format given, else the one its ending asks for, else vCard 3.0. A
// named pipe, a socket or a device is written into as it is
// (textfile::writeInto), never replaced. A target in the DataFolder
// (datafolder::holds), or the program's own lock or list of pending groups
// beside it, is refused: ExportRefused with "<path>: Dışa aktarma Telefika
// 2003'ün veri havuzuna yazılamaz!", nothing written. Throws "Cannot create
// file %s" (StoreError) when the write fails.
void exportToFile(const StringList& recordLines, const QString& path, std::optional<Format> format = {});

}  // namespace interchange
