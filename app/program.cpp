#include "program.h"

#include "Unit1.h"
#include "application.h"
#include "datafolder.h"
#include "dialogs.h"
#include "forms.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEvent>
#include <QLockFile>
#include <QScreen>
#include <QTimer>

#include <cstdio>

const QString SecondCopyMessage =
    QStringLiteral("Telefika 2003 zaten çalışıyor! Aynı veri havuzunu aynı anda yalnızca bir Telefika 2003 kullanabilir.");

namespace {
QString lockFileFor(const QString& folder) {
    const QByteArray hash = QCryptographicHash::hash(QDir::cleanPath(folder).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir::tempPath() + QStringLiteral("/telefika-") + QString::fromLatin1(hash.left(16)) + QStringLiteral(".lock");
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

DataFolderLock::DataFolderLock() : lock_(std::make_unique<QLockFile>(lockFileFor(datafolder::path()))) {
    lock_->setStaleLockTime(0);  // a lock is stale only when its process is gone
}

DataFolderLock::~DataFolderLock() = default;

bool DataFolderLock::acquire() {
    // Only another running copy keeps the program from starting; a lock that
    // cannot be written at all (no temporary folder) does not.
    return lock_->tryLock(0) || lock_->error() != QLockFile::LockFailedError;
}

QString DataFolderLock::lockPath() const { return lockFileFor(datafolder::path()); }

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
