// Start-up: from process start to the main window's first paint, with a full
// group (10,911 contacts) as the group in use, beside the floor of a bare Qt
// program showing an empty main window. The two run alternately so both see
// the same machine; the medians and their ratio are printed.
//
//   build/bench_startup [runs]      (15 of each by default)
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "store/datafolder.h"
#include "store/stringlist.h"
#include "tools/datagen.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Milliseconds from the start of the process to its "shown" line; -1 on failure.
double timeToShown(const QString& program, const QProcessEnvironment& env) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    p.start(program, {});
    QByteArray out;
    while (!out.contains("shown") && p.waitForReadyRead(60000)) out += p.readAllStandardOutput();
    const double ms = clock.nsecsElapsed() / 1e6;
    if (!p.waitForFinished(60000)) p.kill();
    if (!out.contains("shown")) {
        std::fprintf(stderr, "%s did not show its window\n", qPrintable(program));
        return -1;
    }
    return ms;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;

    QTemporaryDir home;
    if (!home.isValid()) return 1;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString platform = QStringLiteral("QT_QPA_PLATFORM");
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    if (!env.contains(platform)) env.insert(platform, QStringLiteral("offscreen"));
    env.insert(QStringLiteral("TELEFIKA_QUIT_WHEN_SHOWN"), QStringLiteral("1"));

    // The DataFolder of that home: a full group made by the generator, named
    // as the group in use, beside the default group.
    qputenv("HOME", home.path().toLocal8Bit());
    const QString full = QStringLiteral("Tam Rehber");
    QDir().mkpath(datafolder::path());
    datagen::group(datafolder::MAX_CONTACTS).save(datafolder::groupFilePath(full));
    StringList().save(datafolder::groupFilePath(QStringLiteral("@Kayıtlar@")));
    StringList groups;
    for (const QString& line : {full, QStringLiteral("@Kayıtlar@"), full}) groups.add(line);
    groups.save(datafolder::groupListPath());

    const QString program = QStringLiteral(TELEFIKA_PROGRAM);
    const QString floor = QStringLiteral(BARE_WINDOW_PROGRAM);
    // One start of each first, so neither pays for a cold disk cache.
    if (timeToShown(program, env) < 0 || timeToShown(floor, env) < 0) return 1;
    std::vector<double> programTimes, floorTimes;
    for (int i = 0; i < runs; ++i) {
        const double a = timeToShown(program, env);
        const double b = timeToShown(floor, env);
        if (a < 0 || b < 0) return 1;
        programTimes.push_back(a);
        floorTimes.push_back(b);
    }
    const double p = median(programTimes), f = median(floorTimes);
    std::printf("Start-up to the main window shown, median of %d runs each (%s)\n", runs,
                qPrintable(env.value(platform)));
    std::printf("  %-44s %8.1f ms\n", qPrintable(QStringLiteral("Telefika, a full group (%1 contacts)").arg(datafolder::MAX_CONTACTS)), p);
    std::printf("  %-44s %8.1f ms\n", "bare Qt main window (floor)", f);
    std::printf("  %-44s %8.2fx\n", "ratio", p / f);
    return 0;
}
