#pragma once
// The desktop's keyring, where a group's sync password is kept (QtKeychain:
// the Secret Service, KWallet, or the system's own). Asynchronous: each call
// ends by calling its callback, from the event loop.

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

// The keyring in use: the system's, unless a test set another.
Keyring& keyring();
// nullptr puts the system's back.
void setKeyring(Keyring* replacement);
