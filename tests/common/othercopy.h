#pragma once
// Another copy of the program holding the DataFolder's lock: the test program
// started again with --hold-lock (or --hold-lock-inside, the lock inside the
// folder), which takes the lock, prints what it got and holds it until its
// input ends. A test's main() first calls holdLockIfAsked().

#include "platform/datafolderlock.h"
#include "store/datafolder.h"

#include <QCoreApplication>
#include <QMetaEnum>
#include <QProcess>
#include <QString>

#include <cstdio>
#include <optional>

namespace othercopy {
inline const char* const HoldLock = "--hold-lock";
inline const char* const HoldLockInside = "--hold-lock-inside";
}  // namespace othercopy

inline QString outcomeName(DataFolderLock::Outcome outcome) {
    return QString::fromLatin1(QMetaEnum::fromType<DataFolderLock::Outcome>().valueToKey(outcome));
}

// In the child: takes the lock and holds it; the exit code to return, or
// none when the program was not started as the other copy.
inline std::optional<int> holdLockIfAsked(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    const bool beside = qstrcmp(argv[1], othercopy::HoldLock) == 0;
    if (!beside && qstrcmp(argv[1], othercopy::HoldLockInside) != 0) return std::nullopt;
    DataFolderLock lock(beside ? datafolder::CompanionPlace::BesideFolder : datafolder::CompanionPlace::InsideFolder);
    std::printf("%s\n", qPrintable(outcomeName(lock.acquire())));
    std::fflush(stdout);
    char c;
    while (std::fread(&c, 1, 1, stdin) == 1) {
    }
    return 0;
}

class OtherCopy {
public:
    // What the other copy got when it tried the lock.
    QString start(bool inside = false) {
        process_.start(QCoreApplication::applicationFilePath(),
                       {QString::fromLatin1(inside ? othercopy::HoldLockInside : othercopy::HoldLock)});
        if (!process_.waitForStarted(30000)) return process_.errorString();
        QByteArray said;
        while (!said.contains('\n') && process_.waitForReadyRead(30000)) said += process_.readAllStandardOutput();
        return QString::fromLatin1(said).trimmed();
    }
    void kill() {
        process_.kill();
        process_.waitForFinished(30000);
    }
    void end() {
        process_.closeWriteChannel();
        process_.waitForFinished(30000);
    }
    ~OtherCopy() {
        if (process_.state() != QProcess::NotRunning) kill();
    }

private:
    QProcess process_;
};
