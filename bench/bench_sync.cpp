// The sync of a group with a CardDAV address book, against a Radicale the
// bench starts on 127.0.0.1, each figure beside a bare client that sends the
// same requests with QNetworkAccessManager to the same server in the same run,
// in this order:
//
// - FirstUpload: the first sync of a 10,000-contact group into an empty
//   address book, beside the same 10,000 PUTs (If-None-Match: *), measured
//   last. Radicale builds a cache on a new book's first listing, so each
//   book is listed once before the clock runs.
// - Unchanged: a sync with nothing changed on either side of that book,
//   beside the one sync-collection REPORT with the last sync's token. It
//   prints the requests the sync sent ("requests": at most two). One sync
//   goes first, unmeasured: the first upload's own token is older than its
//   cards, so the sync after it lists them all once.
//
// TELEFIKA_SYNC_BENCH_PLACED=1 puts the full book's cards in place in the
// server's storage and links the group to it by a first sync, instead of
// the hour of PUTs of FirstUpload: for the unchanged sync and the download
// alone (--benchmark_filter='Unchanged|FirstDownload').
// - FirstDownload: the first sync of an empty group with the 10,000-card
//   book (its cards fetched by addressbook-multiget and written into the
//   group), without a floor.
//
// The uploads and the download print what the program grew by at their peak
// ("grown MB", from VmRSS and VmHWM in /proc/self/status): at most 50.

#include "bench/floor.h"
#include "book/phonebook.h"
#include "store/datafolder.h"
#include "store/stringlist.h"
#include "sync/synclink.h"
#include "sync/syncrunner.h"
#include "sync/syncstate.h"
#include "tests/common/radicale.h"
#include "tools/datagen.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryDir>
#include <QUuid>

#include <malloc.h>

namespace {

// TELEFIKA_SYNC_BENCH_CARDS sets another size, for a quick look.
const int Cards = qEnvironmentVariableIntValue("TELEFIKA_SYNC_BENCH_CARDS") > 0
                      ? qEnvironmentVariableIntValue("TELEFIKA_SYNC_BENCH_CARDS")
                      : 10'000;
const QString Full = QStringLiteral("Büyük");
const QString Empty = QStringLiteral("Boş");

Radicale* server = nullptr;
PhoneBook* book = nullptr;
int booksMade = 0;

// A figure of /proc/self/status, in megabytes.
double statusMegabytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field)) return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

// The memory the program holds now, with what the allocator kept back
// returned, and the peak set back to it.
double settledMegabytes() {
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly)) clear.write("5");
    return statusMegabytes("VmRSS:");
}

struct SyncRun {
    int requests = 0;
    bool done = false;
};

// One sync of the group in the event loop, its requests counted.
SyncRun sync(const QString& group) {
    SyncRunner runner(*book, group, server->password());
    SyncRun run;
    QEventLoop loop;
    QObject::connect(&runner, &SyncRunner::finished, &loop, &QEventLoop::quit);
    // The runner makes its client when the sync begins, and says so before
    // the first request goes.
    bool counting = false;
    QObject::connect(&runner, &SyncRunner::progress, &loop, [&] {
        if (counting) return;
        counting = true;
        for (QNetworkAccessManager* manager : runner.findChildren<QNetworkAccessManager*>())
            QObject::connect(manager, &QNetworkAccessManager::finished, &loop, [&run] { ++run.requests; });
    });
    runner.start();
    if (runner.isRunning()) loop.exec();
    run.done = runner.report().succeeded() && runner.report().conflicts.isEmpty();
    return run;
}

// A new address book, listed once so Radicale has built its cache.
QUrl freshBook() {
    const QString name = QStringLiteral("defter-%1").arg(++booksMade);
    server->makeBook(name);
    server->cardFiles(name);
    return server->bookUrl(name);
}

QNetworkRequest davRequest(const QUrl& url) {
    QNetworkRequest request(url);
    request.setRawHeader("Authorization",
                         "Basic " + (server->user() + QLatin1Char(':') + server->password()).toUtf8().toBase64());
    return request;
}

// The bare client: the requests sent at once, as QNetworkAccessManager
// spreads them over its connections; true when every answer was one of `ok`.
bool sendAll(const QList<std::function<QNetworkReply*()>>& requests,
             const QList<int>& ok) {
    QEventLoop loop;
    int left = int(requests.size());
    bool good = true;
    for (const auto& send : requests) {
        QNetworkReply* reply = send();
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&, reply] {
            reply->readAll();
            good = good && ok.contains(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt());
            reply->deleteLater();
            if (--left == 0) loop.quit();
        });
    }
    if (left > 0) loop.exec();
    return good;
}

// The group's contacts as vCard 3.0 cards, as the sync makes them.
QList<QByteArray> cardsOf(const StringList& lines) {
    QList<QByteArray> cards;
    for (int i = 0; i + 2 < lines.count(); i += 3) {
        const QString name = lines.text(i), surname = lines.text(i + 1);
        cards << (QStringLiteral("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%1\r\nN:%2;%3;;;\r\nFN:%4\r\n"
                                 "TEL;TYPE=CELL:%5\r\nEND:VCARD\r\n")
                      .arg(QUuid::createUuid().toString(QUuid::WithoutBraces), surname, name,
                           (name + QLatin1Char(' ') + surname).trimmed(), lines.text(i + 2)))
                     .toUtf8();
    }
    return cards;
}

void Unchanged(benchmark::State& state) {
    if (!sync(Full).done) state.SkipWithError("the sync failed");
    int requests = 0;
    for (auto _ : state) {
        const SyncRun run = sync(Full);
        if (!run.done) state.SkipWithError("the sync failed");
        requests = run.requests;
    }
    state.counters["requests"] = requests;
}

void UnchangedFloor(benchmark::State& state) {
    QNetworkAccessManager manager;
    const QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<D:sync-collection xmlns:D=\"DAV:\"><D:sync-token>" +
                            syncstate::read(Full)->token.toHtmlEscaped().toUtf8() +
                            "</D:sync-token><D:sync-level>1</D:sync-level><D:prop><D:getetag/></D:prop>"
                            "</D:sync-collection>";
    const QUrl url = synclink::of(Full)->book;
    for (auto _ : state) {
        const bool good = sendAll({[&] {
                                      QNetworkRequest request = davRequest(url);
                                      request.setRawHeader("Content-Type", "application/xml; charset=utf-8");
                                      request.setRawHeader("Depth", "0");
                                      return manager.sendCustomRequest(request, "REPORT", body);
                                  }},
                                  {207});
        if (!good) state.SkipWithError("the REPORT failed");
    }
}

void FirstUpload(benchmark::State& state) {
    double grown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        synclink::keep(Full, freshBook(), server->user());
        const double before = settledMegabytes();
        state.ResumeTiming();
        if (!sync(Full).done) state.SkipWithError("the sync failed");
        state.PauseTiming();
        grown = statusMegabytes("VmHWM:") - before;
        state.ResumeTiming();
    }
    state.counters["grown MB"] = grown;
}

void FirstUploadFloor(benchmark::State& state) {
    QNetworkAccessManager manager;
    const QList<QByteArray> cards = cardsOf(book->recordLines());
    for (auto _ : state) {
        state.PauseTiming();
        const QUrl url = freshBook();
        QList<std::function<QNetworkReply*()>> puts;
        for (const QByteArray& card : cards)
            puts << [&manager, url, &card] {
                QNetworkRequest request = davRequest(url.resolved(QUrl(QUuid::createUuid().toString(QUuid::WithoutBraces) +
                                                                       QStringLiteral(".vcf"))));
                request.setRawHeader("Content-Type", "text/vcard; charset=utf-8");
                request.setRawHeader("If-None-Match", "*");
                return manager.put(request, card);
            };
        state.ResumeTiming();
        if (!sendAll(puts, {201, 204})) state.SkipWithError("a PUT failed");
    }
}

void FirstDownload(benchmark::State& state) {
    const QUrl full = synclink::of(Full)->book;
    double grown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        book->replaceGroupLines(Empty, StringList());
        synclink::forget(Empty);
        synclink::keep(Empty, full, server->user());
        const double before = settledMegabytes();
        state.ResumeTiming();
        if (!sync(Empty).done) state.SkipWithError("the sync failed");
        state.PauseTiming();
        grown = statusMegabytes("VmHWM:") - before;
        state.ResumeTiming();
    }
    state.counters["grown MB"] = grown;
}

// The full group's cards written straight into a new book's folder (the
// server has read none of them), and the group linked to it by a first sync
// that matches both sides by number.
bool placeFullBook() {
    const QString name = QStringLiteral("defter-%1").arg(++booksMade);
    if (!server->makeBook(name)) return false;
    for (const QByteArray& card : cardsOf(book->recordLines())) {
        QFile file(server->bookFolder(name) + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces) +
                   QStringLiteral(".vcf"));
        if (!file.open(QIODevice::WriteOnly) || file.write(card) != card.size()) return false;
    }
    synclink::keep(Full, server->bookUrl(name), server->user());
    return sync(Full).done;
}

// The DataFolder: the full group in use, the empty one beside it.
void writeDataFolder() {
    datafolder::createFolder(datafolder::path());
    datagen::group(Cards).save(datafolder::groupFilePath(Full));
    StringList().save(datafolder::groupFilePath(Empty));
    StringList list = datafolder::defaultGroupList();
    StringList().save(datafolder::groupFilePath(datafolder::DefaultGroup));
    list.add(Full);
    list.add(Empty);
    list.replace(0, Full);
    list.save(datafolder::groupListPath());
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    QCoreApplication app(argc, argv);
    Radicale radicale;
    if (!radicale.start()) {
        std::fprintf(stderr, "radicale did not start (Debian package radicale)\n");
        return 1;
    }
    server = &radicale;
    writeDataFolder();
    PhoneBook phoneBook;
    phoneBook.loadGroupList();
    phoneBook.activateGroup(Full);
    book = &phoneBook;
    if (qEnvironmentVariableIntValue("TELEFIKA_SYNC_BENCH_PLACED") == 1 && !placeFullBook()) {
        std::fprintf(stderr, "the full book could not be put in place\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    // The first upload leaves the group linked to a full book: the
    // unchanged sync's and the download's.
    const auto once = [](const char* name, void (*run)(benchmark::State&)) {
        benchmark::RegisterBenchmark(name, run)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
    };
    once("FirstUpload", FirstUpload);
    benchmark::RegisterBenchmark("Unchanged", Unchanged)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);
    benchmark::RegisterBenchmark("Unchanged/floor", UnchangedFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5);
    once("FirstDownload", FirstDownload);
    once("FirstUpload/floor", FirstUploadFloor);
    FloorReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
