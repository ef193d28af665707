#include "tests/common/radicale.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <algorithm>

#include <csignal>
#include <sys/prctl.h>

namespace {

int freePort() {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0)) return 0;
    return server.serverPort();
}

bool answers(int port) {
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    return socket.waitForConnected(200);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

}  // namespace

Radicale::Radicale() = default;

Radicale::~Radicale() { stop(); }

bool Radicale::start() {
    const QString folder = dir_.path();
    writeFile(folder + QStringLiteral("/users"), (user() + QLatin1Char(':') + password() + QLatin1Char('\n')).toUtf8());
    for (int attempt = 0; attempt < 3; ++attempt) {
        port_ = freePort();
        const QString config = QStringLiteral(
                                   "[server]\nhosts = 127.0.0.1:%1\n"
                                   "[auth]\ntype = htpasswd\nhtpasswd_filename = %2/users\n"
                                   "htpasswd_encryption = plain\ndelay = 0\n"
                                   "[rights]\ntype = owner_only\n"
                                   "[storage]\nfilesystem_folder = %2/collections\n"
                                   "[web]\ntype = none\n"
                                   "[logging]\nlevel = warning\n")
                                   .arg(port_)
                                   .arg(folder);
        writeFile(folder + QStringLiteral("/config"), config.toUtf8());
        process_ = std::make_unique<QProcess>();
        process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_->setStandardOutputFile(QProcess::nullDevice());
        // a test that dies (a crash, an abort on its time limit) takes the server with it
        process_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
        // Debian's own program, with the system's Python (not one a user put first on PATH)
        const QString debian = QStringLiteral("/usr/bin/radicale");
        const QStringList arguments{QStringLiteral("-C"), folder + QStringLiteral("/config")};
        if (QFile::exists(debian)) process_->start(debian, arguments);
        else process_->start(QStringLiteral("python3"), QStringList{QStringLiteral("-m"), QStringLiteral("radicale")} + arguments);
        if (!process_->waitForStarted(5000)) return false;
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && process_->state() == QProcess::Running) {
            if (answers(port_)) return true;
            QThread::msleep(50);
        }
        stop();
    }
    return false;
}

void Radicale::stop() {
    if (!process_) return;
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(3000)) {
            process_->kill();
            process_->waitForFinished(3000);
        }
    }
    process_.reset();
}

QUrl Radicale::url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port_)); }

QUrl Radicale::bookUrl(const QString& name) const {
    return url().resolved(QUrl(user() + QLatin1Char('/') + name + QLatin1Char('/')));
}

QString Radicale::bookFolder(const QString& name) const {
    return dir_.path() + QStringLiteral("/collections/collection-root/") + user() + QLatin1Char('/') + name;
}

Radicale::Reply Radicale::request(const QByteArray& method, const QUrl& url, const QByteArray& body,
                                  const QMap<QByteArray, QByteArray>& headers) const {
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setRawHeader("Authorization", "Basic " + (user() + QLatin1Char(':') + password()).toUtf8().toBase64());
    for (auto it = headers.begin(); it != headers.end(); ++it) request.setRawHeader(it.key(), it.value());
    if (!body.isEmpty() && !headers.contains("Content-Type"))
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/xml; charset=utf-8"));
    request.setTransferTimeout(20000);
    QNetworkReply* reply = manager.sendCustomRequest(request, method, body);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    Reply out;
    out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    out.body = reply->readAll();
    for (const QNetworkReply::RawHeaderPair& h : reply->rawHeaderPairs()) out.headers.insert(h.first.toLower(), h.second);
    delete reply;
    return out;
}

bool Radicale::makeBook(const QString& name, const QString& displayName) {
    const QByteArray body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<D:mkcol xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><D:set><D:prop>"
        "<D:resourcetype><D:collection/><C:addressbook/></D:resourcetype>"
        "<D:displayname>" +
        (displayName.isEmpty() ? name : displayName).toHtmlEscaped().toUtf8() +
        "</D:displayname></D:prop></D:set></D:mkcol>";
    return request("MKCOL", bookUrl(name), body).status == 201;
}

QByteArray Radicale::putCard(const QString& book, const QString& file, const QByteArray& card) {
    const Reply reply = request("PUT", bookUrl(book).resolved(QUrl(file)), card, {{"Content-Type", "text/vcard; charset=utf-8"}});
    if (reply.status != 201 && reply.status != 204) return QByteArray();
    return reply.headers.value("etag");
}

QByteArray Radicale::card(const QString& book, const QString& file) const {
    const Reply reply = request("GET", bookUrl(book).resolved(QUrl(file)));
    return reply.status == 200 ? reply.body : QByteArray();
}

bool Radicale::deleteCard(const QString& book, const QString& file) {
    return request("DELETE", bookUrl(book).resolved(QUrl(file))).status / 100 == 2;
}

QStringList Radicale::cardFiles(const QString& book) const {
    const Reply reply = request("PROPFIND", bookUrl(book),
                                "<?xml version=\"1.0\"?><D:propfind xmlns:D=\"DAV:\"><D:prop><D:getetag/></D:prop></D:propfind>",
                                {{"Depth", "1"}});
    QStringList files;
    static const QRegularExpression href(QStringLiteral("<[^>]*href>([^<]*\\.vcf)</"));
    for (auto m = href.globalMatch(QString::fromUtf8(reply.body)); m.hasNext();)
        files.append(QUrl::fromPercentEncoding(m.next().captured(1).section(QLatin1Char('/'), -1).toUtf8()));
    std::sort(files.begin(), files.end());
    return files;
}

QList<QByteArray> Radicale::cards(const QString& book) const {
    QList<QByteArray> out;
    for (const QString& file : cardFiles(book)) out.append(card(book, file));
    return out;
}
