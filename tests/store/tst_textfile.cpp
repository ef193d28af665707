// Reading and writing whole files of lines, and the write that never leaves a
// file half-written.

#include "store/storeerror.h"
#include "store/stringlist.h"
#include "store/textfile.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(QList<QByteArray>)

class TestTextFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString file(const QString& name) const { return dir->filePath(name); }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void put(const QString& path, const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
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

    void aWriteLeavesNoTemporaryFile() {
        textfile::writeLines(file(u"a.vexo"_s), {"x"});
        textfile::writeLines(file(u"a.vexo"_s), {"y"});
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"a.vexo"_s});
        QCOMPARE(bytesOf(file(u"a.vexo"_s)), QByteArray("y\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"

