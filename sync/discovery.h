#pragma once
// Finding the address books behind the address a user gives, and making a
// new one. The address may be the server's (then /.well-known/carddav,
// current-user-principal, addressbook-home-set and the address books listed
// there) or one address book's own. Asynchronous: finished() tells that the
// work ended, failure() whether it went well.

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

namespace davxml {
struct Response;
}

struct AddressBook {
    QUrl url;
    QString name;  // its displayname, else the last part of its address
};

class Discovery : public QObject {
    Q_OBJECT
public:
    Discovery(const QUrl& address, const QString& user, const QString& password, QObject* parent = nullptr);
    ~Discovery() override;

    // Finds the address books; books() holds them when it went well.
    void start();
    // Makes a new address book with that display name in the user's home set
    // (found first when start() has not run); books() then holds it alone.
    void create(const QString& name);
    // Stops; finished() follows with failure() set.
    void cancel();

    QString failure() const;  // the reason in Turkish; empty when it went well
    const QList<AddressBook>& books() const;

    // True when the address sends the password unencrypted (plain http).
    static bool isUnencrypted(const QUrl& address);

signals:
    void finished();

private:
    void end(const QString& failure);
    void tryWellKnown();
    void ask(const QUrl& url, const std::function<void(const davxml::Response&)>& next);
    void found(const davxml::Response& response);
    void list(const QUrl& home);
    void make(int attempt);

    struct Private;
    Private* d;
};
