// Reading and writing whole files of lines, and the write that never leaves a
// file half-written and is on the disk when it returns.

#include "store/datafolder.h"
#include "store/storeerror.h"
#include "store/stringlist.h"
#include "store/textfile.h"
#include "tests/common/temphome.h"

#include <QtTest>

#include <initializer_list>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QList<QByteArray>)

namespace {

QStringList ascii(std::initializer_list<const char*> items) {
    QStringList out;
    for (const char* item : items) out << QString::fromLatin1(item);
    return out;
}

// The file-system calls of writes as they are made, each named with the
// file's name (a temporary file's six letters as XXXXXX), made by the system
// unless it is the one call told to fail.
class CallLog {
public:
    CallLog(const QString& folder, const QString& failing) : folder_(folder), failing_(failing) {
        const textfile::FileCalls system = textfile::systemFileCalls();
        textfile::FileCalls calls;
        calls.create = [this, system](const QString& temporary, const QString& target) {
            note(QStringLiteral("create ") + name(temporary));
            return fails("create") ? textfile::FileCalls::NoHandle : system.create(temporary, target);
        };
        calls.write = [this, system](textfile::FileCalls::Handle file, const QByteArray& bytes) {
            note(QStringLiteral("write %1").arg(bytes.size()));
            if (!fails("write")) return system.write(file, bytes);
            system.write(file, bytes.left(bytes.size() / 2));  // the disk took half
            return false;
        };
        calls.syncFile = [this, system](textfile::FileCalls::Handle file) {
            note(QStringLiteral("sync file"));
            return !fails("syncFile") && system.syncFile(file);
        };
        calls.name = [this, system](textfile::FileCalls::Handle file, const QString& temporary) {
            note(QStringLiteral("name ") + name(temporary));
            return !fails("name") && system.name(file, temporary);
        };
        calls.close = [this, system](textfile::FileCalls::Handle file) {
            note(QStringLiteral("close"));
            return system.close(file) && !fails("close");
        };
        calls.rename = [this, system](const QString& from, const QString& to) {
            note(QStringLiteral("rename ") + name(from) + QLatin1Char(' ') + name(to));
            return !fails("rename") && system.rename(from, to);
        };
        calls.syncFolder = [this, system](const QString& path) {
            note(QDir(path) == QDir(folder_) ? QStringLiteral("sync folder") : QStringLiteral("sync ") + path);
            return !fails("syncFolder") && system.syncFolder(path);
        };
        calls.remove = [this, system](const QString& path) {
            note(QStringLiteral("remove ") + name(path));
            return system.remove(path);
        };
        textfile::setFileCalls(calls);
    }
    ~CallLog() { textfile::setFileCalls(textfile::systemFileCalls()); }
    CallLog(const CallLog&) = delete;
    CallLog& operator=(const CallLog&) = delete;

    QStringList calls() const { return calls_; }

private:
    bool fails(const char* call) const { return failing_ == QLatin1String(call); }
    void note(const QString& call) { calls_ << call; }
    QString name(const QString& path) const {
        // the program's own hidden name: ".~telefika-", the target's, a dot and six letters or digits
        static const QRegularExpression temporary(QStringLiteral("^\\.~telefika-(.*)\\.[A-Za-z0-9]{6}$"));
        QString n = QFileInfo(path).fileName();
        if (QFileInfo(path).absolutePath() != QFileInfo(folder_).absoluteFilePath()) n = path;
        return n.replace(temporary, QStringLiteral("\\1.XXXXXX"));
    }

    QString folder_;
    QString failing_;
    QStringList calls_;
};

}  // namespace

class TestTextFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString file(const QString& name) const { return dir->filePath(name); }
    static void put(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }


    // Every way the program writes a file: what is left in the folder (each
    // file's name and bytes), and the calls made.
    QStringList folderNow() const {
        QStringList out;
        for (const QString& f : QDir(dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name))
            out << f + QLatin1Char('=') + QString::fromLatin1(bytesOf(file(f)));
        return out;
    }
    // Puts the files of a row in place, runs the operation, and says whether
    // it reported success; a write's error is kept in lastError.
    QString lastError;
    bool runOperation(const QString& operation) {
        if (operation == QLatin1String("new file")) {
        } else if (operation == QLatin1String("through a link")) {
            put(file(QStringLiteral("real.vexo")), "old");
            if (!QFile::link(file(QStringLiteral("real.vexo")), file(QStringLiteral("group.vexo")))) return false;
        } else if (operation == QLatin1String("copy") || operation == QLatin1String("rename")) {
            put(file(QStringLiteral("source.vexo")), "new");
            if (operation == QLatin1String("copy")) put(file(QStringLiteral("group.vexo")), "old");
        } else {
            put(file(QStringLiteral("group.vexo")), "old");
        }
        const QString target = file(QStringLiteral("group.vexo"));
        if (operation == QLatin1String("copy")) return datafolder::copyFile(file(QStringLiteral("source.vexo")), target);
        if (operation == QLatin1String("rename")) return datafolder::renameFile(file(QStringLiteral("source.vexo")), target);
        if (operation == QLatin1String("removal")) return datafolder::deleteFile(target);
        try {
            if (operation == QLatin1String("list")) StringList{"new"}.save(target);
            else textfile::writeBytes(target, operation == QLatin1String("empty") ? QByteArray() : QByteArray("new"));
        } catch (const StoreError& e) {
            lastError = e.message();
            return false;
        }
        return true;
    }

private slots:
    void init() { dir = std::make_unique<QTemporaryDir>(); }

    void linesAreSplitAtEveryBreak_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QByteArray>>("lines");
        using L = QList<QByteArray>;
        QTest::newRow("empty file") << QByteArray() << L{};
        QTest::newRow("CR LF alone") << QByteArray("\r\n") << L{""};
        QTest::newRow("no final break") << QByteArray("A") << L{"A"};
        QTest::newRow("A LF LF B") << QByteArray("A\n\nB") << L{"A", "", "B"};
        QTest::newRow("A CR CR B") << QByteArray("A\r\rB") << L{"A", "", "B"};
        QTest::newRow("LF CR is two breaks") << QByteArray("A\n\rB") << L{"A", "", "B"};
        QTest::newRow("CR LF pairs") << QByteArray("Ali\r\nCan\r\n05321234567\r\n") << L{"Ali", "Can", "05321234567"};
        QTest::newRow("mixed") << QByteArray("a\r\nb\rc\nd") << L{"a", "b", "c", "d"};
        QTest::newRow("NUL in the middle") << QByteArray("Ali\r\nCa\0n\r\nVeli\r\n", 18) << L{"Ali", "Ca"};
        QTest::newRow("NUL first") << QByteArray("\0Ali", 4) << L{};
        QTest::newRow("high bytes kept") << QByteArray("\xdd\x73mail\r\n\xfe\x75le") << L{"\xdd\x73mail", "\xfe\x75le"};
    }
    void linesAreSplitAtEveryBreak() {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QByteArray>, lines);
        QCOMPARE(textfile::splitLines(bytes), lines);
        put(file(u"t.vexo"_s), bytes);
        StringList list;
        list.load(file(u"t.vexo"_s));
        QCOMPARE(list.lines(), lines);
    }

    void everyLineEndsWithCrLf_data() {
        QTest::addColumn<QList<QByteArray>>("lines");
        QTest::addColumn<QByteArray>("bytes");
        using L = QList<QByteArray>;
        QTest::newRow("no lines: 0 bytes") << L{} << QByteArray();
        QTest::newRow("one empty line") << L{""} << QByteArray("\r\n");
        QTest::newRow("a contact") << L{"Ali", "", "0532"} << QByteArray("Ali\r\n\r\n0532\r\n");
    }
    void everyLineEndsWithCrLf() {
        QFETCH(QList<QByteArray>, lines);
        QFETCH(QByteArray, bytes);
        put(file(u"w.vexo"_s), "old content that is longer than the new one\r\n");
        textfile::writeLines(file(u"w.vexo"_s), lines);
        QCOMPARE(bytesOf(file(u"w.vexo"_s)), bytes);
    }

    void unreadableAndUnwritableFilesNameTheirPath() {
        StringList list{"keep"};
        try {
            list.load(file(u"missing.vexo"_s));
            QFAIL("no error");
        } catch (const StoreError& e) {
            QCOMPARE(e.message(), u"Cannot open file "_s + QDir::toNativeSeparators(file(u"missing.vexo"_s)));
        }
        QCOMPARE(list.count(), 1);  // a failed load leaves the list as it was
        const QString inMissingFolder = file(u"no-such-folder/x.vexo"_s);
        try {
            list.save(inMissingFolder);
            QFAIL("no error");
        } catch (const StoreError& e) {
            QCOMPARE(e.message(), u"Cannot create file "_s + QDir::toNativeSeparators(inMissingFolder));
        }
    }

    void aFailedWriteLeavesTheOldFileWhole_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("limit");
        // a write too large for the write buffer fails at once; a small one
        // only when the buffer reaches the disk
        QTest::newRow("larger than the write buffer") << 5000 << 4096;
        QTest::newRow("within the write buffer") << 3 << 8;
        QTest::newRow("one byte fits") << 1 << 1;
    }
    void aFailedWriteLeavesTheOldFileWhole() {
        QFETCH(int, lines);
        QFETCH(int, limit);
        // The disk runs out in the middle of the write (a file size limit
        // stands in for a full disk; it binds root as well).
        const QString target = file(u"group.vexo"_s);
        const QByteArray old = "Ali\r\nCan\r\n05321234567\r\n";
        put(target, old);
        QList<QByteArray> big;
        for (int i = 0; i < lines; ++i) big << QByteArray("Mehmet Yılmaz 05321234567");

        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tight = saved;
        tight.rlim_cur = rlim_t(limit);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        bool failed = false;
        try {
            textfile::writeLines(target, big);
        } catch (const StoreError& e) {
            failed = e.message().startsWith(u"Cannot create file "_s);
        }
        setrlimit(RLIMIT_FSIZE, &saved);

        QVERIFY(failed);
        QCOMPARE(bytesOf(target), old);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"group.vexo"_s});
    }

    // A file a little over the limit: the disk takes its first part and
    // refuses the rest while the last buffered bytes are flushed.
    void aWriteCutShortAtItsEndIsSeen_data() {
        QTest::addColumn<int>("bytes");
        QTest::newRow("5,000 bytes") << 5000;
        QTest::newRow("12,000 bytes") << 12000;
    }
    void aWriteCutShortAtItsEndIsSeen() {
        QFETCH(int, bytes);
        const QString target = file(u"group.vexo"_s);
        const QByteArray old = "Ali\r\nCan\r\n05321234567\r\n";
        put(target, old);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit tight = saved;
        tight.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        bool failed = false;
        try {
            textfile::writeBytes(target, QByteArray(bytes, 'x'));
        } catch (const StoreError&) {
            failed = true;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(failed);
        QCOMPARE(bytesOf(target), old);
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"group.vexo"_s});
    }

    // The file's data reaches the disk before the rename, the rename after
    // it; a rename and a removal sync their folder too.
    void everyWriteIsOnTheDiskWhenItReturns_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("after");
        const auto writing = [](const char* bytes, const char* file) {
            const QString f = QString::fromLatin1(file);
            return QStringList{QStringLiteral("create %1.XXXXXX").arg(f), QString::fromLatin1(bytes),
                               QStringLiteral("sync file"), QStringLiteral("name %1.XXXXXX").arg(f),
                               QStringLiteral("close"), QStringLiteral("rename %1.XXXXXX %1").arg(f),
                               QStringLiteral("sync folder")};
        };
        QTest::newRow("a new file") << "new file" << writing("write 3", "group.vexo") << ascii({"group.vexo=new"});
        QTest::newRow("over an old file") << "over" << writing("write 3", "group.vexo") << ascii({"group.vexo=new"});
        QTest::newRow("a list of lines") << "list" << writing("write 5", "group.vexo")
                                         << ascii({"group.vexo=new\r\n"});
        QTest::newRow("no bytes") << "empty" << writing("write 0", "group.vexo") << ascii({"group.vexo="});
        QTest::newRow("a copy (a backup, a group taken in)")
            << "copy" << writing("write 3", "group.vexo") << ascii({"group.vexo=new", "source.vexo=new"});
        QTest::newRow("through a symbolic link: where it leads")
            << "through a link" << writing("write 3", "real.vexo") << ascii({"group.vexo=new", "real.vexo=new"});
        QTest::newRow("a rename") << "rename" << ascii({"sync folder"}) << ascii({"group.vexo=new"});
        QTest::newRow("a removal") << "removal" << ascii({"sync folder"}) << QStringList();
    }
    void everyWriteIsOnTheDiskWhenItReturns() {
        QFETCH(QString, operation);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, after);
        CallLog log(dir->path(), QString());
        QVERIFY(runOperation(operation));
        QCOMPARE(log.calls(), calls);
        QCOMPARE(folderNow(), after);
    }

    // A call that fails fails the write: the old file stays and no temporary
    // file is left. Only a folder that cannot be synced after the rename
    // leaves the new bytes: the write is done, and the handler of unsynced
    // writes hears of it ("warned"; Qt's warning in this test).
    void aFailedCallIsAFailedWrite_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("warned");
        const QStringList old = ascii({"group.vexo=old"});
        QTest::newRow("the new file cannot be made") << "over" << "create" << ascii({"create group.vexo.XXXXXX"}) << old << false;
        QTest::newRow("the disk takes half")
            << "over" << "write" << ascii({"create group.vexo.XXXXXX", "write 3", "close", "remove group.vexo.XXXXXX"})
            << old << false;
        QTest::newRow("the file's sync fails")
            << "over" << "syncFile"
            << ascii({"create group.vexo.XXXXXX", "write 3", "sync file", "close", "remove group.vexo.XXXXXX"}) << old << false;
        QTest::newRow("it cannot be named")
            << "over" << "name"
            << ascii({"create group.vexo.XXXXXX", "write 3", "sync file", "name group.vexo.XXXXXX", "close",
                      "remove group.vexo.XXXXXX"})
            << old << false;
        QTest::newRow("its close fails")
            << "over" << "close"
            << ascii({"create group.vexo.XXXXXX", "write 3", "sync file", "name group.vexo.XXXXXX", "close",
                      "remove group.vexo.XXXXXX"})
            << old << false;
        QTest::newRow("the rename fails")
            << "over" << "rename"
            << ascii({"create group.vexo.XXXXXX", "write 3", "sync file", "name group.vexo.XXXXXX", "close",
                      "rename group.vexo.XXXXXX group.vexo", "remove group.vexo.XXXXXX"})
            << old << false;
        QTest::newRow("the folder's sync fails")
            << "over" << "syncFolder"
            << ascii({"create group.vexo.XXXXXX", "write 3", "sync file", "name group.vexo.XXXXXX", "close",
                      "rename group.vexo.XXXXXX group.vexo", "sync folder"})
            << ascii({"group.vexo=new"}) << true;
        QTest::newRow("a new file whose sync fails")
            << "new file" << "syncFile"
            << ascii({"create group.vexo.XXXXXX", "write 3", "sync file", "close", "remove group.vexo.XXXXXX"})
            << QStringList() << false;
        QTest::newRow("a copy whose sync fails")
            << "copy" << "syncFile"
            << ascii({"create group.vexo.XXXXXX", "write 3", "sync file", "close", "remove group.vexo.XXXXXX"})
            << ascii({"group.vexo=old", "source.vexo=new"}) << false;
        QTest::newRow("a rename whose folder cannot be synced is undone")
            << "rename" << "syncFolder" << ascii({"sync folder"}) << ascii({"source.vexo=new"}) << false;
        QTest::newRow("a removal whose folder cannot be synced")
            << "removal" << "syncFolder" << ascii({"sync folder"}) << QStringList() << false;
    }
    void aFailedCallIsAFailedWrite() {
        QFETCH(QString, operation);
        QFETCH(QString, failing);
        QFETCH(QStringList, calls);
        QFETCH(QStringList, after);
        QFETCH(bool, warned);
        CallLog log(dir->path(), failing);
        lastError.clear();
        QCOMPARE(runOperation(operation), warned);  // warned: the window's or the command line's handler tells the user
        QCOMPARE(log.calls(), calls);
        QCOMPARE(folderNow(), after);
        const bool throws = !warned && (operation == QLatin1String("over") || operation == QLatin1String("new file"));
        QCOMPARE(lastError, throws ? QStringLiteral("Cannot create file ") +
                                         QDir::toNativeSeparators(file(QStringLiteral("group.vexo")))
                                   : QString());
    }

    // A file that exists keeps its permissions.
    void aWriteKeepsTheFilesPermissions_data() {
        QTest::addColumn<int>("permissions");
        QTest::newRow("the owner's only") << int(QFile::ReadOwner | QFile::WriteOwner);
        QTest::newRow("the group may read") << int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QTest::newRow("everyone may read and write")
            << int(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                   QFile::WriteOther);
    }
    void aWriteKeepsTheFilesPermissions() {
        QFETCH(int, permissions);
        const QString target = file(QStringLiteral("group.vexo"));
        put(target, "old");
        QVERIFY(QFile::setPermissions(target, QFile::Permissions(permissions)));
        textfile::writeBytes(target, "new");
        // the owner's are the user's too
        QCOMPARE(int(QFile::permissions(target) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser)), permissions);
        QCOMPARE(bytesOf(target), QByteArray("new"));
    }

    void aWriteLeavesNoTemporaryFile() {
        textfile::writeLines(file(u"a.vexo"_s), {"x"});
        textfile::writeLines(file(u"a.vexo"_s), {"y"});
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"a.vexo"_s});
        QCOMPARE(bytesOf(file(u"a.vexo"_s)), QByteArray("y\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"

