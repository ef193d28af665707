// The About window: F1 from anywhere in the main window, the registered
// user's details read afresh on every opening, the picture, the web label.

#include "app/forms.h"
#include "app/Unit1.h"
#include "platform/userinfo.h"
#include "tests/common/programtest.h"
#include "tests/common/testenv.h"
#include "ui/dialogs.h"
#include "windows/about.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The registered details the window is given, and how often it asked.
struct Registry {
    userinfo::Registered values;
    int reads = 0;
    Registry() {
        userinfo::setSourceForTests([this] {
            ++reads;
            return values;
        });
    }
    ~Registry() { userinfo::setSourceForTests({}); }
};

QByteArray aboutPicture() {
    QFile f(QStringLiteral(":/about/telefika.jpg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What the window showed while it was open.
struct Shown {
    QString user, organisation;
    bool visible = false;
    QPixmap icon;
};

}  // namespace

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestAbout : public ProgramTest {
    Q_OBJECT

    // F1 on a widget of the main window; what the About window showed.
    static Shown pressF1(QWidget* on) {
        Shown shown;
        testhooks::onNextModal([&](QDialog* d) {
            shown = {Form2->userLabel->text(), Form2->organisationLabel->text(), d == Form2 && d->isVisible(),
                     Form2->iconImage->pixmap()};
        });
        QTest::keyClick(on, Qt::Key_F1);
        return shown;
    }

private slots:
    // Every field, button and list of the main window that can hold the
    // focus passes F1 on to "Hakkında"; nothing else opens.
    void f1OpensAboutFromEveryField() {
        Registry registry;
        STOP_IF_FAILED(startFresh(Window::Active));
        QList<QWidget*> fields;
        for (QWidget* w : Form1->findChildren<QWidget*>())
            if (w->focusPolicy() != Qt::NoFocus && w->isVisible() && w->isEnabled() && !qobject_cast<QMenuBar*>(w))
                fields << w;
        QVERIFY(fields.size() >= 10);
        for (QWidget* w : fields) {
            Form1->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(Form1));
            w->setFocus();
            QVERIFY2(w->hasFocus(), w->metaObject()->className());
            const int before = registry.reads;
            const Shown shown = pressF1(w);
            QVERIFY2(shown.visible, qPrintable(w->accessibleName() + u" "_s + QString::fromLatin1(w->metaObject()->className())));
            QCOMPARE(registry.reads, before + 1);
        }
        QCOMPARE(testhooks::modalWindows(), QStringList(fields.size(), QStringLiteral("Hakkında")));
        QVERIFY(mainWindow().usageAction->shortcut().isEmpty());
        QVERIFY(testhooks::messages().isEmpty());
    }

    // Each opening reads the names again: a change in between shows up, and
    // the labels keep the last values while the window is closed.
    void readsTheNamesOnEveryOpening() {
        Registry registry;
        STOP_IF_FAILED(startFresh(Window::Active));
        Form2->ensureBuilt();  // made before its first opening, as a screen reader asking for it would
        QCOMPARE(Form2->userLabel->text(), QStringLiteral("--"));
        QCOMPARE(Form2->organisationLabel->text(), QStringLiteral("--"));
        registry.values = {u"Ayşe Çelik"_s, u"Işık Ltd. Şti."_s};
        Shown first = pressF1(mainWindow().nameField);
        QCOMPARE(first.user, QStringLiteral("Ayşe Çelik"));
        QCOMPARE(first.organisation, QStringLiteral("Işık Ltd. Şti."));
        registry.values = {u"Ümit Ağaoğlu"_s, u""_s};
        QCOMPARE(Form2->userLabel->text(), QStringLiteral("Ayşe Çelik"));
        Form1->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form1));
        Shown second = pressF1(mainWindow().nameField);
        QCOMPARE(second.user, QStringLiteral("Ümit Ağaoğlu"));
        QCOMPARE(second.organisation, u"Kayıtlı Kuruluş Yok"_s);
        QCOMPARE(registry.reads, 2);
    }

    void placeholders_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("organisation");
        QTest::addColumn<QString>("shownUser");
        QTest::addColumn<QString>("shownOrganisation");
        QTest::newRow("nothing registered")
            << "" << "" << u"Kayıtlı Kullanıcı Yok"_s << u"Kayıtlı Kuruluş Yok"_s;
        QTest::newRow("blanks") << " " << "  " << u"Kayıtlı Kullanıcı Yok"_s << u"Kayıtlı Kuruluş Yok"_s;
        QTest::newRow("markup is text") << "<b>Ali</b>" << "<i>Şirket</i>" << "<b>Ali</b>" << "<i>Şirket</i>";
    }
    void placeholders() {
        QFETCH(QString, user);
        QFETCH(QString, organisation);
        QFETCH(QString, shownUser);
        QFETCH(QString, shownOrganisation);
        Registry registry;
        registry.values = {user, organisation};
        STOP_IF_FAILED(startFresh(Window::Active));
        mainWindow().aboutAction->trigger();
        QCOMPARE(Form2->userLabel->text(), shownUser);
        QCOMPARE(Form2->organisationLabel->text(), shownOrganisation);
        // shown as typed: the tags take room of their own
        const QFontMetrics metrics(Form2->userLabel->font());
        QVERIFY(Form2->userLabel->sizeHint().width() >= metrics.horizontalAdvance(shownUser));
        QVERIFY(testhooks::messages().isEmpty());
    }

    void picture_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("shown");
        const QByteArray picture = aboutPicture();
        QTest::newRow("the window's own") << picture << true;
        QTest::newRow("no bytes") << QByteArray() << false;
        QTest::newRow("not a picture") << QByteArray("Telefika 2003\r\n") << false;
        QTest::newRow("cut short") << picture.left(picture.size() * 2 / 3) << false;
        QTest::newRow("end marker missing") << picture.left(picture.size() - 2) << false;
    }
    // A damaged picture leaves its place empty; the window opens as ever and
    // says nothing about it.
    void picture() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, shown);
        Registry registry;
        STOP_IF_FAILED(startFresh(Window::Active));
        Form2->ensureBuilt();
        QVERIFY(!Form2->pictureLabel->pixmap().isNull());  // made with the window's widgets
        if (!shown) QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"About picture not shown.*"_s));
        Form2->showPicture(bytes);
        const Shown s = pressF1(mainWindow().nameField);
        QVERIFY(s.visible);
        QCOMPARE(!Form2->pictureLabel->pixmap().isNull(), shown);
        if (shown) QCOMPARE(Form2->pictureLabel->pixmap().size(), QSize(353, 321));
        QCOMPARE(s.icon.size(), QSize(32, 32));
        QVERIFY(testhooks::messages().isEmpty());
    }

    void webLabelOpensTheAddress() {
        Registry registry;
        STOP_IF_FAILED(startFresh(Window::Active));
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(u"http"_s, &catcher, "open");
        testhooks::onNextModal([](QDialog*) {
            QTest::mouseClick(Form2->webLink, Qt::RightButton);
            QTest::mouseClick(Form2->webLink, Qt::LeftButton);
        });
        mainWindow().aboutAction->trigger();
        QDesktopServices::unsetUrlHandler(u"http"_s);
        QCOMPARE(catcher.opened, QList<QUrl>{QUrl(u"http://www.telefika.com.tr"_s)});
        QCOMPARE(Form2->webLink->cursor().shape(), Qt::PointingHandCursor);
    }

    void tamamCloses() {
        Registry registry;
        STOP_IF_FAILED(startFresh(Window::Active));
        bool closed = false;
        testhooks::onNextModal([&](QDialog*) {
            QTest::mouseClick(Form2->okButton, Qt::LeftButton);
            closed = !Form2->isVisible();
        });
        mainWindow().aboutAction->trigger();
        QVERIFY(closed);
    }

    // Every text fits its label with the window's own font, and every
    // widget lies inside the window (the picture alone is wider by design).
    void nothingClipped() {
        Registry registry;
        STOP_IF_FAILED(startFresh(Window::Active));
        mainWindow().aboutAction->trigger();
        QCOMPARE(Form2->size(), QSize(351, 520));
        QCOMPARE(Form2->minimumSize(), Form2->maximumSize());
        for (QLabel* l : Form2->findChildren<QLabel*>()) {
            if (l == Form2->pictureLabel || l->text().isEmpty()) continue;
            QVERIFY2(Form2->rect().contains(l->geometry()), qPrintable(l->text()));
            QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->text()));
            QVERIFY2(l->sizeHint().height() <= l->height(), qPrintable(l->text()));
        }
        QVERIFY(Form2->rect().contains(Form2->okButton->geometry()));
        QVERIFY(Form2->okButton->sizeHint().width() <= Form2->okButton->width());
    }
};

TELEFIKA_TEST_MAIN(TestAbout)
#include "tst_about.moc"

