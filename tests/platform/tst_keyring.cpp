// The system's keyring through a real Secret Service: gnome-keyring in a
// D-Bus session of the test's own, which starts nothing on demand. Before the
// keyring runs, the same bus stands for a desktop without one.

#include "platform/keyring.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestKeyring : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QProcess bus_, daemon_;

    // What a call of the keyring answered, waited for.
    template <typename Call>
    QPair<Keyring::Outcome, QString> ask(Call call) {
        std::optional<QPair<Keyring::Outcome, QString>> answer;
        call([&answer](Keyring::Outcome outcome, const QString& secret) { answer = qMakePair(outcome, secret); });
        return QTest::qWaitFor([&answer] { return answer.has_value(); }, 30'000) ? *answer
                                                                                 : qMakePair(Keyring::Outcome::Failed, u"(none)"_s);
    }
    Keyring::Outcome read(const QString& key) { return ask([&](auto done) { keyring().read(key, done); }).first; }

private slots:
    void cleanupTestCase() {
        for (QProcess* p : {&daemon_, &bus_}) {
            p->kill();
            p->waitForFinished();
        }
    }

    // No Secret Service: no keyring (the password is then asked at each
    // sync), not a refusal. With one: stored, replaced, read and forgotten.
    void systemKeyring() {
        QFile config(dir_.filePath(u"bus.conf"_s));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("<busconfig><type>session</type><listen>unix:tmpdir=" + QFile::encodeName(dir_.path()) +
                     "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
                     "<allow own=\"*\"/></policy></busconfig>");
        config.close();
        bus_.start(u"dbus-daemon"_s, {u"--config-file="_s + config.fileName(), u"--nofork"_s, u"--print-address=1"_s});
        if (!bus_.waitForReadyRead(10'000)) QSKIP("dbus-daemon does not run here (Debian package dbus-daemon)");
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus_.readLine().trimmed());
        const QString key = Keyring::keyFor(u"İş Yeri"_s);
        QCOMPARE(read(key), Keyring::Outcome::NoKeyring);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& name : {u"HOME"_s, u"XDG_DATA_HOME"_s, u"XDG_RUNTIME_DIR"_s}) env.insert(name, dir_.path());
        daemon_.setProcessEnvironment(env);
        daemon_.start(u"gnome-keyring-daemon"_s, {u"--foreground"_s, u"--unlock"_s, u"--components=secrets"_s});
        if (!daemon_.waitForStarted(10'000)) QSKIP("gnome-keyring-daemon does not run here (Debian package gnome-keyring)");
        daemon_.write("login keyring's password");
        daemon_.closeWriteChannel();
        if (!QTest::qWaitFor([] { return QDBusConnection::sessionBus().interface()->isServiceRegistered(u"org.freedesktop.secrets"_s); },
                             10'000))
            QSKIP("gnome-keyring-daemon offers no Secret Service without a desktop here");
        QCOMPARE(read(key), Keyring::Outcome::NotFound);
        QCOMPARE(ask([&](auto done) { keyring().store(key, u"eski"_s, done); }).first, Keyring::Outcome::Done);
        QCOMPARE(ask([&](auto done) { keyring().store(key, u"şifre ğüİ 1"_s, done); }).first, Keyring::Outcome::Done);
        QCOMPARE(ask([&](auto done) { keyring().read(key, done); }), qMakePair(Keyring::Outcome::Done, u"şifre ğüİ 1"_s));
        QCOMPARE(read(Keyring::keyFor(u"Aile"_s)), Keyring::Outcome::NotFound);
        QCOMPARE(ask([&](auto done) { keyring().forget(key, done); }).first, Keyring::Outcome::Done);
        QCOMPARE(read(key), Keyring::Outcome::NotFound);
    }
};

QTEST_GUILESS_MAIN(TestKeyring)
#include "tst_keyring.moc"
