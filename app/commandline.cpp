#include "app/commandline.h"

#include "book/phonebook.h"
#include "platform/datafolderlock.h"
#include "store/collation.h"
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

enum Exit { Done = 0, Failed = 1, UsageError = 2 };

const QString UsageLines = QStringLiteral(
    "Kullanım:\n"
    "  telefika                                  ana pencereyi açar\n"
    "  telefika --import DOSYA [--group GRUP]\n"
    "  telefika --export GRUP DOSYA [--format vcard|vcard21|csv]\n"
    "  telefika --help\n"
    "  telefika --version\n");

const QString HelpText = UsageLines + QStringLiteral(
    "\n"
    "Seçenekler:\n"
    "  --import DOSYA   DOSYA'daki kişileri (vCard ya da CSV) bir gruba ekler;\n"
    "                   dışarıda kalan ve değiştirilen her kişiyi nedeniyle, sonra\n"
    "                   sayıları yazar\n"
    "  --group GRUP     --import'un grubu (grup listesinde olmalı); verilmezse\n"
    "                   kullanılan grup\n"
    "  --export GRUP DOSYA\n"
    "                   GRUP'un kişilerini DOSYA'ya bütün olarak yazar\n"
    "  --format BİÇİM   --export'un biçimi: vcard (vCard 3.0), vcard21 (vCard 2.1)\n"
    "                   ya da csv; verilmezse dosyanın uzantısından (.vcf, .vcard,\n"
    "                   .csv)\n"
    "  --help           bu yardımı yazar\n"
    "  --version        sürümü yazar\n"
    "\n"
    "Pencereyle çalışan bir Telefika 2003 aynı veri havuzunu kullanırken hiçbir şey\n"
    "yazılmaz.\n"
    "Çıkış durumu: 0 iş yapıldı, 1 iş yapılamadı (nedeni standart hataya yazılır),\n"
    "2 kullanım hatası.\n");

QString hex(char16_t u, int digits) {
    return QString::number(u, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// A text as the terminal may show it: every control character (line
// breaks, ESC, the C1 range, the marks that turn the direction of writing)
// written as an escape, so that no name from a file or an argument can move
// the cursor, change colours or forge a line.
QString shown(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool bidi = u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E) ||
                          (u >= 0x2066 && u <= 0x2069);
        if (u == u'\n') out += QStringLiteral("\\n");
        else if (u == u'\t') out += QStringLiteral("\\t");
        else if (u == u'\r') out += QStringLiteral("\\r");
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0)) out += QStringLiteral("\\x") + hex(u, 2);
        else if (bidi) out += QStringLiteral("\\u") + hex(u, 4);
        else out += c;
    }
    return out;
}

// Every line the command line writes goes through shown(); a text given
// here breaks into lines at its own line breaks, so a name put into it
// passes through shown() first (its breaks are then escapes).
void print(std::FILE* to, const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast();
    QString out;
    for (const QString& line : lines) out += shown(line) + QLatin1Char('\n');
    std::fputs(out.toLocal8Bit().constData(), to);
    std::fflush(to);
}

int fail(const QString& message) {
    print(stderr, QStringLiteral("telefika: ") + message + QLatin1Char('\n'));
    return Failed;
}

int usageError(const QString& message) {
    print(stderr, QStringLiteral("telefika: ") + message + QLatin1Char('\n') + UsageLines +
                      QStringLiteral("Bütün seçenekleri 'telefika --help' gösterir.\n"));
    return UsageError;
}

// The options as given: each at most once, with its arguments.
struct Options {
    QString work;  // --import, --export, --help or --version
    QStringList workArguments;
    std::optional<QString> group, format;
};

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
        if (option == u"--import" || option == u"--export" || option == u"--help" || option == u"--version") {
            if (!o.work.isEmpty()) {
                error = QStringLiteral("Tek bir iş verilebilir: --import, --export, --help ya da --version.");
                return std::nullopt;
            }
            o.work = option;
            const int count = option == u"--import" ? 1 : option == u"--export" ? 2 : 0;
            if (!take(count, o.workArguments)) return std::nullopt;
        } else if (option == u"--group" || option == u"--format") {
            std::optional<QString>& slot = option == u"--group" ? o.group : o.format;
            if (!once(slot.has_value()) || !take(1, values)) return std::nullopt;
            slot = values.first();
        } else if (option.startsWith(QStringLiteral("-"))) {
            error = QStringLiteral("Bilinmeyen seçenek: %1").arg(shown(option));
            return std::nullopt;
        } else {
            error = QStringLiteral("Fazla argüman: %1").arg(shown(option));
            return std::nullopt;
        }
    }
    if (o.work.isEmpty()) error = QStringLiteral("Bir iş verilmedi: --import, --export, --help ya da --version.");
    else if (o.group && o.work != u"--import") error = QStringLiteral("--group yalnızca --import ile verilir.");
    else if (o.format && o.work != u"--export") error = QStringLiteral("--format yalnızca --export ile verilir.");
    if (!error.isEmpty()) return std::nullopt;
    return o;
}

// The phone book as the window's start makes it, under the lock: the group
// list read and settled with what a killed copy left half-done; then the
// group of that name in the list (the group in use when no name is given)
// made the active one in memory, its file read. Nothing is written. Its name,
// or none with the message when it cannot be had.
std::optional<QString> openGroup(PhoneBook& book, const std::optional<QString>& wanted, QString& error) {
    const QString listPath = datafolder::groupListPath();
    if (!datafolder::exists(listPath)) {
        error = QStringLiteral("Veri havuzu bulunamadı (%1 yok). Telefika 2003'ü bir kez pencereyle başlatın.")
                    .arg(shown(QFileInfo(listPath).absoluteFilePath()));
        return std::nullopt;
    }
    try {
        book.loadGroupList();
    } catch (const StoreError&) {
        error = QStringLiteral("Grup listesi okunamadı: %1").arg(shown(listPath));
        return std::nullopt;
    }
    const StringList& groupList = book.groupNames();
    QString name;
    if (!wanted) {
        name = groupList.isEmpty() ? QString() : groupList.text(0);
    } else {
        // as the group's file is found: without regard to letter case
        for (int i = 1; i < groupList.count() && name.isEmpty(); ++i)
            if (collation::equalText(groupList.text(i), *wanted)) name = groupList.text(i);
        if (name.isEmpty()) {
            error = QStringLiteral("Grup listesinde böyle bir grup yok: %1").arg(shown(*wanted));
            return std::nullopt;
        }
    }
    const QString path = datafolder::groupFilePath(name);
    if (name.isEmpty() || path.isEmpty() || !datafolder::exists(path)) {
        error = QStringLiteral("\"%1\" grubunun dosyası bulunamadı.").arg(shown(name));
        return std::nullopt;
    }
    try {
        book.activateGroup(name);
    } catch (const StoreError&) {
        error = QStringLiteral("\"%1\" grubunun dosyası okunamadı: %2").arg(shown(name), shown(path));
        return std::nullopt;
    }
    return name;
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
    if (o->work == u"--export") {
        const QString file = o->workArguments[1];
        if (!o->format) format = interchange::formatForPath(file);
        else if (*o->format == u"vcard") format = interchange::Format::VCard30;
        else if (*o->format == u"vcard21") format = interchange::Format::VCard21;
        else if (*o->format == u"csv") format = interchange::Format::Csv;
        else
            return usageError(
                QStringLiteral("Bilinmeyen biçim: %1 (vcard, vcard21 ya da csv olmalı).").arg(shown(*o->format)));
        if (!format)
            return usageError(QStringLiteral("%1: Biçim dosyanın uzantısından anlaşılmıyor (.vcf, .vcard ya da .csv); "
                                             "--format ile verin.")
                                  .arg(shown(file)));
    }
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
    const int status = o->work == u"--import" ? importFile(o->workArguments[0], o->group)
                                               : exportGroup(o->workArguments[0], o->workArguments[1], *format);
    QStringList files;
    for (const QString& path : std::as_const(unsynced)) files << shown(path);
    if (!files.isEmpty()) print(stderr, QStringLiteral("telefika: ") + textfile::unsyncedWarning(files));
    return status;
}
