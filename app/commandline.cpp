#include "app/commandline.h"

#include "app/clicommon.h"
#include "app/synccommands.h"
#include "book/phonebook.h"
#include "platform/datafolderlock.h"
#include "store/datafolder.h"
#include "store/interchange.h"
#include "store/pendinggroups.h"
#include "store/storeerror.h"
#include "store/stringlist.h"
#include "store/textfile.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

using namespace cli;

const QString Works = QStringLiteral("--import, --export, --sync-setup, --sync, --sync-remove, --help ya da --version");

// The options as given: each at most once, with its arguments.
struct Options {
    QString work;  // one of Works
    QStringList workArguments;
    std::optional<QString> group, format, user;
    bool passwordStdin = false, confirmDeletion = false;
};

// How many arguments a work takes; -1 for what is no work.
int workArgumentCount(const QString& option) {
    if (option == u"--help" || option == u"--version") return 0;
    if (option == u"--import" || option == u"--sync" || option == u"--sync-remove") return 1;
    if (option == u"--export" || option == u"--sync-setup") return 2;
    return -1;
}

// The usage error of an option given with the wrong work, or left out.
QString misplaced(const Options& o) {
    const auto only = [](const char* option, const char* work) {
        return QStringLiteral("%1 yalnızca %2 ile verilir.").arg(QLatin1String(option), QLatin1String(work));
    };
    if (o.work.isEmpty()) return QStringLiteral("Bir iş verilmedi: %1.").arg(Works);
    if (o.group && o.work != u"--import") return only("--group", "--import");
    if (o.format && o.work != u"--export") return only("--format", "--export");
    if (o.user && o.work != u"--sync-setup") return only("--user", "--sync-setup");
    if (!o.user && o.work == u"--sync-setup") return QStringLiteral("--sync-setup için --user AD gerekir.");
    if (o.passwordStdin && o.work != u"--sync-setup" && o.work != u"--sync")
        return only("--password-stdin", "--sync-setup ya da --sync");
    if (o.confirmDeletion && o.work != u"--sync") return only("--confirm-deletion", "--sync");
    return QString();
}

// The options, or the usage error's message.
std::optional<Options> parse(const QStringList& arguments, QString& error) {
    Options o;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& option = arguments[i];
        const auto take = [&](int count, QStringList& into) {
            for (int k = 1; k <= count; ++k) {
                if (i + k >= arguments.size() || arguments[i + k].startsWith(QStringLiteral("--"))) {
                    error = QStringLiteral("%1 için bir argüman eksik.").arg(option);
                    return false;
                }
                into << arguments[i + k];
            }
            i += count;
            return true;
        };
        const auto once = [&](bool given) {
            if (given) error = QStringLiteral("%1 birden çok kez verildi.").arg(option);
            return !given;
        };
        QStringList values;
        if (const int count = workArgumentCount(option); count >= 0) {
            if (!o.work.isEmpty()) {
                error = QStringLiteral("Tek bir iş verilebilir: %1.").arg(Works);
                return std::nullopt;
            }
            o.work = option;
            if (!take(count, o.workArguments)) return std::nullopt;
        } else if (option == u"--group" || option == u"--format" || option == u"--user") {
            std::optional<QString>& slot = option == u"--group" ? o.group : option == u"--format" ? o.format : o.user;
            if (!once(slot.has_value()) || !take(1, values)) return std::nullopt;
            slot = values.first();
        } else if (option == u"--password-stdin" || option == u"--confirm-deletion") {
            bool& flag = option == u"--password-stdin" ? o.passwordStdin : o.confirmDeletion;
            if (!once(flag)) return std::nullopt;
            flag = true;
        } else if (option == u"--password" || option.startsWith(QStringLiteral("--password="))) {
            error = QStringLiteral("Parola argüman olarak verilmez (başkaları görebilir): --password-stdin ile "
                                   "standart girdiden verin.");
            return std::nullopt;
        } else if (option.startsWith(QStringLiteral("-"))) {
            error = QStringLiteral("Bilinmeyen seçenek: %1").arg(shown(option));
            return std::nullopt;
        } else {
            error = QStringLiteral("Fazla argüman: %1").arg(shown(option));
            return std::nullopt;
        }
    }
    error = misplaced(o);
    if (!error.isEmpty()) return std::nullopt;
    return o;
}

// A contact in a report line: its name, surname and number, the empty ones left out.
QString described(const interchange::ReadContact& c) {
    QStringList parts;
    for (const QString& part : {c.name(), c.surname(), c.number()})
        if (!part.trimmed().isEmpty()) parts << part;
    return parts.isEmpty() ? QStringLiteral("(boş)") : shown(parts.join(QLatin1Char(' ')));
}

int importFile(const QString& file, const std::optional<QString>& group) {
    if (!QFileInfo::exists(file)) return fail(QStringLiteral("%1: Dosya bulunamadı!").arg(shown(file)));
    const interchange::ReadResult read = interchange::readFile(file);
    if (read.refused()) return fail(shown(file) + QStringLiteral(": ") + read.refusal);
    PhoneBook book;
    QString error;
    const std::optional<QString> name = openGroup(book, group, error);
    if (!name) return fail(error);
    const interchange::Plan plan = interchange::planImport(read, book.recordLines());
    try {
        book.importInto(*name, plan);
    } catch (const StoreError&) {
        return fail(QStringLiteral("\"%1\" grubunun dosyası yazılamadı; grup olduğu gibi kaldı: %2")
                        .arg(shown(*name), shown(book.activeGroupPath())));
    }
    QString report;
    for (const interchange::ReadContact& c : plan.contacts) {
        if (c.fate == interchange::Fate::LeftOut)
            report += QStringLiteral("Dışarıda kaldı: ") + described(c) + QStringLiteral(": ") + shown(c.reason) + QLatin1Char('\n');
        else if (c.fate == interchange::Fate::Changed)
            report += QStringLiteral("Değiştirildi: ") + described(c) + QStringLiteral(": ") + shown(c.reason) + QLatin1Char('\n');
    }
    report += QStringLiteral("\"%1\" grubuna %2 kişi eklendi (%3 tanesi değiştirilerek), %4 kişi dışarıda kaldı; "
                             "kalan kapasite %5 kişi.\n")
                  .arg(shown(*name), QString::number(plan.stored()), QString::number(plan.changed),
                       QString::number(plan.leftOut), QString::number(plan.remainingCapacity));
    print(stdout, report);
    return Done;
}

int exportGroup(const QString& group, const QString& file, interchange::Format format) {
    PhoneBook book;
    QString error;
    const std::optional<QString> name = openGroup(book, group, error);
    if (!name) return fail(error);
    try {
        interchange::exportToFile(book.recordLines(), file, format);
    } catch (const interchange::ExportRefused& e) {
        return fail(shown(e.message()));
    } catch (const StoreError&) {
        return fail(QStringLiteral("%1: Dosya yazılamadı!").arg(shown(file)));
    }
    print(stdout, QStringLiteral("\"%1\" grubunun %2 kişisi %3 dosyasına yazıldı.\n")
                      .arg(shown(*name), QString::number(datafolder::contactsHeld(book.recordLines().count())),
                           shown(file)));
    return Done;
}

// The export's format: --format's, else the file's ending's; none with the
// usage error's message.
std::optional<interchange::Format> exportFormat(const Options& o, QString& error) {
    const QString& file = o.workArguments[1];
    if (!o.format) {
        const std::optional<interchange::Format> format = interchange::formatForPath(file);
        if (!format)
            error = QStringLiteral("%1: Biçim dosyanın uzantısından anlaşılmıyor (.vcf, .vcard ya da .csv); "
                                   "--format ile verin.")
                        .arg(shown(file));
        return format;
    }
    if (*o.format == u"vcard") return interchange::Format::VCard30;
    if (*o.format == u"vcard21") return interchange::Format::VCard21;
    if (*o.format == u"csv") return interchange::Format::Csv;
    error = QStringLiteral("Bilinmeyen biçim: %1 (vcard, vcard21 ya da csv olmalı).").arg(shown(*o.format));
    return std::nullopt;
}

}  // namespace

bool isCommandLine(int argc, char** argv) {
    // The window takes no argument but the one a desktop session's manager
    // gives the copy it starts again: "-session ID".
    return argc > 1 && !(argc == 3 && std::strcmp(argv[1], "-session") == 0);
}

int runCommandLine(const QStringList& arguments) {
    QString error;
    const std::optional<Options> o = parse(arguments, error);
    if (!o) return usageError(error);
    if (o->work == u"--help") {
        print(stdout, HelpText);
        return Done;
    }
    if (o->work == u"--version") {
        print(stdout, QStringLiteral("telefika (Telefika 2003) ") + QStringLiteral(TELEFIKA_VERSION) + QLatin1Char('\n'));
        return Done;
    }
    std::optional<interchange::Format> format;
    if (o->work == u"--export" && !(format = exportFormat(*o, error))) return usageError(error);
    if (o->work == u"--sync-setup" && !(error = synccommands::addressProblem(o->workArguments[1])).isEmpty())
        return usageError(error);
    // A write the disk did not confirm is done all the same (the file holds
    // the change): the work ends as done, with the warning after it.
    static QStringList unsynced;
    textfile::setUnsyncedWriteHandler([](const QString& path) {
        if (!unsynced.contains(path)) unsynced << path;
    });
    // As the window copy: held until the end, refused while another copy
    // runs; then what a killed copy left half-done is settled.
    DataFolderLock lock;
    if (!DataFolderLock::mayStart(lock.acquire())) return fail(lock.message());
    pendinggroups::settleAtStart(datafolder::groupListPath());
    const QStringList& a = o->workArguments;
    int status = Failed;
    if (o->work == u"--import") status = importFile(a[0], o->group);
    else if (o->work == u"--export") status = exportGroup(a[0], a[1], *format);
    else if (o->work == u"--sync-setup") status = synccommands::setup(a[0], a[1], *o->user, o->passwordStdin);
    else if (o->work == u"--sync") status = synccommands::sync(a[0], o->passwordStdin, o->confirmDeletion);
    else status = synccommands::remove(a[0]);
    QStringList files;
    for (const QString& path : std::as_const(unsynced)) files << shown(path);
    if (!files.isEmpty()) print(stderr, QStringLiteral("telefika: ") + textfile::unsyncedWarning(files));
    return status;
}
