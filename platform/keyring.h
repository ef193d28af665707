#pragma once
// The desktop's keyring, where a group's sync password is kept (QtKeychain:
// the Secret Service, KWallet, or the system's own). Asynchronous: each call
// ends by calling its callback, from the event loop.

#include <QHash>
#include <QString>

#include <functional>

class Keyring {
public:
    enum class Outcome {
        Done,       // stored, read or forgotten
        NotFound,   // nothing kept under that key
        NoKeyring,  // no keyring runs here: the password is asked at each sync
        Failed,     // the keyring refused (locked, denied)
    };
    using Callback = std::function<void(Outcome outcome, const QString& secret)>;

    virtual ~Keyring() = default;
    virtual void store(const QString& key, const QString& secret, Callback done) = 0;
    virtual void read(const QString& key, Callback done) = 0;
    virtual void forget(const QString& key, Callback done) = 0;

    // The key a group's password is kept under.
    static QString keyFor(const QString& group);
};

// A keyring in memory, for tests and for a desktop without one: it answers
// from the event loop as the system's does. setAnswer() makes it act as
// no keyring (NoKeyring) or as a keyring that refuses (Failed); Done puts
// the ordinary behaviour back.
class MemoryKeyring : public Keyring {
public:
    void store(const QString& key, const QString& secret, Callback done) override;
    void read(const QString& key, Callback done) override;
    void forget(const QString& key, Callback done) override;

    void setAnswer(Outcome answer) { answer_ = answer; }
    // What it holds, for a test to look at.
    const QHash<QString, QString>& secrets() const { return secrets_; }

private:
    Outcome answer_ = Outcome::Done;
    QHash<QString, QString> secrets_;
};

// The keyring in use: the system's, unless a test set another.
Keyring& keyring();
// nullptr puts the system's back.
void setKeyring(Keyring* replacement);
