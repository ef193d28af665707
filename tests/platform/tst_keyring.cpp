// The system's keyring through a real Secret Service: gnome-keyring in a
// D-Bus session of the test's own, which no other program sees and which
// starts nothing on demand. Before the keyring runs, the same bus stands for
// a desktop without one.

#include "platform/keyring.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Answer {
    bool given = false;
    Keyring::Outcome outcome = Keyring::Outcome::Failed;
    QString secret;
};

// One call of the keyring, waited for.
template <typename Call>
Answer ask(Call call) {
    Answer a;
    call([&a](Keyring::Outcome outcome, const QString& secret) { a = {true, outcome, secret}; });
    if (!QTest::qWaitFor([&a] { return a.given; }, 30'000)) a.outcome = Keyring::Outcome::Failed;
    return a;
}

}  // namespace

class TestKeyring : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QProcess bus_, daemon_;

    // A bus with no service to start on demand, so the keyring answering is ours.
    bool startBus(QString& why) {
        QFile config(dir_.filePath(u"bus.conf"_s));
        config.open(QIODevice::WriteOnly);
        config.write("<busconfig><type>session</type><listen>unix:tmpdir=" + QFile::encodeName(dir_.path()) +
                     "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow send_destination=\"*\" "
                     "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        config.close();
        bus_.start(u"dbus-daemon"_s, {u"--config-file"_s + u'=' + config.fileName(), u"--nofork"_s,
                                      u"--print-address=1"_s});
        if (!bus_.waitForReadyRead(10'000)) {
            why = u"dbus-daemon did not start (package dbus-daemon)"_s;
            return false;
        }
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus_.readLine().trimmed());
        return QDBusConnection::sessionBus().isConnected();
    }

    // gnome-keyring's Secret Service, its login keyring made and unlocked
    // with a password given on its input.
    bool startKeyring(QString& why) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"HOME"_s, dir_.path());
        env.insert(u"XDG_DATA_HOME"_s, dir_.filePath(u"data"_s));
        env.insert(u"XDG_RUNTIME_DIR"_s, dir_.path());
        daemon_.setProcessEnvironment(env);
        daemon_.start(u"gnome-keyring-daemon"_s, {u"--foreground"_s, u"--unlock"_s, u"--components=secrets"_s});
        if (!daemon_.waitForStarted(10'000)) {
            why = u"gnome-keyring-daemon did not start (package gnome-keyring)"_s;
            return false;
        }
        daemon_.write("test-keyring-password");
        daemon_.closeWriteChannel();
        const bool up = QTest::qWaitFor(
            [] { return QDBusConnection::sessionBus().interface()->isServiceRegistered(u"org.freedesktop.secrets"_s); },
            10'000);
        if (!up) why = u"gnome-keyring-daemon offered no Secret Service on a bus without a desktop"_s;
        return up;
    }

private slots:
    void cleanupTestCase() {
        for (QProcess* p : {&daemon_, &bus_}) {
            p->kill();
            p->waitForFinished();
        }
    }

    // Without a Secret Service the keyring is said to be missing, not
    // refusing (the password is then asked at each sync); with one, a
    // password is stored, replaced, read and forgotten under the group's key.
    void systemKeyring() {
        QString why;
        if (!startBus(why)) QSKIP(qPrintable(why));
        const QString key = Keyring::keyFor(u"İş Yeri"_s);
        QCOMPARE(ask([&](auto done) { keyring().read(key, done); }).outcome, Keyring::Outcome::NoKeyring);

        if (!startKeyring(why)) QSKIP(qPrintable(why));
        QCOMPARE(ask([&](auto done) { keyring().read(key, done); }).outcome, Keyring::Outcome::NotFound);
        QCOMPARE(ask([&](auto done) { keyring().store(key, u"eski"_s, done); }).outcome, Keyring::Outcome::Done);
        QCOMPARE(ask([&](auto done) { keyring().store(key, u"şifre ğüİ 1"_s, done); }).outcome, Keyring::Outcome::Done);
        const Answer read = ask([&](auto done) { keyring().read(key, done); });
        QCOMPARE(read.outcome, Keyring::Outcome::Done);
        QCOMPARE(read.secret, u"şifre ğüİ 1"_s);
        QCOMPARE(ask([&](auto done) { keyring().read(Keyring::keyFor(u"Aile"_s), done); }).outcome,
                 Keyring::Outcome::NotFound);
        QCOMPARE(ask([&](auto done) { keyring().forget(key, done); }).outcome, Keyring::Outcome::Done);
        QCOMPARE(ask([&](auto done) { keyring().read(key, done); }).outcome, Keyring::Outcome::NotFound);
    }
};

QTEST_GUILESS_MAIN(TestKeyring)
#include "tst_keyring.moc"
