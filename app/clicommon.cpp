#include "app/clicommon.h"

#include "book/phonebook.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/storeerror.h"
#include "store/stringlist.h"

#include <QFileInfo>
#include <QStringList>

namespace cli {

const QString UsageLines = QStringLiteral(
    "Kullanım:\n"
    "  telefika                                  ana pencereyi açar\n"
    "  telefika --import DOSYA [--group GRUP]\n"
    "  telefika --export GRUP DOSYA [--format vcard|vcard21|csv]\n"
    "  telefika --sync-setup GRUP ADRES --user AD [--password-stdin]\n"
    "  telefika --sync GRUP [--password-stdin] [--confirm-deletion]\n"
    "  telefika --sync-remove GRUP\n"
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
    "  --sync-setup GRUP ADRES\n"
    "                   GRUP'u bir CardDAV adres defterine bağlar: ADRES bir adres\n"
    "                   defterininse ona; sunucununsa adı GRUP olana, o yoksa GRUP\n"
    "                   adıyla yapılan yenisine. Parola anahtarlıkta saklanır\n"
    "  --user AD        --sync-setup'ın sunucudaki kullanıcı adı\n"
    "  --sync GRUP      GRUP'u adres defteriyle eşitler; her değişikliği, çakışmayı\n"
    "                   ve dışarıda kalan kartı, sonra sayıları yazar\n"
    "  --sync-remove GRUP\n"
    "                   GRUP'un bağlantısını ve parolasını unutur; sunucudaki adres\n"
    "                   defteri kalır\n"
    "  --password-stdin parolayı standart girdinin bir satırından okur; verilmezse\n"
    "                   anahtarlıktan alınır ya da sorulur\n"
    "  --confirm-deletion\n"
    "                   boşaltılmış bir grubun kartlarını sunucuda da siler\n"
    "  --help           bu yardımı yazar\n"
    "  --version        sürümü yazar\n"
    "\n"
    "Pencereyle çalışan bir Telefika 2003 aynı veri havuzunu kullanırken hiçbir şey\n"
    "yazılmaz.\n"
    "Çıkış durumu: 0 iş yapıldı, 1 iş yapılamadı (nedeni standart hataya yazılır)\n"
    "ya da çakışma kaldı, 2 kullanım hatası.\n");

namespace {

QString hex(char16_t u, int digits) {
    return QString::number(u, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

}  // namespace

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

}  // namespace cli
