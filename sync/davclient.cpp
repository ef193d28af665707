#include "sync/davclient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

int timeoutMs = DavClient::DefaultTimeoutMs;

bool sameOrigin(const QUrl& a, const QUrl& b) {
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0 &&
           a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && a.port(a.scheme() == QLatin1String("https") ? 443 : 80) ==
           b.port(b.scheme() == QLatin1String("https") ? 443 : 80);
}

QString networkFailure(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("Sunucu zamanında cevap vermedi.");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("Sunucunun sertifikası doğrulanamadı; bağlantı güvenli değil.");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("Sunucu bulunamadı: adresi denetleyin.");
    default:
        return QStringLiteral("Sunucuya bağlanılamadı.");
    }
}

}  // namespace

struct DavClient::Request {
    QByteArray method;
    QUrl url;
    QByteArray body;
    Headers headers;
    Callback done;
    Wait wait;
    int redirects = 0;
    QNetworkReply* reply = nullptr;
    bool tooLarge = false;
};

DavClient::DavClient(const QUrl& origin, const QString& user, const QString& password, QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)), origin_(origin) {
    authorization_ = "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
}

DavClient::~DavClient() { abortAll(); }

void DavClient::setTimeoutMs(int ms) { timeoutMs = ms; }

int DavClient::running() const { return int(requests_.size()); }

void DavClient::send(const QByteArray& method, const QUrl& url, const QByteArray& body, const Headers& headers,
                     Callback done, Wait wait) {
    auto* request = new Request{method, url, body, headers, std::move(done), wait};
    requests_.append(request);
    start(request);
}

void DavClient::start(Request* request) {
    QNetworkRequest r(request->url);
    r.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    r.setTransferTimeout(request->wait == Wait::Listing ? timeoutMs * ListingTimeoutFactor : timeoutMs);
    if (sameOrigin(request->url, origin_)) r.setRawHeader("Authorization", authorization_);
    for (const auto& h : request->headers) r.setRawHeader(h.first, h.second);
    if (!request->body.isEmpty() && !r.hasRawHeader("Content-Type"))
        r.setRawHeader("Content-Type", "application/xml; charset=utf-8");
    QNetworkReply* reply = manager_->sendCustomRequest(r, request->method, request->body);
    request->reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [request, reply](qint64 received, qint64 total) {
        if (received > MaxAnswerBytes || total > MaxAnswerBytes) {
            request->tooLarge = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, request, reply] { answered(request, reply); });
}

void DavClient::answered(Request* request, QNetworkReply* reply) {
    reply->deleteLater();
    request->reply = nullptr;
    Answer answer;
    answer.url = request->url;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (request->tooLarge) {
        answer.failure = QStringLiteral("Sunucunun cevabı çok büyük.");
        return finish(request, answer);
    }
    if (answer.status == 0) {
        answer.failure = networkFailure(reply->error());
        return finish(request, answer);
    }
    const bool redirect = answer.status == 301 || answer.status == 302 || answer.status == 303 ||
                          answer.status == 307 || answer.status == 308;
    if (redirect && reply->hasRawHeader("Location")) {
        if (++request->redirects > 5) {
            answer.failure = QStringLiteral("Sunucu bir yönlendirme döngüsüne girdi.");
            return finish(request, answer);
        }
        request->url = request->url.resolved(QUrl::fromEncoded(reply->rawHeader("Location")));
        if (answer.status == 303) {
            request->method = "GET";
            request->body.clear();
        }
        return start(request);
    }
    answer.body = reply->readAll();
    if (answer.body.size() > MaxAnswerBytes) {
        answer.body.clear();
        answer.failure = QStringLiteral("Sunucunun cevabı çok büyük.");
    }
    answer.etag = reply->rawHeader("ETag");
    finish(request, answer);
}

void DavClient::finish(Request* request, const Answer& answer) {
    requests_.removeOne(request);
    const Callback done = std::move(request->done);
    delete request;
    done(answer);
}

void DavClient::abortAll() {
    const QList<Request*> requests = std::exchange(requests_, {});
    for (Request* request : requests) {
        if (request->reply) {
            request->reply->disconnect(this);
            request->reply->abort();
            request->reply->deleteLater();
        }
        delete request;
    }
}

QString DavClient::statusFailure(int status) {
    if (status >= 200 && status < 300) return QString();
    if (status == 401) return QStringLiteral("Kullanıcı adı ya da parola yanlış.");
    if (status == 403) return QStringLiteral("Sunucu bu işe izin vermedi (403).");
    if (status == 404) return QStringLiteral("Sunucuda bu adres bulunamadı (404).");
    if (status >= 500) return QStringLiteral("Sunucuda bir hata oldu (%1); daha sonra yeniden deneyin.").arg(status);
    return QStringLiteral("Sunucu isteği kabul etmedi (%1).").arg(status);
}
