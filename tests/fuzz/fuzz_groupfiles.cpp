// A fuzz target (libFuzzer) over what the program reads from the DataFolder:
// a group file and the group list, split into lines and loaded into lists,
// and the main window's start-up that loads both, with the groups a killed
// copy left pending.
//
// An input is: two bytes giving the length of the group list's bytes, one
// byte of choices, the group list's bytes, then the group file's bytes.
// Choice bit 0 writes the group file under the name of the group list's line
// 0 (the active group), bit 1 writes it as the default group as well, bit 2
// writes the group list's bytes as the pending groups' names too.
// Built by tools/fuzz.sh; the seed inputs are tests/fuzz/corpus/.

#include "app/forms.h"
#include "app/Unit1.h"
#include "book/phonebook.h"
#include "store/codepage.h"
#include "store/collation.h"
#include "store/datafolder.h"
#include "store/pendinggroups.h"
#include "store/stringlist.h"
#include "store/textfile.h"
#include "tests/common/mainwindowaccess.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// A home on a memory file system where there is one: the writes' syncs cost nothing.
QString homeTemplate() {
    const QString shm = QStringLiteral("/dev/shm");
    const QFileInfo info(shm);
    const QString base = info.isDir() && info.isWritable() ? shm : QDir::tempPath();
    return base + QStringLiteral("/telefika-fuzz-XXXXXX");
}

struct Program {
    QTemporaryDir home{homeTemplate()};
    QApplication* app = nullptr;
    Program() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
        qputenv("HOME", QFile::encodeName(home.path()));
        static int argc = 1;
        static char name[] = "fuzz_groupfiles";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        testhooks::enable();
        QDir().mkpath(datafolder::path());
        createForms();
        testhooks::messages().clear();
    }
};

// Reading: the lines of the bytes, and the same lines loaded from a file into
// an unsorted and a sorted list.
void readBack(const QByteArray& bytes, const QString& path) {
    const QList<QByteArray> lines = textfile::splitLines(bytes);
    for (const QByteArray& l : lines) check(!l.contains('\r') && !l.contains('\n') && !l.contains('\0'), "a line holds a break");
    check(textfile::splitLines(textfile::joinLines(lines)) == lines, "written lines read back otherwise");
    put(path, bytes);
    StringList plain, sorted(true);
    plain.load(path);
    sorted.load(path);
    check(plain.lines() == lines, "the file loads other lines");
    check(sorted.count() == plain.count(), "the sorted list lost a line");
    for (int i = 0; i + 1 < sorted.count(); ++i)
        check(collation::compare(sorted.get(i), sorted.get(i + 1)) <= 0, "the sorted list is out of order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Program program;
    if (size < 3) return 0;
    const size_t listSize = (size_t(data[0]) | size_t(data[1]) << 8) % (size - 3 + 1);
    const unsigned choices = data[2];
    const QByteArray list(reinterpret_cast<const char*>(data + 3), qsizetype(listSize));
    const QByteArray group(reinterpret_cast<const char*>(data + 3 + listSize), qsizetype(size - 3 - listSize));

    const QString folder = datafolder::path();
    QDir dir(folder);
    for (const QString& f : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) dir.remove(f);

    readBack(list, folder + QStringLiteral("list.tmp"));
    readBack(group, folder + QStringLiteral("group.tmp"));
    dir.remove(QStringLiteral("list.tmp"));
    dir.remove(QStringLiteral("group.tmp"));

    // Start-up over the same bytes as the DataFolder's files.
    put(datafolder::groupListPath(), list);
    const QList<QByteArray> listLines = textfile::splitLines(list);
    if ((choices & 1) && !listLines.isEmpty()) {
        const QString active = codepage::decode(listLines.first());
        const QString path = datafolder::groupFilePath(active);
        if (!path.isEmpty() && !active.isEmpty() && QFileInfo(path).fileName().toUtf8().size() < 250 &&
            QFileInfo(path).absolutePath() == QFileInfo(datafolder::groupListPath()).absolutePath())
            put(path, group);
    }
    if (choices & 2) put(datafolder::groupFilePath(datafolder::DefaultGroup), group);
    QFile::remove(pendinggroups::path());
    if (choices & 4) put(pendinggroups::path(), list);
    const QStringList pending = pendinggroups::names();

    // The start-up again, on the one phone book and main window: a start
    // that reads the group list takes every list anew from the files.
    const PhoneBook& book = *Book;
    testhooks::messages().clear();
    Form1->FormCreate();

    check(book.nameIndex().count() == (book.recordLines().count() + 2) / 3, "NameIndex does not hold one name per contact");
    for (int i = 0; i + 1 < book.nameIndex().count(); ++i)
        check(collation::compare(book.nameIndex().get(i), book.nameIndex().get(i + 1)) <= 0, "NameIndex is out of order");
    if (testhooks::messages().isEmpty()) {
        // A start-up that said nothing holds what the files hold.
        StringList onDisk;
        onDisk.load(datafolder::groupListPath());
        check(book.groupNames().lines() == onDisk.lines(), "GroupNames differs from the group list file");
        StringList active;
        active.load(datafolder::groupFilePath(book.groupNames().text(0)));
        check(book.recordLines().lines() == active.lines(), "RecordLines differs from the active group's file");
        check(mainWindow().statusPanel2->text() == QStringLiteral("Grup:") + book.groupNames().text(0),
              "status panel 2 names another group");
        check(mainWindow().groupSelector->count() == book.groupNames().count() - 1, "the selector lists other groups");
        // Each pending group is listed exactly when its file is there, and forgotten.
        for (const QString& g : pending) {
            if (collation::equalText(g, datafolder::DefaultGroup)) continue;
            bool listed = false;
            for (int i = 1; i < book.groupNames().count(); ++i) listed = listed || collation::equalText(book.groupNames().text(i), g);
            check(listed == datafolder::exists(datafolder::groupFilePath(g)), "a pending group is not settled");
        }
        check(pendinggroups::names().isEmpty(), "pending groups stay after the start");
    }
    Form1->Timer1Timer();
    return 0;
}
