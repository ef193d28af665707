#include "app/commandline.h"

#include "platform/datafolderlock.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/interchange.h"
#include "store/storeerror.h"
#include "store/stringlist.h"

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

void print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
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
            error = QStringLiteral("Bilinmeyen seçenek: %1").arg(option);
            return std::nullopt;
        } else {
            error = QStringLiteral("Fazla argüman: %1").arg(option);
            return std::nullopt;
        }
    }
    if (o.work.isEmpty()) error = QStringLiteral("Bir iş verilmedi: --import, --export, --help ya da --version.");
    else if (o.group && o.work != u"--import") error = QStringLiteral("--group yalnızca --import ile verilir.");
    else if (o.format && o.work != u"--export") error = QStringLiteral("--format yalnızca --export ile verilir.");
    if (!error.isEmpty()) return std::nullopt;
    return o;
}

// The group list and a group's lines, read under the lock.
struct Group {
    QString name, path;
    StringList lines;
};

// The group of that name in the group list, its file read; the active group
// when no name is given. Empty, with the message, when it cannot be had.
std::optional<Group> readGroup(const std::optional<QString>& wanted, QString& error) {
    const QString listPath = datafolder::groupListPath();
    if (!datafolder::exists(listPath)) {
        error = QStringLiteral("Veri havuzu bulunamadı (%1 yok). Telefika 2003'ü bir kez pencereyle başlatın.")
                    .arg(QFileInfo(listPath).absoluteFilePath());
        return std::nullopt;
    }
    StringList groupList;
    try {
        groupList.load(listPath);
    } catch (const StoreError&) {
        error = QStringLiteral("Grup listesi okunamadı: %1").arg(listPath);
        return std::nullopt;
    }
    Group g;
    if (!wanted) {
        g.name = groupList.isEmpty() ? QString() : groupList.text(0);
    } else {
        // as the group's file is found: without regard to letter case
        for (int i = 1; i < groupList.count() && g.name.isEmpty(); ++i)
            if (collation::equalText(groupList.text(i), *wanted)) g.name = groupList.text(i);
        if (g.name.isEmpty()) {
            error = QStringLiteral("Grup listesinde böyle bir grup yok: %1").arg(*wanted);
            return std::nullopt;
        }
    }
    g.path = datafolder::groupFilePath(g.name);
    if (g.name.isEmpty() || g.path.isEmpty() || !datafolder::exists(g.path)) {
        error = QStringLiteral("\"%1\" grubunun dosyası bulunamadı.").arg(g.name);
        return std::nullopt;
    }
    try {
        g.lines.load(g.path);
    } catch (const StoreError&) {
        error = QStringLiteral("\"%1\" grubunun dosyası okunamadı: %2").arg(g.name, g.path);
        return std::nullopt;
    }
    return g;
}

// A contact in a report line: its name, surname and number, the empty ones left out.
QString described(const interchange::ReadContact& c) {
    QStringList parts;
    for (const QString& part : {c.name(), c.surname(), c.number()})
        if (!part.trimmed().isEmpty()) parts << part;
    return parts.isEmpty() ? QStringLiteral("(boş)") : parts.join(QLatin1Char(' '));
}

int importFile(const QString& file, const std::optional<QString>& group) {
    if (!QFileInfo::exists(file)) return fail(QStringLiteral("%1: Dosya bulunamadı!").arg(file));
    const interchange::ReadResult read = interchange::readFile(file);
    if (read.refused()) return fail(file + QStringLiteral(": ") + read.refusal);
    QString error;
    std::optional<Group> g = readGroup(group, error);
    if (!g) return fail(error);
    const interchange::Plan plan = interchange::planImport(read, g->lines);
    StringList nameIndex(true);
    rebuildNameIndex(g->lines, nameIndex);
    try {
        interchange::importIntoGroup(plan, g->path, g->lines, nameIndex);
    } catch (const StoreError&) {
        return fail(QStringLiteral("\"%1\" grubunun dosyası yazılamadı; grup olduğu gibi kaldı: %2").arg(g->name, g->path));
    }
    QString report;
    for (const interchange::ReadContact& c : plan.contacts) {
        if (c.fate == interchange::Fate::LeftOut)
            report += QStringLiteral("Dışarıda kaldı: ") + described(c) + QStringLiteral(": ") + c.reason + QLatin1Char('\n');
        else if (c.fate == interchange::Fate::Changed)
            report += QStringLiteral("Değiştirildi: ") + described(c) + QStringLiteral(": ") + c.reason + QLatin1Char('\n');
    }
    report += QStringLiteral("\"%1\" grubuna %2 kişi eklendi (%3 tanesi değiştirilerek), %4 kişi dışarıda kaldı; "
                             "kalan kapasite %5 kişi.\n")
                  .arg(g->name)
                  .arg(plan.stored())
                  .arg(plan.changed)
                  .arg(plan.leftOut)
                  .arg(plan.remainingCapacity);
    print(stdout, report);
    return Done;
}

int exportGroup(const QString& group, const QString& file, interchange::Format format) {
    QString error;
    const std::optional<Group> g = readGroup(group, error);
    if (!g) return fail(error);
    try {
        interchange::exportToFile(g->lines, file, format);
    } catch (const interchange::ExportRefused& e) {
        return fail(e.message());
    } catch (const StoreError&) {
        return fail(QStringLiteral("%1: Dosya yazılamadı!").arg(file));
    }
    print(stdout, QStringLiteral("\"%1\" grubunun %2 kişisi %3 dosyasına yazıldı.\n")
                      .arg(g->name)
                      .arg(datafolder::contactsHeld(g->lines.count()))
                      .arg(file));
    return Done;
}

}  // namespace

bool isCommandLine(int argc, char** argv) { return argc > 1 && std::strncmp(argv[1], "--", 2) == 0; }

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
        else return usageError(QStringLiteral("Bilinmeyen biçim: %1 (vcard, vcard21 ya da csv olmalı).").arg(*o->format));
        if (!format)
            return usageError(QStringLiteral("%1: Biçim dosyanın uzantısından anlaşılmıyor (.vcf, .vcard ya da .csv); "
                                             "--format ile verin.")
                                  .arg(file));
    }
    // As the window copy: held until the end, refused while another copy runs.
    DataFolderLock lock;
    if (!DataFolderLock::mayStart(lock.acquire())) return fail(lock.message());
    if (o->work == u"--import") return importFile(o->workArguments[0], o->group);
    return exportGroup(o->workArguments[0], o->workArguments[1], *format);
}
