#pragma once
// The lines of a group's print-out, without any window: the five header
// lines, one block per contact, and the progress text of the composition.
//
// The page reads, line by line:
//   "Yazdırım Tarihi :" + date
//   "Yazdırım Saati :" + time
//   "Toplam Kayıtlı Kişi:" + contacts (the source's lines / 3)
//   the group line ("Grup:" + the group's name)
//   the separator
// then per contact "İsim :" + name, "Soyad :" + surname, "Cep No :" +
// number and the separator. The last line is the separator after the last
// contact.

#include "store/stringlist.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

namespace printout {

extern const QString Separator;  // 36 hyphens

QStringList header(const QString& date, const QString& time, int sourceLineCount, const QString& groupLine);

// The block of the contact whose name stands at line `position` of the
// source. A line missing at the end of a damaged file prints empty.
QStringList contactBlock(const StringList& source, int position);

// The progress label while the contact after `position` is added:
// (lines / 3) + " kişide " + (position / 3 + 1) + ".kişinin kaydı okunuyor..!",
// `position` being the new contact's name line.
QString progressText(int sourceLineCount, int position);

// The date and time lines' values: the locale's short date, and its time
// with seconds (its long time format without the time zone).
QString dateText(const QLocale& locale, const QDate& date);
QString timeText(const QLocale& locale, const QTime& time);

}  // namespace printout
