#pragma once
// The HTTP side of CardDAV: one request at a time or several side by side,
// each ending in a callback from the event loop. Basic authentication is
// sent only to the address's own origin (scheme, host and port): redirects
// are followed here, five at most, and one to another origin goes without
// the credentials. An answer is capped in size; a request that stalls is
// given up after a timeout. https keeps the system's certificate checks.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

class DavClient : public QObject {
    Q_OBJECT
public:
    struct Answer {
        int status = 0;     // the HTTP status; 0 when no answer came
        QString failure;    // set when no usable answer came: the reason in Turkish
        QByteArray body;
        QByteArray etag;    // the ETag header, as sent
        QUrl url;           // the address that answered, after redirects
        bool ok() const { return failure.isEmpty(); }
    };
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    using Callback = std::function<void(const Answer&)>;

    // The largest answer taken, and the time a request may stall.
    static constexpr qint64 MaxAnswerBytes = 64 * 1024 * 1024;
    static constexpr int DefaultTimeoutMs = 30000;
    // A listing of the whole book may stall five times as long: a server
    // reads every card before the first byte of its answer, and one that has
    // never read them (a book put in place beside it) takes its time.
    enum class Wait { Answer, Listing };
    static constexpr int ListingTimeoutFactor = 5;

    DavClient(const QUrl& origin, const QString& user, const QString& password, QObject* parent = nullptr);
    ~DavClient() override;

    void send(const QByteArray& method, const QUrl& url, const QByteArray& body, const Headers& headers,
              Callback done, Wait wait = Wait::Answer);
    // Every request still running is dropped; their callbacks are not called.
    void abortAll();
    int running() const;

    // The reason in Turkish for a status that is no success; empty for 2xx.
    static QString statusFailure(int status);

    // For tests: a shorter stall timeout for every client made afterwards.
    static void setTimeoutMs(int ms);

private:
    struct Request;
    void start(Request* request);
    void answered(Request* request, QNetworkReply* reply);
    void finish(Request* request, const Answer& answer);

    QNetworkAccessManager* manager_;
    QUrl origin_;
    QByteArray authorization_;
    QList<Request*> requests_;
};
