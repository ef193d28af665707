// The program without a window: `telefika --import`, `--export`, `--help`
// and `--version` run as a user's script runs them, as a child process with
// no display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM unset), in the
// test's own home. Another copy holding the DataFolder is this test binary
// run with --hold-lock.

#include "store/datafolder.h"
#include "platform/datafolderlock.h"
#include "tests/common/othercopy.h"
#include "tests/common/temphome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <memory>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString& Default = datafolder::DefaultGroup;
const QStringList AliVeli = {u"Ali"_s, u"Veli"_s, u"05321112233"_s};
const QStringList Zeki = {u"Zeki"_s, u""_s, u"05327651200"_s};

const QString Usage = QStringLiteral(
    "Kullanım:\n"
    "  telefika                                  ana pencereyi açar\n"
    "  telefika --import DOSYA [--group GRUP]\n"
    "  telefika --export GRUP DOSYA [--format vcard|vcard21|csv]\n"
    "  telefika --sync-setup GRUP ADRES --user AD [--password-stdin]\n"
    "  telefika --sync GRUP [--password-stdin] [--confirm-deletion]\n"
    "  telefika --sync-remove GRUP\n"
    "  telefika --help\n"
    "  telefika --version\n");

struct Run {
    int code = -1;
    QString out, err;
};

// The program with these arguments; in the child, before it starts, `child` runs.
Run telefika(const QStringList& arguments, const std::function<void()>& child = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(display));
    p.setProcessEnvironment(env);
    if (child) p.setChildProcessModifier(child);
    p.start(QStringLiteral(TELEFIKA_PROGRAM), arguments);
    if (!p.waitForFinished(120000)) p.kill();
    Run r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

}  // namespace

class TestCommandLine : public QObject {
    Q_OBJECT
    std::unique_ptr<TempHome> home;

    // The default group active with Ali Veli, Ev with Zeki, Yok listed without a file.
    void start() {
        home->write(u"Ayarlar.cnt"_s, fileBytes({Default, Default, u"Ev"_s, u"Yok"_s}));
        home->write(Default + u".vexo"_s, fileBytes(AliVeli));
        home->write(u"Ev.vexo"_s, fileBytes(Zeki));
    }
    QString put(const QString& name, const QByteArray& bytes) {
        const QString path = home->path() + u'/' + name;
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write a test file");
        return path;
    }
    QString read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll().toBase64()) : u"(none)"_s;
    }
    QStringList everything() {
        QStringList all;
        for (const QString& name : home->dataFiles()) all << name + u' ' + QString::fromLatin1(home->read(name).toBase64());
        for (const QString& name : QDir(home->path()).entryList(QDir::Files | QDir::Hidden)) all << name;
        return all;
    }

private slots:
    void init() { home = std::make_unique<TempHome>(); }
    void cleanup() { home.reset(); }

    void helpVersionAndUsageErrors_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");  // the first line; a usage error's is followed by the usage
        QTest::newRow("--help") << QStringList{u"--help"_s} << 0
                                << Usage + u"\n"
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
                                           "ya da çakışma kaldı, 2 kullanım hatası.\n"_s
                                << QString();
        QTest::newRow("--version") << QStringList{u"--version"_s} << 0 << u"telefika (Telefika 2003) 2.0\n"_s << QString();
        const auto usage = [](const char* name, const QStringList& arguments, const QString& message) {
            QTest::newRow(name) << arguments << 2 << QString() << u"telefika: "_s + message;
        };
        usage("--import without a file", {u"--import"_s}, u"--import için bir argüman eksik."_s);
        usage("--export without a file", {u"--export"_s, u"Ev"_s}, u"--export için bir argüman eksik."_s);
        usage("--group without a name", {u"--import"_s, u"a.vcf"_s, u"--group"_s}, u"--group için bir argüman eksik."_s);
        usage("an option for a file", {u"--import"_s, u"--group"_s, u"Ev"_s}, u"--import için bir argüman eksik."_s);
        usage("an unknown option", {u"--imprt"_s, u"a.vcf"_s}, u"Bilinmeyen seçenek: --imprt"_s);
        usage("one dash", {u"-import"_s, u"a.vcf"_s}, u"Bilinmeyen seçenek: -import"_s);
        usage("control characters", {u"--\x1b]0;x\x07\x1b[2J\n"_s + QChar(0x202E)}, u"Bilinmeyen seçenek: --\\x1B]0;x\\x07\\x1B[2J\\n\\u202E"_s);
        usage("an argument too many", {u"--import"_s, u"a.vcf"_s, u"b.vcf"_s}, u"Fazla argüman: b.vcf"_s);
        usage("two works", {u"--import"_s, u"a.vcf"_s, u"--export"_s, u"Ev"_s, u"b.vcf"_s},
              u"Tek bir iş verilebilir: --import, --export, --sync-setup, --sync, --sync-remove, --help ya da --version."_s);
        usage("--group twice", {u"--import"_s, u"a.vcf"_s, u"--group"_s, u"Ev"_s, u"--group"_s, u"İş"_s},
              u"--group birden çok kez verildi."_s);
        usage("--group with --export", {u"--export"_s, u"Ev"_s, u"a.vcf"_s, u"--group"_s, u"Ev"_s},
              u"--group yalnızca --import ile verilir."_s);
        usage("--format with --import", {u"--import"_s, u"a.vcf"_s, u"--format"_s, u"csv"_s},
              u"--format yalnızca --export ile verilir."_s);
        usage("no work", {u"--group"_s, u"Ev"_s}, u"Bir iş verilmedi: --import, --export, --sync-setup, --sync, --sync-remove, --help ya da --version."_s);
        usage("an unknown format", {u"--export"_s, u"Ev"_s, u"a.vcf"_s, u"--format"_s, u"xls"_s},
              u"Bilinmeyen biçim: xls (vcard, vcard21 ya da csv olmalı)."_s);
        const QString url = u"https://dav.example.com/"_s;
        usage("a password as an argument", {u"--sync"_s, u"Ev"_s, u"--password"_s, u"gizli"_s},
              u"Parola argüman olarak verilmez (başkaları görebilir): --password-stdin ile standart girdiden verin."_s);
        usage("--sync-setup without a user", {u"--sync-setup"_s, u"Ev"_s, url}, u"--sync-setup için --user AD gerekir."_s);
        usage("an address that is no server's", {u"--sync-setup"_s, u"Ev"_s, u"ftp://h/\x1b"_s, u"--user"_s, u"ali"_s},
              u"Geçersiz sunucu adresi: ftp://h/\\x1B (http:// ya da https:// ile başlamalı)."_s);
        usage("a password inside the address",
              {u"--sync-setup"_s, u"Ev"_s, u"https://ali:gizli@h/"_s, u"--user"_s, u"ali"_s},
              u"Sunucu adresinde kullanıcı adı ya da parola olmamalı: kullanıcı adını --user ile, parolayı "
              "--password-stdin ile verin."_s);
        usage("an ending that names no format", {u"--export"_s, u"Ev"_s, u"rehber.txt"_s},
              u"rehber.txt: Biçim dosyanın uzantısından anlaşılmıyor (.vcf, .vcard ya da .csv); --format ile verin."_s);
    }
    void helpVersionAndUsageErrors() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        start();
        const QStringList before = everything();
        const Run r = telefika(arguments);
        QCOMPARE(r.code, code);
        QCOMPARE(r.out, out);
        QCOMPARE(r.err, err.isEmpty() ? QString() : err + u'\n' + Usage + u"Bütün seçenekleri 'telefika --help' gösterir.\n"_s);
        QCOMPARE(everything(), before);  // not even the lock file is made
    }

    // A phone's export goes into the group; each contact left out or changed
    // is reported with its reason, then the counts.
    void importsReportEveryContactLeftOutOrChanged_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("group");  // the --group arguments
        QTest::addColumn<QString>("out");
        QTest::addColumn<QStringList>("active");  // the default group's lines afterwards
        QTest::addColumn<QStringList>("ev");      // Ev's
        QTest::newRow("Android's vCard 2.1 into the active group")
            << u"android21.vcf"_s << QStringList()
            << u"Dışarıda kaldı: Şule Öztürk 05321112233: Bu numara grupta zaten var\n"
               "Değiştirildi: Demir 05051234567: Soyad isim olarak alındı\n"
               "Dışarıda kaldı: Ahmet Kaya: Numara yok\n"
               "Değiştirildi: Ayşe Ak 05427654321: Türkçe kod sayfasında olmayan harfler çıkarıldı\n"
               "Dışarıda kaldı: Selim Tekin 05321112233: Bu numara grupta zaten var\n"
               "Dışarıda kaldı: Hans Weber +49 170 1234567: Numara geçersiz\n"
               "\"@Kayıtlar@\" grubuna 4 kişi eklendi (2 tanesi değiştirilerek), 4 kişi dışarıda kaldı; "
               "kalan kapasite 10906 kişi.\n"_s
            << QStringList{u"Ali"_s,   u"Veli"_s, u"05321112233"_s, u"Ayşe"_s,         u"Ak"_s,     u"05427654321"_s,
                           u"Çağrı"_s, u"Gündoğdu"_s, u"05334445566"_s, u"Demir"_s, u""_s,       u"05051234567"_s,
                           u"ismail Hakkı"_s, u"Yılmaz"_s, u"02163334455"_s}
            << Zeki;
        QTest::newRow("iPhone's vCard 3.0, the group named in small letters")
            << u"iphone30.vcf"_s << QStringList{u"--group"_s, u"ev"_s}
            << u"Dışarıda kaldı: Gökhan Ertuğrul 05327651200: Bu numara grupta zaten var\n"
               "Değiştirildi: Elif Nur Koç 05550001122: Satır sonları boşluğa çevrildi\n"
               "\"Ev\" grubuna 3 kişi eklendi (1 tanesi değiştirilerek), 1 kişi dışarıda kaldı; kalan kapasite 10907 kişi.\n"_s
            << AliVeli
            << QStringList{u"Ali Rıza"_s, u"Şahin"_s, u"05331234567"_s, u"Elif Nur"_s, u"Koç"_s, u"05550001122"_s,
                           u"Ömer;Faruk"_s, u"Yıldız, Öztürk"_s, u"05052223344"_s, u"Zeki"_s, u""_s, u"05327651200"_s};
        QTest::newRow("nothing new: it ran all the same")
            << u"-"_s << QStringList()
            << u"Dışarıda kaldı: Ali Veli 05321112233: Bu numara grupta zaten var\n"
               "\"@Kayıtlar@\" grubuna 0 kişi eklendi (0 tanesi değiştirilerek), 1 kişi dışarıda kaldı; "
               "kalan kapasite 10910 kişi.\n"_s
            << AliVeli << Zeki;
    }
    void importsReportEveryContactLeftOutOrChanged() {
        QFETCH(QString, file);
        QFETCH(QStringList, group);
        QFETCH(QString, out);
        QFETCH(QStringList, active);
        QFETCH(QStringList, ev);
        start();
        const QString path = file == u"-"_s ? put(u"ayni.csv"_s, "Ad,Soyad,Cep\r\nAli,Veli,0532 111 22 33\r\n") : samplePath(file);
        const Run r = telefika(QStringList{u"--import"_s, path} + group);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, out);
        QCOMPARE(r.code, 0);
        QCOMPARE(home->read(Default + u".vexo"_s), fileBytes(active));
        QCOMPARE(home->read(u"Ev.vexo"_s), fileBytes(ev));
        QCOMPARE(home->read(u"Ayarlar.cnt"_s), fileBytes({Default, Default, u"Ev"_s, u"Yok"_s}));
    }

    // A group written out: the format from --format, else from the ending.
    void exportsWriteTheGroupWhole_data() {
        QTest::addColumn<QStringList>("arguments");  // <file> for the file
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray vcard30("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Veli;Ali;;;\r\nFN:Ali Veli\r\n"
                                 "TEL;TYPE=CELL:+905321112233\r\nEND:VCARD\r\n");
        const QByteArray csv("\xEF\xBB\xBF" "First Name,Last Name,Mobile Phone\r\nAli,Veli,05321112233\r\n");
        QTest::newRow(".vcf: vCard 3.0") << QStringList{Default, u"<file>"_s} << u"rehber.vcf"_s << vcard30;
        QTest::newRow(".VCARD: vCard 3.0") << QStringList{Default, u"<file>"_s} << u"rehber.VCARD"_s << vcard30;
        QTest::newRow(".csv: CSV") << QStringList{Default, u"<file>"_s} << u"rehber.csv"_s << csv;
        QTest::newRow("--format vcard21 over .vcf")
            << QStringList{Default, u"<file>"_s, u"--format"_s, u"vcard21"_s} << u"eski.vcf"_s
            << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Veli;Ali;;;\r\nFN:Ali Veli\r\nTEL;CELL:+905321112233\r\n"
                          "END:VCARD\r\n");
        QTest::newRow("--format csv, any ending") << QStringList{Default, u"<file>"_s, u"--format"_s, u"csv"_s}
                                                  << u"tablo.txt"_s << csv;
        QTest::newRow("another group, named in capitals")
            << QStringList{u"EV"_s, u"<file>"_s, u"--format"_s, u"vcard"_s} << u"ev.txt"_s
            << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:;Zeki;;;\r\nFN:Zeki\r\nTEL;TYPE=CELL:+905327651200\r\nEND:VCARD\r\n");
        QTest::newRow("a named pipe: written into, still a pipe")
            << QStringList{Default, u"<file>"_s} << u"kanal.vcf"_s << vcard30;
    }
    void exportsWriteTheGroupWhole() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        start();
        const QString path = home->path() + u'/' + file;
        const QByteArray name = QFile::encodeName(path);
        const bool pipe = file.startsWith(u"kanal"_s);
        QVERIFY(!pipe || mkfifo(name.constData(), 0600) == 0);
        QFile written(path);
        // the pipe's reader is there before the export
        if (pipe) QVERIFY(written.open(::open(name.constData(), O_RDONLY | O_NONBLOCK), QIODevice::ReadOnly,
                                       QFileDevice::AutoCloseHandle));
        const Run r = telefika(QStringList{u"--export"_s} + arguments.replaceInStrings(u"<file>"_s, path));
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, u"\"%1\" grubunun 1 kişisi %2 dosyasına yazıldı.\n"_s
                            .arg(arguments[0] == u"EV"_s ? u"Ev"_s : Default, path));
        QCOMPARE(r.code, 0);
        QVERIFY(pipe || written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), bytes);
        struct stat info {};
        QVERIFY(::stat(name.constData(), &info) == 0 && S_ISFIFO(info.st_mode) == pipe);
    }

    // Anything that stops the work: exit status 1, the reason on standard
    // error, nothing written.
    void failuresChangeNothing_data() {
        QTest::addColumn<QStringList>("arguments");  // <home> for the home folder
        QTest::addColumn<QString>("err");
        QTest::addColumn<bool>("fresh");       // no DataFolder
        QTest::addColumn<bool>("diskFull");    // a file size limit of one byte
        const QString at = u"<home>"_s;
        const auto row = [](const char* name, const QStringList& arguments, const QString& err, bool fresh = false,
                            bool full = false) { QTest::newRow(name) << arguments << err << fresh << full; };
        row("no such file", {u"--import"_s, at + u"/yok.vcf"_s}, u"<home>/yok.vcf: Dosya bulunamadı!"_s);
        row("an empty file", {u"--import"_s, at + u"/bos.vcf"_s}, u"<home>/bos.vcf: Dosya boş!"_s);
        row("a picture renamed .vcf", {u"--import"_s, at + u"/resim.vcf"_s},
            u"<home>/resim.vcf: Bu dosya bir kişi dosyası değil!"_s);
        row("a 10 MB line", {u"--import"_s, at + u"/uzun.vcf"_s}, u"<home>/uzun.vcf: Dosyada çok uzun bir satır var!"_s);
        row("a card without END", {u"--import"_s, at + u"/yarim.vcf"_s},
            u"<home>/yarim.vcf: Dosya yarım: bir kartın sonu (END:VCARD) yok!"_s);
        row("NUL bytes", {u"--import"_s, at + u"/nul.vcf"_s}, u"<home>/nul.vcf: Dosya bozuk: içinde NUL baytı var!"_s);
        row("no such group", {u"--import"_s, at + u"/iyi.vcf"_s, u"--group"_s, u"Is"_s},
            u"Grup listesinde böyle bir grup yok: Is"_s);
        row("a group without its file", {u"--import"_s, at + u"/iyi.vcf"_s, u"--group"_s, u"Yok"_s},
            u"\"Yok\" grubunun dosyası bulunamadı."_s);
        row("the export of no such group", {u"--export"_s, u"Is"_s, at + u"/is.vcf"_s},
            u"Grup listesinde böyle bir grup yok: Is"_s);
        row("an export into no folder", {u"--export"_s, u"Ev"_s, at + u"/yok/ev.vcf"_s},
            u"<home>/yok/ev.vcf: Dosya yazılamadı!"_s);
        row("a folder to import", {u"--import"_s, at + u"/klasor"_s}, u"<home>/klasor: Bu bir klasör, bir dosya değil!"_s);
        row("a named pipe to import", {u"--import"_s, at + u"/kanal"_s},
            u"<home>/kanal: Bu bir adlandırılmış kanal (FIFO), bir dosya değil!"_s);
        row("a device to import", {u"--import"_s, u"/dev/zero"_s}, u"/dev/zero: Bu bir aygıt, bir dosya değil!"_s);
        const QString refused = u": Dışa aktarma Telefika 2003'ün veri havuzuna yazılamaz!"_s;
        row("an export over a group's file", {u"--export"_s, u"Ev"_s, at + u"/Telefika/Ev.vexo"_s, u"--format"_s, u"csv"_s},
            u"<home>/Telefika/Ev.vexo"_s + refused);
        row("an export over the group list, through ..",
            {u"--export"_s, u"Ev"_s, at + u"/disari/../Telefika/Ayarlar.cnt"_s, u"--format"_s, u"vcard"_s},
            u"<home>/disari/../Telefika/Ayarlar.cnt"_s + refused);
        row("an export into the DataFolder", {u"--export"_s, u"Ev"_s, at + u"/Telefika/ev.vcf"_s},
            u"<home>/Telefika/ev.vcf"_s + refused);
        row("an export over the lock", {u"--export"_s, u"Ev"_s, at + u"/.Telefika.lock"_s, u"--format"_s, u"csv"_s},
            u"<home>/.Telefika.lock"_s + refused);
        row("an export into a full device", {u"--export"_s, u"Ev"_s, u"/dev/full"_s, u"--format"_s, u"csv"_s},
            u"/dev/full: Dosya yazılamadı!"_s);
        row("no DataFolder yet", {u"--import"_s, at + u"/iyi.vcf"_s},
            u"Veri havuzu bulunamadı (<home>/Telefika/Ayarlar.cnt yok). Telefika 2003'ü bir kez pencereyle başlatın."_s,
            true);
        row("the group's file cannot be written", {u"--import"_s, at + u"/iyi.vcf"_s},
            u"\"@Kayıtlar@\" grubunun dosyası yazılamadı; grup olduğu gibi kaldı: <home>/Telefika/@Kayıtlar@.vexo"_s,
            false, true);
    }
    void failuresChangeNothing() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, err);
        QFETCH(bool, fresh);
        QFETCH(bool, diskFull);
        if (!fresh) start();
        QVERIFY(QDir(home->path()).mkpath(u"klasor"_s) && QDir(home->path()).mkpath(u"disari"_s));
        QCOMPARE(mkfifo(QFile::encodeName(home->path() + u"/kanal"_s).constData(), 0600), 0);
        put(u"bos.vcf"_s, QByteArray());
        QFile picture(samplePath(u"picture.vcf"_s));
        QVERIFY(picture.open(QIODevice::ReadOnly));
        put(u"resim.vcf"_s, picture.readAll());
        put(u"uzun.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er;Ali;;;\r\nNOTE:" + QByteArray(10 * 1024 * 1024, 'x') +
                               "\r\nEND:VCARD\r\n");
        put(u"yarim.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er;Ali;;;\r\nTEL:112\r\n");
        put(u"nul.vcf"_s, QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er;A\0li;;;\r\nEND:VCARD\r\n", 47));
        put(u"iyi.vcf"_s, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Er;Can;;;\r\nTEL:05351112233\r\nEND:VCARD\r\n");
        const QStringList before = everything();
        const Run r = telefika(arguments.replaceInStrings(u"<home>"_s, home->path()), [diskFull] {
            if (!diskFull) return;
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit oneByte{1, 1};
            setrlimit(RLIMIT_FSIZE, &oneByte);
        });
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, u"telefika: "_s + QString(err).replace(u"<home>"_s, home->path()) + u'\n');
        QCOMPARE(r.code, 1);
        QStringList after = everything();
        after.removeAll(u".Telefika.lock"_s);  // taken and let go when the failure came after it
        QStringList expected = before;
        expected.removeAll(u".Telefika.lock"_s);
        QCOMPARE(after, expected);
    }

    // While a window copy holds the DataFolder, the command line refuses at
    // once and writes nothing; once it has ended, the same command runs.
    void anotherCopyHoldingTheFolderRefusesTheCommand_data() {
        QTest::addColumn<QStringList>("arguments");  // <home> for the home folder
        QTest::addColumn<QString>("written");        // the file the command writes when it may
        QTest::newRow("--import") << QStringList{u"--import"_s, samplePath(u"google.csv"_s)} << u"Telefika/@Kayıtlar@.vexo"_s;
        QTest::newRow("--export") << QStringList{u"--export"_s, u"Ev"_s, u"<home>/ev.csv"_s} << u"ev.csv"_s;
    }
    void anotherCopyHoldingTheFolderRefusesTheCommand() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, written);
        start();
        arguments.replaceInStrings(u"<home>"_s, home->path());
        const QString target = home->path() + u'/' + written;
        const QString before = read(target);
        OtherCopy other;
        QCOMPARE(other.start(), u"Acquired"_s);

        const Run refused = telefika(arguments);
        QCOMPARE(refused.code, 1);
        QCOMPARE(refused.out, QString());
        QCOMPARE(refused.err, u"telefika: Telefika 2003 zaten çalışıyor! Aynı veri havuzunu aynı anda yalnızca bir "
                              u"Telefika 2003 kullanabilir.\n"_s);
        QCOMPARE(read(target), before);

        other.end();
        const Run ran = telefika(arguments);
        QCOMPARE(ran.err, QString());
        QCOMPARE(ran.code, 0);
        QVERIFY(read(target) != before);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (const std::optional<int> held = holdLockIfAsked(argc, argv)) return *held;
    TestCommandLine test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commandline.moc"
