#pragma once
// The main every benchmark of the windows shares: the offscreen platform and
// a fresh home, set before the application object is made; the DataFolder
// written (a full group of 10,911 contacts unless the benchmark writes its
// own) and the program started with message boxes that record their text
// instead of waiting; the benchmarks registered, run and printed each beside
// its floor; and the windows taken down.

#include "app/Unit1.h"
#include "app/forms.h"
#include "bench/floor.h"
#include "store/datafolder.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <functional>

// The default group, full and in use.
inline void writeFullGroup() {
    datafolder::createFolder(datafolder::path());
    datagen::group().save(datafolder::groupFilePath(datafolder::DefaultGroup));
    datafolder::defaultGroupList().save(datafolder::groupListPath());
}

struct ProgramStart {
    std::function<void()> writeDataFolder = writeFullGroup;
    bool mainWindowShown = false;
};

inline int runWindowBenchmarks(int argc, char** argv, const ProgramStart& start,
                               const std::function<void()>& registerBenchmarks) {
    QTemporaryDir home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", QFile::encodeName(home.path()));
    QApplication app(argc, argv);
    start.writeDataFolder();
    testhooks::enable();
    createForms();
    if (start.mainWindowShown) Form1->show();

    benchmark::Initialize(&argc, argv);
    registerBenchmarks();
    FloorReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    destroyForms();
    return 0;
}
