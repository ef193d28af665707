#include "app/application.h"

#include "store/storeerror.h"
#include "store/textfile.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTranslator>

#include <new>
#include <utility>

namespace {
QStringList unsynced;  // the files of writes the disk did not confirm, not yet told

// One message for them, once the operation has ended: after the message box
// it may show has been closed too.
void tellUnsyncedWrites() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        QObject::connect(box, &QDialog::finished, qApp, tellUnsyncedWrites,
                         Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
        return;
    }
    ShowMessage(textfile::unsyncedWarning(std::exchange(unsynced, {})));
}
}  // namespace

TelefikaApplication::TelefikaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    textfile::setUnsyncedWriteHandler([](const QString& path) {
        if (unsynced.isEmpty()) QMetaObject::invokeMethod(qApp, tellUnsyncedWrites, Qt::QueuedConnection);
        if (!unsynced.contains(path)) unsynced << path;
    });
}

bool TelefikaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const StoreError& e) {
        ShowError(e.message());
    } catch (const std::bad_alloc&) {
        ShowError(StoreError::cannotInsert().message());
    } catch (const std::exception& e) {
        ShowError(QString::fromUtf8(e.what()));
    }
    return true;
}

void applyLook(QApplication& app) {
    QApplication::setApplicationName(ApplicationTitle);
    // The program's own icon on every window, from the PNG sizes compiled in
    // (a static library's resources are registered by hand), read when a
    // window or the desktop first asks for them.
    Q_INIT_RESOURCE(telefika_icons);
    QApplication::setWindowIcon(lazyIcon([] {
        QIcon icon;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            icon.addFile(QStringLiteral(":/icons/telefika-%1.png").arg(size), QSize(size, size));
        return icon;
    }));
    // Lets a Wayland desktop match the windows to the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tr.com.telefika.Telefika"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setFamilies(preferredFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                        QStringLiteral("DejaVu Sans")}));
    font.setPixelSize(11);
    app.setFont(font);
    // The toolkit's own texts (the file dialog's buttons, "Tamam") in Turkish.
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    auto* toolkitTexts = new QTranslator(&app);
    if (toolkitTexts->load(QLocale(QLocale::Turkish), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(toolkitTexts);
}
