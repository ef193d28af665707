#pragma once
// Where a benchmark of the windows starts: the offscreen platform and a fresh
// home, set before the application object is made; then, with the
// application there, the program started on a full group (10,911 contacts)
// with message boxes that record their text instead of waiting.

#include "app/forms.h"
#include "store/datafolder.h"
#include "tools/datagen.h"
#include "ui/dialogs.h"

#include <QFile>
#include <QTemporaryDir>

inline void useFreshHome(const QTemporaryDir& home) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", QFile::encodeName(home.path()));
}

inline void startWithFullGroup() {
    datafolder::createFolder(datafolder::path());
    datagen::group().save(datafolder::groupFilePath(datafolder::DefaultGroup));
    datafolder::defaultGroupList().save(datafolder::groupListPath());
    testhooks::enable();
    createForms();
}
