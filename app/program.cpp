#include "program.h"

#include "Unit1.h"
#include "application.h"
#include "datafolder.h"
#include "dialogs.h"
#include "forms.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLockFile>
#include <QScreen>
#include <QTimer>

#include <cstdio>

const QString SecondCopyMessage =
    QStringLiteral("Telefika 2003 zaten çalışıyor! Aynı veri havuzunu aynı anda yalnızca bir Telefika 2003 kullanabilir.");

namespace {
// The DataFolder as the file system knows it, whatever path led to it (a home
// given through a symbolic link, "..", a doubled separator). Before the first
// start the folder does not exist yet: its nearest existing ancestor is
// resolved and the rest appended, which is the path the folder will have.
QString canonicalFolder(const QString& folder) {
    QString existing = QDir::cleanPath(QDir(folder).absolutePath());
    QStringList rest;
    while (!QFileInfo::exists(existing)) {
        const QFileInfo info(existing);
        if (info.path() == existing) break;  // the root
        rest.prepend(info.fileName());
        existing = info.path();
    }
    QString canonical = QFileInfo(existing).canonicalFilePath();
    if (canonical.isEmpty()) canonical = existing;
    for (const QString& part : rest) canonical = QDir(canonical).filePath(part);
    return canonical;
}

// The lock lies beside the DataFolder, outside it: every copy that uses the
// folder finds it there, whatever its HOME, temporary or runtime folder.
QString lockFileFor(const QString& folder) {
    const QFileInfo canonical(canonicalFolder(folder));
    return QDir(canonical.path()).filePath(QStringLiteral(".") + canonical.fileName() + QStringLiteral(".lock"));
}
// For the start-up benchmark (bench/startup.cpp): with TELEFIKA_QUIT_WHEN_SHOWN
// set, the first paint of the main window writes "shown" to the standard
// output and the event loop ends, so the program ends without a close.
class QuitWhenShown : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QTimer::singleShot(0, qApp, [] {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool done_ = false;
};
}  // namespace

DataFolderLock::DataFolderLock() : path_(lockFileFor(datafolder::path())), lock_(std::make_unique<QLockFile>(path_)) {
    lock_->setStaleLockTime(0);  // a lock is stale only when its process is gone
}

DataFolderLock::~DataFolderLock() = default;

bool DataFolderLock::acquire() {
    if (lock_->tryLock(0)) {
        // No other copy writes here now: what a killed one left half-done goes.
        datafolder::removeUnfinishedWrites();
        return true;
    }
    // Only another running copy keeps the program from starting; a lock that
    // cannot be written at all (a read-only home) does not.
    return lock_->error() != QLockFile::LockFailedError;
}

QString DataFolderLock::lockPath() const { return path_; }

int runProgram(QApplication& app) {
    applyLook(app);
    DataFolderLock lock;
    if (!lock.acquire()) {
        ShowMessage(SecondCopyMessage);
        return 1;
    }
    createForms();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        Form1->adjustSize();
        QRect frame = Form1->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        Form1->move(frame.topLeft());
    }
    if (qEnvironmentVariableIsSet("TELEFIKA_QUIT_WHEN_SHOWN")) Form1->installEventFilter(new QuitWhenShown(Form1));
    Form1->show();
    const int rc = app.exec();
    destroyForms();
    return rc;
}
