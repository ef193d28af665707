#include "app/application.h"

#include "store/storeerror.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include <new>

TelefikaApplication::TelefikaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

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
