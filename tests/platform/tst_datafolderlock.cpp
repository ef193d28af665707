// The one-copy rule: every state the lock file beside the DataFolder can be
// found in, and what a starting copy makes of it. Another copy is another
// process: the test binary run with --hold-lock takes the lock in the same
// home, says what it got, and keeps the lock until its input is closed or it
// is killed.

#include "platform/datafolderlock.h"
#include "tests/common/othercopy.h"
#include "store/datafolder.h"
#include "tests/common/temphome.h"

#include <QMetaEnum>
#include <QProcess>
#include <QtTest>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#ifndef Q_OS_WIN
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace {

#ifndef Q_OS_WIN
// A home on a file system of its own that can be made read-only, and a
// DataFolder that can be a writable one inside it: root only, in a mount
// namespace of the test's own.
class Mounts {
public:
    explicit Mounts(const QString& home) : home_(home) {}
    ~Mounts() {
        for (auto at = mounted_.crbegin(); at != mounted_.crend(); ++at)
            umount2(QFile::encodeName(*at).constData(), MNT_DETACH);
    }
    Mounts(const Mounts&) = delete;
    Mounts& operator=(const Mounts&) = delete;

    // Empty when the mounts can be had; otherwise why not.
    static QString unavailable() {
        static QString why = [] {
            if (geteuid() != 0) return QStringLiteral("not root");
            if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
                return QStringLiteral("no mount namespace: ") + QString::fromLocal8Bit(std::strerror(errno));
            return QString();
        }();
        return why;
    }
    bool fresh(const QString& folder) {
        QDir().mkpath(folder);
        if (mount("telefika-test", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=4m") != 0) return false;
        mounted_ << folder;
        return true;
    }
    bool readOnly(const QString& folder) {
        return mount(nullptr, QFile::encodeName(folder).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    QString home() const { return home_; }

private:
    QString home_;
    QStringList mounted_;
};
#endif

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write a test file");
}

}  // namespace

class TestDataFolderLock : public QObject {
    Q_OBJECT

    std::unique_ptr<TempHome> home;
    QString lockFile() const { return QFileInfo(home->path()).canonicalFilePath() + QStringLiteral("/.Telefika.lock"); }

private slots:
    void init() { home = std::make_unique<TempHome>(); }
    void cleanup() { home.reset(); }

    void eachStateOfTheLockFile_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<DataFolderLock::Outcome>("outcome");
        QTest::addColumn<QString>("message");  // <lock> stands for the lock file's path
        QTest::addColumn<bool>("leftoverRemoved");  // a killed write's temporary file
        const QString cannot = QStringLiteral(
            "Kilit dosyası oluşturulamadı ya da açılamadı:\n<lock>\n\nTelefika 2003 bu dosyayla aynı veri havuzunun "
            "aynı anda iki kez açılmasını önler; dosya olmadan başlamaz. Bu adda bir klasör ya da kısayol varsa "
            "kaldırın, bulunduğu klasöre yazılabildiğinden emin olun ve Telefika 2003'ü yeniden başlatın.");
        const QString second = QStringLiteral(
            "Telefika 2003 zaten çalışıyor! Aynı veri havuzunu aynı anda yalnızca bir Telefika 2003 kullanabilir.");
        const auto A = DataFolderLock::Acquired, H = DataFolderLock::HeldByAnotherCopy,
                   U = DataFolderLock::Unguarded, C = DataFolderLock::CannotCreate;
        QTest::newRow("no lock file yet") << "none" << A << QString() << true;
        QTest::newRow("an empty lock file (a kill or a power cut)") << "empty" << A << QString() << true;
        QTest::newRow("garbage in the lock file") << "garbage" << A << QString() << true;
        QTest::newRow("the process id of another running program") << "pid of another" << A << QString() << true;
        QTest::newRow("the lock of a copy that was killed") << "killed copy" << A << QString() << true;
        QTest::newRow("the lock of a copy that ended") << "ended copy" << A << QString() << true;
        QTest::newRow("a lock file that cannot be written") << "read-only file" << A << QString() << true;
        QTest::newRow("another running copy holds it") << "live copy" << H << second << false;
        QTest::newRow("a folder in its place") << "folder" << C << cannot << false;
        QTest::newRow("a symbolic link in its place") << "link" << C << cannot << false;
        QTest::newRow("a read-only home") << "read-only home" << U << QString() << false;
        QTest::newRow("a read-only home on the first start") << "read-only home, first start" << U << QString() << false;
        QTest::newRow("a read-only home with a lock file") << "read-only home, lock file" << A << QString() << false;
        QTest::newRow("a read-only home, another running copy holds it")
            << "read-only home, live copy" << H << second << false;
        QTest::newRow("a read-only home, its DataFolder writable") << "writable folder in read-only home" << C << cannot
                                                                   << false;
    }
    void eachStateOfTheLockFile() {
        QFETCH(QString, state);
        QFETCH(DataFolderLock::Outcome, outcome);
        QFETCH(QString, message);
        QFETCH(bool, leftoverRemoved);
        const QString folder = datafolder::path();
        const QString leftover = folder + QStringLiteral(".~telefika-Ayarlar.cnt.Ab12Cd");
        const auto has = [](const QString& path) { return QFileInfo(path).exists() || QFileInfo(path).isSymbolicLink(); };

#ifndef Q_OS_WIN
        std::unique_ptr<Mounts> mounts;
        if (state.startsWith(QLatin1String("read-only home")) || state.startsWith(QLatin1String("writable folder"))) {
            if (!Mounts::unavailable().isEmpty()) QSKIP(qPrintable(Mounts::unavailable()));
            mounts = std::make_unique<Mounts>(home->path());
            QVERIFY(mounts->fresh(home->path()));
            if (state.startsWith(QLatin1String("writable folder"))) QVERIFY(mounts->fresh(folder));
        }
#else
        if (state.contains(QLatin1String("read-only home")) || state.startsWith(QLatin1String("writable folder")))
            QSKIP("no mounts here");
#endif
        // The temporary file of a write that is running or was killed: put in
        // place after the other copies took the lock, before the home turns
        // read-only.
        const bool firstStart = state.endsWith(QLatin1String("first start"));
        if (!firstStart) QVERIFY(QDir().mkpath(folder));
        const auto leaveUnfinishedWrite = [&] {
            if (!firstStart) put(leftover, "x\r\n");
        };
        const QString lock = lockFile();
        OtherCopy other;
        if (state == QLatin1String("empty")) put(lock, QByteArray());
        if (state == QLatin1String("garbage")) put(lock, QByteArray("\0\xff\xfeTelefika?\r\n\x01", 15));
        if (state == QLatin1String("pid of another")) put(lock, "1\nTelefika 2003\nbaska-bilgisayar\n");
        if (state == QLatin1String("read-only file")) {
            put(lock, QByteArray());
            QVERIFY(QFile::setPermissions(lock, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        }
        if (state == QLatin1String("folder")) QVERIFY(QDir().mkpath(lock));
        if (state == QLatin1String("link")) QVERIFY(QFile::link(home->path() + QStringLiteral("/nowhere/x"), lock));
        const bool readOnlyHome = state.startsWith(QLatin1String("read-only home"));
        if (!readOnlyHome && state.endsWith(QLatin1String("copy"))) QCOMPARE(other.start(), QStringLiteral("Acquired"));
        if (state == QLatin1String("killed copy")) other.kill();
        if (state == QLatin1String("ended copy")) other.end();
        if (readOnlyHome && state.contains(QLatin1String("lock file"))) put(lock, QByteArray());
        if (state == QLatin1String("read-only home, live copy")) put(lock, QByteArray());
        leaveUnfinishedWrite();
#ifndef Q_OS_WIN
        if (mounts) QVERIFY(mounts->readOnly(home->path()));
#endif
        if (state == QLatin1String("read-only home, live copy")) QCOMPARE(other.start(), QStringLiteral("Acquired"));

        DataFolderLock copy;
        QCOMPARE(copy.acquire(), outcome);
        QCOMPARE(copy.acquire(), outcome);  // asked again, the same
        QCOMPARE(copy.message(), QString(message).replace(QStringLiteral("<lock>"), QDir::toNativeSeparators(lock)));
        QCOMPARE(DataFolderLock::mayStart(outcome), message.isEmpty());
        QCOMPARE(copy.lockPath(), lock);
        if (!firstStart) QCOMPARE(!has(leftover), leftoverRemoved);
        if (outcome == DataFolderLock::Acquired) {
            // Held now: another copy is refused while this one lives.
            OtherCopy later;
            QCOMPARE(later.start(), QStringLiteral("HeldByAnotherCopy"));
        }
    }

    // Windows's place, tried here: the lock inside the DataFolder, whose
    // parent (a drive's root there) an ordinary user cannot write. The copy
    // starts, guarded, where the lock beside would stop it.
    void theLockInsideTheDataFolder_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<DataFolderLock::Outcome>("outcome");
        QTest::addColumn<bool>("lockMade");
        QTest::newRow("the parent read-only, the DataFolder writable")
            << "read-only parent" << DataFolderLock::Acquired << true;
        QTest::newRow("the first start: no DataFolder yet") << "first start" << DataFolderLock::Acquired << true;
        QTest::newRow("another running copy holds it") << "live copy" << DataFolderLock::HeldByAnotherCopy << true;
        QTest::newRow("the lock of a copy that was killed") << "killed copy" << DataFolderLock::Acquired << true;
        QTest::newRow("a read-only parent on the first start")
            << "read-only parent, first start" << DataFolderLock::Unguarded << false;
    }
    void theLockInsideTheDataFolder() {
        QFETCH(QString, state);
        QFETCH(DataFolderLock::Outcome, outcome);
        QFETCH(bool, lockMade);
        const QString folder = datafolder::path();
        const QString lock = QFileInfo(home->path()).canonicalFilePath() + QStringLiteral("/Telefika/.Telefika.lock");
        const bool firstStart = state.endsWith(QLatin1String("first start"));
#ifndef Q_OS_WIN
        std::unique_ptr<Mounts> mounts;
        if (state.startsWith(QLatin1String("read-only parent"))) {
            if (!Mounts::unavailable().isEmpty()) QSKIP(qPrintable(Mounts::unavailable()));
            mounts = std::make_unique<Mounts>(home->path());
            QVERIFY(mounts->fresh(home->path()));
            if (!firstStart) QVERIFY(mounts->fresh(folder));
        }
#endif
        if (!firstStart) QVERIFY(QDir().mkpath(folder));
        OtherCopy other;
        if (state.endsWith(QLatin1String("copy"))) QCOMPARE(other.start(true), QStringLiteral("Acquired"));
        if (state == QLatin1String("killed copy")) other.kill();
#ifndef Q_OS_WIN
        if (mounts) QVERIFY(mounts->readOnly(home->path()));
#endif
        DataFolderLock copy(datafolder::CompanionPlace::InsideFolder);
        QCOMPARE(copy.acquire(), outcome);
        QCOMPARE(copy.lockPath(), lock);
        QCOMPARE(copy.message(), outcome == DataFolderLock::HeldByAnotherCopy
                                     ? QStringLiteral("Telefika 2003 zaten çalışıyor! Aynı veri havuzunu aynı anda "
                                                      "yalnızca bir Telefika 2003 kullanabilir.")
                                     : QString());
        QCOMPARE(QFileInfo(lock).isFile(), lockMade);
        QVERIFY(!QFileInfo::exists(lockFile()));  // nothing beside the DataFolder
        if (outcome == DataFolderLock::Acquired) {
            OtherCopy later;
            QCOMPARE(later.start(true), QStringLiteral("HeldByAnotherCopy"));
        }
    }

    // The held lock file names its holder and nothing else, whatever it held
    // before; a file with a second name is locked but left as it was.
    void theLockFileNamesItsHolder_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<bool>("linked");
        const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
        QTest::newRow("no lock file yet") << QByteArray() << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("shorter") << QByteArray("1\n") << false;
        QTest::newRow("as long") << QByteArray(pid.size() - 1, '9') + '\n' << false;
        QTest::newRow("longer") << QByteArray("1\nTelefika 2003\nbaska-bilgisayar\n") << false;
        QTest::newRow("garbage, longer") << QByteArray("\0\xff\xfe", 3) + QByteArray(4096, 'x') << false;
        QTest::newRow("with a second name") << QByteArray("1\nTelefika 2003\n") << true;
    }
    void theLockFileNamesItsHolder() {
        QFETCH(QByteArray, before);
        QFETCH(bool, linked);
        const QString lock = lockFile();
        const QString tag = QString::fromLatin1(QTest::currentDataTag());
        if (tag != QLatin1String("no lock file yet")) put(lock, before);
#ifndef Q_OS_WIN
        if (linked) QVERIFY(::link(QFile::encodeName(lock).constData(), QFile::encodeName(lock + QStringLiteral(".2")).constData()) == 0);
#else
        if (linked) QSKIP("hard links are not tried here");
#endif
        DataFolderLock copy;
        QCOMPARE(copy.acquire(), DataFolderLock::Acquired);
        QFile f(lock);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray pid = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
        QCOMPARE(f.readAll(), linked ? before : pid);
    }

    // The lock lasts as long as the object, and another process may take it
    // as soon as it is gone.
    void theLockEndsWithItsHolder() {
        auto first = std::make_unique<DataFolderLock>();
        QCOMPARE(first->acquire(), DataFolderLock::Acquired);
        OtherCopy refused;
        QCOMPARE(refused.start(), QStringLiteral("HeldByAnotherCopy"));
        first.reset();
        OtherCopy next;
        QCOMPARE(next.start(), QStringLiteral("Acquired"));
        DataFolderLock third;
        QCOMPARE(third.acquire(), DataFolderLock::HeldByAnotherCopy);
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (const std::optional<int> held = holdLockIfAsked(argc, argv)) return *held;
    TestDataFolderLock test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datafolderlock.moc"
