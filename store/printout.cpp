#include "store/printout.h"

#include "store/contacts.h"

#include <QDate>

namespace printout {

const QString Separator = QStringLiteral("------------------------------------");

QStringList header(const QString& date, const QString& time, int sourceLineCount, const QString& groupLine) {
    return {QStringLiteral("Yazdırım Tarihi :") + date, QStringLiteral("Yazdırım Saati :") + time,
            QStringLiteral("Toplam Kayıtlı Kişi:") + QString::number(sourceLineCount / 3), groupLine, Separator};
}

QStringList contactBlock(const StringList& source, int position) {
    return {QStringLiteral("İsim :") + contacts::lineOrEmpty(source, position),
            QStringLiteral("Soyad :") + contacts::lineOrEmpty(source, position + 1),
            QStringLiteral("Cep No :") + contacts::lineOrEmpty(source, position + 2), Separator};
}

QString progressText(int sourceLineCount, int position) {
    return QString::number(sourceLineCount / 3) + QStringLiteral(" kişide ") + QString::number(position / 3 + 1) +
           QStringLiteral(".kişinin kaydı okunuyor..!");
}

QString dateText(const QLocale& locale, const QDate& date) { return locale.toString(date, QLocale::ShortFormat); }

namespace {

// The pattern without its time-zone field ("t" to "tttt") and the blanks
// that set the field apart; quoted text is kept as it is.
QString withoutTimeZone(const QString& pattern) {
    QString out;
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) {
            while (out.endsWith(QLatin1Char(' '))) out.chop(1);
            while (i + 1 < pattern.size() && pattern[i + 1] == QLatin1Char('t')) ++i;
            // blanks after the zone go too when it stood first
            if (out.isEmpty())
                while (i + 1 < pattern.size() && pattern[i + 1] == QLatin1Char(' ')) ++i;
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

}  // namespace

QString timeText(const QLocale& locale, const QTime& time) {
    QString pattern = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    if (!pattern.contains(QLatin1Char('s'))) pattern = locale.timeFormat(QLocale::ShortFormat) + QStringLiteral(":ss");
    return locale.toString(time, pattern);
}

}  // namespace printout
