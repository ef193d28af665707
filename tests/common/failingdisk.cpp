#include "tests/common/failingdisk.h"

#include "store/datafolder.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
rlimit savedLimit{};

// The test's mounts stay its own: a mount namespace of this thread, whose
// mounts do not travel back to the system's.
bool ownMountNamespace(QString& reason) {
    static int state = 0;  // 0 not tried, 1 done, -1 failed
    static QString why;
    if (state == 0) {
        if (geteuid() != 0) {
            why = QStringLiteral("not root");
        } else if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            why = QStringLiteral("no mount namespace: ") + QString::fromLocal8Bit(std::strerror(errno));
        }
        state = why.isEmpty() ? 1 : -1;
    }
    reason = why;
    return state == 1;
}
}  // namespace

FailingDisk::FailingDisk(Kind kind) : kind_(kind), folder_(datafolder::path()) {
    if (kind_ == FileSizeLimit) {
        usable_ = true;
        return;
    }
    if (!ownMountNamespace(reason_)) return;
    QDir().mkpath(folder_);
    const QByteArray where = QFile::encodeName(folder_);
    if (mount("telefika-test", where.constData(), "tmpfs", 0, "size=16m") != 0) {
        reason_ = QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    mounted_ = usable_ = true;
}

FailingDisk::~FailingDisk() {
    writable();
    if (mounted_) umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

void FailingDisk::failing() {
    if (!usable_ || failing_) return;
    if (kind_ == ReadOnlyMount) {
        mount(nullptr, QFile::encodeName(folder_).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
    } else {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &savedLimit);
        rlimit tight = savedLimit;
        tight.rlim_cur = 1;
        setrlimit(RLIMIT_FSIZE, &tight);
    }
    failing_ = true;
}

void FailingDisk::writable() {
    if (!failing_) return;
    if (kind_ == ReadOnlyMount)
        mount(nullptr, QFile::encodeName(folder_).constData(), nullptr, MS_REMOUNT, nullptr);
    else
        setrlimit(RLIMIT_FSIZE, &savedLimit);
    failing_ = false;
}
