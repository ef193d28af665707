#include "platform/keyring.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTimer>

#include <memory>

#include <qt6keychain/keychain.h>

namespace {

const QString Service = QStringLiteral("Telefika 2003");
// A keyring that never answers (a prompt nobody sees) ends the wait as a refusal.
constexpr int AnswerWaitMs = 60'000;

// True when the session's bus offers a keyring QtKeychain can use: the
// Secret Service or KWallet, running or started on demand.
bool keyringOnBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    QStringList names = bus.interface()->registeredServiceNames().value();
    names += bus.interface()->activatableServiceNames().value();
    for (const QString& name : std::as_const(names))
        if (name == u"org.freedesktop.secrets" || name.startsWith(QStringLiteral("org.kde.kwalletd"))) return true;
    return false;
}

Keyring::Outcome outcomeOf(QKeychain::Error error) {
    switch (error) {
    case QKeychain::NoError: return Keyring::Outcome::Done;
    case QKeychain::EntryNotFound: return Keyring::Outcome::NotFound;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented: return Keyring::Outcome::NoKeyring;
    case QKeychain::OtherError:
        // what QtKeychain says when the library is there but nothing answers it
        return keyringOnBus() ? Keyring::Outcome::Failed : Keyring::Outcome::NoKeyring;
    default: return Keyring::Outcome::Failed;
    }
}

// Starts the job and calls done once: at its end, or as Failed when it
// takes longer than a user would wait.
void run(QKeychain::Job* job, const Keyring::Callback& done) {
    auto answered = std::make_shared<bool>(false);
    job->setAutoDelete(true);
    QObject::connect(job, &QKeychain::Job::finished, job, [answered, done](QKeychain::Job* finished) {
        if (std::exchange(*answered, true)) return;
        const auto* reading = qobject_cast<QKeychain::ReadPasswordJob*>(finished);
        const Keyring::Outcome outcome = outcomeOf(finished->error());
        done(outcome, reading && outcome == Keyring::Outcome::Done ? reading->textData() : QString());
    });
    QTimer::singleShot(AnswerWaitMs, QCoreApplication::instance(), [answered, done] {
        if (!std::exchange(*answered, true)) done(Keyring::Outcome::Failed, QString());
    });
    job->start();
}

class SystemKeyring : public Keyring {
public:
    void store(const QString& key, const QString& secret, Callback done) override {
        auto* job = new QKeychain::WritePasswordJob(Service);
        job->setKey(key);
        job->setTextData(secret);
        run(job, done);
    }
    void read(const QString& key, Callback done) override {
        auto* job = new QKeychain::ReadPasswordJob(Service);
        job->setKey(key);
        run(job, done);
    }
    void forget(const QString& key, Callback done) override {
        auto* job = new QKeychain::DeletePasswordJob(Service);
        job->setKey(key);
        run(job, done);
    }
};

Keyring* replaced = nullptr;

// The answer given from the event loop, as a real keyring gives it.
void answerLater(const Keyring::Callback& done, Keyring::Outcome outcome, const QString& secret) {
    QTimer::singleShot(0, QCoreApplication::instance(), [done, outcome, secret] { done(outcome, secret); });
}

}  // namespace

QString Keyring::keyFor(const QString& group) {
    return QStringLiteral("sync:") + group;
}

Keyring& keyring() {
    static SystemKeyring system;
    return replaced ? *replaced : system;
}

void setKeyring(Keyring* replacement) {
    replaced = replacement;
}

void MemoryKeyring::store(const QString& key, const QString& secret, Callback done) {
    if (answer_ == Outcome::Done) secrets_.insert(key, secret);
    answerLater(done, answer_, QString());
}

void MemoryKeyring::read(const QString& key, Callback done) {
    if (answer_ != Outcome::Done) return answerLater(done, answer_, QString());
    const auto found = secrets_.constFind(key);
    if (found == secrets_.cend()) return answerLater(done, Outcome::NotFound, QString());
    answerLater(done, Outcome::Done, *found);
}

void MemoryKeyring::forget(const QString& key, Callback done) {
    if (answer_ != Outcome::Done) return answerLater(done, answer_, QString());
    answerLater(done, secrets_.remove(key) ? Outcome::Done : Outcome::NotFound, QString());
}
