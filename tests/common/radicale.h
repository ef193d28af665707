#pragma once
// A real CardDAV server for the tests: Debian's radicale, started on
// 127.0.0.1 on a free port with a storage folder of its own and one user
// (plain-text htpasswd) who owns /<user>/, and stopped at the end.
//
// The calls here wait for the server (a local event loop): they are for the
// tests, never for the program.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class Radicale {
public:
    Radicale();
    ~Radicale();
    Radicale(const Radicale&) = delete;
    Radicale& operator=(const Radicale&) = delete;

    // Starts the server and waits until it answers (a few seconds at most).
    bool start();
    void stop();

    QUrl url() const;  // the server's root, "http://127.0.0.1:<port>/"
    QString user() const { return QStringLiteral("ayse"); }
    QString password() const { return QStringLiteral("gizli-şifre-1"); }
    int port() const { return port_; }
    // An address book's address: http://127.0.0.1:<port>/ayse/<name>/
    QUrl bookUrl(const QString& name) const;
    // The folder that holds a book's cards in the server's storage, one file each.
    QString bookFolder(const QString& name) const;

    // An answer of the server to a request made as the user.
    struct Reply {
        int status = 0;  // 0 when no answer came
        QByteArray body;
        QMap<QByteArray, QByteArray> headers;  // names in lower case
    };
    Reply request(const QByteArray& method, const QUrl& url, const QByteArray& body = QByteArray(),
                  const QMap<QByteArray, QByteArray>& headers = {}) const;

    // A new address book (extended MKCOL); false when the server refused it.
    bool makeBook(const QString& name, const QString& displayName = QString());
    // A card put into a book under that file name; its etag ("" when refused).
    QByteArray putCard(const QString& book, const QString& file, const QByteArray& card);
    QByteArray card(const QString& book, const QString& file) const;  // "" when missing
    bool deleteCard(const QString& book, const QString& file);
    // The file names of a book's cards, sorted, and every card's bytes in that order.
    QStringList cardFiles(const QString& book) const;
    QList<QByteArray> cards(const QString& book) const;

private:
    QTemporaryDir dir_;
    std::unique_ptr<QProcess> process_;
    int port_ = 0;
};
