#include "sync/syncreport.h"

namespace {

QString shown(const SyncContact& c) {
    QStringList parts;
    for (const QString& part : {c.name, c.surname, c.number})
        if (!part.isEmpty()) parts.append(part);
    return parts.join(QLatin1Char(' '));
}

QString prefix(SyncReport::Side side, SyncReport::Kind kind) {
    const bool here = side == SyncReport::Side::Here;
    switch (kind) {
    case SyncReport::Kind::Added: return here ? QStringLiteral("Buraya eklendi") : QStringLiteral("Sunucuya eklendi");
    case SyncReport::Kind::Changed:
        return here ? QStringLiteral("Burada değiştirildi") : QStringLiteral("Sunucuda değiştirildi");
    case SyncReport::Kind::Deleted: return here ? QStringLiteral("Burada silindi") : QStringLiteral("Sunucuda silindi");
    case SyncReport::Kind::LeftOut: return QStringLiteral("Dışarıda kaldı");
    }
    return QString();
}

QString counts(const SyncReport& report, SyncReport::Side side) {
    return QStringLiteral("%1 eklendi, %2 değiştirildi, %3 silindi.")
        .arg(report.count(side, SyncReport::Kind::Added))
        .arg(report.count(side, SyncReport::Kind::Changed))
        .arg(report.count(side, SyncReport::Kind::Deleted));
}

}  // namespace

int SyncReport::count(Side side, Kind kind) const {
    int n = 0;
    for (const Entry& e : entries)
        if (e.kind == kind && (kind == Kind::LeftOut || e.side == side)) ++n;
    return n;
}

QStringList SyncReport::lines() const {
    QStringList out;
    for (const Entry& e : entries) {
        QString line = prefix(e.side, e.kind) + QStringLiteral(": ") + shown(e.contact);
        if (!e.reason.isEmpty()) line += QStringLiteral(" (") + e.reason + QLatin1Char(')');
        out.append(line);
    }
    for (const Conflict& c : conflicts)
        out.append(QStringLiteral("Çakışma: burada ") + shown(c.here) + QStringLiteral(", sunucuda ") + shown(c.server));
    return out;
}

QString SyncReport::summary() const {
    return QStringLiteral("Burada: ") + counts(*this, Side::Here) + QStringLiteral(" Sunucuda: ") +
           counts(*this, Side::Server) +
           QStringLiteral(" Dışarıda kalan: %1. Çakışma: %2.")
               .arg(count(Side::Server, Kind::LeftOut))
               .arg(conflicts.size());
}
