#include "app/program.h"

#include "app/application.h"
#include "app/forms.h"
#include "app/quitwhenshown.h"
#include "app/Unit1.h"
#include "platform/datafolderlock.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QScreen>

int runProgram(QApplication& app) {
    applyLook(app);
    // Held until the program ends: another copy, or a lock file that cannot
    // serve although the DataFolder can be written, keeps it from starting.
    DataFolderLock lock;
    if (!DataFolderLock::mayStart(lock.acquire())) {
        ShowMessage(lock.message());
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
