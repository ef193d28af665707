#include "sync/discovery.h"

#include <QTimer>

struct Discovery::Private {
    QUrl address;
    QString user, password;
    QString failure;
    QList<AddressBook> books;
};

Discovery::Discovery(const QUrl& address, const QString& user, const QString& password, QObject* parent)
    : QObject(parent), d(new Private{address, user, password, {}, {}}) {}

Discovery::~Discovery() { delete d; }

void Discovery::start() {
    d->failure = QStringLiteral("henüz yapılmadı");
    QTimer::singleShot(0, this, &Discovery::finished);
}

void Discovery::create(const QString&) { start(); }

void Discovery::cancel() {}

QString Discovery::failure() const { return d->failure; }

const QList<AddressBook>& Discovery::books() const { return d->books; }

bool Discovery::isUnencrypted(const QUrl& address) {
    return address.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0;
}
